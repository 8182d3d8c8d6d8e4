#include "core/RequestRows.h"

#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

namespace {
constexpr int NameBytes = 12;
} // namespace

namespace request_rows_detail {

bool sameName(const char *a, const char *b)
{
    return qstricmp(a, b) == 0;
}

QString buildInsert(const char *table, const std::vector<ColumnValue> &values, bool cutsName)
{
    QString names;
    QString written;
    for (const ColumnValue &c : values) {
        if (!names.isEmpty()) {
            names += QLatin1Char(',');
            written += QLatin1Char(',');
        }
        names += QLatin1String(c.name);
        if (sameName(c.name, "SeqNo") || sameName(c.name, "TranSeqNo")) {
            written += qvx::sqlInt(c.value->trimmed());
        } else if (cutsName && sameName(c.name, "Name")) {
            // Payee name of the transfer tables: at most 12 bytes, never half a character.
            const QString &name = *c.value;
            written += qvx::sqlQuote(GetDbcsSafeLen(name, NameBytes) == -1 ? name : LeftBytes(name, NameBytes));
        } else {
            written += qvx::sqlQuote(*c.value);
        }
    }
    return QStringLiteral("insert into ") + QLatin1String(table) + QLatin1Char('(') + names
           + QStringLiteral(") values(") + written + QLatin1Char(')');
}

} // namespace request_rows_detail

RequestHeader RequestHeader::of(const Session &session)
{
    RequestHeader h;
    const QDateTime now = qvx::Clock::now();
    h.SendDate = now.toString(QStringLiteral("yyyyMMdd"));
    h.SendTime = now.toString(QStringLiteral("hhmmss"));
    h.Service = session.ServiceDiv;
    h.SendID = session.NetworkId;
    h.USERID = session.LoginUserId;
    return h;
}
