#include "core/RequestSql.h"

#include "core/RequestRows.h"
#include "core/Session.h"
#include "core/TextUtils.h"
#include "platform/Clock.h"
#include "platform/SqlText.h"

namespace {

const int FixedWidths[FixedRecordFieldCount] = {4, 20, 15, 13, 13, 13, 12, 20, 15, 6, 13, 14, 10, 10,
                                                8, 3,  2,  10, 2,  8,  9,  2,  1,  2, 2,  2,  8,  4};

} // namespace

int FixedRecordWidth(int field)
{
    return field >= 0 && field < FixedRecordFieldCount ? FixedWidths[field] : 0;
}

QString MakeSmsTransSql(const Session &session, const QString &SeqNo, const QString &USERID, const QString &RecvName,
                        const QString &RecvTelNo, const QString &SendTelNo, const QString &ReserveDate,
                        const QString &Message, const QString &Dummy, const QString &COMMON_DUMMY)
{
    const QDateTime now = qvx::Clock::now();
    return MakeInsertSql(RequestRowFromValues<SmsTransRow>({now.toString(QStringLiteral("yyyyMMdd")), now.toString(QStringLiteral("hhmmss")),
                        QStringLiteral("DY2"), SeqNo, session.NetworkId, QStringLiteral("HELP002"), QStringLiteral("00"),
                        USERID, QStringLiteral("1"), SeqNo, RecvName, RecvTelNo, SendTelNo, ReserveDate, Message,
                        Dummy, QStringLiteral("1"), QStringLiteral("0900900"), COMMON_DUMMY}));
}

QString MakeFixedRecord(const QStringList &fields)
{
    QString line;
    for (int i = 0; i < FixedRecordFieldCount; ++i) {
        const QString field = i < fields.size() ? fields[i] : QString();
        const int pad = FixedWidths[i] - Cp949Length(field);
        line += field;
        if (pad > 0)
            line += QString(pad, QLatin1Char(' '));
    }
    return line;
}
