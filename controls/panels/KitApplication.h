#pragma once
// The kit's process-wide application object with its timer pool (many logical
// timers on one window timer), the checker bitmap for pattern fills, the log
// file name and the settings target, plus small system procedures.

#include "controls/panels/KitBevel.h"
#include "controls/panels/KitError.h"

#include <QImage>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class QLockFile;
class TKitTimerPool;

// Errors of the timer pool (the class library's list and resource errors).
using EKitTimerError = TKitError<struct EKitTimerErrorKind>;
using EInvalidOperation = TKitError<struct EInvalidOperationKind>;

// A non-visual component of the kit (design-time About text).
class TKitComponent : public TKitCustomComponent
{
    Q_OBJECT
public:
    explicit TKitComponent(QObject *owner = nullptr) : TKitCustomComponent(owner) {}
    QString About;
};

// One logical timer of a pool.
class TKitTimerItem
{
public:
    TKitTimerItem(TKitTimerPool *Pool, quint16 Identifier, std::vector<TKitTimerItem *> *List);
    ~TKitTimerItem();

    int CallLimit = -1; // -1 unlimited
    int Counter = 0;
    quint16 Identifier() const { return FIdentifier; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    quint16 Interval() const { return FInterval; }
    void SetInterval(int Value);
    int Divisor() const { return FDivisor; }
    TNotifyEvent OnTimer;
    void Fire();

private:
    friend class TKitTimerPool;
    TKitTimerPool *FPool;
    std::vector<TKitTimerItem *> *FList;
    quint16 FIdentifier;
    bool FEnabled = true;
    quint16 FInterval = 1000;
    int FDivisor = 1;
};

using TKitTimerPoolEvent = std::function<void(QObject *Sender, quint16 Identifier, int Count)>;

class TKitTimerPool : public TKitComponent
{
    Q_OBJECT
public:
    explicit TKitTimerPool(QObject *owner = nullptr, int MinInterval = 1000);
    ~TKitTimerPool() override;

    int MinInterval() const { return FMinInterval; }
    // Changeable only while the pool holds no timer.
    void SetMinInterval(int v);
    TKitTimerPoolEvent OnTimer;

    // Raises EKitTimerError for a duplicate identifier or an interval that is
    // not a positive multiple of MinInterval. Returns the list index.
    int AddItem(quint16 Identifier, int Interval, TNotifyEvent Event);
    void RemoveItem(quint16 Identifier);
    TKitTimerItem *FindItem(quint16 Identifier) const;
    int IndexOf(quint16 Identifier) const;
    int Count() const { return int(FItems.size()); }
    int EnabledCount() const;
    void UpdateTimer(bool Enable);
    void Clear();
    bool Running() const { return FRunning; }
    // One tick of the window timer (public so tests can step the pool).
    void Tick();

private:
    friend class TKitTimerItem;
    std::vector<TKitTimerItem *> FItems;
    QTimer FTimer;
    int FMinInterval;
    bool FRunning = false;
    quint32 FTickCount = 0;
    bool FInTick = false;
    bool FRemoving = false;
};

enum TKitPathPrefix { ppWindows, ppSystem, ppProgram, ppFixed };
enum TKitRegRootKey { rpClassesRoot, rpCurrentUser, rpLocalMachine, rpUsers, rpCurrentConfig, rpDynData };
enum TKitIniTarget { itIniFile, itRegistry, itAuto };

// Where settings would be kept; only the properties are used.
class TKitIniCtrl : public TKitComponent
{
    Q_OBJECT
public:
    explicit TKitIniCtrl(QObject *owner = nullptr) : TKitComponent(owner) {}
    bool AlphaCounter() const { return FAlphaCounter; }
    void SetAlphaCounter(bool v);
    bool Common = true;
    QString IniFile() const { return FIniFile; }
    void SetIniFile(const QString &v);
    TKitPathPrefix IniPrefix = ppWindows;
    int MaxEntries() const { return FMaxEntries; }
    void SetMaxEntries(int v);
    bool NetUser() const { return FNetUser; }
    void SetNetUser(bool v);
    QString User;
    QString RegPath;
    TKitRegRootKey RegRoot = rpCurrentUser;
    TKitIniTarget Target() const { return FTarget; }
    void SetTarget(TKitIniTarget v);
    TKitIniTarget EffectiveTarget() const { return FTarget == itAuto ? itRegistry : FTarget; }
    virtual QString GetUserName() const;

private:
    bool FAlphaCounter = false;
    QString FIniFile;
    int FMaxEntries = 16;
    bool FNetUser = false;
    TKitIniTarget FTarget = itAuto;
};

class TKitApplication : public QObject
{
    Q_OBJECT
public:
    explicit TKitApplication(QObject *parent = nullptr);
    ~TKitApplication() override;

    TKitIniCtrl *Options() const { return FOptions.get(); }
    TKitTimerPool *TimerPool() const { return FPool.get(); }
    // A timer identifier ($FD01..$FDFA), or 0 when the pool refused the
    // interval; raises EKitTimerError when all 250 slots are in use.
    quint16 AddTimer(int Interval, TNotifyEvent Event);
    void RemoveTimer(quint16 Identifier);
    TKitTimerItem *GetTimer(quint16 Identifier) const;
    // An 8x8 white bitmap with every pixel of differing x and y parity in Color.
    const QImage &CheckerBitmap(TColor Color);

    QString LogFile() const { return FLogFile; }
    void SetLogFile(const QString &Name);
    TKitPathPrefix LogPathKind = ppProgram;
    int MaxLogSize = 0;
    quint8 OptionBits = 0x36;
    bool PrevInstance() const { return FPrevInstance; }

private:
    std::unique_ptr<TKitIniCtrl> FOptions;
    std::unique_ptr<TKitTimerPool> FPool;
    quint8 FSlots[250] = {};
    QImage FChecker;
    TColor FCheckerColor = clNone;
    QString FLogFile;
    bool FPrevInstance = false;
    std::unique_ptr<QLockFile> FInstanceLock;
};

// The process-wide application object, made on first use.
TKitApplication *KitApplication();

// Small procedures.
bool IsBlank(const QString &S);
QString WithBackslash(const QString &Path);
QString WithoutBackslash(const QString &Path);
QString KitProgramDir();
QString PathFor(TKitPathPrefix Kind, bool WithSlash);
QString SystemUserName();
int KitSIColorDepth();
