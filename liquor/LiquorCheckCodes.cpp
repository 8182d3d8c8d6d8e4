#include "liquor/LiquorCheckCodes.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "transfers/TransferRules.h"

namespace {

// A view handed to a rule that takes strings, without copying it (valid while
// the view's text lives).
QString lent(QStringView text)
{
    return QString::fromRawData(text.data(), text.size());
}

} // namespace

LiquorCheckCodes::LiquorCheckCodes(const QVector<MotherAccount> &banks, const QString &kind, const QDate &today)
    : m_banks(banks), m_kind(kind), m_today(today), m_plainMothers(banks.size()), m_rule(banks.size(), -1)
{
}

QStringView LiquorCheckCodes::make(int mother, QStringView bankId, QStringView plainBankNo, qint64 transfer)
{
    const MotherAccount &account = m_banks[mother];
    signed char &rule = m_rule[mother];
    if (rule < 0) {
        // Bank 23's code waits for the message number; a code that is no
        // number makes the shared rule refuse the row.
        bool number = false;
        account.bankid.trimmed().toLongLong(&number);
        if (account.bankid == u"23")
            rule = 0;
        else
            rule = !number || HasBankCheckRule(account.bankid) ? 1 : 0;
        if (rule != 0)
            m_plainMothers[mother] = DelChar(FormatAcctNo(account.bankid, account.mobankno), QLatin1Char('-'));
    }
    if (rule == 0)
        return {};
    // A checked amount (13 digits at most, not negative) is written in place.
    QChar digits[AmountDigitCount];
    const bool checked = transfer >= 0 && transfer <= 9999999999999LL;
    const QString amount13 = checked ? lent(AmountDigits(transfer, digits)) : AmountDigits(transfer);
    m_made = EntryCheckCode(account.bankid, m_plainMothers[mother], lent(bankId), lent(plainBankNo), amount13, m_kind,
                            m_today);
    return m_made;
}
