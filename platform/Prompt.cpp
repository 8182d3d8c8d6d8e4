#include "platform/Prompt.h"

#include <QCoreApplication>
#include <QAtomicPointer>

#include <cstdio>

namespace qvx {
namespace {

QAtomicPointer<Prompt> g_installed;

} // namespace

Prompt::~Prompt()
{
    g_installed.testAndSetOrdered(this, nullptr);
}

Prompt &Prompt::instance()
{
    static ConsolePrompt console;
    Prompt *p = g_installed.loadAcquire();
    return p ? *p : console;
}

void Prompt::install(Prompt *p)
{
    g_installed.storeRelease(p);
}

QString Prompt::displayText(const QString &text)
{
    QString out = text;
    // The two-character escapes only as the pairs \r\n and \r\r, so a path
    // such as "C:\run" stays as it is.
    out.replace(QLatin1String("\\r\\n"), QLatin1String("\n"));
    out.replace(QLatin1String("\\r\\r"), QLatin1String("\n\n"));
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}

void ConsolePrompt::message(const QString &text, const QString &caption)
{
    std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(Prompt::displayText(text)));
}

bool ConsolePrompt::confirm(const QString &text, const QString &caption)
{
    message(text, caption);
    return false;
}

bool ConsolePrompt::yesNo(const QString &text, const QString &caption)
{
    message(text, caption);
    return false;
}

ScriptedPrompt::ScriptedPrompt(bool install) : m_installed(install)
{
    if (install)
        Prompt::install(this);
}

ScriptedPrompt::~ScriptedPrompt() = default; // the base destructor uninstalls it

void ScriptedPrompt::message(const QString &text, const QString &caption)
{
    ask(Message, text, caption);
}

bool ScriptedPrompt::confirm(const QString &text, const QString &caption)
{
    return ask(Confirm, text, caption);
}

bool ScriptedPrompt::yesNo(const QString &text, const QString &caption)
{
    return ask(YesNo, text, caption);
}

bool ScriptedPrompt::ask(Kind kind, const QString &text, const QString &caption)
{
    Entry entry{kind, caption, text};
    bool answer = true;
    std::function<void(const Entry &)> callback;
    std::function<void(const Entry &)> unscripted;
    {
        QMutexLocker l(&m_mutex);
        m_entries.append(entry);
        if (kind != Message) {
            if (!m_answers.empty()) {
                answer = m_answers.front();
                m_answers.pop_front();
            } else if (m_unscripted) {
                unscripted = m_unscripted;
                answer = false;
            } else {
                answer = m_default;
            }
        }
        callback = m_callback;
    }
    if (unscripted)
        unscripted(entry);
    if (callback)
        callback(entry);
    return answer;
}

void ScriptedPrompt::enqueueAnswer(bool answer)
{
    QMutexLocker l(&m_mutex);
    m_answers.push_back(answer);
}

void ScriptedPrompt::setDefaultAnswer(bool answer)
{
    QMutexLocker l(&m_mutex);
    m_default = answer;
    m_unscripted = nullptr;
}

void ScriptedPrompt::failUnscripted(std::function<void(const Entry &)> report)
{
    QMutexLocker l(&m_mutex);
    m_unscripted = std::move(report);
}

void ScriptedPrompt::setCallback(std::function<void(const Entry &)> callback)
{
    QMutexLocker l(&m_mutex);
    m_callback = std::move(callback);
}

QList<ScriptedPrompt::Entry> ScriptedPrompt::entries() const
{
    QMutexLocker l(&m_mutex);
    return m_entries;
}

QStringList ScriptedPrompt::texts() const
{
    QMutexLocker l(&m_mutex);
    QStringList out;
    for (const Entry &e : m_entries)
        out.append(e.text);
    return out;
}

QString ScriptedPrompt::lastText() const
{
    QMutexLocker l(&m_mutex);
    return m_entries.isEmpty() ? QString() : m_entries.last().text;
}

int ScriptedPrompt::count() const
{
    QMutexLocker l(&m_mutex);
    return static_cast<int>(m_entries.size());
}

bool ScriptedPrompt::contains(const QString &text) const
{
    QMutexLocker l(&m_mutex);
    for (const Entry &e : m_entries)
        if (e.text == text)
            return true;
    return false;
}

void ScriptedPrompt::clear()
{
    QMutexLocker l(&m_mutex);
    m_entries.clear();
    m_answers.clear();
}

} // namespace qvx
