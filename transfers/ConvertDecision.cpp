#include "transfers/ConvertDecision.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"
#include "transfers/TransferRules.h"

QString ConvertContext::kind() const
{
    return TransferKindCode(transDiv);
}

ScreenedLine ScreenLine(const ParsedLine &parsed, const ConvertContext &context)
{
    ScreenedLine s;
    s.parsed = parsed;
    s.bankId = parsed.bankId.trimmed().toString();
    s.bankNo = parsed.account;
    s.money = parsed.amount;
    s.cInfo = parsed.cInfo.trimmed().toString();
    s.sName = parsed.sName.trimmed().toString();
    switch (parsed.fault) {
    case LineFault::LongToken:
        s.refusal = Refusal::LongToken;
        return s;
    case LineFault::ExtraTokens:
        s.refusal = Refusal::ExtraTokens;
        return s;
    case LineFault::BadBytes:
        s.refusal = Refusal::BadBytes;
        return s;
    case LineFault::None:
        break;
    }
    if (!context.bankNames.contains(s.bankId))
        s.refusal = Refusal::UnknownBank;
    else if (!CheckAcctNo(s.bankId, s.bankNo))
        s.refusal = Refusal::BadAccount;
    else {
        const AmountCheck amount = CheckTransferAmount(s.money);
        if (amount.fault == AmountFault::None) {
            s.amount = amount.value;
            s.grouped = CurrToMoneyStr(s.amount);
        } else
            s.refusal = Refusal::BadAmount;
    }
    return s;
}

MotherFinder::MotherFinder(const ConvertContext &context) : m_context(context)
{
    for (int i = 0; i < context.banks.size(); ++i) {
        const MotherAccount &b = context.banks[i];
        const QString bank = b.bankid.trimmed();
        if (context.chosen && m_chosen < 0 && bank == context.chosen->bankid.trimmed() &&
            b.mobankno.trimmed() == context.chosen->mobankno.trimmed())
            m_chosen = i;
        if (!m_firstOfBank.contains(bank))
            m_firstOfBank.insert(bank, i);
        m_shown.append(FormatAcctNo(b.bankid, b.mobankno));
    }
}

int MotherFinder::find(const QString &bankId) const
{
    if (m_context.chosen)
        return m_chosen;
    return m_firstOfBank.value(bankId, -1);
}

void BuildConvertedRow(const ScreenedLine &line, const MotherAccount &mother, const QString &shownAccount,
                       const ConvertContext &context, TransferRow *row)
{
    TransferRow &r = *row;
    r.moBankName = mother.bankname;
    r.moBankNo = shownAccount;
    r.passWd = mother.passwd;
    // Same bank only for the same code: files know no bank groups.
    r.workDiv = mother.bankid == line.bankId ? QStringLiteral("당행") : QStringLiteral("타행");
    r.transDiv = context.transDiv;
    r.money = line.grouped;
    r.bankName = context.bankNames.value(line.bankId);
    r.bankNo = FormatAcctNo(line.bankId, line.bankNo);
    r.name = line.sName;
    r.sendId = context.networkId;
    r.recvId = mother.recvid;
    r.firmId = mother.firmid;
    r.userId = context.userId;
    r.info = line.cInfo;
    r.sendFlag = context.sendFlagInit;
    r.gubun = context.kind();
    r.msgType = TransferMessageType(mother.bankid, line.bankId);
    r.moBankId = mother.bankid;
    r.bankId = line.bankId;
    if (HasBankCheckRule(mother.bankid))
        r.boki = EntryCheckCode(r);
}

namespace {

size_t keyOf(const QString &name, const QString &money)
{
    return qHashMulti(0, name, money);
}

} // namespace

void TransferDuplicateIndex::add(const QString &name, const QString &moneyText, const QString &info)
{
    int &last = m_last[keyOf(name, moneyText)];
    const int next = last - 1;
    m_entries.append({name, moneyText, info, next});
    last = int(m_entries.size()); // stored one above, so 0 means none
}

bool TransferDuplicateIndex::contains(const QString &name, const QString &moneyText, const QString &memo) const
{
    const bool anyInfo = memo == QStringLiteral("N");
    for (int i = m_last.value(keyOf(name, moneyText)) - 1; i >= 0; i = m_entries[i].next) {
        const Entry &e = m_entries[i];
        if (e.name == name && e.money == moneyText && (anyInfo || e.info == memo))
            return true;
    }
    return false;
}

void TransferDuplicateIndex::reserve(qsizetype rows)
{
    m_entries.reserve(rows);
    m_last.reserve(rows);
}

void TransferDuplicateIndex::clear()
{
    m_last.clear();
    m_entries.clear();
}
