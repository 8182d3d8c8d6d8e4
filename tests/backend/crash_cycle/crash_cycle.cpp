// The server's promise under crashes, checked from outside: workers run the
// client's send flows against a real QVXServer (numbered requests, the liquor
// collection, transfers written and released by an approver, and the
// automatic send's transfers with the drop file's own message numbers, which
// collide on purpose), some links dropping between the commit and the
// registration; the server is killed (SIGKILL, now and then SIGTERM) at a
// random moment and started again on the same database. At the end every
// batch answered 1 must be processed whole, no batch half, no answered row
// answered again, no batch dropped before its registration processed, and no
// message number handed out twice.
//
//   crash_cycle --server build/apps/server/QVXServer [--seconds 150] [--seed N]
//
// Exit 0 when every promise held; 1 with the findings and the seed otherwise.

#include "backend/SqliteDatabase.h"
#include "platform/AppServer.h"
#include "platform/SqlText.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

namespace {

using qvx::AppServerError;
using qvx::TcpAppServer;

enum class Flow { Balance, Liquor, ApprovedTransfer, AutoTransfer };

struct Batch
{
    int id = 0;
    Flow flow = Flow::Balance;
    QString table;
    int rows = 0;
    bool committed = false; // the commit was answered
    bool dropped = false;   // the link was closed on purpose before the registration
    int answer = 0;         // cms_senddesc's last answer (0: none came)
    QString marker() const { return QStringLiteral("CC%1").arg(id); }
};

// What the workers did, shared by them.
class Ledger
{
public:
    int add(Batch batch)
    {
        std::lock_guard lock(m_mutex);
        batch.id = int(m_batches.size()) + 1;
        m_batches.push_back(batch);
        return batch.id;
    }
    void update(int id, const std::function<void(Batch &)> &change)
    {
        std::lock_guard lock(m_mutex);
        change(m_batches[size_t(id - 1)]);
    }
    void reserved(qint64 base, int n)
    {
        std::lock_guard lock(m_mutex);
        for (qint64 k = base + 1; k <= base + n; ++k)
            if (m_numbers.contains(k))
                m_repeated << k;
            else
                m_numbers.insert(k, true);
    }
    int nextTime()
    {
        std::lock_guard lock(m_mutex);
        return ++m_time;
    }
    std::vector<Batch> batches() const
    {
        std::lock_guard lock(m_mutex);
        return m_batches;
    }
    QList<qint64> repeated() const
    {
        std::lock_guard lock(m_mutex);
        return m_repeated;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<Batch> m_batches;
    QHash<qint64, bool> m_numbers;
    QList<qint64> m_repeated;
    int m_time = 0;
};

// QVXServer on the database file, on free loopback ports.
class Server
{
public:
    Server(const QString &program, const QString &db, int bankDelayMs)
    {
        m_process.setStandardErrorFile(db + QStringLiteral(".log"), QIODevice::Append);
        m_process.start(program, {QStringLiteral("--db"), db, QStringLiteral("--port"), QStringLiteral("0"),
                                  QStringLiteral("--relay-port"), QStringLiteral("0"), QStringLiteral("--bank-delay"),
                                  QString::number(bankDelayMs)});
        static const QRegularExpression listening(QStringLiteral("listening on [0-9.]+:(\\d+)"));
        QString output;
        QDeadlineTimer deadline(30000);
        while (m_port == 0 && !deadline.hasExpired() && m_process.state() != QProcess::NotRunning) {
            m_process.waitForReadyRead(100);
            output += QString::fromUtf8(m_process.readAllStandardOutput());
            const auto match = listening.match(output);
            if (match.hasMatch())
                m_port = quint16(match.captured(1).toUInt());
        }
    }
    ~Server() { stop(SIGKILL); }
    quint16 port() const { return m_port; }
    void stop(int signal)
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(30000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

// One client: runs batch after batch until told to stop or the server goes.
class Worker
{
public:
    Worker(int number, quint32 seed, quint16 port, Ledger &ledger, const std::atomic<bool> &stop)
        : m_number(number), m_rng(seed), m_port(port), m_ledger(ledger), m_stop(stop)
    {
    }

    void run()
    {
        try {
            connect();
            while (!m_stop)
                oneBatch();
        } catch (const AppServerError &) {
            // The server went away: this cycle is over for the worker.
        }
    }

private:
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(m_rng); }

    void connect()
    {
        m_app = std::make_unique<TcpAppServer>();
        m_app->setTimeoutMs(20000);
        m_app->open(QStringLiteral("127.0.0.1"), m_port);
        m_today = m_app->serverTime().left(8);
    }

    QString approver() const { return QStringLiteral("CA%1").arg(m_number); }

    QString giche(const Batch &b, const QString &time, int seqNo, const QString &flag) const
    {
        return QStringLiteral("insert into giche(SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,"
                              "CFMID,SendFlag,MoBankNo,Gubun,Price,TRANS_BankID,BankNo,Name,Dummy,sr_flag,up_gubuncode) "
                              "values('%1','%2','DY2',%3,'QVX0000001','IBK0300','HB0301','03','MAKER','%4','1',"
                              "'12301234567890','30','0000000010000','03','1002345678901','한빛상사','%5','%6','0100100')")
            .arg(m_today, time)
            .arg(seqNo)
            .arg(approver(), b.marker(), flag);
    }

    QString numbered(const Batch &b, const QString &time, qint64 seqNo) const
    {
        if (b.flow == Flow::Liquor)
            return QStringLiteral("insert into cmsjiche102(SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,"
                                  "USERID,SendFlag,bankNo,Gubun,Price,TRANS_BankID,MoBankNo,Name,JuFlag,JuMoney,"
                                  "nonJuMoney,Dummy,sr_flag,up_gubuncode) values('%1','%2','DY2',%3,'QVX0000001',"
                                  "'IBK0300','HB0301','03','JURU','1','1002345678901','20','0000000050000','20',"
                                  "'12301234567890','서울주류','1','40000','10000','%4','1','0102100')")
                .arg(m_today, time)
                .arg(seqNo)
                .arg(b.marker());
        return QStringLiteral("insert into amt_search(SendDate,SendTime,Service,SeqNo,SendID,RecvID,FirmID,BankID,USERID,"
                              "SendFlag,BankNo,Dummy,sr_flag,up_gubuncode) values('%1','%2','DY1',%3,'QVX0000001',"
                              "'KBK0400','HB0401','04','MAKER','1','123401234567','%4','1','0600300')")
            .arg(m_today, time)
            .arg(seqNo)
            .arg(b.marker());
    }

    void oneBatch()
    {
        Batch b;
        b.flow = Flow(pick(0, 3));
        b.rows = pick(1, 4);
        b.table = b.flow == Flow::Balance  ? QStringLiteral("amt_search")
                  : b.flow == Flow::Liquor ? QStringLiteral("cmsjiche102")
                                           : QStringLiteral("giche");
        const QString time = QStringLiteral("%1").arg(m_ledger.nextTime() % 1000000, 6, 10, QLatin1Char('0'));
        qint64 base = 0;
        if (b.flow == Flow::Balance || b.flow == Flow::Liquor) {
            base = m_app->maxSeqNo(b.rows);
            if (base < 0)
                return; // busy or failed: nothing stored
            m_ledger.reserved(base, b.rows);
        }
        const int id = m_ledger.add(b);
        b.id = id;
        try {
            for (int i = 0; i < b.rows; ++i) {
                if (b.flow == Flow::Balance || b.flow == Flow::Liquor)
                    m_app->execute(numbered(b, time, base + i + 1));
                else // the drop file's or the day's own numbers: 1, 2, ... in every batch
                    m_app->execute(giche(b, time, i + 1, b.flow == Flow::AutoTransfer ? QStringLiteral("1")
                                                                                       : QStringLiteral("0")));
            }
            m_app->execute(QStringLiteral("commit"));
            if (b.flow == Flow::ApprovedTransfer) {
                m_ledger.update(id, [](Batch &x) { x.committed = true; });
                // The final approver releases the batch.
                m_app->execute(QStringLiteral("update giche set sr_flag = '1' where cfmid = '%1' and sendtime = '%2' "
                                              "and senddate = '%3' and sr_flag = '0'")
                                   .arg(approver(), time, m_today));
                m_app->execute(QStringLiteral("commit"));
            }
        } catch (const AppServerError &e) {
            if (e.connectionClosed())
                throw;
            m_app->execute(QStringLiteral("rollback")); // locked out: nothing of the batch stays
            if (b.flow == Flow::ApprovedTransfer)
                m_ledger.update(id, [](Batch &x) { x.committed = false; x.rows = 0; }); // left for approval
            else
                m_ledger.update(id, [](Batch &x) { x.rows = 0; });
            return;
        }
        m_ledger.update(id, [](Batch &x) { x.committed = true; });
        if (pick(0, 4) == 0) {
            // The link drops before the registration.
            m_ledger.update(id, [](Batch &x) { x.dropped = true; });
            connect();
            return;
        }
        const bool transfer = b.table == QLatin1String("giche");
        const QString service = b.flow == Flow::Balance  ? QStringLiteral("0600300")
                                : b.flow == Flow::Liquor ? QStringLiteral("0102100")
                                                         : QStringLiteral("0100100");
        int answer = 0;
        for (int attempt = 0; attempt < 20 && answer != 1 && !m_stop; ++attempt) {
            try {
                answer = transfer ? m_app->sendDesc(service, approver(), QStringLiteral("0"), QStringLiteral("0"), time)
                                  : m_app->sendDesc(service, b.flow == Flow::Liquor ? QStringLiteral("JURU")
                                                                                    : QStringLiteral("MAKER"),
                                                    QString::number(base + 1), QString::number(base + b.rows),
                                                    b.flow == Flow::Liquor ? time : QStringLiteral("000000"));
            } catch (const AppServerError &e) {
                if (e.connectionClosed())
                    throw;
                answer = -9;
            }
            if (answer != 1)
                QThread::msleep(20);
        }
        m_ledger.update(id, [answer](Batch &x) { x.answer = answer; });
    }

    int m_number;
    std::mt19937 m_rng;
    quint16 m_port;
    Ledger &m_ledger;
    const std::atomic<bool> &m_stop;
    std::unique_ptr<TcpAppServer> m_app;
    QString m_today;
};

// A batch's rows as stored: their flags in order, and what the bank wrote.
struct Stored
{
    QString flags;
    QString answers; // receive date and time and error code of every row
};

QHash<QString, Stored> storedRows(qvx::DbConnection &db)
{
    QHash<QString, Stored> out;
    for (const char *table : {"amt_search", "cmsjiche102", "giche"}) {
        const qvx::ResultSet rs = db.query(
            QStringLiteral("select Dummy, sr_flag, RECEIVEDATE, RECEIVETIME, ERRCODE from %1 where Dummy like 'CC%' "
                           "order by Dummy, SeqNo")
                .arg(QLatin1String(table)));
        for (int r = 0; r < rs.recordCount(); ++r) {
            Stored &s = out[rs.value(r, 0)];
            s.flags += rs.value(r, 1);
            s.answers += rs.value(r, 1) + QLatin1Char('/') + rs.value(r, 2) + rs.value(r, 3) + rs.value(r, 4)
                         + QLatin1Char(' ');
        }
    }
    return out;
}

QString option(const QStringList &args, const QString &name, const QString &fallback)
{
    const qsizetype i = args.indexOf(name);
    return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString program = option(args, QStringLiteral("--server"), QString());
    const int seconds = option(args, QStringLiteral("--seconds"), QStringLiteral("150")).toInt();
    const quint32 seed = option(args, QStringLiteral("--seed"), QString::number(QDateTime::currentMSecsSinceEpoch() % 100000)).toUInt();
    constexpr int Workers = 6;
    if (program.isEmpty()) {
        std::fprintf(stderr, "usage: crash_cycle --server QVXServer [--seconds N] [--seed N]\n");
        return 2;
    }
    std::printf("crash-cycle: seed %u, %d s, %d workers\n", seed, seconds, Workers);
    std::fflush(stdout);

    QTemporaryDir dir;
    const QString db = dir.filePath(QStringLiteral("qvx.sqlite"));
    QProcess init;
    init.start(program, {QStringLiteral("--db"), db, QStringLiteral("--init-demo")});
    if (!init.waitForFinished(60000) || init.exitCode() != 0) {
        std::fprintf(stderr, "crash-cycle: cannot create the database\n");
        return 1;
    }

    std::mt19937 rng(seed);
    Ledger ledger;
    QStringList findings;
    QHash<QString, Stored> answered; // rows seen answered ('4') after a cycle, by batch
    const auto noteAnswered = [&](const QHash<QString, Stored> &now) {
        for (auto it = answered.cbegin(); it != answered.cend(); ++it) {
            const Stored s = now.value(it.key());
            if (s.answers != it.value().answers)
                findings << QStringLiteral("batch %1 changed after it was answered: %2 -> %3")
                                .arg(it.key(), it.value().answers, s.answers);
        }
        for (auto it = now.cbegin(); it != now.cend(); ++it)
            if (!it.value().flags.isEmpty() && it.value().flags.count(QLatin1Char('4')) == it.value().flags.size())
                answered.insert(it.key(), it.value());
    };

    QElapsedTimer clock;
    clock.start();
    int cycles = 0;
    while (clock.elapsed() < qint64(seconds) * 1000 && findings.size() < 20) {
        ++cycles;
        const int bankDelay = std::uniform_int_distribution<int>(0, 400)(rng);
        auto server = std::make_unique<Server>(program, db, bankDelay);
        if (server->port() == 0) {
            findings << QStringLiteral("cycle %1: the server did not start").arg(cycles);
            break;
        }
        std::atomic<bool> stop{false};
        std::vector<std::thread> threads;
        for (int w = 0; w < Workers; ++w)
            threads.emplace_back([&, w, s = quint32(rng())] {
                Worker(w + 1, s, server->port(), ledger, stop).run();
            });
        QThread::msleep(std::uniform_int_distribution<int>(300, 2500)(rng));
        server->stop(cycles % 7 == 0 ? SIGTERM : SIGKILL);
        stop = true;
        for (auto &t : threads)
            t.join();
        server.reset();
        qvx::SqliteDatabase database(db);
        noteAnswered(storedRows(*database.connect()));
    }

    // A last start answers what is registered and returns what is not.
    {
        Server server(program, db, 0);
        if (server.port() == 0) {
            findings << QStringLiteral("the last start failed");
        } else {
            TcpAppServer client;
            client.open(QStringLiteral("127.0.0.1"), server.port());
            QDeadlineTimer deadline(60000);
            const auto waiting = [&] {
                int n = 0;
                for (const char *t : {"amt_search", "cmsjiche102", "giche"})
                    n += client.select(QStringLiteral("select count(*) from %1 where Dummy like 'CC%' and sr_flag in ('1', '2')")
                                           .arg(QLatin1String(t)))
                             .value(0, 0)
                             .toInt();
                return n;
            };
            while (waiting() > 0 && !deadline.hasExpired())
                QThread::msleep(100);
            if (waiting() > 0)
                findings << QStringLiteral("%1 rows still wait to be sent after the last start").arg(waiting());
            client.close();
            server.stop(SIGTERM);
        }
    }
    qvx::SqliteDatabase database(db);
    const QHash<QString, Stored> last = storedRows(*database.connect());
    noteAnswered(last);

    int one = 0, processed = 0;
    for (const Batch &b : ledger.batches()) {
        const Stored s = last.value(b.marker());
        const int paid = int(s.flags.count(QLatin1Char('4')));
        const QString what = QStringLiteral("batch %1 (%2, %3 rows, answer %4%5): %6")
                                 .arg(b.marker(), b.table)
                                 .arg(b.rows)
                                 .arg(b.answer)
                                 .arg(b.dropped ? QStringLiteral(", dropped before registering") : QString(), s.flags);
        if (b.answer == 1)
            ++one;
        if (paid > 0)
            ++processed;
        if (b.committed && b.rows > 0 && s.flags.size() != b.rows)
            findings << QStringLiteral("committed rows missing: ") + what;
        if (b.answer == 1 && paid != b.rows)
            findings << QStringLiteral("answered 1, not processed whole: ") + what;
        else if (paid > 0 && paid != s.flags.size())
            findings << QStringLiteral("processed half: ") + what;
        if (b.dropped && paid > 0)
            findings << QStringLiteral("processed although never registered: ") + what;
    }
    for (qint64 n : ledger.repeated())
        findings << QStringLiteral("message number %1 handed out twice").arg(n);

    std::printf("crash-cycle: %d cycles, %zu batches, %d answered 1, %d processed\n", cycles, ledger.batches().size(),
                one, processed);
    if (findings.isEmpty()) {
        std::printf("crash-cycle: every promise held\n");
        return 0;
    }
    for (const QString &f : findings.mid(0, 40))
        std::printf("crash-cycle: %s\n", qPrintable(f));
    QFile log(db + QStringLiteral(".log"));
    if (log.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = log.readAll().split('\n');
        std::printf("crash-cycle: the server's last lines:\n");
        for (const QByteArray &line : lines.mid(qMax<qsizetype>(0, lines.size() - 20)))
            std::printf("  %s\n", line.constData());
    }
    std::printf("crash-cycle: %lld findings; run again with --seed %u\n", qint64(findings.size()), seed);
    return 1;
}
