#pragma once
// The liquor-trade conversion without widgets: a transfer file's lines or a
// sheet's rows become liquor rows.
//
// A source gives each line's nine fields (LiquorTextLines for text lines,
// LiquorSheetLines for sheet rows). The run checks every line on its own
// (bank code, real-name rule, account, amounts), then, for the lines that
// passed, finds the mother account, refuses a transfer of the other kind,
// asks about duplicates and makes the row. Refusals reach the screen through
// the hooks (day's log, transfer log, messages) and are counted; lines
// refused by the real-name rule also go to the error list.

#include "core/MotherAccount.h"
#include "core/Session.h"
#include "liquor/LiquorConvertedRows.h"
#include "liquor/LiquorDuplicateIndex.h"
#include "liquor/LiquorRow.h"
#include "platform/SheetCells.h"
#include "transfers/ConvertDecision.h"
#include "transfers/ConvertLayout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <QVector>

#include <array>
#include <functional>
#include <optional>
#include <span>

// The nine fields of a liquor transfer line, in the order of the layout
// editor's grid.
enum LiquorField { lfBankId = 0, lfBankNo, lfJuMoney, lfBJuMoney, lfMoney, lfCInfo, lfSName, lfGubun, lfJumin,
                   LiquorFieldCount };

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

// Start (1-based) and size in CP949 bytes of each field.
using LiquorLayout = std::array<ConvField, LiquorFieldCount>;

// The widths a delimited token may take: bank 2, account 15, amounts 13,
// other information 31, name 14, kind 2, real-name number 13; as positions
// 1/2, 3/15, 18/13, 31/13, 44/13, 57/31, 88/14, 102/2, 104/13.
const LiquorLayout &LiquorDelimitedLayout();

// The ConvLayout pair each field feeds.
ConvPair LiquorConvPair(LiquorField field);

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

// The data rows of a sheet: after the row whose first cell reads "NO"
// (blanks and case ignored; none: from the sheet's first row), every row
// whose first cell holds a text, one after the other. Columns: NO, 은행코드,
// 은행명, 거래계좌, 주류금액, 비주류금액, 이체금액, 기타, 거래처명, 거래구분,
// 실명번호. A sheet whose rows would hold more than LiquorSheetMaxBytes is
// refused: no rows, and the reason in Korean in *refusal.
constexpr qint64 LiquorSheetMaxBytes = 128LL * 1024 * 1024;
QVector<QStringList> LiquorSheetRows(const qvx::SheetCells &cells, QString *refusal = nullptr);
// The fields of one sheet row: trimmed, a one-digit bank code padded to two
// digits, the account without '-', the amounts without ','. The fields view
// the row's texts.
LiquorLine LiquorSheetLine(const QStringList &row);
void LiquorSheetLine(const QStringList &row, LiquorLine *out);

// The data rows of a sheet as a run's lines.
class LiquorSheetLines : public LiquorLineSource
{
public:
    explicit LiquorSheetLines(QVector<QStringList> rows) : m_rows(std::move(rows)) {}
    int count() const override { return int(m_rows.size()); }
    void read(int i, LiquorLine *line) const override { LiquorSheetLine(m_rows[i], line); }

private:
    QVector<QStringList> m_rows;
};

// The headers of the sheet grid.
QStringList LiquorSheetHeaders();

// What the screen hands the run besides the lines.
struct LiquorConvertContext
{
    const Session *session = nullptr;         // mode, sender, user, duplicate rule
    QVector<MotherAccount> banks;             // "select * from bank order by bankid", owned here
    std::optional<MotherAccount> chosen;      // the account chosen in the dialog; none: "당행"
    bool sheet = false;                       // sheet rows: bank 26 also takes bank 21's account
    QString today;                            // "yyyyMMdd"
};

struct LiquorConvertCounters
{
    int total = 0;     // lines (curredt_tgun)
    int errors = 0;    // refused lines (curredt_errgun)
    int processed = 0; // lines handled after the checks (curredt_gun)
    int passed = 0;    // lines that passed the checks (the gauge's maximum)
    int position = 0;  // the gauge
    int accepted = 0;  // rows made
    qint64 money = 0;  // their transfer amounts
};

struct LiquorConvertHooks
{
    // A transfer-log line: kind "1" conversion error, "0" no mother account;
    // values as LiquorTransferLogViews, views valid during the call.
    std::function<void(const QString &kind, std::span<const QStringView> values)> transferLog;
    // A line of the day's log.
    std::function<void(const QString &text)> log;
    // A message for the user ("지급이체자료가 아닙니다.").
    std::function<void(const QString &text)> message;
    // The list already holds this name and grouped amount: true adds the line.
    std::function<bool(const QString &name, const QString &groupedAmount)> askDuplicate;
    // After the checks and after every line of the second pass.
    std::function<void(const LiquorConvertCounters &counters)> progress;
};

// The suffix of an error-list line.
inline const QString LiquorResidentNoErrorTail =
    QStringLiteral(" : 실명번호 오류(실명번호의 주민등록번호는 생년월일로 대체 되었습니다.)");

struct LiquorAmounts;

// Why a line was refused for its form or its amounts, as the log and the
// error list say it.
QString LiquorLineFaultReason(LiquorRefusal fault);
// "금액 오류(" + the amount rule's message + ")", the field named where the
// message does not name it.
const QString &LiquorAmountReason(const LiquorAmounts &amounts);

class LiquorConversion
{
public:
    explicit LiquorConversion(const LiquorConvertContext &context);

    // Rows already in the list take part in the duplicate test.
    void addExistingRow(const QString &name, const QString &groupedAmount, const QString &info);

    // The rows made are appended to *rows (made for the context's session
    // and banks when it is empty), in line order. The duplicate test of a
    // later run reads their texts: *rows lives as long as the conversion.
    // A long source has its lines' own checks done in parts on a few
    // threads; the hooks are called on the calling thread alone, in the
    // order one pass from the top would call them.
    LiquorConvertCounters run(const LiquorLineSource &lines, const LiquorConvertHooks &hooks,
                              LiquorConvertedRows *rows);

    // One line per line refused by the real-name rule.
    const QStringList &errorList() const { return m_errorList; }

private:
    int findMother(QStringView bankId) const;

    const LiquorConvertContext &m_context;
    QString m_kind; // "20" / "30"
    QStringList m_errorList;
    LiquorDuplicateIndex m_duplicates;
};

// The nine values of a transfer-log or error-list line: bank code, account,
// transfer, liquor and non-liquor amount, real-name number, name, kind,
// other information.
std::array<QStringView, 9> LiquorTransferLogViews(const LiquorFields &fields, QStringView kind);

// Saves the error list as <folder>/ErrorList.Txt (CP949, CR LF), written
// beside its name and renamed; the folder is made when missing. Returns the
// file's path, or an empty text with *error set.
QString SaveLiquorErrorList(const QString &folder, const QStringList &lines, QString *error);
