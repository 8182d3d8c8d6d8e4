#include "core/NoticeNumbers.h"

#include <QSet>

#include <algorithm>

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

static int Highest(const QSet<int> &numbers)
{
    int highest = 0;
    for (int n : numbers)
        highest = std::max(highest, n);
    return highest;
}

int HighestNoticeNumber(const QStringList &receivedNumbers)
{
    return Highest(ReceivedNumbers(receivedNumbers));
}

QList<int> MissingNumbers(const QStringList &received, int bound)
{
    const QSet<int> numbers = ReceivedNumbers(received);
    if (bound < 0)
        bound = Highest(numbers);
    QList<int> gaps;
    for (int n = 1; n <= bound; ++n)
        if (!numbers.contains(n))
            gaps.append(n);
    return gaps;
}
