#include "platform/SideBySide.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

void RunSideBySide(int count, const std::function<void(int job)> &job)
{
    if (count <= 0)
        return;
    std::vector<std::exception_ptr> failures(static_cast<size_t>(count));
    auto guarded = [&](int j) {
        try {
            job(j);
        } catch (...) {
            failures[size_t(j)] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(size_t(count - 1));
    for (int j = 1; j < count; ++j)
        threads.emplace_back(guarded, j);
    guarded(0);
    for (std::thread &t : threads)
        t.join();
    for (const std::exception_ptr &failure : failures)
        if (failure)
            std::rethrow_exception(failure);
}

int SideBySideJobs(int most)
{
    const int cores = int(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, std::max(1, most));
}
