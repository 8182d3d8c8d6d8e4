#pragma once
// How much memory a piece of work takes at its peak, measured in a forked
// child so that a crash (a stack overflow, an abort) or a runaway allocation
// ends the child and not the test.

#include <QFile>
#include <QtGlobal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

// AddressSanitizer pads every block and keeps freed memory aside for a
// while, so what a child holds under it says nothing about the code: there
// the work still runs in the child, but its growth reads 0 and its address
// space is not limited. The bounds are checked by the plain build.
#if defined(__SANITIZE_ADDRESS__)
#define QUVEX_PEAK_MEMORY_MEASURED 0
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QUVEX_PEAK_MEMORY_MEASURED 0
#endif
#endif
#ifndef QUVEX_PEAK_MEMORY_MEASURED
#define QUVEX_PEAK_MEMORY_MEASURED 1
#endif

namespace testing_support {

// A "Vm...:   123 kB" line of /proc/self/status, in bytes.
inline qint64 statusBytes(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').value(0).toLongLong() * 1024;
    return -1;
}

struct PeakMemory
{
    bool ended = false;   // the child returned from the work and exited normally
    int signal = 0;       // the signal that ended it otherwise
    qint64 growth = -1;   // how far its resident memory rose above where it started, in bytes
    int result = -1;      // what the work returned
};

// Runs `work` in a forked child whose address space may grow by at most
// `limitBytes`, so that an unbounded reader meets a refused allocation there.
inline PeakMemory MeasurePeakMemory(const std::function<int()> &work, qint64 limitBytes = 4LL << 30)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {};
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (QUVEX_PEAK_MEMORY_MEASURED) {
            const qint64 size = statusBytes("VmSize:");
            const rlimit limit{rlim_t(size + limitBytes), rlim_t(size + limitBytes)};
            setrlimit(RLIMIT_AS, &limit);
        }
        // Start the high-water mark afresh from what the child holds now.
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        if (clear.open(QIODevice::WriteOnly))
            clear.write("5");
        clear.close();
        const qint64 before = statusBytes("VmRSS:");
        const int result = work();
        const qint64 out[2] = {QUVEX_PEAK_MEMORY_MEASURED ? statusBytes("VmHWM:") - before : 0, result};
        (void)!::write(fds[1], out, sizeof out);
        _exit(0);
    }
    ::close(fds[1]);
    PeakMemory peak;
    qint64 in[2] = {-1, -1};
    const bool got = ::read(fds[0], in, sizeof in) == sizeof in;
    ::close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    peak.ended = got && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    peak.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    if (got) {
        peak.growth = in[0];
        peak.result = int(in[1]);
    }
    return peak;
}

} // namespace testing_support
