#include "core/GapRequest.h"

#include "core/NoticeGaps.h"

#include <QSet>

QList<int> MissingNumbers(const QStringList &received, int bound)
{
    if (bound < 0)
        return FindNoticeGaps(received);
    QSet<int> numbers;
    for (const QString &text : received) {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (ok && n > 0)
            numbers.insert(n);
    }
    QList<int> gaps;
    for (int n = 1; n <= bound; ++n)
        if (!numbers.contains(n))
            gaps.append(n);
    return gaps;
}

QString GapRequestStatus(const RequestResult &result)
{
    switch (result.outcome) {
    case RequestResult::Outcome::Sent:
        return QStringLiteral("결번전문 ") + QString::number(result.count) + QStringLiteral(" 건을 처리중입니다.");
    case RequestResult::Outcome::Empty:
    case RequestResult::Outcome::ReserveFailed:
        return QString();
    default:
        return QStringLiteral("결번전문 ") + QString::number(result.count)
               + QStringLiteral(" 건이 정상적으로 처리되지 않았습니다.");
    }
}
