#pragma once
// The frames the relay exchanges with the clients. Every frame is STX (0x02),
// a body of CP949 bytes and ETX (0x03); only the keep-alive "PING" + user id
// comes without STX/ETX.

#include <QByteArray>
#include <QString>

namespace qvx::relay {

// What a login frame (STX "C" + user id in 10 bytes + "SR0"/"SR1" ETX) says.
struct Login
{
    QString userId;      // blanks trimmed
    bool module = false; // "SR1": the automatic send/receive module
};

// Reads the body of a login frame ("C" + id + flag). The id is normally blank
// padded to 10 bytes; shorter or longer bodies are read as well as they can
// be (the flag is taken when the body ends with "SR0"/"SR1").
Login parseLogin(const QByteArray &body);

// The key under which a user is found: the id as it travels in a login frame
// (its first 10 CP949 bytes, never splitting a double-byte character), blanks
// trimmed, without regard to case. So a 12-character id that logged in cut to
// 10 is still reached by its full id.
QString userKey(const QString &userId);

// True for exactly seven ASCII digits.
bool isServiceCode(const QString &code);

QByteArray loginAccepted();              // STX "CY" ETX
QByteArray loginRefused();               // STX "CN" ETX
QByteArray moduleAck();                  // STX "SR1" ETX
QByteArray approvalArrived();            // STX "F" ETX
QByteArray approvalDelivered();          // STX "FY" ETX
QByteArray approvalNotConnected();       // STX "FN" ETX
QByteArray serviceFrame(const QString &code7); // STX "Q" + 7 digits + ETX

} // namespace qvx::relay
