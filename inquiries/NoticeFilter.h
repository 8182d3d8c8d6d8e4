#pragma once
// The choices of a notice list's search bar (bank, account, kind, period),
// as the statements of the deposit, virtual-account and stored-bill notices
// read them.

#include <QString>
#include <QStringList>

struct NoticeFilter
{
    QString kindCode;   // gubun; "" for every kind
    QString accountNo;  // the chosen account as its bank stores it; "" for every account
    QString bankCode;   // "" for every bank
    QString dateFrom;   // yyyymmdd
    QString dateTo;

    // The choices as one comparable text.
    QString key() const { return QStringList{kindCode, accountNo, bankCode, dateFrom, dateTo}.join(u'|'); }
};

using DepositNoticeFilter = NoticeFilter;
using DraftNoticeFilter = NoticeFilter;
