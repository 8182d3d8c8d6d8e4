#include "backend/BankConsole.h"

#include "backend/BankService.h"

#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

namespace qvx {

BankConsole::BankConsole(BankService &bank, QObject *parent) : QObject(parent), m_bank(bank) {}

void BankConsole::start()
{
    m_notifier = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readInput(); });
}

void BankConsole::readInput()
{
    char chunk[1024];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
        m_notifier->setEnabled(false); // end of input (or an error): no more commands
        return;
    }
    m_buffer.append(chunk, int(n));
    for (qsizetype eol; (eol = m_buffer.indexOf('\n')) >= 0;) {
        const QString line = QString::fromUtf8(m_buffer.left(eol)).trimmed();
        m_buffer.remove(0, eol + 1);
        if (line.isEmpty())
            continue;
        std::printf("%s\n", qPrintable(run(line)));
        std::fflush(stdout);
    }
    if (m_buffer.size() > 64 * 1024)
        m_buffer.clear(); // no line end in sight: drop it
}

QString BankConsole::run(const QString &line)
{
    const QString command = line.section(QLatin1Char(' '), 0, 0).toLower();
    const QString rest = line.section(QLatin1Char(' '), 1).trimmed();
    if (command == QLatin1String("notices")) {
        m_bank.postNoticesNow();
        return QStringLiteral("bank: posting a round of notices");
    }
    if (command == QLatin1String("notice") && !rest.isEmpty()) {
        m_bank.postCommNotice(rest);
        return QStringLiteral("bank: notice text set, announcing 9000880");
    }
    if (command == QLatin1String("smsid") && !rest.isEmpty()) {
        m_bank.postSmsId(rest);
        return QStringLiteral("bank: SMS id set, announcing 9919100");
    }
    return QStringLiteral("bank commands: notices | notice TEXT | smsid ID | help");
}

} // namespace qvx
