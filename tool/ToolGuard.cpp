#include "tool/ToolGuard.h"

#include "platform/Prompt.h"

#include <exception>

namespace tool {

bool RunGuarded(const std::function<void()> &action)
{
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        // the server's and the result's errors carry their text as UTF-8
        qvx::Prompt::instance().message(QString::fromUtf8(e.what()));
    } catch (...) {
        qvx::Prompt::instance().message(QStringLiteral("unknown error"));
    }
    return false;
}

} // namespace tool
