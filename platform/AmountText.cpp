#include "platform/AmountText.h"

namespace qvx {

bool IsThousandsGrouped(QStringView text)
{
    const qsizetype firstComma = text.indexOf(QLatin1Char(','));
    // A grouped amount does not start with a zero ("0,001", "01,000").
    if (firstComma < 1 || firstComma > 3 || text[0] == QLatin1Char('0'))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        // Commas stand exactly every fourth character counted from the end.
        const bool commaPlace = (text.size() - i) % 4 == 0;
        const QChar c = text[i];
        if (commaPlace ? c != QLatin1Char(',') : !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return false;
    }
    return true;
}

} // namespace qvx
