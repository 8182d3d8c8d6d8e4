#include "transfers/ConvertDecision.h"

#include "core/BankCheckCode.h"
#include "core/HashSlots.h"
#include "core/TextUtils.h"
#include "platform/AcctNo.h"
#include "transfers/TransferRules.h"

#include <utility>

QString ConvertContext::kind() const
{
    return TransferKindCode(transDiv);
}

BankCodeIndex::BankCodeIndex()
{
    m_twoDigits.fill(-1);
}

int BankCodeIndex::digitsOf(QStringView code)
{
    if (code.size() != 2)
        return -1;
    const char16_t a = code[0].unicode(), b = code[1].unicode();
    if (a < u'0' || a > u'9' || b < u'0' || b > u'9')
        return -1;
    return (a - u'0') * 10 + (b - u'0');
}

void BankCodeIndex::insert(const QString &code, int index)
{
    const int digits = digitsOf(code);
    if (digits < 0) {
        if (!m_other.contains(code))
            m_other.insert(code, index);
    } else if (m_twoDigits[digits] < 0) {
        m_twoDigits[digits] = index;
    }
}

int BankCodeIndex::find(QStringView code) const
{
    const int digits = digitsOf(code);
    if (digits >= 0)
        return m_twoDigits[digits];
    if (m_other.isEmpty())
        return -1;
    return m_other.value(QString::fromRawData(code.data(), code.size()), -1);
}

namespace {

// The refusal of a line the file form already faults.
Refusal FormRefusal(LineFault fault)
{
    switch (fault) {
    case LineFault::LongToken: return Refusal::LongToken;
    case LineFault::ExtraTokens: return Refusal::ExtraTokens;
    case LineFault::BadBytes: return Refusal::BadBytes;
    case LineFault::None: break;
    }
    return Refusal::None;
}

} // namespace

LineScreen::LineScreen(const ConvertContext &context)
{
    m_banks.reserve(context.bankNames.size());
    for (auto it = context.bankNames.cbegin(); it != context.bankNames.cend(); ++it) {
        m_index.insert(it.key(), int(m_banks.size()));
        m_banks.append({it.key(), it.value()});
    }
}

void LineScreen::screen(ScreenedLine *out) const
{
    ScreenedLine &s = *out;
    const ParsedLine &p = s.parsed;
    s.amount = 0;
    // A known bank code is the table's own text.
    const QStringView bankId = TrimmedView(p.bankId);
    const int known = m_index.find(bankId);
    s.bank = known;
    if (known >= 0) {
        s.bankId = m_banks[known].id;
        s.bankName = m_banks[known].name;
    } else {
        s.bankId = bankId;
        s.bankName = QStringView();
    }
    s.cInfo = TrimmedView(p.cInfo);
    s.sName = TrimmedView(p.sName);
    s.refusal = FormRefusal(p.fault);
    if (s.refusal != Refusal::None)
        return;
    if (known < 0)
        s.refusal = Refusal::UnknownBank;
    else if (!qvx::AcctNo::isValid(s.bankId, s.bankNo()))
        s.refusal = Refusal::BadAccount;
    else {
        const AmountCheck amount = CheckTransferAmount(s.money());
        if (amount.fault == AmountFault::None)
            s.amount = amount.value;
        else
            s.refusal = Refusal::BadAmount;
    }
}

MotherFinder::MotherFinder(const ConvertContext &context) : m_context(context)
{
    for (int i = 0; i < context.banks.size(); ++i) {
        const MotherAccount &b = context.banks[i];
        const QString bank = b.bankid.trimmed();
        if (context.chosen && m_chosen < 0 && bank == context.chosen->bankid.trimmed() &&
            b.mobankno.trimmed() == context.chosen->mobankno.trimmed())
            m_chosen = i;
        m_firstOfBank.insert(bank, i);
        m_shown.append(FormatAcctNo(b.bankid, b.mobankno));
        m_plain.append(DelChar(m_shown.last(), QLatin1Char('-')));
    }
}

int MotherFinder::find(QStringView bankId) const
{
    if (m_context.chosen)
        return m_chosen;
    return m_firstOfBank.find(bankId);
}

size_t TransferDuplicateIndex::keyOf(const QString &name, const QString &moneyText)
{
    return keyOf(QStringView(name), QStringView(moneyText));
}

size_t TransferDuplicateIndex::keyOf(QStringView name, QStringView moneyText)
{
    // As qHashMulti over the strings: a string hashes as its view.
    return qHashMulti(0, name, moneyText);
}

const TransferDuplicateIndex::Slot *TransferDuplicateIndex::findSlot(size_t key) const
{
    if (m_slots.isEmpty())
        return nullptr;
    const size_t mask = size_t(m_slots.size()) - 1;
    const quint64 h = SpreadHash(key);
    const quint32 tag = HashTag(h);
    const Slot *table = m_slots.constData();
    for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
        const Slot &slot = table[i];
        if (slot.last == 0)
            return nullptr;
        if (slot.tag == tag)
            return &slot;
    }
}

TransferDuplicateIndex::Slot &TransferDuplicateIndex::slotOf(size_t key)
{
    const size_t mask = size_t(m_slots.size()) - 1;
    const quint64 h = SpreadHash(key);
    const quint32 tag = HashTag(h);
    Slot *table = m_slots.data();
    for (size_t i = size_t(h) & mask;; i = (i + 1) & mask) {
        Slot &slot = table[i];
        if (slot.last == 0 || slot.tag == tag) {
            slot.tag = tag;
            return slot;
        }
    }
}

void TransferDuplicateIndex::grow(qsizetype rows)
{
    if (rows * 2 <= m_slots.size())
        return;
    const qsizetype size = SlotCountFor(rows);
    if (size <= m_slots.size())
        return;
    // A slot keeps only its tag: the chains are made again from the entries,
    // in the order they came, each hash from its texts.
    m_slots = QVector<Slot>(size);
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry &entry = m_entries[i];
        Slot &slot = slotOf(keyOf(entry.name, entry.money));
        entry.next = slot.last - 1;
        slot.last = int(i + 1);
    }
}

void TransferDuplicateIndex::add(const QString &name, const QString &moneyText, const QString &info)
{
    add(keyOf(name, moneyText), name, moneyText, info);
}

void TransferDuplicateIndex::add(size_t key, const QString &name, const QString &moneyText, const QString &info)
{
    m_held.append(name);
    m_held.append(moneyText);
    m_held.append(info);
    addViews(key, name, moneyText, info);
}

void TransferDuplicateIndex::addViews(size_t key, QStringView name, QStringView moneyText, QStringView info)
{
    grow(size() + 1);
    Slot &slot = slotOf(key);
    const int next = slot.last - 1;
    m_entries.push_back({name, moneyText, info, next});
    slot.last = int(m_entries.size()); // stored one above, so 0 means none
}

bool TransferDuplicateIndex::contains(const QString &name, const QString &moneyText, const QString &memo) const
{
    return contains(keyOf(name, moneyText), name, moneyText, memo);
}

bool TransferDuplicateIndex::contains(size_t key, const QString &name, const QString &moneyText,
                                      const QString &memo) const
{
    return contains(key, QStringView(name), QStringView(moneyText), QStringView(memo));
}

bool TransferDuplicateIndex::contains(size_t key, QStringView name, QStringView moneyText, QStringView memo) const
{
    const Slot *slot = findSlot(key);
    if (!slot)
        return false;
    const bool anyInfo = memo.size() == 1 && memo.front() == u'N'; // asked for every row: no string compare
    for (int i = slot->last - 1; i >= 0; i = m_entries[size_t(i)].next) {
        const Entry &e = m_entries[size_t(i)];
        if (e.name == name && e.money == moneyText && (anyInfo || e.info == memo))
            return true;
    }
    return false;
}

void TransferDuplicateIndex::prefetch(size_t key) const
{
    if (!m_slots.isEmpty())
        __builtin_prefetch(m_slots.constData() + (size_t(SpreadHash(key)) & size_t(m_slots.size() - 1)));
}

void TransferDuplicateIndex::reserve(qsizetype rows)
{
    m_entries.reserve(size_t(rows));
    grow(rows);
}

void TransferDuplicateIndex::clear()
{
    m_slots.clear();
    m_entries.clear();
    m_held.clear();
}
