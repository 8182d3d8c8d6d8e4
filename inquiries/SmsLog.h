#pragma once
// The SMS log ("SMS 현황"): the SMS_Trans requests of a period of send dates.

#include <QString>

namespace qvx { class ResultSet; }

namespace SmsLogSql {
// Every SMS request sent from `from` to `to` (yyyymmdd).
QString between(const QString &from, const QString &to);
} // namespace SmsLogSql

// One logged message.
struct SmsLogEntry
{
    QString sendDate;
    QString seqNo;
    QString recvName;
    QString recvTelNo;
    QString message;
    QString sendTelNo;

    static SmsLogEntry FromRow(const qvx::ResultSet &rs, int row);
};

// A stored message as the log shows it: up to its first NUL, on one line
// (every carriage return and line feed removed).
QString SmsLogMessageText(const QString &stored);
