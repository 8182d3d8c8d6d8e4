#pragma once
// What the conversion decides for one line of a transfer file, without
// widgets or server: whether the line may become a transfer row (the same
// checks as a row typed by hand), which mother account pays or collects it,
// and the row itself.

#include "core/MotherAccount.h"
#include "transfers/TransferFileParser.h"
#include "transfers/TransferRow.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <optional>
#include <vector>

// What the screen hands the conversion besides the lines.
struct ConvertContext
{
    QVector<MotherAccount> banks;         // "select * from bank order by bankid"
    QHash<QString, QString> bankNames;    // allbank: trimmed bankid -> bankname (first row)
    std::optional<MotherAccount> chosen;  // the mother account chosen in the dialog; none: "당행"
    QString transDiv;                     // "수납" / "지급" (the screen's kind)
    QString networkId;
    QString userId;
    QString sendFlagInit;
    bool checkInfo = false;               // duplicates also compare the other information

    QString kind() const; // "20" for "수납", else "30"
};

// Why a line is refused before it reaches the mother account.
enum class Refusal {
    None,
    LongToken,
    ExtraTokens,
    BadBytes,
    UnknownBank, // bank code not in the bank-code table
    BadAccount,  // account not valid for the bank
    BadAmount,   // not a positive whole number of at most 13 digits
    NoMother,    // no mother account for the line's bank
    CheckCode    // the bank's check value cannot be made from the account
};

// The line's own checks: file form, bank code, account, and the amount rule
// of hand entry. The fields are trimmed here once; the account has its '-'
// removed in both forms. Its texts are views of the line, of the bank-code
// table and of the parsed line's own room (read through bankNo() and
// money(), so that a copy stays whole).
struct ScreenedLine
{
    ParsedLine parsed;    // as cut, for the log
    QStringView bankId;   // trimmed
    QStringView cInfo;    // trimmed
    QStringView sName;    // trimmed
    qint64 amount = 0;
    int bank = -1;        // of bankId in the bank-code table, -1 for none
    QStringView bankName; // of bankId in the bank-code table
    Refusal refusal = Refusal::None;

    QStringView bankNo() const { return parsed.account.view(); } // trimmed, '-' removed
    QStringView money() const { return parsed.amount.view(); }   // trimmed
};

// Bank codes and their places in a table: the usual two-digit codes read
// straight from an array, any other text through a hash (a run looks up the
// bank of every line, some twice).
class BankCodeIndex
{
public:
    BankCodeIndex();
    // A code already held keeps its first place.
    void insert(const QString &code, int index);
    // The place of the code, -1 for none.
    int find(QStringView code) const;
    // 0..99 for the usual code of two ASCII digits, else -1.
    static int digitsOf(QStringView code);

private:
    std::array<int, 100> m_twoDigits;
    QHash<QString, int> m_other;
};

// The line's own checks of one run, with the bank-code table looked up
// through one index.
class LineScreen
{
public:
    struct Bank
    {
        QString id;
        QString name;
    };

    explicit LineScreen(const ConvertContext &context);
    // Screens the line parsed into s->parsed, in place.
    void screen(ScreenedLine *s) const;
    // The bank-code table, in the order of ScreenedLine::bank.
    const QVector<Bank> &banks() const { return m_banks; }

private:
    QVector<Bank> m_banks; // the bank-code table
    BankCodeIndex m_index;
};

// The mother account of a line: the chosen one (found among the bank rows by
// trimmed bankid and mobankno), or without a choice the first bank row of
// the line's own bank. nullptr when there is none.
class MotherFinder
{
public:
    explicit MotherFinder(const ConvertContext &context);
    // The index of the mother account among the bank rows, -1 for none.
    int find(QStringView bankId) const;
    const MotherAccount &account(int index) const { return m_context.banks[index]; }
    // Its account as the list shows it (hyphenated once per run), and as
    // the check codes read it (without '-').
    const QString &shownAccount(int index) const { return m_shown[index]; }
    const QString &plainAccount(int index) const { return m_plain[index]; }

private:
    const ConvertContext &m_context;
    int m_chosen = -1;
    BankCodeIndex m_firstOfBank;
    QVector<QString> m_shown;
    QVector<QString> m_plain;
};

// Rows already in the batch by payee name and amount text (and other
// information), so the duplicate test of every line is one look-up. Texts
// given as QString are kept here; texts given as views are not, and must
// outlive the index.
class TransferDuplicateIndex
{
public:
    void add(const QString &name, const QString &moneyText, const QString &info);
    // memo "N": name and amount only, as the entry screen's test.
    bool contains(const QString &name, const QString &moneyText, const QString &memo) const;
    // The same with the hash of name and amount made once for both (key:
    // keyOf(name, moneyText)).
    static size_t keyOf(const QString &name, const QString &moneyText);
    static size_t keyOf(QStringView name, QStringView moneyText);
    void add(size_t key, const QString &name, const QString &moneyText, const QString &info);
    bool contains(size_t key, const QString &name, const QString &moneyText, const QString &memo) const;
    bool contains(size_t key, QStringView name, QStringView moneyText, QStringView memo) const;
    // As add, the texts views that the caller keeps alive while the index lives.
    void addViews(size_t key, QStringView name, QStringView moneyText, QStringView info);
    // Starts reading the slot of a key that is asked for soon: a whole file
    // looks up one row after the other in a table too big for the cache.
    void prefetch(size_t key) const;
    void clear();
    void reserve(qsizetype rows);
    qsizetype size() const { return qsizetype(m_entries.size()); }

private:
    struct Entry
    {
        QStringView name;
        QStringView money;
        QStringView info;
        int next; // the entry before it with the same hash, -1 for none
    };
    // One slot of the open-addressed table, eight bytes so that a table of a
    // whole file stays small: the high half of the spread hash of name and
    // amount, and its latest entry plus one (0: the slot is free). Keys that
    // share the half share a chain; the entries themselves tell them apart.
    struct Slot
    {
        quint32 tag = 0;
        qint32 last = 0;
    };
    Slot &slotOf(size_t key);
    const Slot *findSlot(size_t key) const;
    void grow(qsizetype rows);

    std::vector<Entry> m_entries;
    QVector<Slot> m_slots; // a power of two long, at most half full
    // The texts given as QString: their characters stay where they are while
    // a copy of the string lives, wherever the copy moves.
    QList<QString> m_held;
};
