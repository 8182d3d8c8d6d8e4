#pragma once
// The automatic send/receive module: on every tick of the data module's
// Timer2 it turns the drop files of send/ (named with today's date) into
// request rows, commits and registers them, and deletes the files.
//
//   send/ID<yyyymmdd>.dat   collections   (general: giche, liquor: cmsjiche102)
//   send/ID_<yyyymmdd>.dat  payments      (general: giche, liquor: CMSJICHE103)
//   send/IA<yyyymmdd>.dat   result inquiries (general only: Icheresult)
//
// Beyond the plain rules:
//   - a file is taken only once its size stayed the same over one tick, so a
//     file still being written is left for the next tick;
//   - once a row of a file was inserted the file is never read again: a step
//     that fails after that (commit, registration, deletion) renames it to
//     "<name>.incomplete-<hhnnss>" and logs it;
//   - a message number of a general line that is not all digits makes the
//     line an error line (kind "1");
//   - in the offline state the liquor routines stop silently, keeping the file;
//   - rows go through the request sender, a refused line skipped; a batch
//     with no row stored is neither committed nor registered;
//   - a pass never throws, so the data module always re-enables its timer.

#include <QByteArray>
#include <QHash>
#include <QSet>
#include <QString>

#include <functional>

#include "core/RequestSender.h"
#include "core/Session.h"

class Tdm;

// The fields of one drop-file line, cut by ConvLayout (1-based start, length
// in bytes), untrimmed.
struct AutoSendLine
{
    QByteArray raw;
    const std::array<ConvField, cvPairCount> *layout = nullptr; // the session's ConvLayout
    QString field(ConvPair pair) const;
};

// Error lines in the day's log (kind "1" conversion, "2" sending, other
// kinds database).
void WriteSendErrorLog(const QString &kind, const AutoSendLine &line);
void WriteSendErrorLogJ(const QString &kind, const AutoSendLine &line, const QString &gubun);

class TAutoSendModule
{
public:
    explicit TAutoSendModule(Tdm &data);

    // One tick: the liquor routines when IcheKind is 2, the general ones
    // otherwise. Never throws (each routine runs guarded).
    void Timer2Pass();

    void AutoSendCollect();
    void AutoSendPayment();
    void AutoSendIcheResult();
    void AutoSendJuruCollect();
    void AutoSendJuruPayment();

    // Drop-file names for today.
    static QString CollectFileName();
    static QString PaymentFileName();
    static QString IcheResultFileName();

private:
    void sendGeneral(const QString &fileName, const QString &gubun, bool trimBankId);
    void sendJuru(const QString &fileName, const QString &table, const QString &service, const QString &gubun);
    RequestResult storeBatch(const QString &fileName, RequestBatch batch, int rows,
                             const RequestSender::Statement &statement);

    // True when the file exists, was seen with the same size at the previous
    // tick and was not set aside in this run.
    bool readyToTake(const QString &fileName);
    // Deletes a file after its pass; when that fails it is set aside.
    void finish(const QString &fileName);
    void setAside(const QString &fileName, const QString &why);
    // The lines of a drop file; false when it cannot be read now (it stays
    // for the next tick) or holds more lines than a batch (it is set aside).
    bool readLines(const QString &fileName, QList<QByteArray> *lines);
    // The lines of a file that is ready to take (both of the above).
    bool takeLines(const QString &fileName, QList<QByteArray> *lines)
    {
        return readyToTake(fileName) && readLines(fileName, lines);
    }
    // As takeLines, refused with its message while the server is offline.
    bool takeLinesOnline(const QString &fileName, QList<QByteArray> *lines);

    Tdm &m_dm;
    Session &m_session;
    QHash<QString, qint64> m_seenSize;
    QSet<QString> m_abandoned; // could neither be deleted nor renamed
};

// Gives the data module a module whose pass runs on every Timer2 tick.
void InstallAutoSendModule(Tdm &data);
