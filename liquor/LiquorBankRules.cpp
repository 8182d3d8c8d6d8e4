#include "liquor/LiquorBankRules.h"

#include "core/TextUtils.h"
#include "platform/SqlText.h"
#include "transfers/ConvertDecision.h"

LiquorBankRules::LiquorBankRules(const QString &today)
    : m_today(today), m_forms(size_t(100 * MaxLength)), m_resident(100, -1)
{
}

const LiquorBankRules::Form *LiquorBankRules::formOf(QStringView bankId, int length)
{
    const int code = BankCodeIndex::digitsOf(bankId);
    if (code < 0 || length >= MaxLength)
        return nullptr;
    Form &form = m_forms[size_t(code * MaxLength + length)];
    if (!form.asked) {
        const QString bank = bankId.toString();
        const QString zeros(length, QLatin1Char('0'));
        form.valid = CheckAcctNo(bank, zeros);
        const QString shown = FormatAcctNo(bank, zeros);
        int digit = 0;
        for (QChar c : shown) {
            if (c == QLatin1Char('-'))
                form.hyphens |= quint64(1) << digit;
            else
                ++digit;
        }
        form.asked = true;
    }
    return &form;
}

bool LiquorBankRules::accountValid(QStringView bankId, QStringView account)
{
    if (!qvx::isAsciiDigits(account))
        return false;
    if (const Form *form = formOf(bankId, int(account.size())))
        return form->valid;
    return CheckAcctNo(bankId.toString(), account.toString());
}

QStringView LiquorBankRules::hyphenated(QStringView bankId, QStringView digits, LiquorTextBuffer &out)
{
    if (!qvx::isAsciiDigits(digits))
        return digits;
    const Form *form = formOf(bankId, int(digits.size()));
    if (!form) {
        const QString shown = FormatAcctNo(bankId.toString(), digits.toString());
        out.clear();
        out.append(shown.constData(), shown.size());
        return QStringView(out.constData(), out.size());
    }
    if (form->hyphens == 0)
        return digits;
    out.clear();
    for (qsizetype k = 0; k < digits.size(); ++k) {
        if (form->hyphens & (quint64(1) << k))
            out.append(QLatin1Char('-'));
        out.append(digits[k]);
    }
    return QStringView(out.constData(), out.size());
}

bool LiquorBankRules::residentNoBanned(QStringView bankId, QStringView realNameNo)
{
    const int code = BankCodeIndex::digitsOf(bankId);
    if (code < 0)
        return IsResidentNoBanned(bankId.toString(), realNameNo.toString(), m_today);
    signed char &applies = m_resident[size_t(code)];
    if (applies < 0)
        applies = IsResidentNoBanned(bankId.toString(), QStringLiteral("1234567890123"), m_today) ? 1 : 0;
    if (!applies)
        return false;
    const QStringView number = realNameNo.trimmed();
    for (QChar c : number)
        if (c.unicode() >= 0x80)
            return Cp949Length(number.toString()) > 12;
    return number.size() > 12;
}
