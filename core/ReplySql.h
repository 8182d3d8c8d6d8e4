#pragma once
// The statements the data module runs when an answer is announced: the
// latest answer time of a table, and the answered rows that fill a waiting
// screen or result dialog.

#include <QString>

namespace ReplySql {

// "select max(sendtime) from <table> where senddate='<today>'" (the two
// summary tables write "senddate = '").
QString latestSendTime(const QString &table, const QString &today);

// The answered rows of the latest send time; bankCode "" for every bank.
QString balances(const QString &latest, const QString &bankCode);
QString holderNames(const QString &latest);
QString summaries(const QString &latest, const QString &bankCode);
QString vasSummaries(const QString &today, const QString &latest, const QString &bankCode);

// Today's answered result-inquiry row of one message number (icheresult, or
// the liquor tables icheresult_102 / icheresult_103).
QString resultDetail(const QString &table, qint64 seqNo, const QString &today);

// The grouped list of the batches that wait for `approverId` today, as the
// approval arrival runs it (`opening`: the screen is about to be opened,
// which writes the sr_flag condition with a trailing blank).
QString waitingBatches(const QString &approverId, const QString &today, bool opening);

// The notice counts of one pending request.
QString noticeCounts(qint64 seqNo, const QString &today);

} // namespace ReplySql
