#include "inquiries/InquiryText.h"

#include "core/TextUtils.h"

QString DashedDate(const QString &d)
{
    return d.isEmpty() ? d : d.mid(0, 4) + u'-' + d.mid(4, 2) + u'-' + d.mid(6, 2);
}

QString ColonTime(const QString &t)
{
    return t.isEmpty() ? t : t.mid(0, 2) + u':' + t.mid(2, 2) + u':' + t.mid(4, 2);
}

QString MoneyText(const QString &amount)
{
    return CurrToMoneyStr(SafeStrToCurr(amount.trimmed(), 0));
}
