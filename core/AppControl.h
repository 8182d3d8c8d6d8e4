#pragma once
// Program-wide actions that tests must be able to intercept: ending the
// program, short waits, and the offline refusal every server action makes.

#include <QString>
#include <functional>

// Ends the program (the installed handler; by default the event loop is told
// to quit). Tests install a handler that records the request instead.
void TerminateProgram();
void SetTerminateHandler(std::function<void()> handler); // empty: back to the default
int TerminateRequests();        // how many times TerminateProgram ran since the last reset
void ResetTerminateRequests();

// Waits the given milliseconds while letting queued events run.
void WaitMs(int ms);

// The offline message ("the server closed the connection").
extern const QString OfflineMessage;

// True (after showing the offline message) when the relay was lost and the
// user chose to stay offline; every action that talks to the server or the
// relay calls this first and stops when it returns true.
class Session;
bool RefuseWhenOffline(const Session &session);
