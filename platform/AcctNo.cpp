#include "platform/AcctNo.h"

#include "platform/SqlText.h"

#include <QHash>
#include <QList>
#include <QVector>

#include <algorithm>
#include <array>

namespace qvx {
namespace {

// One hyphen layout: group sizes that add up to the account length.
using Layout = QVector<int>;

struct BankRule
{
    QList<Layout> layouts; // one per allowed length
};

int total(const Layout &l)
{
    int n = 0;
    for (int g : l)
        n += g;
    return n;
}

const QHash<int, BankRule> &rules()
{
    static const QHash<int, BankRule> table = {
        {2, {{{3, 4, 4, 3}, {3, 2, 6}}}},        // 산업
        {3, {{{3, 6, 2, 3}, {3, 6, 2, 1}}}},     // 기업
        {4, {{{6, 2, 6}, {3, 2, 4, 3}}}},        // 국민
        {5, {{{3, 6, 3}, {3, 2, 6}}}},           // 외환
        {6, {{{6, 2, 6}, {3, 2, 4, 3}}}},        // 국민(구 주택)
        {7, {{{3, 2, 6}, {3, 4, 4, 1}}}},        // 수협
        {11, {{{3, 4, 4, 2}, {3, 2, 6}, {6, 2, 6}}}}, // 농협
        {12, {{{6, 2, 6}, {3, 4, 4, 2}}}},       // 지역 농축협
        {20, {{{4, 3, 6}, {3, 6, 2}}}},          // 우리
        {21, {{{3, 2, 6}, {3, 3, 6}}}},          // 조흥
        {23, {{{3, 2, 6}, {3, 3, 6}}}},          // SC제일
        {26, {{{3, 2, 6}, {3, 3, 6}}}},          // 신한(구)
        {27, {{{3, 5, 2}, {3, 6, 3}}}},          // 한국씨티
        {31, {{{3, 2, 6, 1}, {3, 2, 6}}}},       // 대구
        {32, {{{3, 4, 4, 2}, {3, 4, 4, 1}}}},    // 부산
        {34, {{{4, 3, 6}, {3, 3, 6}}}},          // 광주
        {35, {{{2, 2, 6}, {3, 3, 6}}}},          // 제주
        {37, {{{3, 2, 7, 1}, {3, 2, 7}}}},       // 전북
        {39, {{{3, 2, 7, 1}, {3, 2, 7}}}},       // 경남
        {45, {{{4, 2, 6, 1}, {4, 2, 6}}}},       // 새마을금고
        {48, {{{5, 2, 6}, {5, 2, 5}}}},          // 신협
        {71, {{{6, 2, 6}, {6, 7}}}},             // 우체국
        {81, {{{3, 6, 5}, {3, 6, 3}, {3, 2, 6}}}}, // 하나
        {88, {{{3, 3, 6}, {3, 2, 6}}}},          // 신한
    };
    return table;
}


// The rules by code 0..99, made once from the table.
const std::array<const BankRule *, 100> &rulesByCode()
{
    static const std::array<const BankRule *, 100> byCode = [] {
        std::array<const BankRule *, 100> a{};
        for (auto it = rules().constBegin(); it != rules().constEnd(); ++it)
            if (it.key() >= 0 && it.key() < 100)
                a[size_t(it.key())] = &it.value();
        return a;
    }();
    return byCode;
}

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

const BankRule *ruleFor(QStringView bankCode)
{
    // The usual code: one or two digits, nothing around them.
    if (bankCode.size() == 2 && isAsciiDigit(bankCode[0]) && isAsciiDigit(bankCode[1]))
        return rulesByCode()[size_t((bankCode[0].unicode() - '0') * 10 + bankCode[1].unicode() - '0')];
    if (bankCode.size() == 1 && isAsciiDigit(bankCode[0]))
        return rulesByCode()[size_t(bankCode[0].unicode() - '0')];
    bool ok = false;
    const int code = bankCode.trimmed().toInt(&ok);
    if (!ok)
        return nullptr;
    auto it = rules().constFind(code);
    return it == rules().constEnd() ? nullptr : &it.value();
}

} // namespace

bool AcctNo::isValid(const QString &bankCode, const QString &digits)
{
    return isValid(QStringView(bankCode), QStringView(digits));
}

bool AcctNo::isValid(QStringView bankCode, QStringView digits)
{
    if (!qvx::isAsciiDigits(digits))
        return false;
    const BankRule *rule = ruleFor(bankCode);
    if (!rule)
        return digits.size() >= 6 && digits.size() <= 16;
    for (const Layout &l : rule->layouts)
        if (total(l) == digits.size())
            return true;
    return false;
}

namespace {

// The bank's layout for the digits, nullptr when they keep no hyphens.
const Layout *layoutFor(QStringView bankCode, QStringView digits)
{
    const BankRule *rule = ruleFor(bankCode);
    if (!rule || !qvx::isAsciiDigits(digits))
        return nullptr;
    for (const Layout &l : rule->layouts)
        if (total(l) == digits.size())
            return &l;
    return nullptr;
}

// Writes the digits in the layout's groups with a '-' between them.
QChar *writeHyphenated(QChar *to, const Layout &l, QStringView digits)
{
    const QChar *from = digits.data();
    for (qsizetype i = 0; i < l.size(); ++i) {
        if (i > 0)
            *to++ = QLatin1Char('-');
        to = std::copy_n(from, l[i], to);
        from += l[i];
    }
    return to;
}

} // namespace

QString AcctNo::hyphenate(const QString &bankCode, const QString &digits)
{
    const Layout *l = layoutFor(bankCode, digits);
    if (!l)
        return digits;
    // Written in place: one allocation, the groups and a '-' between them.
    QString out(digits.size() + qsizetype(l->size()) - 1, Qt::Uninitialized);
    writeHyphenated(out.data(), *l, digits);
    return out;
}

void AcctNo::appendHyphenated(QString &out, QStringView bankCode, QStringView digits)
{
    const Layout *l = layoutFor(bankCode, digits);
    if (!l) {
        out.append(digits);
        return;
    }
    const qsizetype at = out.size();
    out.resize(at + digits.size() + qsizetype(l->size()) - 1);
    writeHyphenated(out.data() + at, *l, digits);
}

} // namespace qvx
