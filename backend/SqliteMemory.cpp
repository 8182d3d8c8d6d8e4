#include "backend/SqliteMemory.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <mutex>

namespace qvx::sqlitememory {

class Share
{
public:
    std::atomic<qint64> held{0};
    // The owner and every block counted to it.
    std::atomic<qint64> references{1};
    enum Refusal { None, OwnShare, AllClients };
    std::atomic<int> refusal{None};

    void unreference()
    {
        if (references.fetch_sub(1) == 1)
            delete this;
    }
};

namespace {

// The engine's allocator is one for the process and its hooks take no
// argument: what they count lives here.
std::atomic<qint64> g_clients{0};
thread_local Share *t_share = nullptr;
sqlite3_mem_methods g_engine{}; // the engine's own allocator, under ours

// Every block starts with the share it is counted to; 16 bytes keep the
// engine's 8-byte alignment.
constexpr int HeaderBytes = 16;

Share *&ownerOf(void *block)
{
    return *static_cast<Share **>(block);
}

// Counts n more bytes to the share; false (nothing counted) when that would
// pass its share or what clients together may hold.
bool admit(Share *share, qint64 n)
{
    const qint64 own = share->held.fetch_add(n) + n;
    const qint64 all = g_clients.fetch_add(n) + n;
    const qint64 clientsCap = HardLimitBytes - ServerReserveBytes;
    const qint64 cap = own > ClientFloorBytes ? clientsCap - FloorRoomBytes : clientsCap;
    if (own <= ClientShareBytes && all <= cap)
        return true;
    share->held -= n;
    g_clients -= n;
    share->refusal = own > ClientShareBytes ? Share::OwnShare : Share::AllClients;
    return false;
}

// Counted or given back without a limit (the engine's allocator rounds a
// block's size: its real size is counted once it is made).
void adjust(Share *share, qint64 n)
{
    share->held += n;
    g_clients += n;
}

int blockSize(void *p)
{
    return g_engine.xSize(static_cast<char *>(p) - HeaderBytes) - HeaderBytes;
}

void *countedMalloc(int n)
{
    Share *share = t_share;
    if (share && !admit(share, n))
        return nullptr;
    void *block = g_engine.xMalloc(n + HeaderBytes);
    if (!block) {
        if (share)
            adjust(share, -qint64(n));
        return nullptr;
    }
    ownerOf(block) = share;
    void *p = static_cast<char *>(block) + HeaderBytes;
    if (share) {
        ++share->references;
        adjust(share, qint64(blockSize(p)) - n);
    }
    return p;
}

int countedSize(void *p)
{
    return p ? blockSize(p) : 0;
}

void countedFree(void *p)
{
    if (!p)
        return;
    void *block = static_cast<char *>(p) - HeaderBytes;
    Share *share = ownerOf(block);
    const int bytes = blockSize(p);
    g_engine.xFree(block);
    if (share) {
        adjust(share, -qint64(bytes));
        share->unreference();
    }
}

// A block stays counted to the share it was made for.
void *countedRealloc(void *p, int n)
{
    void *block = static_cast<char *>(p) - HeaderBytes;
    Share *share = ownerOf(block);
    const qint64 before = blockSize(p);
    const qint64 admitted = qMax<qint64>(0, qint64(n) - before);
    if (share && admitted > 0 && !admit(share, admitted))
        return nullptr;
    void *moved = g_engine.xRealloc(block, n + HeaderBytes);
    if (!moved) {
        if (share)
            adjust(share, -admitted);
        return nullptr;
    }
    void *q = static_cast<char *>(moved) + HeaderBytes;
    if (share)
        adjust(share, blockSize(q) - before - admitted);
    return q;
}

int countedRoundup(int n)
{
    return g_engine.xRoundup(n + HeaderBytes) - HeaderBytes;
}

int countedInit(void *data)
{
    return g_engine.xInit(data);
}

void countedShutdown(void *data)
{
    g_engine.xShutdown(data);
}

} // namespace

void install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        sqlite3_mem_methods counted{};
        if (sqlite3_config(SQLITE_CONFIG_GETMALLOC, &g_engine) == SQLITE_OK) {
            counted = g_engine;
            counted.xMalloc = countedMalloc;
            counted.xFree = countedFree;
            counted.xRealloc = countedRealloc;
            counted.xSize = countedSize;
            counted.xRoundup = countedRoundup;
            counted.xInit = countedInit;
            counted.xShutdown = countedShutdown;
        }
        if (!counted.xMalloc || sqlite3_config(SQLITE_CONFIG_MALLOC, &counted) != SQLITE_OK) {
            std::fprintf(stderr, "QVXServer: the database engine was in use before its memory could be shared "
                                 "out; only its overall limit holds\n");
            std::fflush(stderr);
        }
        sqlite3_hard_heap_limit64(HardLimitBytes);
        sqlite3_soft_heap_limit64(SoftLimitBytes);
    });
}

Share *newShare()
{
    return new Share;
}

void releaseShare(Share *share)
{
    if (share)
        share->unreference();
}

QString takeRefusal(Share *share)
{
    if (!share)
        return QString();
    switch (share->refusal.exchange(Share::None)) {
    case Share::OwnShare:
        return QStringLiteral("Statement stopped: it needs more memory than one connection may use (more than "
                              "%1 bytes)")
            .arg(ClientShareBytes);
    case Share::AllClients:
        return QStringLiteral("Server busy: the statements of other connections hold the memory the database "
                              "may use; the statement was stopped, try again shortly");
    default:
        return QString();
    }
}

Scope::Scope(Share *share) : m_previous(t_share)
{
    // A refusal the engine got over by itself (a page cache that made do
    // without a new page) is not a later statement's reason.
    if (share && share != m_previous)
        share->refusal = Share::None;
    t_share = share;
}

Scope::~Scope()
{
    t_share = m_previous;
}

} // namespace qvx::sqlitememory
