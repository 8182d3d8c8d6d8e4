#pragma once

#include <QString>
#include <QtGlobal>

namespace qvx::sqlitememory {

// What the database engine may hold in memory on SQLite, and how it is
// shared. The engine as a whole stops at a hard limit; the connections of
// clients together stop well below it, so that the server's own work (the
// bank, the message-number counter, the batch registry, the return of
// unregistered rows) always has room; one client connection stops at its
// share; and a connection past a small floor stops earlier still, so that
// connections that hold little (a client between two statements, one just
// opened) are served while others fill what is left. backend/PROTOCOL.md
// states the figures.
constexpr qint64 HardLimitBytes = 512LL * 1024 * 1024;
constexpr qint64 SoftLimitBytes = 128LL * 1024 * 1024;  // page caches stop growing here
constexpr qint64 ServerReserveBytes = 64LL * 1024 * 1024; // kept for the server's own connections
constexpr qint64 ClientShareBytes = 32LL * 1024 * 1024;   // one client connection
constexpr qint64 ClientFloorBytes = 8LL * 1024 * 1024;    // below this a connection takes from the floor room
constexpr qint64 FloorRoomBytes = 64LL * 1024 * 1024;     // kept for connections below their floor

// Installs the engine's allocator with the accounting and the limits; once,
// before the engine is first used (later, the engine keeps its own
// allocator, the hard limit alone holds, and a line says so).
void install();

// One client connection's memory in the engine. Its blocks are counted to
// it wherever they are freed; it goes away once its owner has released it
// and its last block is freed.
class Share;
Share *newShare();
void releaseShare(Share *share);
// Why the engine last refused the share memory (empty: it did not); asked
// once the engine reports it is out of memory, and cleared.
QString takeRefusal(Share *share);

// While one lives on a thread, what the engine allocates there is counted
// to the share (null: the server's own work). Each call on a connection
// opens one; the share's refusal is forgotten as it opens.
class Scope
{
public:
    explicit Scope(Share *share);
    ~Scope();
    Scope(const Scope &) = delete;
    Scope &operator=(const Scope &) = delete;

private:
    Share *m_previous;
};

} // namespace qvx::sqlitememory
