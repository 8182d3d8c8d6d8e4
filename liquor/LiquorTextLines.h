#pragma once
// The lines of a liquor transfer file as fields: each line cut at its
// layout's byte positions or into its delimited tokens, and the run's view
// of where its lines come from.

#include "liquor/LiquorFieldLayout.h"
#include "transfers/ConvertDecision.h"
#include "transfers/ConvertLayout.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <array>

// QStringView::contains for the short fields of a line, without a call.
inline bool LiquorFieldHolds(QStringView text, QChar c)
{
    for (QChar ch : text)
        if (ch == c)
            return true;
    return false;
}

// The fields as cut (fixed) or the tokens, trimmed (delimited, sheet): views
// of the line where a field is the line's own text, and of a small buffer
// held here where it had to change (a '-' or ',' taken out, the screen's
// kind). A line thus needs no string of its own; the line it was cut from
// must live as long as its fields are read. A null value stays null.
class LiquorFields
{
public:
    LiquorFields() = default;
    // Every value copied into the fields.
    explicit LiquorFields(const std::array<QStringView, LiquorFieldCount> &values);
    QStringView operator[](LiquorField f) const
    {
        const Field &x = m_field[f];
        if (x.size < 0)
            return {};
        return QStringView(x.data ? x.data : m_held.constData() + x.start, x.size);
    }
    // All fields null, nothing held.
    void clear();
    // The field reads the view itself.
    void setView(LiquorField f, QStringView value);
    // The field reads a copy of value.
    void setHeld(LiquorField f, QStringView value);
    // The field reads value without every c (trimmed again when trim is
    // set); a copy only when there is a c to take out.
    void setWithout(LiquorField f, QStringView value, QChar c, bool trim);
    // An amount: trimmed, its thousands commas taken out where they group the
    // digits; any other comma stays for the amount rule to refuse.
    void setAmount(LiquorField f, QStringView value);

private:
    struct Field
    {
        const QChar *data = nullptr; // the view's text; nullptr: held from start
        qsizetype start = 0;
        qsizetype size = -1;         // -1: null
    };
    std::array<Field, LiquorFieldCount> m_field{};
    QVarLengthArray<QChar, 96> m_held;
};

// Why a line is refused.
enum class LiquorRefusal {
    None,
    LongToken,  // a delimited token wider than its field
    BadBytes,   // bytes that are no CP949 text
    BadBankId,  // the bank code is no whole number
    ResidentNo, // a resident registration number the bank no longer takes
    BadAccount, // account not valid for the bank
    BadAmount,  // amounts not whole numbers of at most 13 digits, or no transfer amount
    OtherKind,  // a transfer of the other kind
    Duplicate,  // the user declined a duplicate
    NoMother,   // no mother account for the line
    CheckCode   // the bank's check code cannot be made from the data
};

// One line of a source: its fields and a fault found while cutting it.
struct LiquorLine
{
    LiquorFields fields;
    LiquorRefusal fault = LiquorRefusal::None;
};

// Cuts text lines: a fixed-width line at the layout's byte positions (a
// double-byte character is never split), a ',' or ';' line into its tokens
// taken as fields directly (trimmed; the account without '-', amounts
// without ','; an eighth token other than "20"/"30" is the real-name number
// and the kind is the screen's). A token wider than its field refuses the
// line.
class LiquorLineCutter
{
public:
    LiquorLineCutter(DataForm form, const LiquorLayout &fixed, const QString &kind);
    LiquorLine cut(QStringView line) const;
    // The same into a line the caller holds (its buffer used again).
    void cut(QStringView line, LiquorLine *out) const;
    // The positions the fields are read at (for ConvLayout).
    const LiquorLayout &layout() const { return m_layout; }
    DataForm form() const { return m_form; }

private:
    void cutDelimited(QStringView line, LiquorLine *out) const;

    DataForm m_form;
    LiquorLayout m_layout;
    QString m_kind;
};

// Where a run reads its lines: how many, and each one cut when it is
// needed (a run cuts a line again to log a late refusal rather than keeping
// every line cut).
class LiquorLineSource
{
public:
    virtual ~LiquorLineSource() = default;
    virtual int count() const = 0;
    // Line i into *line; its fields may view the source's text. A run reads
    // parts of a long source on several threads at once, each into a line
    // of its own: reading changes nothing of the source.
    virtual void read(int i, LiquorLine *line) const = 0;
    // Whether the account check takes the bank code and the account without
    // their tabs (lines at fixed positions, sheet rows).
    virtual bool removesTabs() const { return true; }
};

// The lines of a decoded transfer file (views the caller keeps alive), cut.
class LiquorTextLines : public LiquorLineSource
{
public:
    LiquorTextLines(const QList<QStringView> &lines, const LiquorLineCutter &cutter);
    int count() const override { return int(m_lines.size()); }
    void read(int i, LiquorLine *line) const override { m_cutter.cut(m_lines[i], line); }
    bool removesTabs() const override { return m_cutter.form() == DataForm::Fixed; }

private:
    const QList<QStringView> &m_lines;
    const LiquorLineCutter &m_cutter;
};
