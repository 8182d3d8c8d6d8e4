#include "controls/edits/NumEditText.h"

#include "controls/edits/NumFormat.h"
#include "platform/AmountText.h"

#include <algorithm>

using qvx::Decimal;
using qvx::NumLocale;

namespace {

constexpr QChar D = NumLocale::DecimalSeparator;
constexpr QChar T = NumLocale::ThousandSeparator;

// "+" or "-" alone (blanks around allowed): the start of a number, read as 0.
bool isLoneSign(const QString &text)
{
    const QString t = text.trimmed();
    return t == QLatin1String("+") || t == QLatin1String("-");
}

} // namespace

NumEditText::NumEditText(bool wholeWon, unsigned decimalPlaces, bool noNegatives)
    : m_kind(wholeWon ? WholeWonText : decimalPlaces == 0 ? WholeNumberText : DecimalText),
      m_places(decimalPlaces),
      m_noNegatives(noNegatives)
{
}

QChar NumEditText::typedSeparator(QChar key) const
{
    // In a whole-won field ',' groups thousands; elsewhere it is a decimal point.
    if (key == QLatin1Char(',') && m_kind == WholeWonText)
        return key;
    return D;
}

bool NumEditText::acceptable(const QString &text) const
{
    return m_kind == DecimalText ? acceptableDecimal(text) : acceptableWhole(text);
}

bool NumEditText::acceptableWhole(const QString &text) const
{
    // Every character one that a written amount holds: what is not yet a
    // whole number ("5,00,0", "1000.5", ".5") is kept as typed and refused
    // when the field is left or read.
    if (!std::all_of(text.cbegin(), text.cend(), qvx::IsAmountChar))
        return false;
    // A thousands comma has no place in the fraction.
    const qsizetype point = text.indexOf(D);
    if (point >= 0 && text.indexOf(T, point) >= 0)
        return false;
    return !(m_noNegatives && text.contains(QLatin1Char('-')));
}

bool NumEditText::acceptableDecimal(const QString &text) const
{
    const QString s = NormalizeNumText(text);
    const qsizetype p = s.indexOf(D);
    const qsizetype e = s.toUpper().indexOf(QLatin1Char('E'));
    if (p >= 0) {
        // with an exponent the 'E' itself counts as one place
        const qsizetype places = e > p ? e - p : s.size() - 1 - p;
        if (places > qsizetype(m_places))
            return false;
    }
    if (!IsFloatText(s))
        return false;
    if (m_noNegatives) {
        const auto v = qvx::TryStrToFloat(s);
        if (v && v->isNegative())
            return false;
    }
    return true;
}

Decimal NumEditText::value(const QString &text) const
{
    if (m_kind != WholeWonText) {
        // "+" left after a Backspace is the start of a number, as "-" is.
        if (isLoneSign(text))
            return Decimal();
        return qvx::StrToFloat(NormalizeNumText(text));
    }
    // Commas count only where they group the whole part by thousands:
    // "12,34" is no number rather than 1234.
    const qsizetype point = text.indexOf(D);
    const QString whole = point < 0 ? text : text.left(point);
    if (whole.contains(T) && !qvx::ReadWholeAmount(whole).isWhole())
        throw qvx::ConvertError(text);
    if (point >= 0 && text.indexOf(T, point) >= 0)
        throw qvx::ConvertError(text);
    return qvx::StrToFloat(NormalizeNumText(text));
}

bool NumEditText::followsValue(const QString &text) const
{
    if (m_kind == DecimalText || (m_kind == WholeNumberText && isLoneSign(text)))
        return true;
    const qvx::WholeAmount read = qvx::ReadWholeAmount(text);
    return read.shape == qvx::AmountShape::Empty || (read.isWhole() && read.significantDigits <= 18);
}

NumEditText::Exit NumEditText::onExit(const QString &text) const
{
    switch (m_kind) {
    case WholeWonText:
        // The screen's amount rule refuses it, naming the field.
        try {
            value(text);
        } catch (const qvx::ConvertError &) {
            return KeepAsTyped;
        }
        return ReadIt;
    case WholeNumberText:
        // "2.5" in a message-number field is neither 25 nor 3: it stays to be mended.
        return followsValue(text) ? ReadIt : RefuseIt;
    case DecimalText:
        break;
    }
    return ReadIt;
}
