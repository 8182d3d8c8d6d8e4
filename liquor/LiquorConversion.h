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
#include "liquor/LiquorFieldLayout.h"
#include "liquor/LiquorRefusalLog.h"
#include "liquor/LiquorRow.h"
#include "liquor/LiquorSheetLines.h"
#include "liquor/LiquorTextLines.h"

#include <QString>
#include <QStringView>
#include <QVector>

#include <functional>
#include <optional>
#include <span>

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
