#pragma once

#include <QList>
#include <QMutex>
#include <QString>
#include <deque>
#include <functional>

namespace qvx {

// Every message box and question of the program goes through the installed
// Prompt. A program with windows installs a MessageBoxPrompt at start; tests
// install a ScriptedPrompt; with none installed the console prompt answers.
class Prompt
{
public:
    virtual ~Prompt();

    // OK box.
    virtual void message(const QString &text, const QString &caption = QString()) = 0;
    // OK / Cancel box; true for OK.
    virtual bool confirm(const QString &text, const QString &caption = QStringLiteral("확인")) = 0;
    // Yes / No box; true for Yes.
    virtual bool yesNo(const QString &text, const QString &caption = QString()) = 0;

    // The installed prompt (the console prompt when none is installed).
    static Prompt &instance();
    // Installs p (not owned); nullptr puts the real prompt back.
    static void install(Prompt *p);

    // The text as shown: "\r\n" and a lone "\r" become line breaks (so "\r\r"
    // gives two), also when written as the escape pairs \r\n and \r\r.
    static QString displayText(const QString &text);
};

// The prompt of a program without windows (and of anything that runs before
// one is installed): the text on standard error, questions answered with the
// cautious Cancel / No.
class ConsolePrompt : public Prompt
{
public:
    void message(const QString &text, const QString &caption = QString()) override;
    bool confirm(const QString &text, const QString &caption = QStringLiteral("확인")) override;
    bool yesNo(const QString &text, const QString &caption = QString()) override;
};

// The real prompt: QMessageBox with Korean button texts (in the platform's
// widget part; the client installs one at start).
class MessageBoxPrompt : public Prompt
{
public:
    void message(const QString &text, const QString &caption = QString()) override;
    bool confirm(const QString &text, const QString &caption = QStringLiteral("확인")) override;
    bool yesNo(const QString &text, const QString &caption = QString()) override;
};

// A prompt for tests: records every prompt and answers questions from a
// queue, or with the default answer once the queue is empty. Installs itself
// while it lives when constructed with install = true.
class ScriptedPrompt : public Prompt
{
public:
    enum Kind { Message, Confirm, YesNo };
    struct Entry
    {
        Kind kind;
        QString caption;
        QString text;  // as given, line breaks not converted
    };

    explicit ScriptedPrompt(bool install = true);
    ~ScriptedPrompt() override;

    void message(const QString &text, const QString &caption = QString()) override;
    bool confirm(const QString &text, const QString &caption = QStringLiteral("확인")) override;
    bool yesNo(const QString &text, const QString &caption = QString()) override;

    void enqueueAnswer(bool answer);
    void setDefaultAnswer(bool answer); // also ends failUnscripted()
    // A question beyond the queued answers is reported to `report` (a test
    // fails there) and answered "no", instead of with the default answer.
    void failUnscripted(std::function<void(const Entry &)> report);
    // Runs on every prompt after it is recorded (for example to check state
    // while a box would be open).
    void setCallback(std::function<void(const Entry &)> callback);

    QList<Entry> entries() const;
    QStringList texts() const;
    QString lastText() const;  // empty when nothing was shown
    int count() const;
    bool contains(const QString &text) const;
    void clear();  // forgets entries and queued answers

private:
    bool ask(Kind kind, const QString &text, const QString &caption);

    mutable QMutex m_mutex;
    QList<Entry> m_entries;
    std::deque<bool> m_answers;
    bool m_default = true;
    std::function<void(const Entry &)> m_unscripted;
    std::function<void(const Entry &)> m_callback;
    bool m_installed = false;
};

} // namespace qvx
