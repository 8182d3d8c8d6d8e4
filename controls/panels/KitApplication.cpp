#include "controls/panels/KitApplication.h"

#include "controls/panels/KitAppWide.h"
#include "platform/EditGuard.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

// ============================================================ timer items

TKitTimerItem::TKitTimerItem(TKitTimerPool *Pool, quint16 Identifier, std::vector<TKitTimerItem *> *List)
    : FPool(Pool), FList(List), FIdentifier(Identifier)
{
    if (!Pool || !List)
        throw EInvalidOperation("TKitTimerItem: Invalid Owner or List");
}

TKitTimerItem::~TKitTimerItem()
{
    if (FList) {
        auto it = std::find(FList->begin(), FList->end(), this);
        if (it != FList->end())
            FList->erase(it);
    }
}

void TKitTimerItem::SetEnabled(bool Value)
{
    if (Value == FEnabled)
        return;
    if (Value && CallLimit == 0)
        return;
    FEnabled = Value;
    Counter = 0;
    if (FPool)
        FPool->UpdateTimer(true);
}

void TKitTimerItem::SetInterval(int Value)
{
    const int mi = FPool ? FPool->MinInterval() : 1;
    if (Value == 0)
        Value = mi;
    if (Value == FInterval || Value < 0 || Value > 0xFFFF || Value % mi != 0)
        return;
    FInterval = quint16(Value);
    FDivisor = Value / mi;
    Counter = 0;
}

void TKitTimerItem::Fire()
{
    if (!FEnabled)
        return;
    Counter = Counter == INT32_MAX ? 0 : Counter + 1;
    if (CallLimit >= 0 && Counter >= CallLimit)
        FEnabled = false;
    if (OnTimer)
        OnTimer(FPool);
    else if (FPool && FPool->OnTimer)
        FPool->OnTimer(FPool, FIdentifier, Counter);
}

// ============================================================= timer pool

TKitTimerPool::TKitTimerPool(QObject *owner, int MinInterval) : TKitComponent(owner), FMinInterval(std::clamp(MinInterval, 1, 65535))
{
    FTimer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&FTimer, &QTimer::timeout, this, [this] {
        if (FInTick)
            return;
        FInTick = true;
        // A failing timer handler does not stop the pool; its error is shown
        // and logged by the program's event guard.
        RunEditHandler(QStringLiteral("TKitTimerPool.Timer"), [this] { Tick(); });
        FInTick = false;
    });
}

TKitTimerPool::~TKitTimerPool()
{
    Clear();
}

void TKitTimerPool::SetMinInterval(int v)
{
    if (!FItems.empty() || v < 1 || v > 65535)
        return;
    FMinInterval = v;
}

int TKitTimerPool::AddItem(quint16 Identifier, int Interval, TNotifyEvent Event)
{
    if (IndexOf(Identifier) >= 0)
        throw EKitTimerError("List index out of bounds");
    if (Interval < FMinInterval || Interval % FMinInterval != 0 || Interval > 0xFFFF)
        throw EKitTimerError("Interval not compatible with MinInterval property!");
    auto *item = new TKitTimerItem(this, Identifier, &FItems);
    item->FInterval = quint16(Interval);
    item->FDivisor = Interval / FMinInterval;
    item->OnTimer = std::move(Event);
    FItems.push_back(item);
    UpdateTimer(true);
    return int(FItems.size()) - 1;
}

void TKitTimerPool::RemoveItem(quint16 Identifier)
{
    FRemoving = true;
    if (TKitTimerItem *item = FindItem(Identifier)) {
        item->FEnabled = false;
        item->OnTimer = nullptr;
        delete item; // takes itself out of the list
    }
    if (FItems.empty())
        UpdateTimer(false);
    FRemoving = false;
}

TKitTimerItem *TKitTimerPool::FindItem(quint16 Identifier) const
{
    const int i = IndexOf(Identifier);
    return i < 0 ? nullptr : FItems[size_t(i)];
}

int TKitTimerPool::IndexOf(quint16 Identifier) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i]->FIdentifier == Identifier)
            return int(i);
    return -1;
}

int TKitTimerPool::EnabledCount() const
{
    return int(std::count_if(FItems.begin(), FItems.end(), [](const TKitTimerItem *t) { return t->Enabled(); }));
}

void TKitTimerPool::UpdateTimer(bool Enable)
{
    FTimer.stop();
    FRunning = false;
    if (Enable && EnabledCount() > 0) {
        FTimer.start(FMinInterval);
        FTickCount = 1;
        FRunning = true;
    }
}

void TKitTimerPool::Clear()
{
    FTimer.stop();
    FRunning = false;
    while (!FItems.empty())
        delete FItems.back();
}

void TKitTimerPool::Tick()
{
    if (FRemoving)
        return;
    // copy: a handler may add or remove timers
    const std::vector<TKitTimerItem *> items = FItems;
    for (TKitTimerItem *item : items) {
        if (std::find(FItems.begin(), FItems.end(), item) == FItems.end())
            continue;
        if (item->Enabled() && FTickCount % quint32(item->Divisor()) == 0)
            item->Fire();
    }
    ++FTickCount;
}

// =============================================================== ini ctrl

void TKitIniCtrl::SetAlphaCounter(bool v)
{
    if (KitTakeNew(FAlphaCounter, v) && v && FMaxEntries > 26)
        FMaxEntries = 26;
}

void TKitIniCtrl::SetMaxEntries(int v)
{
    if (v == FMaxEntries || v < 0 || v > 255 || (FAlphaCounter && v > 26))
        return;
    FMaxEntries = v;
}

void TKitIniCtrl::SetIniFile(const QString &v)
{
    const QFileInfo fi(v);
    if (!v.isEmpty() && fi.suffix().isEmpty())
        FIniFile = (v.endsWith('.') ? v.chopped(1) : v) + ".INI";
    else
        FIniFile = v;
}

void TKitIniCtrl::SetNetUser(bool v)
{
    if (KitTakeNew(FNetUser, v) && v)
        User = SystemUserName();
}

void TKitIniCtrl::SetTarget(TKitIniTarget v)
{
    FTarget = v;
}

QString TKitIniCtrl::GetUserName() const
{
    return SystemUserName();
}

// ============================================================ application

TKitApplication::TKitApplication(QObject *parent)
    : QObject(parent), FOptions(std::make_unique<TKitIniCtrl>()), FPool(std::make_unique<TKitTimerPool>(nullptr, 50))
{
    const QString exe = QCoreApplication::instance() ? QFileInfo(QCoreApplication::applicationFilePath()).fileName() : QString("kit");
    FInstanceLock = std::make_unique<QLockFile>(QDir::temp().filePath(exe + ".instance.lock"));
    FInstanceLock->setStaleLockTime(0);
    FPrevInstance = !FInstanceLock->tryLock(0);
    SetLogFile(QString());
}

TKitApplication::~TKitApplication() = default;

quint16 TKitApplication::AddTimer(int Interval, TNotifyEvent Event)
{
    for (int s = 1; s <= 250; ++s) {
        if (FSlots[s - 1])
            continue;
        const quint16 id = quint16(0xFD00 + s);
        try {
            FPool->AddItem(id, Interval, std::move(Event));
        } catch (const EKitTimerError &) {
            return 0;
        }
        FSlots[s - 1] = 1;
        return id;
    }
    // Every slot is in use: say so rather than hand out an identifier that
    // names no timer.
    throw EKitTimerError("No free timer slot: all 250 application timers are in use");
}

void TKitApplication::RemoveTimer(quint16 Identifier)
{
    if (Identifier <= 0xFD00 || Identifier > 0xFD00 + 250)
        return;
    FPool->RemoveItem(Identifier);
    FSlots[Identifier - 0xFD01] = 0;
}

TKitTimerItem *TKitApplication::GetTimer(quint16 Identifier) const
{
    return FPool->FindItem(Identifier);
}

const QImage &TKitApplication::CheckerBitmap(TColor Color)
{
    if (Color == FCheckerColor && !FChecker.isNull())
        return FChecker;
    FChecker = QImage(8, 8, QImage::Format_RGB32);
    FChecker.fill(Qt::white);
    const QRgb c = ColorToQColor(Color).rgb();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x + y) % 2)
                FChecker.setPixel(x, y, c);
    FCheckerColor = Color;
    return FChecker;
}

void TKitApplication::SetLogFile(const QString &Name)
{
    QString n = Name;
    if (IsBlank(n)) {
        const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString("kit");
        const QFileInfo fi(exe);
        n = fi.completeBaseName() + ".LOG";
    } else if (QFileInfo(n).suffix().isEmpty()) {
        n += ".LOG";
    }
    if (LogPathKind == ppFixed)
        FLogFile = n;
    else
        FLogFile = PathFor(LogPathKind, true) + QFileInfo(n).fileName();
}

TKitApplication *KitApplication()
{
    return KitAppWide<TKitApplication>();
}

// ============================================================= procedures

bool IsBlank(const QString &S)
{
    return std::all_of(S.begin(), S.end(), [](QChar c) { return c == ' '; });
}

QString WithBackslash(const QString &Path)
{
    if (Path.isEmpty() || Path.endsWith('/') || Path.endsWith('\\'))
        return Path;
    return Path + '/';
}

QString WithoutBackslash(const QString &Path)
{
    if (IsBlank(Path))
        return Path;
    QString p = Path;
    while (p.size() > 1 && (p.endsWith('/') || p.endsWith('\\')))
        p.chop(1);
    return p;
}

QString KitProgramDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString PathFor(TKitPathPrefix Kind, bool WithSlash)
{
    QString p;
    switch (Kind) {
    case ppWindows: p = QDir::homePath(); break;
    case ppSystem: p = QDir::rootPath(); break;
    case ppProgram: p = KitProgramDir(); break;
    case ppFixed: return QString();
    }
    return WithSlash ? WithBackslash(p) : WithoutBackslash(p);
}

QString SystemUserName()
{
    QString u = qEnvironmentVariable("USER");
    if (u.isEmpty())
        u = qEnvironmentVariable("USERNAME");
    if (u.isEmpty())
        return "Unknown";
    return u.left(63);
}

int KitSIColorDepth()
{
    if (auto *g = qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        if (QScreen *s = g->primaryScreen())
            return s->depth();
    return 32;
}
