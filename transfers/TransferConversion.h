#pragma once
// The conversion run: the lines of a transfer file become transfer rows.
//
// First every line is cut and checked on its own (file form, bank code,
// account, amount); a refused line is logged as a conversion error and
// counted. Then each line that passed gets its mother account, the
// duplicate question when the batch already holds the same payee and amount,
// and its row. The screen paints the counters from the progress callback and
// fills its grid with the rows.

#include "transfers/ConvertDecision.h"
#include "transfers/ConvertedRows.h"

#include <QStringList>
#include <functional>

struct ConvertCounters
{
    // First every line is checked, then the lines that passed are converted.
    enum Phase { Checking, Converting };
    Phase phase = Checking;
    int checked = 0;   // lines through the checks so far (the gauge while checking)
    int total = 0;     // lines in the file (curredt_tgun)
    int errors = 0;    // refused lines and duplicates dropped (curredt_errgun)
    int processed = 0; // lines handled after the checks (curredt_gun)
    int passed = 0;    // lines that passed the checks (the gauge's maximum)
    int position = 0;  // the gauge
    int accepted = 0;  // rows made
    qint64 money = 0;  // their amounts
};

struct ConvertHooks
{
    // A refused line, its fields as cut (valid during the call): the screen
    // writes the transfer log line of kind "1".
    std::function<void(const TransferFields &cut, Refusal why)> refused;
    // One line of the day's log.
    std::function<void(const QString &text)> log;
    // The batch already holds a row of this payee and grouped amount: true
    // adds the line anyway.
    std::function<bool(const QString &name, const QString &money)> askDuplicate;
    // Before askDuplicate is asked: what was logged so far is written out,
    // so that the lines before a question are in the log while it waits.
    std::function<void()> beforeQuestion;
    // Before the first line and after every line of the checks (phase
    // Checking), then once when the checks are done and after every line of
    // the second pass (phase Converting): the screen shows progress from the
    // first line read.
    std::function<void(const ConvertCounters &counters)> progress;
};

class TransferConversion
{
public:
    TransferConversion(const ConvertContext &context, DataForm form, const TransferPositions &fixed);

    // Rows already in the batch take part in the duplicate test.
    void addExistingRow(const QString &name, const QString &moneyText, const QString &info);

    // Converts the lines; *rows becomes the rows made, which read the lines'
    // texts: the lines must outlive them.
    ConvertCounters run(const QList<QStringView> &lines, const ConvertHooks &hooks, ConvertedRows *rows);

    // The positions the lines were cut at (for ConvLayout).
    const TransferPositions &positions() const { return m_parser.positions(); }

private:
    const ConvertContext &m_context;
    TransferFileParser m_parser;
    // name, amount and other information of each row already in the batch
    QList<QString> m_existing;
};

// The summary line of the day's log after a run: the screen's totals, the
// error count, the sender and the file.
QString ConvertSummaryLog(qint64 rows, qint64 errors, qint64 money, const QString &networkId,
                          const QString &fileName);
