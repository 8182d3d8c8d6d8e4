#include "core/CellText.h"

#include "core/TextUtils.h"

QString DashedDate(const QString &d)
{
    return d.isEmpty() ? d : d.mid(0, 4) + u'-' + d.mid(4, 2) + u'-' + d.mid(6, 2);
}

QString ColonTime(const QString &t)
{
    return t.isEmpty() ? t : t.mid(0, 2) + u':' + t.mid(2, 2) + u':' + t.mid(4, 2);
}

QString MoneyCellText(const QString &amount)
{
    return CurrToMoneyStr(SafeStrToCurr(amount.trimmed(), 0));
}

QString KoreanDateText(const QDate &date)
{
    return QStringLiteral("%1년 %2월 %3일")
        .arg(date.year())
        .arg(date.month(), 2, 10, QChar(u'0'))
        .arg(date.day(), 2, 10, QChar(u'0'));
}
