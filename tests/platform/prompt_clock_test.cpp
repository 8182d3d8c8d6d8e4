#include "platform/Clock.h"
#include "platform/ProgramDir.h"
#include "platform/Prompt.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <QDir>
#include <gtest/gtest.h>

using namespace qvx;

TEST(ScriptedPrompt, RecordsAndAnswersFromQueue)
{
    ScriptedPrompt prompt;
    EXPECT_EQ(&Prompt::instance(), &prompt);
    prompt.enqueueAnswer(false);
    prompt.enqueueAnswer(true);
    prompt.setDefaultAnswer(false);

    Prompt::instance().message(QStringLiteral("첫 줄\r\r둘째 줄"));
    EXPECT_FALSE(Prompt::instance().confirm(QStringLiteral("종료하시겠습니까?")));
    EXPECT_TRUE(Prompt::instance().yesNo(QStringLiteral("저장?"), QStringLiteral("알림")));
    EXPECT_FALSE(Prompt::instance().confirm(QStringLiteral("다시?"))); // queue empty: default

    const QList<ScriptedPrompt::Entry> e = prompt.entries();
    ASSERT_EQ(e.size(), 4);
    EXPECT_EQ(e[0].kind, ScriptedPrompt::Message);
    EXPECT_EQ(e[0].text, QStringLiteral("첫 줄\r\r둘째 줄")); // recorded as given
    EXPECT_EQ(e[1].kind, ScriptedPrompt::Confirm);
    EXPECT_EQ(e[1].caption, QStringLiteral("확인"));
    EXPECT_EQ(e[2].kind, ScriptedPrompt::YesNo);
    EXPECT_EQ(e[2].caption, QStringLiteral("알림"));
    EXPECT_TRUE(prompt.contains(QStringLiteral("저장?")));
    EXPECT_EQ(prompt.lastText(), QStringLiteral("다시?"));
}

// A fixture that expects only the questions it queued hears of any other,
// which is withdrawn; messages and queued answers are no concern of it.
TEST(ScriptedPrompt, UnscriptedQuestionsAreReportedAndAnsweredNo)
{
    ScriptedPrompt prompt;
    QStringList unscripted;
    prompt.failUnscripted([&](const ScriptedPrompt::Entry &e) { unscripted << e.text; });
    prompt.enqueueAnswer(true);

    Prompt::instance().message(QStringLiteral("알림"));
    EXPECT_TRUE(Prompt::instance().confirm(QStringLiteral("전송하시겠습니까?")));
    EXPECT_FALSE(Prompt::instance().yesNo(QStringLiteral("삭제하시겠습니까?")));
    EXPECT_EQ(unscripted, QStringList{QStringLiteral("삭제하시겠습니까?")});
    EXPECT_EQ(prompt.count(), 3);

    // A default answer chosen later holds again.
    prompt.setDefaultAnswer(true);
    EXPECT_TRUE(Prompt::instance().confirm(QStringLiteral("다시?")));
    EXPECT_EQ(unscripted.size(), 1);
}

TEST(ScriptedPrompt, CallbackAndUninstallOnDestruction)
{
    Prompt *before = &Prompt::instance();
    {
        ScriptedPrompt prompt;
        int seen = 0;
        prompt.setCallback([&](const ScriptedPrompt::Entry &entry) {
            ++seen;
            EXPECT_EQ(entry.text, QStringLiteral("x"));
        });
        Prompt::instance().message(QStringLiteral("x"));
        EXPECT_EQ(seen, 1);
    }
    EXPECT_EQ(&Prompt::instance(), before);
    EXPECT_EQ(dynamic_cast<ScriptedPrompt *>(&Prompt::instance()), nullptr);
}

TEST(Prompt, DisplayTextLineBreaks)
{
    EXPECT_EQ(Prompt::displayText(QStringLiteral("a\r\nb")), QStringLiteral("a\nb"));
    EXPECT_EQ(Prompt::displayText(QStringLiteral("a\r\rb")), QStringLiteral("a\n\nb"));
    EXPECT_EQ(Prompt::displayText(QStringLiteral("a\\r\\rb")), QStringLiteral("a\n\nb"));
    EXPECT_EQ(Prompt::displayText(QStringLiteral("C:\\run\\new")), QStringLiteral("C:\\run\\new"));
}

TEST(Clock, FixedTimeAndServerOffset)
{
    Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 0)));
    EXPECT_EQ(Clock::today(), QStringLiteral("20240105"));
    EXPECT_EQ(Clock::nowText(QStringLiteral("hhmmss")), QStringLiteral("093000"));

    EXPECT_TRUE(Clock::setOffsetToServer(QStringLiteral("20240105235959")));
    EXPECT_EQ(Clock::nowText(), QStringLiteral("20240105235959"));
    // The offset is kept when the source time moves on: one second later it
    // is past midnight on the server's clock.
    Clock::setFixed(QDateTime(QDate(2024, 1, 5), QTime(9, 30, 1)));
    EXPECT_EQ(Clock::today(), QStringLiteral("20240106"));

    const qint64 off = Clock::offsetMs();
    EXPECT_FALSE(Clock::setOffsetToServer(QStringLiteral("2024010523595")));
    EXPECT_FALSE(Clock::setOffsetToServer(QStringLiteral("20241345000000")));
    EXPECT_FALSE(Clock::setOffsetToServer(QStringLiteral("2024-1-5 10:00")));
    EXPECT_EQ(Clock::offsetMs(), off);

    Clock::reset();
    EXPECT_EQ(Clock::offsetMs(), 0);
    EXPECT_LE(qAbs(Clock::now().msecsTo(QDateTime::currentDateTime())), 1000);
}

TEST(ProgramDir, OverrideWinsOverEnvironment)
{
    qputenv("QUVEX_HOME", "/tmp/quvex-env-home");
    ProgramDir::setOverride(QString());
    EXPECT_EQ(ProgramDir::root(), QStringLiteral("/tmp/quvex-env-home"));
    EXPECT_TRUE(ProgramDir::applyArguments({"prog", "--home", "/tmp/quvex-arg"}));
    EXPECT_EQ(ProgramDir::path("log"), QStringLiteral("/tmp/quvex-arg/log"));
    ProgramDir::setOverride(QString());
    qunsetenv("QUVEX_HOME");
    EXPECT_EQ(ProgramDir::root(), QCoreApplication::applicationDirPath());
    EXPECT_FALSE(QDir("/tmp/quvex-arg").exists()); // path() creates nothing
}

TEST(MessageBoxPrompt, AShortMessageLeavesRoomForItsTitle)
{
    int width = 0;
    int titleWidth = 0;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        width = box->width();
        titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
        box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click() : box->buttons().first()->click();
    });
    qvx::MessageBoxPrompt().message(QStringLiteral("완료"), QStringLiteral("이체처리 결과조회 확인정보"));
    EXPECT_GT(titleWidth, 0);
    EXPECT_GE(width, titleWidth + 120);
}
