#include "core/screens/ScreenRegistry.h"
#include "core/screens/ScreenInterfaces.h"

#include <QHash>
#include <QMdiSubWindow>
#include <QWidget>

ISearchScreen::~ISearchScreen() = default;
IBatchListScreen::~IBatchListScreen() = default;
IResultDetailDialog::~IResultDetailDialog() = default;
IBankChoiceScreen::~IBankChoiceScreen() = default;
IAnswerScreen::~IAnswerScreen() = default;
INoticeCountsScreen::~INoticeCountsScreen() = default;
IResultRangeScreen::~IResultRangeScreen() = default;
ScreenHost::~ScreenHost() = default;

struct ScreenRegistry::Impl
{
    QHash<QString, Factory> factories; // key: lower-case name
};

ScreenRegistry &ScreenRegistry::instance()
{
    static ScreenRegistry registry;
    return registry;
}

ScreenRegistry::Impl &ScreenRegistry::impl() const
{
    static Impl data;
    return data;
}

void ScreenRegistry::add(const QString &name, Factory factory)
{
    impl().factories.insert(name.toLower(), std::move(factory));
}

bool ScreenRegistry::contains(const QString &name) const
{
    return impl().factories.contains(name.toLower());
}

QWidget *ScreenRegistry::create(const QString &name, QWidget *owner, const ScreenContext &context) const
{
    const auto it = impl().factories.constFind(name.toLower());
    if (it == impl().factories.constEnd() || !*it)
        return nullptr;
    return (*it)(owner, context);
}

QStringList ScreenRegistry::names() const
{
    return impl().factories.keys();
}

void ScreenRegistry::remove(const QString &name)
{
    impl().factories.remove(name.toLower());
}

QWidget *FindScreen(QWidget *owner, const QString &name)
{
    if (!owner || name.isEmpty())
        return nullptr;
    const auto widgets = owner->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        if (w->objectName().compare(name, Qt::CaseInsensitive) != 0)
            continue;
        // A screen is a window of its own or the content of a child window;
        // a control that happens to share the name is no screen.
        if (w->isWindow() || qobject_cast<QMdiSubWindow *>(w->parentWidget()))
            return w;
    }
    return nullptr;
}

QWidget *OpenScreen(ScreenHost &host, const QString &name, ScreenState state, bool *created,
                    const std::function<void(QWidget *)> &beforeShow)
{
    if (created)
        *created = false;
    if (QWidget *open = FindScreen(host.ownerWidget(), name)) {
        host.bringToFront(open);
        return open;
    }
    QWidget *screen = ScreenRegistry::instance().create(name, host.ownerWidget(), host.screenContext());
    if (!screen)
        return nullptr;
    if (screen->objectName().isEmpty())
        screen->setObjectName(name);
    if (created)
        *created = true;
    if (beforeShow)
        beforeShow(screen);
    host.showScreen(screen, state);
    return screen;
}
