#pragma once
// The frames the client sends to the relay. Frames are CP949 bytes framed by
// STX (0x02) and ETX (0x03).

#include <QByteArray>
#include <QString>

// CP949 bytes of text, cut or padded with blanks on the right to exactly
// width bytes; a cut never splits a double-byte character (it stops before
// it and pads with a blank).
QByteArray Cp949FixedField(const QString &text, int width);

// STX "C" <user id in 10 bytes> "SR1"|"SR0" ETX: 16 bytes.
QByteArray MakeLoginFrame(const QString &userId, int sendModuleMode);
// "PING" + user id as it is; no STX/ETX.
QByteArray MakePingText(const QString &userId);
// STX "F" <approver id> ETX.
QByteArray MakeApprovalNoticeFrame(const QString &approverId);

// The relay bytes as a line of the day's log: CP949 text with STX and ETX
// written "<STX>" and "<ETX>", and every other control byte (CR and LF
// included) as "<0xNN>", so the log holds no raw control characters.
QString RelayLogText(const QByteArray &bytes);
