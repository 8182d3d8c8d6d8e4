#pragma once
// The drop-down lists of the list screens. Each keeps the record behind
// each item (a bank, an account, a transaction kind, a payee) and hands it
// back for the chosen item; an item's text is made from its record and never
// read back. Item 0 may be an "all" (or "choose") item without a record.
//
//   BankCombo banks(cmb_allbank, "모든 은행");
//   banks.Load(server);                          // table bank, one item per bank
//   AccountCombo accounts(cmb_bankno, "계좌전체선택");
//   accounts.LinkTo(banks, server);                // refilled when the bank changes
//   if (const BankItem *b = banks.Chosen()) ... b->bankid

#include "core/BankSql.h"
#include "core/MotherAccount.h"

#include <QString>
#include <QVector>

#include <functional>

class TKitComboBox;
namespace qvx { class AppServer; class ResultSet; }

// The records behind a combo's items, in item order after the optional
// first item that stands for none (or all).
template <class Record>
class KeptItems
{
public:
    KeptItems(TKitComboBox *combo, const QString &firstText) : m_combo(combo), m_firstText(firstText) {}
    virtual ~KeptItems() = default;

    TKitComboBox *combo() const { return m_combo; }
    const QVector<Record> &Records() const { return m_records; }
    bool HasFirstItem() const { return !m_firstText.isEmpty(); }
    // The chosen record; null when the first item or nothing is chosen.
    const Record *Chosen() const;
    // Fills the combo: the first item, then one per record; item 0 chosen.
    void Fill(const QVector<Record> &records);

protected:
    virtual QString itemText(const Record &record) const = 0;

private:
    TKitComboBox *m_combo;
    QString m_firstText;
    QVector<Record> m_records;
};

// --- banks -----------------------------------------------------------------------------------------

struct BankItem
{
    QString bankid;
    QString bankname;
    QString firmid;
    QString recvid;
    QString tr_gubuncode;
    static BankItem FromRow(const qvx::ResultSet &rs, int row);
};

// The firm's banks (table bank) or every bank (table allbank):
// "[" + bankid + "]" + separator + bankname.
class BankCombo : public KeptItems<BankItem>
{
public:
    // One entry per bank of table bank.
    static const char *const FirmBanksQuery;

    BankCombo(TKitComboBox *combo, const QString &allText = QString(), const QString &separator = QStringLiteral(" "))
        : KeptItems(combo, allText), m_separator(separator)
    {
    }
    // Which rows of the query become items.
    enum class Rows { NamedOnly, Every };
    // Runs the query and fills the combo; with NamedOnly, rows whose name
    // reads as a whole number other than 0 (placeholder rows) are left out.
    // Returns the banks.
    int Load(qvx::AppServer &server, const QString &query = QString::fromLatin1(FirmBanksQuery),
             Rows rows = Rows::NamedOnly);
    QString ChosenCode() const;   // "" for none / all
    // Chooses the bank of that code (item 0 when there is none).
    void Choose(const QString &bankCode);
    // Chooses the bank of that code; false, and the choice unchanged, when there is none.
    bool ChooseListed(const QString &bankCode);

protected:
    QString itemText(const BankItem &bank) const override;

private:
    QString m_separator;
};

// The payee banks of the transfer screens: every bank of table allbank.
class AllBanksCombo : public BankCombo
{
public:
    explicit AllBanksCombo(TKitComboBox *combo, const QString &allText = QString(),
                           const QString &separator = QStringLiteral("    "))
        : BankCombo(combo, allText, separator)
    {
    }
    int Load(qvx::AppServer &server, Rows rows = Rows::NamedOnly)
    {
        // Every bank code the payees may use (allbank rows that are not placeholders).
        return BankCombo::Load(server, BankSql::bankCodes(BankSql::BankCodeRows::Named), rows);
    }
};

// --- accounts of a bank ----------------------------------------------------------------------------

// The firm's accounts of the bank chosen in a bank combo, in the order of
// their numbers, as the server lists them at each change of the bank:
// hyphenated for the bank or as stored. Disabled while that combo shows all
// banks.
class AccountCombo : public KeptItems<MotherAccount>
{
public:
    enum class Shown { Hyphenated, AsStored };
    AccountCombo(TKitComboBox *combo, const QString &allText, Shown shown = Shown::Hyphenated)
        : KeptItems(combo, allText), m_shown(shown)
    {
    }
    // "select mobankno from bank where bankid = '" + bank code + "' order by mobankno"
    static QString AccountsOfBankSql(const QString &bankCode);
    // Refills from `server` whenever the bank choice changes (and now).
    void LinkTo(BankCombo &banks, qvx::AppServer &server);
    void ShowBank(const QString &bankCode);
    // The chosen account as the search names it ("" for all): without
    // hyphens where the items are hyphenated, else as stored.
    QString ChosenNumber() const;

protected:
    QString itemText(const MotherAccount &account) const override;

private:
    Shown m_shown;
    qvx::AppServer *m_server = nullptr;
};

// --- transaction kinds -----------------------------------------------------------------------------

struct TransferKind
{
    QString code;
    QString contents;
};

// "모두 선택", then "[" + transdivcode + "] " + transdivcontents.
class TransferKindCombo : public KeptItems<TransferKind>
{
public:
    static const char *const KindsQuery;
    explicit TransferKindCombo(TKitComboBox *combo, const QString &allText = QStringLiteral("모두 선택"))
        : KeptItems(combo, allText)
    {
    }
    int Load(qvx::AppServer &server, const QString &query = QString::fromLatin1(KindsQuery));
    QString ChosenCode() const;

protected:
    QString itemText(const TransferKind &kind) const override;
};

// --- payees ----------------------------------------------------------------------------------------

struct PayeeItem
{
    QString name;
    QString bankno;
    QString bankid;
    QString residentno;
};

// The registered payees (table daesang) by name: "대상자 선택" first, or only
// "대상자 없음" (and disabled) when there is none.
class PayeeCombo : public KeptItems<PayeeItem>
{
public:
    explicit PayeeCombo(TKitComboBox *combo) : KeptItems(combo, QStringLiteral("대상자 선택")) {}
    int Load(qvx::AppServer &server);
    void Fill(const QVector<PayeeItem> &payees);

protected:
    QString itemText(const PayeeItem &payee) const override { return payee.name; }
};

// --- template bodies -------------------------------------------------------------------------------

void ComboClearItems(TKitComboBox *combo);
void ComboAddItem(TKitComboBox *combo, const QString &text);
int ComboItemIndex(const TKitComboBox *combo);
void ComboSetItemIndex(TKitComboBox *combo, int index);

template <class Record>
const Record *KeptItems<Record>::Chosen() const
{
    const int index = ComboItemIndex(m_combo) - (HasFirstItem() ? 1 : 0);
    if (index < 0 || index >= m_records.size())
        return nullptr;
    return &m_records[index];
}

template <class Record>
void KeptItems<Record>::Fill(const QVector<Record> &records)
{
    m_records = records;
    ComboClearItems(m_combo);
    if (HasFirstItem())
        ComboAddItem(m_combo, m_firstText);
    for (const Record &r : m_records)
        ComboAddItem(m_combo, itemText(r));
    ComboSetItemIndex(m_combo, 0);
}
