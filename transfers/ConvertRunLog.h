#pragma once
// The day's log of one conversion run: a "자료변환 Error" line for every
// refused line and the lines of the duplicates, in the order they come,
// through one DayLogBatch (a file with many refused lines would otherwise
// open and close the log for each of them). Written out by flush() and at
// the latest when the run's log is let go.

#include "core/DayLog.h"
#include "transfers/TransferConversion.h"

class Session;

// What the run logs of the general and the liquor conversion share: the
// batch of the day's log lines and the stamp of the second they are made in.
class RunLogBatch
{
public:
    explicit RunLogBatch(const Session &session) : m_session(session) {}

    // As WriteLog.
    void log(const QString &text) { m_batch.write(m_session, text); }
    bool flush() { return m_batch.flush(); }

protected:
    // The numeric field of a conversion error line: no message number yet.
    static QString noSeq() { return QStringLiteral("      "); }

    const Session &m_session;
    DayLogBatch m_batch;
    SecondStamp m_stamp{QStringLiteral("yyyyMMdd hhmmss")};
};

class ConvertRunLog : public RunLogBatch
{
public:
    // kind: "20"/"30", the last value of every error line.
    ConvertRunLog(const Session &session, QString kind);

    void refused(const TransferFields &cut);
    // Hooks refused and log of a run, written here, and has what was logged
    // written out before each question.
    void attach(ConvertHooks &hooks);

private:
    QString m_kind;
    QString m_headStamp; // the stamp m_head was made with
    QByteArray m_head;   // an error line up to its values, in CP949
};
