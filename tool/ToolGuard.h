#pragma once
// The guard around every handler of the tool's window: a failure nobody else
// handles shows its message (as the program's default error box would) and
// the window goes on working. The tool keeps no log.

#include <functional>

namespace tool {

// Runs action; false when it failed (the message was shown).
bool RunGuarded(const std::function<void()> &action);

} // namespace tool
