#include "platform/SheetValues.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>

#include <algorithm>
#include <cmath>

namespace qvx::sheet {

namespace {

// The format code without what only decorates it: quoted texts, escaped
// characters, [colours] and [$-locale] parts (but [h], [mm], [ss] elapsed
// time stays), fill and padding characters.
QString formatLetters(const QString &code)
{
    QString out;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (c == u'"') {
            const qsizetype end = code.indexOf(u'"', i + 1);
            i = end < 0 ? code.size() : end;
        } else if (c == u'\\' || c == u'_' || c == u'*') {
            ++i;
        } else if (c == u'[') {
            const qsizetype end = code.indexOf(u']', i + 1);
            const QString inside = code.mid(i + 1, end < 0 ? -1 : end - i - 1).toLower();
            if (!inside.isEmpty() && (inside.at(0) == u'h' || inside.at(0) == u'm' || inside.at(0) == u's'))
                out += inside;
            i = end < 0 ? code.size() : end;
        } else {
            out += c.toLower();
        }
    }
    return out;
}

} // namespace

NumberKind kindOfFormat(int id, const QString &code)
{
    if (code.isEmpty() || id < 164) {
        switch (id) {
        case 14: case 15: case 16: case 17:
        case 27: case 28: case 29: case 30: case 31: case 34: case 35: case 36:
        case 50: case 51: case 52: case 53: case 54: case 57: case 58:
            return NumberKind::Date;
        case 18: case 19: case 20: case 21: case 32: case 33: case 45: case 46: case 47: case 55: case 56:
            return NumberKind::Time;
        case 22:
            return NumberKind::DateTime;
        default:
            if (code.isEmpty())
                return NumberKind::Number;
        }
    }
    if (code.size() > MaxFormatLength)
        return NumberKind::Number;
    // Only the first section (positive numbers) counts.
    const QString letters = formatLetters(code).section(u';', 0, 0);
    if (letters.contains(QLatin1String("general")))
        return NumberKind::Number;
    const bool time = letters.contains(u'h') || letters.contains(u's');
    const bool date = letters.contains(u'y') || letters.contains(u'd') || (letters.contains(u'm') && !time);
    if (date && time)
        return NumberKind::DateTime;
    if (time)
        return NumberKind::Time;
    return date ? NumberKind::Date : NumberKind::Number;
}

QString valueText(double value, NumberKind kind, bool date1904)
{
    if (kind == NumberKind::Number || !std::isfinite(value) || value < 0 || value > 2958466.0)
        return numberText(value);
    double days = std::floor(value);
    // Whole seconds, rounded, may carry into the next day.
    qint64 seconds = qint64(std::llround((value - days) * 86400.0));
    if (seconds >= 86400) {
        seconds -= 86400;
        days += 1;
    }
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    if (kind == NumberKind::Time)
        return time.toString(QStringLiteral("HH:mm:ss"));
    QDate date;
    if (date1904)
        date = QDate(1904, 1, 1).addDays(qint64(days));
    else if (days >= 61)
        date = QDate(1899, 12, 30).addDays(qint64(days));
    else if (days == 60)
        date = QDate(1900, 2, 28); // the 1900 system's 29 February 1900, a day that never was
    else
        date = QDate(1899, 12, 31).addDays(qint64(days));
    const QString d = date.toString(QStringLiteral("yyyy-MM-dd"));
    return kind == NumberKind::Date ? d : d + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

namespace {

// The significant digits of |value| without the zeros that end them, and
// the power of ten of the first: `significant` digits, or the fewest that
// read back as the same double where that is fewer.
QString digitsOf(double value, int significant, int *exponent)
{
    auto digits = [value](int precision, int *power) {
        const QString e = QString::number(std::fabs(value), 'e', precision); // d.ddde±x
        const qsizetype ePos = e.indexOf(u'e');
        *power = e.mid(ePos + 1).toInt();
        QString out = e.left(ePos).remove(u'.');
        while (out.size() > 1 && out.endsWith(u'0'))
            out.chop(1);
        return out;
    };
    QString best = digits(QLocale::FloatingPointShortest, exponent);
    if (significant > 0) {
        int power = 0;
        const QString rounded = digits(significant - 1, &power);
        if (rounded.size() < best.size()) {
            best = rounded;
            *exponent = power;
        }
    }
    return best;
}

} // namespace

QString numberText(double value)
{
    if (!std::isfinite(value))
        return QString::number(value);
    if (value == 0)
        return QStringLiteral("0");
    // A whole number keeps every digit its double holds (an account number
    // stored as a number comes back as it was typed, up to the double's
    // precision); a fraction gets the 15 significant digits a spreadsheet
    // keeps (0.1 + 0.2 reads "0.3"), or the fewer that give its double back.
    // Between 10^-6 and 10^21 it is written out in positional form, beyond
    // that as spreadsheet programs show it ("1E+308", "5E-324"), so that no
    // number cell takes more than some twenty-five characters.
    const bool whole = value == std::floor(value);
    int exponent = 0;
    const QString digits = digitsOf(value, whole ? 0 : 15, &exponent);
    QString out;
    const int pointAfter = exponent + 1; // digits before the decimal point
    if (exponent < -6 || exponent >= 21)
        out = digits.left(1) + (digits.size() > 1 ? u'.' + digits.mid(1) : QString()) + u'E'
              + (exponent < 0 ? u'-' : u'+') + QString::number(std::abs(exponent));
    else if (pointAfter <= 0)
        out = QStringLiteral("0.") + QString(-pointAfter, u'0') + digits;
    else if (pointAfter >= digits.size())
        out = digits + QString(pointAfter - digits.size(), u'0');
    else
        out = digits.left(pointAfter) + u'.' + digits.mid(pointAfter);
    return value < 0 ? u'-' + out : out;
}

bool exactAmount(const QString &text, double *value)
{
    QString plain = text;
    plain.remove(u',');
    const bool negative = plain.startsWith(u'-');
    const QStringView unsignedPart = QStringView(plain).mid(negative ? 1 : 0);
    const qsizetype point = unsignedPart.indexOf(u'.');
    const QStringView whole = point < 0 ? unsignedPart : unsignedPart.left(point);
    const QStringView fraction = point < 0 ? QStringView() : unsignedPart.mid(point + 1);
    if (whole.isEmpty() || !std::all_of(whole.begin(), whole.end(), [](QChar c) { return c.isDigit(); })
        || !std::all_of(fraction.begin(), fraction.end(), [](QChar c) { return c.isDigit(); }))
        return false;
    bool ok = false;
    const double v = plain.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (fraction.isEmpty()) {
        // Every whole number up to 2^53 has a double of its own.
        constexpr double Exact = 9007199254740992.0;
        if (std::fabs(v) > Exact)
            return false;
    } else {
        QString digits = whole.toString() + fraction.toString();
        while (digits.size() > 1 && digits.startsWith(u'0'))
            digits.remove(0, 1);
        while (digits.size() > 1 && digits.endsWith(u'0'))
            digits.chop(1);
        if (digits.size() > 15)
            return false;
    }
    *value = v;
    return true;
}

} // namespace qvx::sheet
