#include "inquiries/SmsMessage.h"

#include "core/TextUtils.h"

QString LimitSmsMessage(const QString &text)
{
    return LeftBytes(text, SmsMessageBytes);
}

const QStringList &SmsSymbols()
{
    static const QStringList symbols = QString::fromUtf8(
        "☆ ○ □ ◎ ★ ● ■ ⊙ ☏ ☎ ◈ ▣ ◐ ◑ ☜ ☞ ◀ ▶ ▲ ▼ ♠ ♣ ♥ ◆ ◁ ▷ △ ▽ ♤ ♧ "
        "♡ ◇ ※ ♨ ♪ ♭ ♩ ♬ ㉿ ㈜ ① ② ③ ④ ⑤ ⑥ ⑦ ⑧ ⑨ ⑩ ⓐ ⓑ ⓒ ⓓ ⓔ ⓕ ⓖ ⓗ ⓘ ⓙ "
        "ⓚ ⓛ ⓜ ⓝ ⓞ ⓟ ⓠ ⓡ ⓢ ⓣ ⓤ ⓥ ⓦ ⓧ ⓨ ⓩ").split(u' ');
    return symbols;
}

std::optional<SmsEdit> InsertSmsSymbol(const QString &text, int caret, const QString &symbol)
{
    if (Cp949Length(text) >= SmsMessageBytes - 1 || symbol.isEmpty())
        return std::nullopt;
    const QString joined = text.left(caret) + symbol + text.mid(caret);
    if (Cp949Length(joined) > SmsMessageBytes)
        return std::nullopt;
    return SmsEdit{joined, int(qBound(0, caret, int(text.size())) + symbol.size())};
}

static bool NumberPart(const QString &part)
{
    const QString p = part.trimmed();
    if (p.isEmpty() || p.size() > 4)
        return false;
    for (QChar c : p)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

bool SmsRecipient::valid() const
{
    return NumberPart(telNo1) && NumberPart(telNo2) && NumberPart(telNo3);
}

QString SmsRecipient::number() const
{
    return FixLenZero(telNo1.trimmed(), 4, false) + FixLenZero(telNo2.trimmed(), 4, false)
           + FixLenZero(telNo3.trimmed(), 4, false);
}

QString SmsRecipient::displayNumber() const
{
    return telNo1 + u'-' + telNo2 + u'-' + telNo3;
}

SmsTransRow SmsRequestRow(const RequestHeader &header, const SmsRecipient &to, const QString &replyNo,
                          const QString &message)
{
    SmsTransRow row;
    ApplyRequestHeader(row, header);
    // The SMS relay's own addressing, whatever the session's service.
    row.Service = QStringLiteral("DY2");
    row.RecvID = QStringLiteral("HELP002");
    row.BankID = QStringLiteral("00");
    row.RecvName = QStringLiteral("1");
    row.RecvTelNo = to.number();
    row.SendTelNo = DelChar(replyNo, u'-');
    row.Message = message;
    return row;
}
