#pragma once
// "조흥은행 가상계좌통지": the virtual-account deposit notices, the twin of
// the deposit notices on the same base: its own table, columns and gap
// service, the totals in ten amount fields.

#include "inquiries/screens/NoticeListBase.h"

#include <QVector>

class QLabel;
class TCurrencyEdit;

class Tqv_V_deposit_frm : public NoticeListBase
{
    Q_OBJECT
public:
    explicit Tqv_V_deposit_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_V_deposit_frm() override;

    TListGrid *grd_deposit = nullptr;
    TDDButton *btn_order = nullptr;
    TDDButton *btn_print = nullptr;
    QLabel *lbl_ibgum = nullptr;
    // curredt_ibgum ... curredt_jigum, in the order of the totals captions.
    QVector<TCurrencyEdit *> totals;

    void btn_orderClick() { requestGaps(); }

protected:
    QString statement(const NoticeFilter &filter, bool enterForm) const override;
    void clearTotals() override;
    void showTotals(const QString &captionCode, bool enterForm) override;
    RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) override;
    ListSaveDecl saveDecl() override;
    ListReportDecl reportDecl(QStringList &totalLabels) override;
    QString totalText(int index) const override;
};

void registerVDepositScreen();
