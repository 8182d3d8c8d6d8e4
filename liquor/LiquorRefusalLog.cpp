#include "liquor/LiquorRefusalLog.h"

#include "liquor/LiquorRules.h"
#include "platform/TextFile.h"
#include "transfers/TransferLog.h"

#include <QDir>

#include <algorithm>

QString LiquorLineFaultReason(LiquorRefusal fault)
{
    // Made once: a long file may refuse many lines for the same reason.
    static const QString longToken = QStringLiteral("길이 오류(항목이 정해진 길이보다 깁니다.)");
    static const QString badBytes = QStringLiteral("문자 오류(읽을 수 없는 문자가 있습니다.)");
    switch (fault) {
    case LiquorRefusal::LongToken:
        return longToken;
    case LiquorRefusal::BadBytes:
        return badBytes;
    default:
        return QString();
    }
}

const QString &LiquorAmountReason(const LiquorAmounts &amounts)
{
    // Made once for each field: a long file may refuse many lines alike.
    struct Reasons
    {
        QString tooLong;
        QString notWhole;
    };
    static const QString head = QStringLiteral("금액 오류(");
    static const QString missing = head + LiquorAmountMissingMessage + QLatin1Char(')');
    static const std::array<Reasons, 4> byField = [] {
        std::array<Reasons, 4> out;
        for (LiquorAmountField f : {LiquorAmountField::Liquor, LiquorAmountField::NonLiquor, LiquorAmountField::Transfer})
            out[size_t(f)] = {head + LiquorAmountFieldName(f) + QStringLiteral(" : ") + LiquorAmountTooLongMessage
                                  + QLatin1Char(')'),
                              head + LiquorAmountNotWholeMessage(f) + QLatin1Char(')')};
        return out;
    }();
    if (amounts.message == LiquorAmountMissingMessage)
        return missing;
    const Reasons &r = byField[size_t(amounts.faultField)];
    return amounts.message == LiquorAmountTooLongMessage ? r.tooLong : r.notWhole;
}

QString LiquorErrorListLine(const std::array<QStringView, 9> &values, QStringView tail)
{
    qsizetype size = tail.size() + qsizetype(values.size());
    for (QStringView v : values)
        size += std::min(v.size(), MaxLoggedValueLength + 1);
    QString line;
    line.reserve(size);
    for (size_t k = 0; k < values.size(); ++k) {
        if (k > 0)
            line += QLatin1Char(' ');
        bool cut = false;
        line += LoggedValuePart(values[k], &cut);
        if (cut)
            line += LoggedValueCutMark;
    }
    line += tail;
    return line;
}

std::array<QStringView, 9> LiquorTransferLogViews(const LiquorFields &f, QStringView kind)
{
    return {f[lfBankId], f[lfBankNo], f[lfMoney], f[lfJuMoney], f[lfBJuMoney], f[lfJumin], f[lfSName], kind, f[lfCInfo]};
}

QString SaveLiquorErrorList(const QString &folder, const QStringList &lines, QString *error)
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("폴더를 만들 수 없습니다: ") + folder;
        return QString();
    }
    const QString path = QDir(folder).filePath(QStringLiteral("ErrorList.Txt"));
    if (!qvx::TextFile::writeLinesReplacing(path, lines, error))
        return QString();
    return path;
}
