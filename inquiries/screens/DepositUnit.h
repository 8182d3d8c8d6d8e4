#pragma once
// "예금거래명세통지": the deposit-transaction notices the banks pushed, totals
// by transaction kind, the gap request, the closing-check request for the
// number after today's last one, the save and the printed list.

#include "inquiries/screens/NoticeListBase.h"

class Tqv_deposit_frm : public NoticeListBase
{
    Q_OBJECT
public:
    explicit Tqv_deposit_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_deposit_frm() override;

    TListGrid *grd_deposit = nullptr;
    TListGrid *grd_test = nullptr;
    TDDButton *btn_order = nullptr;
    TDDButton *btn_order_end = nullptr;
    TDDButton *btn_print = nullptr;

    void btn_orderClick() { requestGaps(); }
    void btn_order_endClick();

protected:
    QString statement(const NoticeFilter &filter, bool enterForm) const override;
    void clearTotals() override;
    void showTotals(const QString &captionCode, bool enterForm) override;
    void listRow(const qvx::ResultSet &rs, int gridRow, int row, bool enterForm) override;
    void afterSearch(int previousRows, int rows, bool enterForm) override;
    QString gapRefusal() const override;
    RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) override;
    ListSaveDecl saveDecl() override;
    ListReportDecl reportDecl(QStringList &totalLabels) override;

private:
    // The click search's bank names: a code repeats row after row, so its
    // name is looked up once a run.
    struct LastName
    {
        bool known = false;
        qvx::ResultSet::TextId code = 0;
        QString name;
    };
    LastName m_moBank;
    LastName m_transBank;
    // Set by the closing-check request; the next click search reports
    // whether new notices came and clears it.
    bool m_closingCheck = false;
};

void registerDepositScreen();
