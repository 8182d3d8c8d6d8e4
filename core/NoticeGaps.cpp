#include "core/NoticeGaps.h"

#include <QSet>

static QSet<int> ReceivedNumbers(const QStringList &texts)
{
    QSet<int> numbers;
    for (const QString &text : texts) {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (ok && n > 0)
            numbers.insert(n);
    }
    return numbers;
}

int HighestNoticeNumber(const QStringList &receivedNumbers)
{
    int highest = 0;
    for (int n : ReceivedNumbers(receivedNumbers))
        highest = std::max(highest, n);
    return highest;
}

QList<int> FindNoticeGaps(const QStringList &receivedNumbers)
{
    const QSet<int> received = ReceivedNumbers(receivedNumbers);
    int highest = 0;
    for (int n : received)
        highest = std::max(highest, n);
    QList<int> gaps;
    for (int n = 1; n <= highest; ++n)
        if (!received.contains(n))
            gaps.append(n);
    return gaps;
}
