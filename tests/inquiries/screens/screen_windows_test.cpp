// Screens open whole: each child window is placed, sized and (when the
// display option asks) maximised before anything of it is shown, so the
// user never sees a screen at its design size on top of a maximised one or
// a screen that jumps into place after its first message.
#include "ListScreenFixture.h"

#include "inquiries/screens/AmtSearchUnit.h"
#include "inquiries/screens/DepositUnit.h"
#include "inquiries/screens/InquiryScreens.h"
#include "inquiries/screens/SmsViewUnit.h"

#include <QApplication>
#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <optional>

namespace {

QString S(const char *s) { return QString::fromUtf8(s); }

// What each screen's window was like when the screen was first shown.
class FirstShows : public QObject
{
public:
    struct Seen
    {
        Qt::WindowStates state;
        QRect frame;      // the child window in the work area
        QRect screen;     // the screen inside its child window
        QRect area;       // the work area
        bool onTop = false;
    };

    FirstShows() { qApp->installEventFilter(this); }
    ~FirstShows() override { qApp->removeEventFilter(this); }

    std::optional<Seen> of(const QString &name) const
    {
        return m_seen.contains(name) ? std::optional<Seen>(m_seen.value(name)) : std::nullopt;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Show || !watched->isWidgetType())
            return false;
        auto *screen = static_cast<QWidget *>(watched);
        auto *sub = qobject_cast<QMdiSubWindow *>(screen->parentWidget());
        if (!sub || sub->widget() != screen || !sub->mdiArea() || m_seen.contains(screen->objectName()))
            return false;
        const QList<QMdiSubWindow *> stack = sub->mdiArea()->subWindowList(QMdiArea::StackingOrder);
        m_seen.insert(screen->objectName(), Seen{sub->windowState(), sub->geometry(), screen->geometry(),
                                                 sub->mdiArea()->viewport()->rect(), stack.last() == sub});
        return false;
    }

private:
    QHash<QString, Seen> m_seen;
};

class ScreenWindows : public ListScreenFixture
{
protected:
    void registerScreens() override { registerInquiryScreens(); }
    void SetUp() override
    {
        ListScreenFixture::SetUp();
        main->resize(1280, 1000);
    }
    FirstShows shows;
};

class MaximisedScreens : public ScreenWindows
{
protected:
    ClientFixture::Options options() const override
    {
        ClientFixture::Options o = ScreenWindows::options();
        o.displayMax = true;
        return o;
    }
};

} // namespace

TEST_F(MaximisedScreens, EachScreenIsFirstShownMaximisedOverTheWholeWorkArea)
{
    ASSERT_NE(open<Tqv_amtsearch_frm>("qv_d3", "qv_amtsearch_frm"), nullptr);
    ASSERT_NE(open<Tqv_deposit_frm>("qv_c2", "qv_deposit_frm"), nullptr);
    for (const char *name : {"qv_amtsearch_frm", "qv_deposit_frm"}) {
        SCOPED_TRACE(name);
        const auto seen = shows.of(QString::fromLatin1(name));
        ASSERT_TRUE(seen.has_value());
        EXPECT_TRUE(seen->state.testFlag(Qt::WindowMaximized));
        EXPECT_EQ(seen->frame, seen->area);
        // Maximised, the screen fills its child window: no frame around it.
        EXPECT_EQ(seen->screen, QRect(QPoint(0, 0), seen->frame.size()));
        EXPECT_TRUE(seen->onTop);
    }
    // The second covers the first, which is not left showing its frame around it.
    QMdiSubWindow *active = main->mdiArea()->activeSubWindow();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->widget()->objectName(), QStringLiteral("qv_deposit_frm"));
    EXPECT_TRUE(active->isMaximized());
    EXPECT_EQ(active->geometry(), main->mdiArea()->viewport()->rect());
    SavePicture(main, "maximised_screens");
}

TEST_F(ScreenWindows, AScreenOpenedOverAMaximisedOneIsShownMaximisedAndOthersAtTheirSizeInTheMiddle)
{
    auto *first = open<Tqv_amtsearch_frm>("qv_d3", "qv_amtsearch_frm");
    ASSERT_NE(first, nullptr);
    const auto normal = shows.of(QStringLiteral("qv_amtsearch_frm"));
    ASSERT_TRUE(normal.has_value());
    // Without the option: the design size, in the middle of the work area.
    EXPECT_FALSE(normal->state.testFlag(Qt::WindowMaximized));
    EXPECT_EQ(normal->screen.size(), first->size());
    EXPECT_LE((normal->frame.center() - normal->area.center()).manhattanLength(), 2);

    first->parentWidget()->showMaximized();
    ASSERT_NE(open<Tqv_deposit_frm>("qv_c2", "qv_deposit_frm"), nullptr);
    const auto over = shows.of(QStringLiteral("qv_deposit_frm"));
    ASSERT_TRUE(over.has_value());
    EXPECT_TRUE(over->state.testFlag(Qt::WindowMaximized));
    EXPECT_EQ(over->frame, over->area);
    EXPECT_TRUE(over->onTop);
}

TEST_F(ScreenWindows, TheSmsLogStandsInTheMiddleWhenItSaysThereIsNothingToday)
{
    main->ApplySmsMark(S("QVXSMS01"));
    std::optional<QRect> frameAtMessage;
    QRect area;
    client->prompt().setCallback([&](const qvx::ScriptedPrompt::Entry &entry) {
        if (entry.text != S("SMS 자료가 존재하지 않습니다.") || frameAtMessage)
            return;
        QWidget *log = FindScreen(main, QStringLiteral("Frm_SMSView"));
        if (log && log->parentWidget()) {
            frameAtMessage = log->parentWidget()->geometry();
            area = main->mdiArea()->viewport()->rect();
            SavePicture(main, "sms_log_at_its_message");
        }
    });
    auto *log = open<TFrm_SMSView>("mm_SMSManager", "Frm_SMSView");
    client->prompt().setCallback({});
    ASSERT_NE(log, nullptr);
    ASSERT_TRUE(frameAtMessage.has_value()) << "no message about an empty day";
    EXPECT_EQ(*frameAtMessage, log->parentWidget()->geometry());
    EXPECT_LE((frameAtMessage->center() - area.center()).manhattanLength(), 2);
}
