#include "inquiries/SmsLog.h"

#include "platform/ResultSet.h"
#include "platform/SqlText.h"

namespace SmsLogSql {

QString between(const QString &from, const QString &to)
{
    return QStringLiteral(" select * from SMS_Trans  where SendDate Between ") + qvx::sqlQuote(from)
           + QStringLiteral(" AND ") + qvx::sqlQuote(to);
}

} // namespace SmsLogSql

SmsLogEntry SmsLogEntry::FromRow(const qvx::ResultSet &rs, int i)
{
    auto v = [&rs, i](const char *name) { return rs.value(i, QString::fromLatin1(name)); };
    return {v("senddate"), v("seqno"), v("RecvName"), v("RecvTelNo"), SmsLogMessageText(v("Message")), v("SendTelNo")};
}

QString SmsLogMessageText(const QString &stored)
{
    QString text = stored.left(stored.indexOf(QChar(0)) < 0 ? stored.size() : stored.indexOf(QChar(0)));
    text.remove(QChar(13));
    text.remove(QChar(10));
    return text;
}
