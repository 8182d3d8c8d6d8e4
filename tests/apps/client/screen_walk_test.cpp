#include "ScreenDriver.h"
#include "ScreenWalk.h"

#include "core/screens/ClientMainUnit.h"
#include "core/ReplyRoutes.h"
#include "core/screens/ScreenBinding.h"
#include "core/screens/ScreenInterfaces.h"
#include "core/screens/ScreenRegistry.h"
#include "controls/panels/DDButton.h"
#include "support/Eventually.h"

#include <QDir>
#include <QHash>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Names the edit controls give their own inner parts (one per control, so a
// screen with several such edits has several): no component names.
const QStringList ControlPartNames{QStringLiteral("buttoncontainer")};

// Buttons a screen shows without an action of their own.
const QHash<QString, QStringList> ButtonsWithoutAction{
    {QStringLiteral("qv_datafile_frm"), {QStringLiteral("btn_fieldsave"), QStringLiteral("btn_delete")}},
    {QStringLiteral("qv_tichenamesearch_frm"),
     {QStringLiteral("btn_print"), QStringLiteral("btn_preview"), QStringLiteral("btn_filesave")}},
};


// Every screen of every screen library the program registers, opened by its
// name the way the menu opens it:
// it comes up, its component names are unique, every button is wired to a
// handler through the binding helper, and it closes again.
TEST_F(ScreenWalk, EveryRegisteredScreenOpensWiredAndCloses)
{

    const QStringList names = ScreenRegistry::instance().names();
    ASSERT_GE(names.size(), 7);
    // A screen of each library that has one is among them.
    for (const char *name : {"qv_network_frm", "qv_ichemake_frm", "qv_ichesearch_frm"})
        EXPECT_TRUE(names.contains(QString::fromLatin1(name))) << name;
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        client.prompt().clear();
        bool created = false;
        QPointer<QWidget> screen = OpenScreen(*main, name, ScreenState::Normal, &created);
        ASSERT_TRUE(screen);
        EXPECT_TRUE(created);
        EXPECT_EQ(screen->objectName().compare(name, Qt::CaseInsensitive), 0) << qPrintable(screen->objectName());
        EXPECT_TRUE(screen->isVisible());
        // Opening must not end in the guard's message about an unexpected failure.
        for (const QString &text : client.prompt().texts())
            EXPECT_FALSE(text.contains(QStringLiteral("error"), Qt::CaseInsensitive)) << qPrintable(text);

        QHash<QString, int> seen;
        for (QObject *o : screen->findChildren<QObject *>()) {
            const QString component = o->objectName();
            if (component.isEmpty() || component.startsWith(QStringLiteral("qt_"))
                || ControlPartNames.contains(component.toLower()))
                continue;
            ++seen[component.toLower()];
        }
        for (auto it = seen.cbegin(); it != seen.cend(); ++it)
            EXPECT_EQ(it.value(), 1) << "component name used twice: " << qPrintable(it.key());

        for (TDDButton *button : screen->findChildren<TDDButton *>()) {
            if (ButtonsWithoutAction.value(name.toLower()).contains(button->objectName().toLower()))
                continue;
            EXPECT_FALSE(BoundHandler(button).isEmpty()) << "button not wired: " << qPrintable(button->objectName());
            EXPECT_TRUE(bool(button->OnClick)) << qPrintable(button->objectName());
        }

        // A picture of each for a person to look at.
        const QString out = qEnvironmentVariable("QUVEX_TEST_OUTPUT", QDir::tempPath());
        QDir().mkpath(out);
        screen->grab().save(out + QStringLiteral("/walk_") + name + QStringLiteral(".png"));

        QWidget *window = qobject_cast<QMdiSubWindow *>(screen->parentWidget()) ? screen->parentWidget()
                                                                                : screen.data();
        window->close();
        ASSERT_TRUE(ClientFixture::waitFor([&] { return !FindScreen(main, name); }))
            << "still open after closing";
    }
}

} // namespace

// Every reply code of the route table reaches a screen the program itself
// registers: the dispatcher finds it by the route's name, and it answers to
// what the dispatcher does with it.
TEST_F(ScreenWalk, EveryReplyCodeReachesARegisteredScreen)
{

    int routed = 0;
    for (int code : RoutedReplyCodes()) {
        const ReplyRoute route = RouteOfReply(code);
        if (route.screen.isEmpty())
            continue;
        SCOPED_TRACE(std::to_string(code) + " " + route.screen.toStdString());
        ++routed;
        QPointer<QWidget> opened = OpenScreen(*main, route.screen, ScreenState::Normal);
        ASSERT_TRUE(opened);
        QWidget *screen = FindScreen(main, route.screen);
        ASSERT_EQ(screen, opened.data());
        switch (route.action) {
        case ReplyAction::ResultRange:
        case ReplyAction::JuruResultRange:
            EXPECT_NE(dynamic_cast<IResultRangeScreen *>(screen), nullptr);
            EXPECT_NE(dynamic_cast<ISearchScreen *>(screen), nullptr);
            break;
        case ReplyAction::Search:
        case ReplyAction::ResultDetail:
        case ReplyAction::JuruResultDetail:
            EXPECT_NE(dynamic_cast<ISearchScreen *>(screen), nullptr);
            break;
        case ReplyAction::FillBalances:
        case ReplyAction::FillNames:
        case ReplyAction::FillSummary:
        case ReplyAction::FillVasSummary:
            EXPECT_NE(dynamic_cast<IAnswerScreen *>(screen), nullptr);
            break;
        case ReplyAction::NoticeCounts:
            EXPECT_NE(dynamic_cast<INoticeCountsScreen *>(screen), nullptr);
            break;
        default:
            ADD_FAILURE() << "a screen for an action that needs none";
        }
        screen->close();
        EXPECT_EVENTUALLY(!opened);
    }
    EXPECT_GE(routed, 15);
}
