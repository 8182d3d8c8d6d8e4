#pragma once
// The day's log of one conversion run: a "자료변환 Error" line for every
// refused line and the lines of the duplicates, in the order they come,
// through one DayLogBatch (a file with many refused lines would otherwise
// open and close the log for each of them). Written out by flush() and at
// the latest when the run's log is let go.

#include "core/DayLog.h"
#include "transfers/TransferConversion.h"

class Session;

class ConvertRunLog
{
public:
    // kind: "20"/"30", the last value of every error line.
    ConvertRunLog(const Session &session, QString kind);

    void refused(const TransferFields &cut);
    void log(const QString &text);
    // Hooks refused and log of a run, written here, and has what was logged
    // written out before each question.
    void attach(ConvertHooks &hooks);
    bool flush() { return m_batch.flush(); }

private:
    const Session &m_session;
    QString m_kind;
    DayLogBatch m_batch;
    SecondStamp m_stamp{QStringLiteral("yyyyMMdd hhmmss")};
    QString m_headStamp; // the stamp m_head was made with
    QByteArray m_head;   // an error line up to its values, in CP949
};
