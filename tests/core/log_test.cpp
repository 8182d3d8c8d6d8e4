#include "core/DayLog.h"
#include "core/EventGuard.h"
#include "core/Session.h"
#include "platform/Clock.h"
#include "platform/Cp949.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <new>

namespace {

class DayLogTest : public ::testing::Test
{
protected:
    Session session;
    void SetUp() override
    {
        qvx::ProgramDir::setOverride(dir.path());
        qvx::Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 0)));
    }
    void TearDown() override
    {
        qvx::Clock::reset();
        qvx::ProgramDir::setOverride(QString());
    }
    QByteArray read(const QString &name) const
    {
        QFile f(dir.path() + QStringLiteral("/log/") + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
};

TEST_F(DayLogTest, CreatesTheFolderAndWritesOneCrLfLinePerCall)
{
    ASSERT_FALSE(QDir(dir.path() + QStringLiteral("/log")).exists());
    session.LoginUserId = QStringLiteral("ABC");
    WriteLog(session, QStringLiteral("사용자 접속 ABC"));
    WriteLog(session, QStringLiteral("second"));
    const QByteArray expected = qvx::Cp949::encode(QStringLiteral("[2024-01-05 09:30:00 ABC   ] 사용자 접속 ABC\r\n"
                                                                  "[2024-01-05 09:30:00 ABC   ] second\r\n"));
    EXPECT_EQ(read(QStringLiteral("log20240105.txt")), expected);
}

TEST_F(DayLogTest, UserFieldIsSixBytesCutOrPadded)
{
    WriteLog(session, QStringLiteral("before login"));
    session.LoginUserId = QStringLiteral("LONGUSERID");
    WriteLog(session, QStringLiteral("x"));
    session.LoginUserId = QStringLiteral("가나다라");  // 8 bytes: cut after three characters
    WriteLog(session, QStringLiteral("y"));
    const QByteArray text = read(QStringLiteral("log20240105.txt"));
    EXPECT_TRUE(text.contains("[2024-01-05 09:30:00       ] before login\r\n"));
    EXPECT_TRUE(text.contains("[2024-01-05 09:30:00 LONGUS] x\r\n"));
    EXPECT_TRUE(text.contains(qvx::Cp949::encode(QStringLiteral("[2024-01-05 09:30:00 가나다] y\r\n"))));
    EXPECT_EQ(LogUserField(QStringLiteral("A가나다")), QStringLiteral("A가나 "));
}

TEST_F(DayLogTest, ANewDayStartsANewFile)
{
    WriteLog(session, QStringLiteral("day one"));
    qvx::Clock::setFixed(QDateTime(QDate(2024, 1, 6), QTime(0, 0, 1)));
    WriteLog(session, QStringLiteral("day two"));
    EXPECT_TRUE(read(QStringLiteral("log20240105.txt")).contains("day one"));
    EXPECT_FALSE(read(QStringLiteral("log20240105.txt")).contains("day two"));
    EXPECT_TRUE(read(QStringLiteral("log20240106.txt")).contains("[2024-01-06 00:00:01       ] day two"));
}

TEST_F(DayLogTest, AFailedWriteNeverStopsTheCaller)
{
    // A file where the folder should be: the log cannot be written.
    QFile blocker(dir.path() + QStringLiteral("/log"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_NO_THROW(WriteLog(session, QStringLiteral("lost")));
    EXPECT_FALSE(AppendDayLogLine(QStringLiteral("lost too")));
}

} // namespace

TEST_F(DayLogTest, TheEventGuardSaysARefusedAllocationInKoreanAndLogsIt)
{
    qvx::ScriptedPrompt prompt;
    EXPECT_FALSE(RunGuarded(session, QStringLiteral("btn_excelClick"), [] { throw std::bad_alloc(); }));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("메모리가 부족하여 작업을 마칠 수 없습니다."));
    EXPECT_TRUE(read(QStringLiteral("log20240105.txt"))
                    .contains(qvx::Cp949::encode(QStringLiteral("btn_excelClick : 메모리가 부족하여 작업을 마칠 수 없습니다."))));
}
