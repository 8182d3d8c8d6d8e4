#include "platform/EditGuard.h"

#include "platform/Prompt.h"

#include <cstdio>
#include <exception>

namespace {

bool defaultGuard(const QString &where, const std::function<void()> &action)
{
    QString why;
    try {
        action();
        return true;
    } catch (const std::exception &e) {
        why = QString::fromUtf8(e.what());
    } catch (...) {
        why = QStringLiteral("알 수 없는 오류가 발생하였습니다.");
    }
    std::fprintf(stderr, "%s : %s\n", qPrintable(where), qPrintable(why));
    qvx::Prompt::instance().message(why);
    return false;
}

EditHandlerGuard &installed()
{
    static EditHandlerGuard guard;
    return guard;
}

} // namespace

void SetEditHandlerGuard(EditHandlerGuard guard)
{
    installed() = std::move(guard);
}

bool RunEditHandler(const QString &where, const std::function<void()> &action)
{
    if (installed())
        return installed()(where, action);
    return defaultGuard(where, action);
}
