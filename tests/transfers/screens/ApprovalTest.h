#pragma once
// Answers for the approval screens' dialogs: the approver sign-in and the
// approver choice, and a row typed into the entry screen.

#include "TransferScreenTest.h"

#include "core/screens/SubLoginUnit.h"
#include "controls/edits/CurrEdit.h"
#include "transfers/screens/AcceptUserUnit.h"
#include "transfers/screens/IcheMakeUnit.h"

#include <QLineEdit>

namespace transfertest {

// Types the password into the next approver sign-in dialog and confirms.
inline void SignIn(const QString &password)
{
    OnModal<Tqv_sublogin_frm>([password](Tqv_sublogin_frm *d) {
        TypeText(d->edt_pwd, password);
        ClickControl(d->btn_confirm);
    });
}

// Picks the user in the next approver choice dialog.
inline void ChooseApprover(const QString &userId)
{
    OnModal<Tqv_acceptuser_frm>([userId](Tqv_acceptuser_frm *d) {
        for (int r = 1; r < d->GRD_acceptlist->RowCount(); ++r)
            if (d->GRD_acceptlist->Cells(1, r) == userId)
                ClickGridCell(d->GRD_acceptlist, 0, r);
        ClickControl(d->btn_select);
    });
}

// A row typed by hand on the entry screen: mother bank, counterpart bank and
// account, name, amount.
inline void EnterRow(Tqv_IcheMake_frm *s, const char *moBank, const char *bank, const QString &account,
                     const QString &name, const QString &amount)
{
    Pick(s->cmb_allbank, ItemWith(s->cmb_allbank, QStringLiteral("[%1]").arg(QLatin1String(moBank))));
    TypeText(s->curredt_money, amount);
    Pick(s->cmb_daesang, 0);
    TypeText(s->edt_sendname, name);
    Pick(s->cmb_transbankid, ItemWith(s->cmb_transbankid, QStringLiteral("[%1]").arg(QLatin1String(bank))));
    TypeText(s->edt_bankno, account);
    ClickControl(s->KitButton1);
}

} // namespace transfertest

#include "core/RequestSql.h"
#include "platform/AppServer.h"

namespace transfertest {

// The client's link with hooks: a statement can be refused and the
// registration's answer chosen; everything else reaches the server.
class HookedLink : public qvx::AppServer
{
public:
    explicit HookedLink(qvx::AppServer &link) : m_link(link) {}
    std::function<bool(const QString &sql)> refuse;   // true: the statement fails
    std::function<int()> sendDescAnswer;              // unset: the server's answer

    qvx::ResultSet select(const QString &sql) override { return m_link.select(sql); }
    qvx::ResultSet select2(const QString &sql) override { return m_link.select2(sql); }
    void execute(const QString &sql) override
    {
        if (refuse && refuse(sql))
            throw qvx::AppServerError(qvx::AppServerError::Kind::Server, QStringLiteral("refused"));
        m_link.execute(sql);
    }
    int maxSeqNo(int n) override { return m_link.maxSeqNo(n); }
    int sendDesc(const QString &a, const QString &b, const QString &c, const QString &d, const QString &e) override
    {
        return sendDescAnswer ? sendDescAnswer() : m_link.sendDesc(a, b, c, d, e);
    }
    QString serverTime() override { return m_link.serverTime(); }
    QString commMsg(int kind) override { return m_link.commMsg(kind); }
    QString bankState(const QString &a, const QString &b, const QString &c) override { return m_link.bankState(a, b, c); }
    bool isOpen() const override { return m_link.isOpen(); }

private:
    qvx::AppServer &m_link;
};

// One waiting giche row of a batch, written straight into the database.
struct SeedRow
{
    QString userid = QStringLiteral("MAKER");
    QString cfmid = QStringLiteral("APPR1");
    QString senddate;
    QString sendtime = QStringLiteral("101500");
    qint64 seqno = 1;
    qint64 price = 1000;
    QString name = QStringLiteral("거래처");
    QString gubun = QStringLiteral("30");
    QString upGubun = QStringLiteral("0100100");
    QString transBankId = QStringLiteral("20");
};

inline QString SeedSql(const SeedRow &r)
{
    const QString e;
    return MakeGicheSql(r.senddate, r.sendtime, QStringLiteral("DY1"), QString::number(r.seqno),
                        QStringLiteral("QVX0000001"), QStringLiteral("WRB2000"), QStringLiteral("HB2001"),
                        QStringLiteral("20"), r.userid, r.cfmid, QStringLiteral("1"), QStringLiteral("1005123456789"),
                        QStringLiteral("3456"), e, r.gubun, QString::number(r.price), e, e, r.transBankId,
                        QStringLiteral("1002345678901"), e, e, r.name, e, e, e, e, e, QStringLiteral("0"), r.upGubun,
                        e);
}

} // namespace transfertest
