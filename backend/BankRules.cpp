#include "backend/BankRules.h"

#include <QStringList>

namespace qvx::bank {

QString digitsOnly(const QString &text)
{
    QString out;
    for (const QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            out += c;
    return out;
}

qint64 amountOf(const QString &text)
{
    QString t = text.trimmed();
    t.remove(QLatin1Char(','));
    bool ok = false;
    const qint64 v = t.toLongLong(&ok);
    return ok ? v : 0;
}

QString zeroPad(qint64 value, int width)
{
    return QString::number(value).rightJustified(width, QLatin1Char('0'));
}

QString amount13(qint64 value)
{
    return zeroPad(value < 0 ? -value : value, 13);
}

quint32 stableHash(const QString &text)
{
    quint32 h = 2166136261u;
    for (const char c : text.toUtf8()) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return h;
}

QString replyCode(const QString &serviceCode)
{
    QString code = serviceCode.trimmed();
    if (code.size() >= 3)
        code[2] = QLatin1Char('1');
    return code;
}

TransferResult transferResult(const QString &bankId, const QString &transBankId, const QString &payeeAccount,
                              const QString &price)
{
    TransferResult r;
    const QString account = digitsOnly(payeeAccount);
    const qint64 amount = amountOf(price);
    if (account.size() < 6)
        r.errCode = QLatin1String(CodeBadAccount);
    else if (account.startsWith(QLatin1String("999")))
        r.errCode = QLatin1String(CodeClosed);
    else if (amount <= 0)
        r.errCode = QLatin1String(CodeOther);
    else if (amount > NoFundsAbove)
        r.errCode = QLatin1String(CodeNoFunds);
    else {
        r.errCode = QLatin1String(CodeOk);
        r.fee = bankId.trimmed() == transBankId.trimmed() ? 0 : OtherBankFee;
    }
    return r;
}

QString otherBankProcNo(const QString &bankId, const QString &transBankId, const QDate &date, qint64 seqNo)
{
    if (bankId.trimmed() == transBankId.trimmed())
        return QString();
    return date.toString(QStringLiteral("yyMMdd")) + zeroPad(seqNo % 1000000, 6);
}

qint64 openingBalance(const QString &bankId, const QString &account)
{
    const quint32 h = stableHash(bankId.trimmed() + QLatin1Char('|') + digitsOnly(account));
    return 50000000 + qint64(h % 450000) * 1000;
}

QString holderName(const QString &bankId, const QString &account)
{
    static const QStringList names{
        QStringLiteral("김민수"), QStringLiteral("이서연"), QStringLiteral("박지훈"), QStringLiteral("최유진"),
        QStringLiteral("정우성"), QStringLiteral("강하늘"), QStringLiteral("조은비"), QStringLiteral("윤도현"),
        QStringLiteral("장미란"), QStringLiteral("임재범"), QStringLiteral("(주)대성물산"), QStringLiteral("한국식품(주)")};
    const quint32 h = stableHash(bankId.trimmed() + QLatin1Char('#') + digitsOnly(account));
    return names.at(int(h % quint32(names.size())));
}

bool lostOnFirstDelivery(int number)
{
    return number > 0 && number % 4 == 0;
}

} // namespace qvx::bank
