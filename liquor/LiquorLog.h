#pragma once
// The liquor-trade screens' error lines in the day's log file:
//   kind "1": "자료변환 Error -> <yyyymmdd> <hhnnss> <seq>" + " <value>" for each value
//   kind "2": the same with "이체송신 Error -> "
//   other:    "database Error -> <yyyymmdd> <hhnnss> <seq>-<first value>"
// Sending writes kind "2" for a row that could not be stored and kind "3"
// for a failed commit; the conversions write kind "1" (and "0" for a row
// without a mother account).

#include "liquor/LiquorRow.h"

#include <QString>
#include <QStringList>

// The line itself, with stamp = "<yyyymmdd> <hhnnss>".
QString LiquorTransferLogLine(const QString &kind, const QString &seq, const QStringList &values,
                              const QString &stamp);
// Appends the line with now's stamp to today's log. Never throws; false when
// the line could not be written.
bool WriteLiquorTransferLog(const QString &kind, const QString &seq, const QStringList &values);

// The nine values of a send-error line: mother bank code, mother account,
// transfer, liquor and non-liquor amounts without ',', real-name number,
// name, "20"/"30", other information.
QStringList LiquorSendErrorValues(const LiquorRow &row, int paymentMode);

// "수납이체자료 저장 실패 User : <user>  은행계좌 : <account>  이체금액 : <amount>
// 거래처명 : <name>": the day's log line of a row that could not be stored.
QString LiquorStoreFailedLogLine(const LiquorRow &row, int paymentMode, const QString &userId);
