#pragma once

#include <QtGlobal>

struct sqlite3;
struct sqlite3_context;

namespace qvx {

// Asked by a long function call while it runs: whether its statement must
// stop (its time limit passed, its client went away). SQLite itself looks
// only between the steps of a statement, and one call is one step.
struct StatementStop
{
    bool (*check)(void *owner) = nullptr;
    void *owner = nullptr;
};

// Counts the work of one function call and asks the statement's stop now
// and then; once told to stop, the call fails as interrupted and the
// statement ends with the reason its connection gives.
class CallMeter
{
public:
    explicit CallMeter(sqlite3_context *ctx);
    // False when the call must end now (its result already set).
    bool tick(qint64 steps = 1)
    {
        m_steps += steps;
        return m_steps < m_nextCheck || checkStop();
    }

private:
    bool checkStop();

    sqlite3_context *m_ctx;
    const StatementStop *m_stop;
    qint64 m_steps = 0;
    qint64 m_nextCheck;
    bool m_stopped = false;
};

// Registers on a connection the text functions whose built-in versions take
// time that grows with the product of their inputs' lengths and never look
// at the time limit: instr, replace, trim/ltrim/rtrim with a set of
// characters, like and glob. The versions here give the same answers; the
// searches run in time linear in their inputs, the pattern matches (which
// cannot) are bounded by the pattern length limit, and every one of them
// asks `stop` as it goes. `stop` must outlive the connection.
void registerBoundedFunctions(sqlite3 *db, const StatementStop *stop);

// Where `needle` first occurs in `haystack` at or after `from` (0 when
// empty), or -1; in time linear in both lengths. -2 when the meter stopped
// the call.
qsizetype findBytes(const char *haystack, qsizetype haystackSize, const char *needle, qsizetype needleSize,
                    qsizetype from, CallMeter &meter);
qsizetype findUtf16(const char16_t *haystack, qsizetype haystackSize, const char16_t *needle, qsizetype needleSize,
                    qsizetype from, CallMeter &meter);

} // namespace qvx
