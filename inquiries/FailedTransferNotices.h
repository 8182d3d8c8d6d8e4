#pragma once
// The failure notices that banks send for other-bank transfers (table
// ta_iche_err): the statements of the read-only error view
// ("타행이체 불능현황 보기") and the notice screen with its gap request and day
// file ("타행이체 불능통지").

#include "core/RequestRows.h"

#include <QString>

namespace qvx { class ResultSet; }

struct FailedTransferFilter
{
    QString bankCode;   // "" for every account
    QString moBankNo;   // the chosen account ("" : every account of the bank)
    QString dateFrom;   // yyyymmdd
    QString dateTo;     // yyyymmdd
};

namespace FailedTransferSql {

enum class Refusal { None, ReversedPeriod };

QString head();
// The notices of the period (refused when the to-date lies before the from-date).
QString byFilter(const FailedTransferFilter &filter, Refusal *refusal);
// The notice numbers one bank sent for one day, with the ids the gap request
// is addressed with.
QString noticeNumbers(const QString &bankCode, const QString &day);
// Every notice of one day, for the day file.
QString dayNotices(const QString &day);

} // namespace FailedTransferSql

// Where a gap request of one bank and day goes: the ids of that bank's
// notices of the day (the request goes back the way they came).
struct FailedNoticeAddress
{
    QString sendId;   // the notices' receiver
    QString recvId;   // the notices' sender
    QString firmId;
    QString bankId;
    QString day;      // yyyymmdd
};

// The gap request row of one missing notice number (SeqNo set by the sender).
TaIcheOrderRow FailedNoticeGapRow(const RequestHeader &header, const FailedNoticeAddress &to, int missingNumber);

// One line of the day file: 27 stored values back to back, the amount with ','.
QString FailedNoticeDayLine(const qvx::ResultSet &rs, int row);
// "타행불능통지<yyyymmdd>.dat"
QString FailedNoticeDayFileName(const QString &day);
