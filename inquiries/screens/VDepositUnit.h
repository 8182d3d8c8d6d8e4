#pragma once
// "조흥은행 가상계좌통지": the virtual-account deposit notices, the twin of
// the deposit notices on the same base: its own table, columns and gap
// service, the totals in ten amount fields.

#include "inquiries/screens/DepositNoticeBase.h"

#include <QVector>

class QLabel;
class TCurrencyEdit;

class Tqv_V_deposit_frm : public DepositNoticeBase
{
    Q_OBJECT
public:
    explicit Tqv_V_deposit_frm(const ScreenContext &context, QWidget *owner = nullptr);
    ~Tqv_V_deposit_frm() override;

    QLabel *lbl_ibgum = nullptr;
    // curredt_ibgum ... curredt_jigum, in the order of the totals captions.
    QVector<TCurrencyEdit *> totals;

protected:
    QString statement(const DepositNoticeFilter &filter, bool enterForm) const override;
    void clearTotals() override;
    void addToTotals(const QString &gubun, qint64 amount, bool enterForm) override;
    void showTotals(bool enterForm) override;
    bool namesByCode(bool) const override { return false; }
    QString saveLine(const qvx::ResultSet &rs, int row) override;
    void buildReport() override;
    QString totalText(int index) const override;
    RequestResult sendGaps(const BankItem &bank, const QString &day, const QList<int> &gaps) override;

private:
    QVector<qint64> m_sums;
    QString m_captionCode; // "20" or "21": the last listed row of those kinds names the first total
};

void registerVDepositScreen();
