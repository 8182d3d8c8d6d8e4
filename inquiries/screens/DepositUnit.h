#pragma once
// "예금거래명세통지": the deposit-transaction notices the banks pushed, totals
// by transaction kind, the gap request, the closing-check request for the
// number after today's last one, the save and the printed list.

#include "inquiries/screens/DepositNoticeBase.h"

class NoticeTotalsGrid;

class Tqv_deposit_frm : public DepositNoticeBase
{
    Q_OBJECT
public:
    explicit Tqv_deposit_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_deposit_frm() override;

    TListGrid *grd_test = nullptr;
    TDDButton *btn_order_end = nullptr;

    void btn_order_endClick();

protected:
    QString statement(const DepositNoticeFilter &filter, bool enterForm) const override;
    void clearTotals() override;
    void addToTotals(const QString &gubun, qint64 amount, bool enterForm) override;
    void showTotals(bool enterForm) override;
    QString saveLine(const qvx::ResultSet &rs, int row) override;
    void buildReport() override;
    QString totalText(int index) const override;
    void afterSearch(int previousRows, int rows, bool enterForm) override;
    RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) override;

private:
    NoticeTotalsGrid *m_totals = nullptr;
    QVector<qint64> m_sums;
    QString m_captionCode; // "20" or "21": the last listed row of those kinds names the first total
    // Set by the closing-check request; the next click search reports
    // whether new notices came and clears it.
    bool m_closingCheck = false;
};

void registerDepositScreen();
