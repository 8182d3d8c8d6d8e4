#pragma once
// The floor both conversion benchmarks print beside iconv: the bytes cut
// into their lines (CR LF or LF), nothing else.

#include <QByteArray>
#include <QByteArrayView>

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace bench {

inline qsizetype SplitLines(const QByteArray &bytes, size_t expectedLines)
{
    std::vector<QByteArrayView> lines;
    lines.reserve(expectedLines + 1);
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    while (p < end) {
        const char *nl = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *stop = nl ? nl : end;
        lines.emplace_back(p, stop - p - (stop > p && stop[-1] == '\r' ? 1 : 0));
        p = stop + 1;
    }
    benchmark::DoNotOptimize(lines.data());
    return qsizetype(lines.size());
}

} // namespace bench
