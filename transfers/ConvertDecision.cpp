#include "transfers/ConvertDecision.h"

#include "core/TextUtils.h"
#include "transfers/TransferRules.h"

QString ConvertContext::kind() const
{
    return TransferKindCode(transDiv);
}

ScreenedLine ScreenLine(const ParsedLine &parsed, const ConvertContext &context)
{
    ScreenedLine s;
    s.cut = parsed.fields;
    s.bankId = parsed.fields.bankId.trimmed();
    s.bankNo = DelChar(parsed.fields.bankNo, QLatin1Char('-')).trimmed();
    s.money = parsed.fields.money.trimmed();
    s.cInfo = parsed.fields.cInfo.trimmed();
    s.sName = parsed.fields.sName.trimmed();
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
        if (amount.fault == AmountFault::None)
            s.amount = amount.value;
        else
            s.refusal = Refusal::BadAmount;
    }
    return s;
}

MotherFinder::MotherFinder(const ConvertContext &context) : m_context(context)
{
    for (int i = 0; i < context.banks.size(); ++i) {
        const MotherAccount &b = context.banks[i];
        const QString bank = b.bankid.trimmed();
        if (context.chosen && !m_chosen && bank == context.chosen->bankid.trimmed() &&
            b.mobankno.trimmed() == context.chosen->mobankno.trimmed())
            m_chosen = &b;
        if (!m_firstOfBank.contains(bank))
            m_firstOfBank.insert(bank, i);
    }
}

const MotherAccount *MotherFinder::find(const QString &bankId) const
{
    if (m_context.chosen)
        return m_chosen;
    const auto it = m_firstOfBank.constFind(bankId);
    return it == m_firstOfBank.constEnd() ? nullptr : &m_context.banks[*it];
}

TransferRow BuildConvertedRow(const ScreenedLine &line, const MotherAccount &mother, const ConvertContext &context)
{
    TransferRow r;
    r.moBankName = mother.bankname;
    r.moBankNo = FormatAcctNo(mother.bankid, mother.mobankno);
    r.passWd = mother.passwd;
    // Same bank only for the same code: files know no bank groups.
    r.workDiv = mother.bankid == line.bankId ? QStringLiteral("당행") : QStringLiteral("타행");
    r.transDiv = context.transDiv;
    r.money = CurrToMoneyStr(line.amount);
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
    r.boki = EntryCheckCode(r);
    return r;
}

namespace {

QString key(const QString &name, const QString &money)
{
    return name + QChar(0x1F) + money;
}

} // namespace

void TransferDuplicateIndex::add(const QString &name, const QString &moneyText, const QString &info)
{
    const QString k = key(name, moneyText);
    ++m_byNameMoney[k];
    ++m_byNameMoneyInfo[k + QChar(0x1F) + info];
}

bool TransferDuplicateIndex::contains(const QString &name, const QString &moneyText, const QString &memo) const
{
    const QString k = key(name, moneyText);
    if (memo == QStringLiteral("N"))
        return m_byNameMoney.contains(k);
    return m_byNameMoneyInfo.contains(k + QChar(0x1F) + memo);
}

void TransferDuplicateIndex::clear()
{
    m_byNameMoney.clear();
    m_byNameMoneyInfo.clear();
}
