#pragma once
// A check run of the benchmarks (scripts/ci.d/benchmarks.sh sets
// QUVEX_BENCH_ONCE): each benchmark once, at its smallest size, so that one
// that stops with an error is seen without the time a measurement takes.
// Unset, the counts and sizes given are measured as they are.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace bench {

inline bool Once()
{
    return std::getenv("QUVEX_BENCH_ONCE") != nullptr;
}

// The iterations of a measured run; one in a check.
inline benchmark::IterationCount Runs(benchmark::IterationCount n)
{
    return Once() ? 1 : n;
}

// The sizes of a measured run; the smallest alone in a check.
inline std::vector<int64_t> Sizes(std::vector<int64_t> sizes)
{
    if (Once() && !sizes.empty())
        return {*std::min_element(sizes.begin(), sizes.end())};
    return sizes;
}

} // namespace bench
