#pragma once
// What the transfer entry screens share around sending and closing their list.

#include <functional>
#include <span>
#include <initializer_list>
#include <type_traits>
#include <utility>

#include <QString>
#include <QStringList>
#include <QWidget>
#include <QtGlobal>

struct ScreenContext;
namespace qvx {
class ResultSet;
}
class Session;
class TCurrencyEdit;
class TListGrid;

// A whole number into a figure field (a count or an amount).
void SetFigure(TCurrencyEdit *edit, qint64 value);

// The entry list "grd_ichelist" of an entry form, a column for each header:
// the first widths.size() columns as wide as given, the rest hidden (they
// hold the row's data). Rows are 21 high and chosen whole; a double click on
// a row (not the header) runs modify.
TListGrid *MakeEntryList(QWidget *form, const QStringList &headers, std::span<const int> widths,
                         const Session &session, std::function<void()> modify);

// True when the list holds rows; otherwise the message says there is nothing
// to act on.
bool EntryListHasRows(const TListGrid *grid, const QString &emptyMessage);

// Deletes the chosen row of a list that holds rows: the only row clears the
// list (clearList); otherwise beforeDelete (when given) sees the row, the row
// goes, the rest are numbered again and updateTotals runs. Nothing happens
// without a chosen row.
void DeleteEntryRow(TListGrid *grid, const std::function<void()> &clearList, const std::function<void()> &updateTotals,
                    const std::function<void(int row)> &beforeDelete = {});

// The list row to edit: 0 when none is chosen, after telling the user when
// the list is empty.
int EntryRowToModify(const TListGrid *grid);

// Whether the list may go to the server now: never while a batch goes or
// offline. The progress counts go back to 0 first; an empty list is refused
// with a message.
bool ReadyToSendEntryList(const Session &session, bool busy, const TListGrid *grid,
                          std::initializer_list<TCurrencyEdit *> progressCounts);

// Says why an entry was refused (a check with ok(), message and focus) and
// puts the caret in the field its focus names; false for an accepted entry.
//   if (RefuseEntry(check, {{EntryFocus::Amount, curredt_money}, ...})) return;
void SayEntryRefused(const QString &message);
template <class Check>
bool RefuseEntry(const Check &check,
                 std::initializer_list<std::pair<std::decay_t<decltype(Check::focus)>, QWidget *>> fields)
{
    if (check.ok())
        return false;
    SayEntryRefused(check.message);
    for (const auto &[focus, field] : fields)
        if (focus == check.focus) {
            field->setFocus();
            break;
        }
    return true;
}

// True when the list is empty or the user agrees to lose its rows.
bool ConfirmDiscardEntryList(const TListGrid *grid);

// Enables the 수납/지급 entry menu items (qv_b1, qv_b2) of the main window
// holding screen again, as the login allows them.
void EnableEntryMenus(const QWidget *screen, const Session &session);

// The payees (table daesang) whose name holds the typed text, by name.
QString PayeeNameSearchSql(const QString &typed);

// A payee found by a name search.
struct FoundPayee
{
    // bankNo hyphenated for its bank
    QString name;
    QString bankId;
    QString bankNo;
    QString residentNo;
};
enum class PayeeSearchOutcome {
    Single,   // the search found one payee
    Picked,   // it found several and the user picked one in the payee list
    None,     // it found none
    Declined  // it found several and the user picked none
};
// One payee out of the rows of a name search: the only row, or the row the
// user picks in the payee list ("거래처 목록") when there are several.
PayeeSearchOutcome PickPayee(const ScreenContext &context, QWidget *owner, const qvx::ResultSet &rows,
                             FoundPayee *payee);
