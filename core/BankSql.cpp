#include "core/BankSql.h"

#include "platform/SqlText.h"

#include <QStringList>

namespace BankSql {

QString motherAccounts(const MotherAccountQuery &query)
{
    QStringList columns = {QStringLiteral("bankid"), QStringLiteral("mobankno"), QStringLiteral("bankname"),
                           QStringLiteral("firmid")};
    if (query.passwords)
        columns << QStringLiteral("passwd") << QStringLiteral("dblpasswd");
    columns << QStringLiteral("sendname") << QStringLiteral("tr_gubuncode") << QStringLiteral("recvid");
    QString sql = QStringLiteral("select      ") + columns.join(QStringLiteral(",    ")) + QStringLiteral(" from    bank");
    if (query.virtualAccountBanksOnly)
        sql += QStringLiteral(" where TR_GubunCode = 'Y'");
    if (query.ordered)
        sql += QStringLiteral(" order by bankid");
    return sql;
}

QString everyMotherAccount()
{
    return QStringLiteral("select * from bank");
}

QString startScreenBanks()
{
    return QStringLiteral("select bankid, firmid, bankname from BANK order by bankid");
}

QString everyBankCode()
{
    return QStringLiteral("SELECT * FROM allbank");
}

QString bankCodeNames(const QString &bankId)
{
    QString sql = QStringLiteral("select bankid, bankname from allbank");
    if (!bankId.isEmpty())
        sql += QStringLiteral(" where bankid = ") + qvx::sqlQuote(bankId);
    return sql + QStringLiteral(" order by bankid");
}

QString distinctMotherAccounts()
{
    return QStringLiteral("SELECT      Distinct MoBankNo,    bankid,    bankname,    firmid,    sendname,    "
                          "tr_gubuncode,    recvid,    passwd,    dblpasswd FROM Bank order by bankid");
}

QString bankCodes(BankCodeRows rows, const QString &bankId)
{
    QStringList conditions;
    if (rows == BankCodeRows::Named)
        conditions << QStringLiteral("not (bankid = bankname)");
    else if (rows == BankCodeRows::NamedSpaced)
        conditions << QStringLiteral("not ( bankid = bankname)");
    if (!bankId.isEmpty())
        conditions << QStringLiteral("bankid = ") + qvx::sqlQuote(bankId);
    QString sql = QStringLiteral("select * from allbank");
    if (!conditions.isEmpty())
        sql += QStringLiteral(" where ") + conditions.join(QStringLiteral(" and "));
    return sql + QStringLiteral(" order by bankid");
}

} // namespace BankSql
