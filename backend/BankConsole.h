#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

namespace qvx {

class BankService;

// Bank commands typed on the server's standard input (option --bank-console),
// so that the unrequested notices can be shown on demand:
//   notices       one round of deposit, stored-bill and virtual-account notices
//   notice TEXT   a new notice text (Get_Comm_Msg 1), announced as 9000880
//   smsid ID      a new SMS id (Get_Comm_Msg 2), announced as 9919100
//   help          the list of commands
class BankConsole : public QObject
{
public:
    explicit BankConsole(BankService &bank, QObject *parent = nullptr);

    // Starts reading standard input (lines end with LF); stops at its end.
    void start();
    // Runs one command line; the reply shown to the operator.
    QString run(const QString &line);

private:
    void readInput();

    BankService &m_bank;
    QSocketNotifier *m_notifier = nullptr;
    QByteArray m_buffer;
};

} // namespace qvx
