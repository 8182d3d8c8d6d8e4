#include "liquor/LiquorCheckCodes.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "transfers/TransferRules.h"

namespace {

int digitSum(QStringView text)
{
    int sum = 0;
    for (QChar c : text)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            sum += c.unicode() - u'0';
    return sum;
}

int digitSum(qint64 value)
{
    int sum = 0;
    for (; value > 0; value /= 10)
        sum += int(value % 10);
    return sum;
}

void threeDigits(int value, char16_t *out)
{
    out[0] = char16_t(u'0' + value / 100);
    out[1] = char16_t(u'0' + value / 10 % 10);
    out[2] = char16_t(u'0' + value % 10);
}

} // namespace

LiquorCheckCodes::LiquorCheckCodes(const QVector<MotherAccount> &banks, const QString &kind, const QDate &today)
    : m_banks(banks),
      m_kind(kind),
      m_today(today),
      m_dateDigits(digitSum(qint64(today.year() % 100)) + digitSum(qint64(today.month())) +
                   digitSum(qint64(today.day()))),
      m_plainMothers(banks.size()),
      m_rule(banks.size(), -1)
{
}

QString LiquorCheckCodes::shared(int mother, QStringView bankId, QStringView plainBankNo, qint64 transfer)
{
    return EntryCheckCode(m_banks[mother].bankid, m_plainMothers[mother], bankId.toString(), plainBankNo.toString(),
                          AmountDigits(transfer), m_kind, m_today);
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
        else if (account.bankid == u"20" && (m_kind == u"20" || m_kind == u"30"))
            rule = 20;
        else
            rule = !number || HasBankCheckRule(account.bankid) ? 1 : 0;
        if (rule != 0)
            m_plainMothers[mother] = DelChar(FormatAcctNo(account.bankid, account.mobankno), QLatin1Char('-'));
    }
    if (rule == 0)
        return {};
    if (rule == 20 && transfer > 0) {
        // The digits of date, paying account, amount, the bank of the kind
        // and the counterparty account, summed: the sum and the amount
        // modulo the sum, three digits each.
        const QStringView bank = m_kind == u"20" ? QStringView(account.bankid) : bankId;
        const int sum = m_dateDigits + digitSum(m_plainMothers[mother]) + digitSum(transfer) + digitSum(bank) +
                        digitSum(plainBankNo);
        if (sum > 0 && sum <= 999) {
            threeDigits(sum, m_code);
            threeDigits(int(transfer % sum), m_code + 3);
            return QStringView(m_code, 6);
        }
    }
    m_made = shared(mother, bankId, plainBankNo, transfer);
    return m_made;
}
