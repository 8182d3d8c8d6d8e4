#pragma once
// The day's log: log/log<yyyymmdd>.txt in the program folder, CP949, CR LF.

#include <QString>

// Appends "[yyyy-mm-dd hh:nn:ss <user id in 6 bytes>] text" to today's log.
// Never throws: the log folder is created when missing and a failed write is
// reported on standard error, so logging never stops the action being logged.
class Session;
void WriteLog(const Session &session, const QString &text);

// Full name of today's log file.
QString DayLogFileName();

// Appends one line as it stands (CR LF added) to today's log file, with the
// same folder creation and failure handling as WriteLog. For writers that
// format their own lines in the same file. Returns false when it failed.
bool AppendDayLogLine(const QString &line);

// The user-id field of a log line: CP949 bytes cut or padded on the right to
// 6 bytes, never splitting a double-byte character.
QString LogUserField(const QString &userId);
