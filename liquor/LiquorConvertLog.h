#pragma once
// The day's log of one liquor conversion run: its error lines
// ("자료변환 Error", "database Error") and its other lines, in the order
// they come, through one DayLogBatch (a file with many refused lines would
// otherwise open and close the log for each). Written out by flush() and at
// the latest when the run's log is let go.

#include "liquor/LiquorConversion.h"
#include "transfers/ConvertRunLog.h"

#include <span>

class Session;

class LiquorConvertLog : public RunLogBatch
{
public:
    explicit LiquorConvertLog(const Session &session);

    // As WriteLiquorTransferLog with no message number.
    void transferLog(const QString &kind, std::span<const QStringView> values);
    // Hooks transferLog and log of a run, written here.
    void attach(LiquorConvertHooks &hooks);
};
