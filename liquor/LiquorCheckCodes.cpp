#include "liquor/LiquorCheckCodes.h"

#include "core/TextUtils.h"

LiquorCheckCodes::LiquorCheckCodes(const QVector<MotherAccount> &banks, const QString &kind, const QDate &today)
    : m_banks(banks),
      m_kind(kind),
      m_today(today),
      m_plainMothers(banks.size()),
      m_coders(size_t(banks.size()))
{
}

QStringView LiquorCheckCodes::make(int mother, QStringView bankId, QStringView plainBankNo, qint64 transfer)
{
    std::optional<EntryCheckCoder> &coder = m_coders[size_t(mother)];
    if (!coder) {
        const MotherAccount &account = m_banks[mother];
        m_plainMothers[mother] = DelChar(FormatAcctNo(account.bankid, account.mobankno), QLatin1Char('-'));
        coder.emplace(account.bankid, m_kind, m_today);
    }
    // A checked amount (13 digits at most, not negative) is written in place.
    QChar digits[AmountDigitCount];
    const bool checked = transfer >= 0 && transfer <= 9999999999999LL;
    const QString wide = checked ? QString() : AmountDigits(transfer);
    const QStringView amount13 = checked ? AmountDigits(transfer, digits) : QStringView(wide);
    return coder->make(m_plainMothers[mother], bankId, plainBankNo, amount13, m_code);
}
