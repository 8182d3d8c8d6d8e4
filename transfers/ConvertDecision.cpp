#include "transfers/ConvertDecision.h"

#include "core/BankCheckCode.h"
#include "core/TextUtils.h"

QString ConvertContext::kind() const
{
    return transDiv == QStringLiteral("수납") ? QStringLiteral("20") : QStringLiteral("30");
}

bool ReadTransferAmount(const QString &text, qint64 *amount)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 13)
        return false;
    qint64 v = 0;
    for (QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
        v = v * 10 + (c.unicode() - '0');
    }
    if (v <= 0)
        return false;
    *amount = v;
    return true;
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
    else if (!ReadTransferAmount(s.money, &s.amount))
        s.refusal = Refusal::BadAmount;
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

ConvertedTransfer BuildConvertedRow(const ScreenedLine &line, const MotherAccount &mother,
                                    const ConvertContext &context)
{
    ConvertedTransfer r;
    const QString moBank = mother.bankid.trimmed();
    r.moBankName = mother.bankname;
    r.moAcctNo = FormatAcctNo(mother.bankid, mother.mobankno);
    r.passwd = mother.passwd;
    r.kind = context.kind();
    if (moBank != QStringLiteral("23"))
        r.checkCode = MakeBankCheckCode(mother.bankid, mother.mobankno, line.bankId, line.bankNo,
                                        FixLenZero(line.money, 13, false), QString(), r.kind,
                                        QStringLiteral("999999"));
    const bool sameBank = moBank == line.bankId;
    r.bankDiv = sameBank ? QStringLiteral("당행") : QStringLiteral("타행");
    r.transDiv = context.transDiv;
    r.amount = line.amount;
    r.money = CurrToMoneyStr(line.amount);
    r.bankName = context.bankNames.value(line.bankId);
    r.acctNo = FormatAcctNo(line.bankId, line.bankNo);
    r.name = line.sName;
    r.sendId = context.networkId;
    r.recvId = mother.recvid;
    r.firmId = mother.firmid;
    r.userId = context.userId;
    r.info = line.cInfo;
    r.sendFlag = context.sendFlagInit;
    r.msgType = sameBank ? QStringLiteral("0100100") : QStringLiteral("0101100");
    r.moBankId = mother.bankid;
    r.bankId = line.bankId;
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
