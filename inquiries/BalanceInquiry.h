#pragma once
// The balance inquiry ("모계좌 잔액 조회"): one amt_search request row per
// mother account, and the bank's answers as the list shows, saves and prints
// them.

#include "core/MotherAccount.h"
#include "core/RequestRows.h"

#include <QList>
#include <QString>
#include <QVector>

namespace qvx { class ResultSet; }

// The request rows of the accounts, in their order (SeqNo set by the sender).
QList<AmtSearchRow> BalanceRequestRows(const RequestHeader &header, const QVector<MotherAccount> &accounts);

// One answered account.
struct BalanceAnswer
{
    QString bankName;     // mobankname
    QString bankId;
    QString bankNo;
    QString info;         // common_dummy
    QString janwon;       // current balance as stored
    QString ablewon;      // withdrawable amount as stored
    QString receiveDate;  // yyyymmdd

    static BalanceAnswer FromRow(const qvx::ResultSet &rs, int row);
    QString accountText() const;  // FormatAcctNo(bankId, bankNo)
    qint64 balance() const;       // janwon as a whole number, 0 when it is none
    qint64 withdrawable() const;
};

// The fixed-width record of the text save: bank name (24), account without
// '-' (15), info (20), both amounts without ',' (13 each), today (8); padded
// with blanks, a longer value stays whole.
QString BalanceSaveLine(const BalanceAnswer &answer, const QString &today);
