#pragma once
// Every handler the edit controls run (their own focus and key processing and
// the forms' OnChange / OnExit / OnKeyPress) and every tick of the kit's
// timer pool goes through one guard, so an
// exception becomes a message box and a log line instead of reaching the
// event loop. The program installs its own guard at start-up
// (SetEditHandlerGuard(RunGuarded)); until then a default shows the message
// through qvx::Prompt and writes it to standard error.

#include <QString>
#include <functional>

using EditHandlerGuard = std::function<bool(const QString &where, const std::function<void()> &action)>;

void SetEditHandlerGuard(EditHandlerGuard guard);
// Runs action under the installed guard; false when it threw.
bool RunEditHandler(const QString &where, const std::function<void()> &action);
