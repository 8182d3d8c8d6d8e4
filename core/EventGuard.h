#pragma once
// One guard around every event handler: an unexpected exception becomes a
// message box and a log line, and never reaches the event loop.

#include <QString>
#include <functional>

// Runs action; returns false when it threw (the failure was shown and logged).
class Session;
bool RunGuarded(const Session &session, const QString &where, const std::function<void()> &action);
