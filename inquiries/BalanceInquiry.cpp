#include "inquiries/BalanceInquiry.h"

#include "core/FixedLine.h"
#include "core/TextUtils.h"
#include "core/CellText.h"
#include "platform/ResultSet.h"

QList<AmtSearchRow> BalanceRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts)
{
    QList<AmtSearchRow> rows;
    for (const MotherAccount &a : accounts) {
        AmtSearchRow row;
        ApplyRequestHeader(row, header);
        row.RecvID = a.recvid;
        row.FirmID = a.firmid;
        row.BankID = a.bankid;
        row.BankNo = a.mobankno;
        rows.append(row);
    }
    return rows;
}

BalanceAnswer BalanceAnswer::FromRow(const qvx::ResultSet &rs, int i)
{
    auto v = [&rs, i](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    return {v("mobankname"), v("bankid"), v("bankno"), v("common_dummy"), v("janwon"), v("ablewon"), v("receivedate")};
}

QString BalanceAnswer::accountText() const
{
    return FormatAcctNo(bankId, bankNo);
}

qint64 BalanceAnswer::balance() const
{
    return SafeStrToCurr(janwon.trimmed(), 0);
}

qint64 BalanceAnswer::withdrawable() const
{
    return SafeStrToCurr(ablewon.trimmed(), 0);
}

QString BalanceSaveLine(const BalanceAnswer &a, const QString &today)
{
    FixedLine line;
    line.left(a.bankName, 24)
        .left(DelChar(a.accountText(), u'-'), 15)
        .left(a.info, 20)
        .left(QString::number(a.balance()), 13)
        .left(QString::number(a.withdrawable()), 13)
        .left(today, 8);
    return line.text();
}
