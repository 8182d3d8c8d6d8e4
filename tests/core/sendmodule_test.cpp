#include "core/AutoSend.h"
#include "core/AppControl.h"
#include "core/DMUnit.h"
#include "core/DayLog.h"
#include "core/Session.h"
#include "core/SeqNo.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/Prompt.h"
#include "platform/ProgramDir.h"
#include "support/TestServer.h"

#include <QDir>
#include <QFile>
#include <QMutex>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <map>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// Keeps every registered batch; refuses them while `refuse` is set.
class RecordingSink : public qvx::BatchSink
{
public:
    bool acceptBatch(const qvx::SendBatch &batch) override
    {
        QMutexLocker lock(&mutex);
        if (refuse)
            return false;
        batches.push_back(batch);
        return true;
    }
    std::vector<qvx::SendBatch> taken()
    {
        QMutexLocker lock(&mutex);
        return batches;
    }
    QMutex mutex;
    std::vector<qvx::SendBatch> batches;
    bool refuse = false;
};

// A drop-file line: fields placed at 1-based byte positions, blanks between.
QByteArray line(const std::map<int, QString> &fields)
{
    QByteArray out;
    for (const auto &[start, text] : fields) {
        const QByteArray bytes = qvx::Cp949::encode(text);
        if (out.size() < start - 1)
            out.append(QByteArray(start - 1 - out.size(), ' '));
        out = out.left(start - 1) + bytes;
    }
    return out;
}

void setPair(Session &session, ConvPair p, int start, int length) { session.ConvLayout[p] = ConvField{start, length}; }

class SendModule : public ::testing::Test
{
protected:
    Session session;
    static void SetUpTestSuite() { server = new qvx::test::TestServer(); }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }

    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        qvx::ProgramDir::setOverride(home.path());
        QDir(home.path()).mkpath(S("send"));
        qvx::Clock::setFixed(QDateTime(QDate(2026, 3, 5), QTime(9, 30, 0)));
        session.LoginUserId = S("AUTO01");
        session.NetworkId = S("QVX0000001");
        session.ServiceDiv = S("DY1");
        session.SendModuleMode = 2;
        sink = std::make_shared<RecordingSink>();
        server->setBatchSink(sink);
        data = std::make_unique<Tdm>(session);
        data->setAppServer(&server->client());
        module = std::make_unique<TAutoSendModule>(*data);
    }
    void TearDown() override
    {
        module.reset();
        data.reset();
        qvx::Clock::reset();
        qvx::ProgramDir::setOverride(QString());
    }

    void generalLayout()
    {
        session.IcheKind = 1;
        setPair(session, cvMoBankId, 1, 2);
        setPair(session, cvMoBankNo, 3, 15);
        setPair(session, cvGubun, 18, 2);
        setPair(session, cvBankId, 20, 2);
        setPair(session, cvBankNo, 22, 15);
        setPair(session, cvMoney, 37, 13);
        setPair(session, cvSName, 50, 20);
        setPair(session, cvCInfo, 70, 20);
        setPair(session, cvSeqNo, 90, 6);
    }
    void liquorLayout()
    {
        session.IcheKind = 2;
        setPair(session, cvMoBankId, 1, 2);
        setPair(session, cvMoBankNo, 3, 15);
        setPair(session, cvGubun, 18, 2);
        setPair(session, cvBankId, 20, 2);
        setPair(session, cvBankNo, 22, 15);
        setPair(session, cvJuMoney, 37, 13);
        setPair(session, cvBJuMoney, 50, 13);
        setPair(session, cvMoney, 63, 13);
        setPair(session, cvSName, 76, 20);
        setPair(session, cvJumin, 96, 13);
        setPair(session, cvCInfo, 109, 20);
    }

    QByteArray generalLine(const QString &moBank, const QString &seqNo, const QString &amount = S("50000"),
                           const QString &otherInfo = S("01000000250000"))
    {
        return line({{1, moBank}, {3, S("123401234567")}, {18, S("20")}, {20, S("03")}, {22, S("12312345601234")},
                     {37, amount}, {50, S("김철수")}, {70, otherInfo}, {90, seqNo}});
    }
    QByteArray liquorLine(const QString &payeeAcct, const QString &amount)
    {
        return line({{1, S("04")}, {3, S("123401234567")}, {18, S("20")}, {20, S("03")}, {22, payeeAcct},
                     {37, S("30000")}, {50, S("20000")}, {63, amount}, {76, S("주류상회")}, {96, S("800101")},
                     {109, S("INFO")}});
    }

    static void writeFile(const QString &name, const QList<QByteArray> &lines)
    {
        QFile f(name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        for (const QByteArray &l : lines)
            f.write(l + "\r\n");
    }
    QString dayLog() const
    {
        QFile f(DayLogFileName());
        return f.open(QIODevice::ReadOnly) ? qvx::Cp949::decode(f.readAll()) : QString();
    }
    QStringList sendFolder() const { return QDir(home.path() + S("/send")).entryList(QDir::Files); }
    qvx::ResultSet rows(const QString &sql) { return server->query(sql); }

    static qvx::test::TestServer *server;
    QTemporaryDir home;
    qvx::ScriptedPrompt prompt;
    std::shared_ptr<RecordingSink> sink;
    std::unique_ptr<Tdm> data;
    std::unique_ptr<TAutoSendModule> module;
};
qvx::test::TestServer *SendModule::server = nullptr;

TEST_F(SendModule, FeeAndPriceOfTheOtherInfoNeverSplitACharacter)
{
    generalLayout();
    const QString file = TAutoSendModule::CollectFileName();
    // Bytes 5-6 of the other info hold one Korean character: it belongs to
    // neither the fee (bytes 1-5) nor the price (bytes 6-13).
    writeFile(file, {generalLine(S("04"), S("710101"), S("50000"), S("1234가5678"))});
    module->AutoSendCollect();
    module->AutoSendCollect();
    const qvx::ResultSet r = rows(S("select TaErrFee, TaErrPrice from giche where seqno = 710101"));
    ASSERT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.value(0, S("TaErrFee")), S("1234"));
    EXPECT_EQ(r.value(0, S("TaErrPrice")), S("5678"));
    server->exec(S("delete from giche where seqno = 710101"));
}

TEST_F(SendModule, CollectionFileBecomesGicheRowsOnceItsSizeHeld)
{
    generalLayout();
    const QString file = TAutoSendModule::CollectFileName();
    EXPECT_TRUE(file.endsWith(S("/send/ID20260305.dat")));
    writeFile(file, {generalLine(S("04"), S("710001")), generalLine(S("99"), S("710002")),
                     generalLine(S("04"), S("7100x3")), generalLine(S("04"), S("710004"), S("75000"))});

    module->AutoSendCollect();  // first sight: only its size is noted
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno >= 710001 and seqno <= 710004")).valueInt(0, S("n")), 0);

    module->AutoSendCollect();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(session.AutoSendCount, 4);
    const qvx::ResultSet r = rows(S("select * from giche where seqno between 710001 and 710004 order by seqno"));
    ASSERT_EQ(r.recordCount(), 2);
    EXPECT_EQ(r.value(0, S("seqno")), S("710001"));
    EXPECT_EQ(r.value(1, S("seqno")), S("710004"));
    EXPECT_EQ(r.value(0, S("SendDate")), S("20260305"));
    EXPECT_EQ(r.value(0, S("SendTime")), S("093000"));
    EXPECT_EQ(r.value(0, S("Service")), S("DY2"));
    EXPECT_EQ(r.value(0, S("SendID")), S("QVX0000001"));
    EXPECT_EQ(r.value(0, S("RecvID")), S("KBK0400"));
    EXPECT_EQ(r.value(0, S("FirmID")), S("HB0401"));
    EXPECT_EQ(r.value(0, S("BankID")), S("04"));
    EXPECT_EQ(r.value(0, S("CFMID")), S("AUTO01"));
    EXPECT_EQ(r.value(0, S("MoBankNo")), S("123401234567"));
    EXPECT_EQ(r.value(0, S("PassWd")), S("2345"));
    EXPECT_EQ(r.value(0, S("Boki")), S("234567"));
    EXPECT_EQ(r.value(0, S("Gubun")), S("20"));
    EXPECT_EQ(r.value(0, S("Price")), S("50000"));
    EXPECT_EQ(r.value(1, S("Price")), S("75000"));
    EXPECT_EQ(r.value(0, S("TRANS_BankID")), S("03"));
    EXPECT_EQ(r.value(0, S("BankNo")), S("12312345601234"));
    EXPECT_EQ(r.value(0, S("Name")), S("한빛상사"));
    EXPECT_EQ(r.value(0, S("TaErrFee")), S("01000"));
    EXPECT_EQ(r.value(0, S("TaErrPrice")), S("00025000"));
    EXPECT_EQ(r.value(0, S("sr_flag")), S("1"));
    EXPECT_EQ(r.value(0, S("up_gubuncode")), S("0100100"));

    const auto batches = sink->taken();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].serviceCode, S("0100100"));
    EXPECT_EQ(batches[0].userId, S("AUTO01"));
    EXPECT_EQ(batches[0].time, S("093000"));
    EXPECT_EQ(batches[0].rowCount, 2);

    const QString log = dayLog();
    EXPECT_TRUE(log.contains(S("이체송신 error -> 20260305       03 12312345601234  50000")));  // bank 99
    EXPECT_TRUE(log.contains(S("자료변환 error -> 20260305 ")));                                 // 7100x3
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SendModule, OtherInfoIsSplitByBytePositions)
{
    generalLayout();
    // Bytes 1-5 "가나1" are the fee, bytes 6-13 the price.
    writeFile(TAutoSendModule::CollectFileName(),
              {line({{1, S("04")}, {3, S("123401234567")}, {18, S("20")}, {20, S("03")}, {22, S("12312345601234")},
                     {37, S("50000")}, {50, S("김철수")}, {70, S("가나1234567890")}, {90, S("770001")}})});
    module->AutoSendCollect();
    module->AutoSendCollect();
    const qvx::ResultSet r = rows(S("select * from giche where seqno = 770001"));
    ASSERT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.value(0, S("TaErrFee")), S("가나1"));
    EXPECT_EQ(r.value(0, S("TaErrPrice")), S("23456789"));
}

TEST_F(SendModule, YesterdaysFileIsNeverRead)
{
    generalLayout();
    const QString yesterday = home.path() + S("/send/ID20260304.dat");
    writeFile(yesterday, {generalLine(S("04"), S("780001"))});
    module->AutoSendCollect();
    module->AutoSendCollect();
    EXPECT_TRUE(QFile::exists(yesterday));
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno = 780001")).valueInt(0, S("n")), 0);
}

TEST_F(SendModule, PaymentTrimsTheMotherBankCodeAndCollectionDoesNot)
{
    generalLayout();
    setPair(session, cvMoBankId, 1, 3);  // "04 " in a three-byte field
    setPair(session, cvMoBankNo, 4, 14);
    auto blankAfterCode = [this](const char *seqNo) {
        QByteArray l = generalLine(S("04"), S(seqNo));
        l[2] = ' ';  // "04 " then the account from byte 4
        return l;
    };
    writeFile(TAutoSendModule::CollectFileName(), {blankAfterCode("720001")});
    writeFile(TAutoSendModule::PaymentFileName(), {blankAfterCode("720002")});
    for (int tick = 0; tick < 2; ++tick) {
        module->AutoSendCollect();
        module->AutoSendPayment();
    }
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno = 720001")).valueInt(0, S("n")), 0);
    const qvx::ResultSet r = rows(S("select * from giche where seqno = 720002"));
    ASSERT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.value(0, S("Gubun")), S("30"));
    EXPECT_TRUE(sendFolder().isEmpty());
}

TEST_F(SendModule, ResultInquiryFileReservesNumbersAndRegistersTheRange)
{
    generalLayout();
    const QString file = TAutoSendModule::IcheResultFileName();
    writeFile(file, {QByteArray("SENDER0001RECV000001HB0401  04123456"), QByteArray("SENDER0001RECV000001HB0301  03  7890")});
    module->AutoSendIcheResult();
    EXPECT_TRUE(QFile::exists(file));
    module->AutoSendIcheResult();
    EXPECT_FALSE(QFile::exists(file));

    const auto batches = sink->taken();
    ASSERT_EQ(batches.size(), 1u);
    EXPECT_EQ(batches[0].serviceCode, S("0600100"));
    EXPECT_EQ(batches[0].lastNo, batches[0].firstNo + 1);
    EXPECT_EQ(batches[0].time, S("000000"));
    const qvx::ResultSet r = rows(S("select * from icheresult where seqno between %1 and %2 order by seqno")
                                      .arg(batches[0].firstNo)
                                      .arg(batches[0].lastNo));
    ASSERT_EQ(r.recordCount(), 2);
    EXPECT_EQ(r.value(0, S("Service")), S("DY1"));
    EXPECT_EQ(r.value(0, S("SendID")), S("SENDER0001"));
    EXPECT_EQ(r.value(0, S("RecvID")), S("RECV000001"));
    EXPECT_EQ(r.value(0, S("FirmID")), S("HB0401"));
    EXPECT_EQ(r.value(0, S("BankID")), S("04"));
    EXPECT_EQ(r.value(0, S("org_seqno")), S("123456"));
    EXPECT_EQ(r.value(1, S("org_seqno")), S("7890"));
    EXPECT_EQ(r.value(0, S("ICHE_SendDate")), S("20260305"));
    EXPECT_EQ(r.value(0, S("up_gubuncode")), S("0600100"));
}

TEST_F(SendModule, EmptyResultInquiryFileIsDeletedWithoutRegistration)
{
    generalLayout();
    const QString file = TAutoSendModule::IcheResultFileName();
    writeFile(file, {});
    module->AutoSendIcheResult();
    module->AutoSendIcheResult();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(sink->taken().empty());
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SendModule, LiquorFilesCheckAccountsAndUseReservedNumbers)
{
    liquorLayout();
    writeFile(TAutoSendModule::CollectFileName(),
              {liquorLine(S("12312345601234"), S("50000")), liquorLine(S("12-34"), S("60000")),
               liquorLine(S("123123456012"), S("70000"))});
    writeFile(TAutoSendModule::PaymentFileName(), {liquorLine(S("12312345601234"), S("80000"))});
    module->Timer2Pass();
    EXPECT_EQ(sendFolder().size(), 2);
    module->Timer2Pass();
    EXPECT_TRUE(sendFolder().isEmpty());

    const auto batches = sink->taken();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[0].serviceCode, S("0102100"));
    EXPECT_EQ(batches[0].lastNo - batches[0].firstNo + 1, 2);
    EXPECT_EQ(batches[0].time, S("093000"));
    EXPECT_EQ(batches[1].serviceCode, S("0103100"));
    EXPECT_EQ(session.SeqNoBase, batches[1].firstNo - 1);
    EXPECT_EQ(session.SeqNoLast, batches[1].lastNo);
    EXPECT_EQ(session.AutoSendCount, 1);

    const qvx::ResultSet c = rows(
        S("select * from cmsjiche102 where seqno between %1 and %2 order by seqno").arg(batches[0].firstNo).arg(batches[0].lastNo));
    ASSERT_EQ(c.recordCount(), 2);
    EXPECT_EQ(c.value(0, S("bankNo")), S("123401234567"));      // mother account at position 12
    EXPECT_EQ(c.value(0, S("MoBankNo")), S("12312345601234 "));  // payee account as cut, position 20
    EXPECT_EQ(c.value(1, S("Price")), S("70000        "));
    EXPECT_EQ(c.value(0, S("JuFlag")), S("1"));
    EXPECT_EQ(c.value(0, S("JuMoney")), S("30000        "));
    EXPECT_EQ(c.value(0, S("JuminNo")), S("800101       "));
    EXPECT_EQ(c.value(0, S("CFMID")), QString());
    EXPECT_EQ(c.value(0, S("Name")), S("한빛상사"));
    EXPECT_EQ(c.value(0, S("up_gubuncode")), S("0102100"));
    const qvx::ResultSet p = rows(S("select * from CMSJICHE103 where seqno = %1").arg(batches[1].firstNo));
    ASSERT_EQ(p.recordCount(), 1);
    EXPECT_EQ(p.value(0, S("MoBankNo")), S("123401234567"));
    EXPECT_EQ(p.value(0, S("BankNo")), S("12312345601234 "));
    EXPECT_EQ(p.value(0, S("Gubun")), S("30"));
    EXPECT_TRUE(dayLog().contains(S("자료변환 error -> 20260305 093000        03 12-34")));
}

TEST_F(SendModule, LiquorFileWithoutAValidAccountIsDroppedWholly)
{
    liquorLayout();
    const QString file = TAutoSendModule::CollectFileName();
    writeFile(file, {liquorLine(S("12-34"), S("60000")), liquorLine(S("X"), S("70000"))});
    module->AutoSendJuruCollect();
    module->AutoSendJuruCollect();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(session.AutoSendCount, 0);
    EXPECT_EQ(session.SeqNoLast, session.SeqNoBase);  // an empty range
    EXPECT_TRUE(sink->taken().empty());
    EXPECT_EQ(dayLog().count(S("자료변환 error -> 20260305 093000")), 2);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(SendModule, OfflinePassKeepsEveryFile)
{
    generalLayout();
    writeFile(TAutoSendModule::CollectFileName(), {generalLine(S("04"), S("730001"))});
    session.ServerState = 1;
    module->Timer2Pass();
    module->Timer2Pass();
    EXPECT_EQ(prompt.texts(), QStringList(6, QStringLiteral("서버가 접속을 강제 종료하였습니다. 프로그램 종료 후 재접속하시기 바랍니다.")));  // each general routine, each tick
    EXPECT_EQ(sendFolder().size(), 1);

    prompt.clear();
    liquorLayout();
    module->Timer2Pass();
    module->Timer2Pass();
    EXPECT_EQ(prompt.count(), 0);  // the liquor routines stop silently
    EXPECT_EQ(sendFolder().size(), 1);

    session.ServerState = 0;
    generalLayout();
    module->Timer2Pass();
    module->Timer2Pass();
    EXPECT_TRUE(sendFolder().isEmpty());
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno = 730001")).valueInt(0, S("n")), 1);
}

TEST_F(SendModule, WithdrawnRegistrationSetsTheFileAside)
{
    generalLayout();
    const QString file = TAutoSendModule::CollectFileName();
    writeFile(file, {generalLine(S("04"), S("740001"))});
    sink->refuse = true;
    prompt.enqueueAnswer(false);  // busy question: withdraw
    module->AutoSendCollect();
    module->AutoSendCollect();
    EXPECT_FALSE(QFile::exists(file));
    const QStringList left = sendFolder();
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(left[0].startsWith(S("ID20260305.dat.incomplete-"))) << left[0].toStdString();
    EXPECT_TRUE(dayLog().contains(S("set aside as ") + left[0]));
    // Never read again: the rows are not inserted twice.
    sink->refuse = false;
    module->AutoSendCollect();
    module->AutoSendCollect();
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno = 740001")).valueInt(0, S("n")), 1);
}

TEST_F(SendModule, AFileOfMoreLinesThanABatchHoldsIsSetAsideUnsplit)
{
    const QString files[] = {TAutoSendModule::CollectFileName(), TAutoSendModule::IcheResultFileName()};
    for (const QString &file : files) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(1'000'001, '\n'));
    }
    generalLayout();
    module->Timer2Pass();
    module->Timer2Pass();
    liquorLayout();
    QFile f(TAutoSendModule::PaymentFileName());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(1'000'001, '\r'));
    f.close();
    module->Timer2Pass();
    module->Timer2Pass();
    QStringList left = sendFolder();
    left.sort();
    ASSERT_EQ(left.size(), 3) << left.join(u' ').toStdString();
    EXPECT_TRUE(left[0].startsWith(S("IA20260305.dat.incomplete-"))) << left[0].toStdString();
    EXPECT_TRUE(left[1].startsWith(S("ID20260305.dat.incomplete-"))) << left[1].toStdString();
    EXPECT_TRUE(left[2].startsWith(S("ID_20260305.dat.incomplete-"))) << left[2].toStdString();
    for (const QString &name : left)
        EXPECT_TRUE(dayLog().contains(S("set aside as ") + name + S(": 파일의 줄이 너무 많아 읽을 수 없습니다 (한 번에 최대 1,000,000줄).")));
    EXPECT_TRUE(sink->taken().empty());
    EXPECT_EQ(prompt.count(), 0);
}

// A drop file written in UTF-8 is read as UTF-8, its fields at the layout's
// CP949 byte positions; one that is no text is set aside unread.
TEST_F(SendModule, AUtf8DropFileIsReadAtCp949PositionsAndOneThatIsNoTextIsSetAside)
{
    generalLayout();
    const QString file = TAutoSendModule::CollectFileName();
    // Bytes 1-5 of the other information "가나1" are the fee, bytes 6-13 the price.
    const QByteArray cp949 = generalLine(S("04"), S("760001"), S("50000"), S("가나1234567890"));
    writeFile(file, {"\xEF\xBB\xBF" + qvx::Cp949::decode(cp949).toUtf8()});
    module->AutoSendCollect();
    module->AutoSendCollect();
    EXPECT_FALSE(QFile::exists(file));
    const qvx::ResultSet r = rows(S("select * from giche where seqno = 760001"));
    ASSERT_EQ(r.recordCount(), 1);
    EXPECT_EQ(r.value(0, S("TaErrFee")), S("가나1"));
    EXPECT_EQ(r.value(0, S("TaErrPrice")), S("23456789"));

    QByteArray noise;
    for (int i = 0; noise.size() < 4096; ++i)
        if (const char c = char((i * 2654435761u) >> 24))
            noise += c;
    writeFile(file, {noise});
    module->AutoSendCollect();
    module->AutoSendCollect();
    const QStringList left = sendFolder();
    ASSERT_EQ(left.size(), 1);
    EXPECT_TRUE(dayLog().contains(S("set aside as ") + left[0] + S(": 읽을 수 있는 텍스트 파일이 아닙니다.")));
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno = 760001")).valueInt(0, S("n")), 1);
}

TEST_F(SendModule, GrowingFileWaitsForAQuietTick)
{
    generalLayout();
    const QString file = TAutoSendModule::CollectFileName();
    writeFile(file, {generalLine(S("04"), S("750001"))});
    module->AutoSendCollect();
    writeFile(file, {generalLine(S("04"), S("750001")), generalLine(S("04"), S("750002"))});
    module->AutoSendCollect();  // grew since the last tick
    EXPECT_TRUE(QFile::exists(file));
    module->AutoSendCollect();
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(rows(S("select count(*) as n from giche where seqno in (750001, 750002)")).valueInt(0, S("n")), 2);
}

TEST_F(SendModule, TimerRunsAgainAfterAFailingPass)
{
    generalLayout();
    writeFile(TAutoSendModule::CollectFileName(), {generalLine(S("04"), S("760001"))});
    qvx::TcpAppServer closed;  // never opened: every call fails
    data->setAppServer(&closed);
    InstallAutoSendModule(*data);
    data->Timer2Timer();
    data->Timer2Timer();
    EXPECT_TRUE(data->Timer2->isActive());
    EXPECT_GE(prompt.count(), 1);  // the failure was shown, not thrown
    EXPECT_EQ(sendFolder().size(), 1);
    data->Timer2->stop();
}

} // namespace
