#include "core/AutoSend.h"

#include "core/AppControl.h"
#include "core/BankSql.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/RequestRows.h"
#include "core/RequestSql.h"
#include "core/SeqNo.h"
#include "core/TextUtils.h"
#include "platform/AppServer.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"
#include "platform/SqlText.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include <memory>

namespace {

const QString Pad = QStringLiteral("      ");

QString today() { return qvx::Clock::today(QStringLiteral("yyyyMMdd")); }
QString nowHhnnss() { return qvx::Clock::nowText(QStringLiteral("hhmmss")); }

QString sendFile(const QString &prefix)
{
    return qvx::ProgramDir::path(QStringLiteral("send")) + QLatin1Char('/') + prefix + today()
           + QStringLiteral(".dat");
}

QString bytesField(const QByteArray &raw, int start, int length)
{
    if (start < 1 || length < 1 || start > raw.size())
        return QString();
    return qvx::Cp949::decode(raw.mid(start - 1, length));
}

// The characters that lie wholly inside bytes start .. start + length - 1
// (1-based): a double-byte character across either edge is left out.
QString wholeCharacters(const QByteArray &bytes, int start, int length)
{
    const int from = start - 1;
    const int to = from + length;
    int i = 0;
    int first = -1;
    int last = -1;
    while (i < bytes.size() && i < to) {
        const int w = qvx::Cp949::isLeadByte(uchar(bytes[i])) && i + 1 < bytes.size() ? 2 : 1;
        if (i >= from && i + w <= to) {
            if (first < 0)
                first = i;
            last = i + w;
        }
        i += w;
    }
    return first < 0 ? QString() : qvx::Cp949::decode(bytes.mid(first, last - first));
}

// The first bank row whose bankid equals the code, -1 when there is none.
int findBank(const qvx::ResultSet &banks, const QString &bankId)
{
    for (int r = 0; r < banks.recordCount(); ++r)
        if (banks.value(r, QStringLiteral("bankid")) == bankId)
            return r;
    return -1;
}

QString errorPrefix(const QString &kind)
{
    if (kind == QLatin1String("1"))
        return QStringLiteral("자료변환 error -> ");
    if (kind == QLatin1String("2"))
        return QStringLiteral("이체송신 error -> ");
    return QString();
}

QString databaseErrorLine(const AutoSendLine &line)
{
    return QStringLiteral("database error -> ") + today() + QLatin1Char(' ') + nowHhnnss() + QLatin1Char(' ') + Pad
           + QLatin1Char('-') + line.field(cvBankId);
}

} // namespace

QString AutoSendLine::field(ConvPair pair) const
{
    if (!layout)
        return QString();
    return bytesField(raw, (*layout)[pair].start, (*layout)[pair].length);
}

void WriteSendErrorLog(const QString &kind, const AutoSendLine &line)
{
    const QString prefix = errorPrefix(kind);
    if (prefix.isEmpty()) {
        AppendDayLogLine(databaseErrorLine(line));
        return;
    }
    AppendDayLogLine(prefix + today() + QLatin1Char(' ') + Pad + line.field(cvBankId) + QLatin1Char(' ')
                     + line.field(cvBankNo) + QLatin1Char(' ') + line.field(cvMoney) + QLatin1Char(' ')
                     + line.field(cvSName) + QLatin1Char(' ') + line.field(cvGubun) + QLatin1Char(' ')
                     + line.field(cvCInfo));
}

void WriteSendErrorLogJ(const QString &kind, const AutoSendLine &line, const QString &gubun)
{
    const QString prefix = errorPrefix(kind);
    if (prefix.isEmpty()) {
        AppendDayLogLine(databaseErrorLine(line));
        return;
    }
    AppendDayLogLine(prefix + today() + QLatin1Char(' ') + nowHhnnss() + QLatin1Char(' ') + Pad + QLatin1Char(' ')
                     + line.field(cvBankId) + QLatin1Char(' ') + line.field(cvBankNo) + QLatin1Char(' ')
                     + line.field(cvMoney) + QLatin1Char(' ') + line.field(cvJuMoney) + QLatin1Char(' ')
                     + line.field(cvBJuMoney) + QLatin1Char(' ') + line.field(cvJumin) + QLatin1Char(' ')
                     + line.field(cvSName) + QLatin1Char(' ') + gubun + QLatin1Char(' ') + line.field(cvCInfo));
}

TAutoSendModule::TAutoSendModule(Tdm &data) : m_dm(data), m_session(data.session) {}

QString TAutoSendModule::CollectFileName() { return sendFile(QStringLiteral("ID")); }
QString TAutoSendModule::PaymentFileName() { return sendFile(QStringLiteral("ID_")); }
QString TAutoSendModule::IcheResultFileName() { return sendFile(QStringLiteral("IA")); }

void TAutoSendModule::Timer2Pass()
{
    try {
        if (m_session.IcheKind == 2) {
            RunGuarded(m_session, QStringLiteral("AutoSendJuruCollect"), [this] { AutoSendJuruCollect(); });
            RunGuarded(m_session, QStringLiteral("AutoSendJuruPayment"), [this] { AutoSendJuruPayment(); });
        } else {
            RunGuarded(m_session, QStringLiteral("AutoSendCollect"), [this] { AutoSendCollect(); });
            RunGuarded(m_session, QStringLiteral("AutoSendPayment"), [this] { AutoSendPayment(); });
            RunGuarded(m_session, QStringLiteral("AutoSendIcheResult"), [this] { AutoSendIcheResult(); });
        }
    } catch (...) {
        // The guard's own message box or log failed: nothing more to do, the
        // timer must run again all the same.
    }
}

bool TAutoSendModule::readyToTake(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (!info.exists()) {
        m_seenSize.remove(fileName);
        m_abandoned.remove(fileName);
        return false;
    }
    if (m_abandoned.contains(fileName))
        return false;
    const qint64 size = info.size();
    const auto seen = m_seenSize.constFind(fileName);
    if (seen == m_seenSize.constEnd() || seen.value() != size) {
        m_seenSize.insert(fileName, size);
        return false;
    }
    return true;
}

void TAutoSendModule::setAside(const QString &fileName, const QString &why)
{
    m_seenSize.remove(fileName);
    QString target = fileName + QStringLiteral(".incomplete-") + nowHhnnss();
    for (int n = 2; QFile::exists(target); ++n)
        target = fileName + QStringLiteral(".incomplete-") + nowHhnnss() + QLatin1Char('-') + QString::number(n);
    if (QFile::rename(fileName, target)) {
        WriteLog(m_session, QStringLiteral("auto send: ") + QFileInfo(fileName).fileName() + QStringLiteral(" set aside as ")
                 + QFileInfo(target).fileName() + QStringLiteral(": ") + why);
    } else {
        m_abandoned.insert(fileName);
        WriteLog(m_session, QStringLiteral("auto send: ") + QFileInfo(fileName).fileName()
                 + QStringLiteral(" can be neither deleted nor renamed and is not read again: ") + why);
    }
}

bool TAutoSendModule::readLines(const QString &fileName, QList<QByteArray> *lines)
{
    QString refusal;
    switch (qvx::TextFile::readCp949Lines(fileName, MaxBatchRows, lines, &refusal)) {
    case qvx::TextFile::Read::Read:
        return true;
    case qvx::TextFile::Read::Unreadable:
        return false;  // cannot be read now: try again at the next tick
    case qvx::TextFile::Read::Refused:
        setAside(fileName, refusal);  // never to be read again
        return false;
    }
    return false;
}

void TAutoSendModule::finish(const QString &fileName)
{
    m_seenSize.remove(fileName);
    if (!QFile::remove(fileName) && QFile::exists(fileName))
        setAside(fileName, QStringLiteral("cannot delete the file"));
}

// Stores the rows of one drop file through the request sender, a refused
// line logged and skipped. The file is removed once its batch is registered
// (or had no row to store); it stays for the next tick when nothing was stored
// (no message numbers, a lost link); a file some of whose rows were stored is
// set aside, never read again, when a later step fails or the registration is
// withdrawn.
RequestResult TAutoSendModule::storeBatch(const QString &fileName, RequestBatch batch, int rows,
                                          const RequestSender::Statement &statement)
{
    using Outcome = RequestResult::Outcome;
    batch.policy = RequestBatch::Policy::SkipBadLine;
    RequestSender sender(m_session, *m_dm.scktconnect);
    const RequestResult result = sender.send(batch, rows, statement);
    switch (result.outcome) {
    case Outcome::Sent:
    case Outcome::Empty:
        finish(fileName);
        break;
    case Outcome::ReserveFailed:
    case Outcome::Stopped: // no step of a drop file stops its batch
        break;             // the file stays for the next tick
    case Outcome::Withdrawn:
        setAside(fileName, QStringLiteral("registration withdrawn"));
        break;
    case Outcome::InsertFailed:
    case Outcome::CommitFailed:
    case Outcome::ConnectionLost:
        if (result.stored > 0)
            setAside(fileName, result.error);
        else
            WriteLog(m_session, QStringLiteral("auto send: ") + QFileInfo(fileName).fileName()
                                    + QStringLiteral(" kept for the next tick: ") + result.error);
        break;
    }
    return result;
}

bool TAutoSendModule::takeLinesOnline(const QString &fileName, QList<QByteArray> *lines)
{
    return !RefuseWhenOffline(m_session) && takeLines(fileName, lines);
}

void TAutoSendModule::AutoSendCollect()
{
    sendGeneral(CollectFileName(), QStringLiteral("20"), false);
}

void TAutoSendModule::AutoSendPayment()
{
    sendGeneral(PaymentFileName(), QStringLiteral("30"), true);
}

void TAutoSendModule::sendGeneral(const QString &fileName, const QString &gubun, bool trimBankId)
{
    const QString batchTime = nowHhnnss();
    QList<QByteArray> lines;
    if (!takeLinesOnline(fileName, &lines))
        return;
    m_session.AutoSendCount = int(lines.size());
    const qvx::ResultSet banks = m_dm.cms_select1(BankSql::motherAccounts({.passwords = true}));

    RequestBatch batch = RequestBatch::byCfmId(QStringLiteral("0100100"), QStringLiteral("giche"), batchTime);
    batch.onRefused = [&](int i) { WriteSendErrorLog(QStringLiteral("3"), AutoSendLine{lines[i], &m_session.ConvLayout}); };
    storeBatch(
        fileName, batch, int(lines.size()),
        [&](int i, qint64) {
            const AutoSendLine line{lines[i], &m_session.ConvLayout};
            auto f = [&line](ConvPair p) { return line.field(p).trimmed(); };
            const QString seqNo = f(cvSeqNo);
            if (!qvx::isAsciiDigits(seqNo)) {
                WriteSendErrorLog(QStringLiteral("1"), line);
                return QString();
            }
            const QString moBankId = trimBankId ? f(cvMoBankId) : line.field(cvMoBankId);
            const int b = findBank(banks, moBankId);
            if (b < 0) {
                WriteSendErrorLog(QStringLiteral("2"), line);
                return QString();
            }
            auto bank = [&banks, b](const char *column) { return banks.value(b, QString::fromLatin1(column)); };
            // Fee and price sit at byte positions 1-5 and 6-13 of the other info;
            // a double-byte character across the boundary belongs to neither.
            const QByteArray info = qvx::Cp949::encode(f(cvCInfo));
            return MakeGicheSql(
                today(), batchTime, QStringLiteral("DY2"), seqNo, m_session.NetworkId, bank("recvid"), bank("firmid"),
                bank("bankid"), m_session.LoginUserId, m_session.LoginUserId, QStringLiteral("1"), bank("mobankno"), bank("passwd"),
                bank("dblpasswd"), gubun, f(cvMoney), QString(), QString(), f(cvBankId), f(cvBankNo), QString(),
                QString(), bank("sendname"), QString(), wholeCharacters(info, 1, 5), wholeCharacters(info, 6, 8),
                QString(), QString(), QStringLiteral("1"), QStringLiteral("0100100"), QString());
        });
}

void TAutoSendModule::AutoSendIcheResult()
{
    const QString fileName = IcheResultFileName();
    QList<QByteArray> lines;
    if (!takeLinesOnline(fileName, &lines))
        return;
    // A reservation that fails leaves the file for the next tick.
    storeBatch(
        fileName, RequestBatch::bySeqNo(QStringLiteral("0600100"), QStringLiteral("icheresult")), int(lines.size()),
        [&](int i, qint64 seqNo) {
            const QByteArray &raw = lines[i];
            auto f = [&raw](int start, int length) { return bytesField(raw, start, length).trimmed(); };
            return MakeIcheResultSql(
                today(), nowHhnnss(), m_session.ServiceDiv, QString::number(seqNo), f(1, 10), f(11, 10), f(21, 8),
                f(29, 2), m_session.LoginUserId, QStringLiteral("1"), today(), f(31, 6), QString(), QString(), QString(),
                QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(), QString(),
                QString(), QStringLiteral("1"), QString(), QStringLiteral("0600100"));
        });
}

void TAutoSendModule::AutoSendJuruCollect()
{
    sendJuru(CollectFileName(), QStringLiteral("cmsjiche102"), QStringLiteral("0102100"), QStringLiteral("20"));
}

void TAutoSendModule::AutoSendJuruPayment()
{
    sendJuru(PaymentFileName(), QStringLiteral("CMSJICHE103"), QStringLiteral("0103100"), QStringLiteral("30"));
}

void TAutoSendModule::sendJuru(const QString &fileName, const QString &table, const QString &service,
                               const QString &gubun)
{
    if (m_session.ServerState == 1)
        return;  // offline: silently, the file stays
    const QString batchTime = nowHhnnss();
    QList<QByteArray> lines;
    if (!takeLines(fileName, &lines))
        return;

    QList<AutoSendLine> kept;
    for (const QByteArray &raw : lines) {
        const AutoSendLine line{raw, &m_session.ConvLayout};
        // The check reads codes and numbers without the blanks of their
        // fixed-width fields; the row keeps the fields as cut.
        auto t = [&line](ConvPair p) { return line.field(p).trimmed(); };
        if (CheckAcctNo(t(cvMoBankId), t(cvMoBankNo)) && CheckAcctNo(t(cvBankId), t(cvBankNo)))
            kept << line;
        else
            WriteSendErrorLogJ(QStringLiteral("1"), line, gubun);
    }
    const int n = int(kept.size());
    m_session.AutoSendCount = n;
    const qvx::ResultSet banks = m_dm.cms_select1(BankSql::motherAccounts({.passwords = true}));
    const bool collection = table.compare(QLatin1String("cmsjiche102"), Qt::CaseInsensitive) == 0;

    RequestBatch batch = RequestBatch::bySeqNo(service, table);
    batch.time = batchTime;
    batch.dbErrorNotice = SeqNoDbErrorNotice::Silent;
    batch.onRefused = [&](int i) { WriteSendErrorLogJ(QStringLiteral("3"), kept[i], gubun); };
    const RequestResult result = storeBatch(fileName, batch, n, [&](int i, qint64 seqNo) {
        const AutoSendLine &line = kept[i];
        const int b = findBank(banks, line.field(cvMoBankId));
        if (b < 0) {
            WriteSendErrorLogJ(QStringLiteral("2"), line, gubun);
            return QString();
        }
        auto bank = [&banks, b](const char *column) { return banks.value(b, QString::fromLatin1(column)); };
        // Position 12 is the mother account and 20 the payee account in both
        // tables (named bankNo/MoBankNo in the collection table and
        // MoBankNo/BankNo in the payment table).
        const QStringList v = {
            today(), nowHhnnss(), QStringLiteral("DY2"), QString::number(seqNo), m_session.NetworkId,
            bank("recvid"), bank("firmid"), bank("bankid"), m_session.LoginUserId, QString(), QStringLiteral("1"),
            bank("mobankno"), bank("passwd"), bank("dblpasswd"), gubun, line.field(cvMoney), QString(), QString(),
            line.field(cvBankId), line.field(cvBankNo), QString(), QString(), bank("sendname"), QString(),
            line.field(cvJumin), QStringLiteral("1"), line.field(cvJuMoney), line.field(cvBJuMoney), QString(),
            QStringLiteral("1"), service, QString()};
        return collection ? MakeInsertSql(RequestRowFromValues<Jiche102Row>(v))
                          : MakeInsertSql(RequestRowFromValues<Jiche103Row>(v));
    });
    // The range the result screen shows on the answer.
    if (result.outcome != RequestResult::Outcome::ReserveFailed && n > 0) {
        m_session.SeqNoBase = int(result.base);
        m_session.SeqNoLast = int(result.base + n);
    }
}

void InstallAutoSendModule(Tdm &data)
{
    auto module = std::make_shared<TAutoSendModule>(data);
    data.setAutoSendRoutine([module] { module->Timer2Pass(); });
}
