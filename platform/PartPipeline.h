#pragma once
// Work cut into parts that a few threads do in turn, while the calling
// thread takes the parts' results in their order (to log, count or show
// them as one pass from the top would). Without threads (a single core, or
// a single part) each part is worked on the calling thread when taken.
// A part's failure is thrown again where the part is taken.

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

template <typename Result>
class PartPipeline
{
public:
    using Work = std::function<void(int part, Result &result)>;

    // `threads` at most; none for fewer than two parts.
    PartPipeline(int parts, int threads, Work work) : m_work(std::move(work))
    {
        for (int p = 0; p < parts; ++p)
            m_parts.push_back(std::make_unique<Slot>());
        const int count = parts >= 2 ? std::max(0, threads) : 0;
        for (int t = 0; t < count; ++t)
            m_threads.emplace_back([this] { run(); });
    }

    ~PartPipeline()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_next = int(m_parts.size()); // no part is begun any more
        }
        for (std::thread &t : m_threads)
            t.join();
    }

    PartPipeline(const PartPipeline &) = delete;
    PartPipeline &operator=(const PartPipeline &) = delete;

    int count() const { return int(m_parts.size()); }

    // Part p's result once it is done; each part is taken once, in order.
    Result &take(int p)
    {
        Slot &slot = *m_parts[size_t(p)];
        if (m_threads.empty()) {
            workOn(p, slot);
        } else {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_doneChanged.wait(lock, [&slot] { return slot.done; });
        }
        if (slot.failure)
            std::rethrow_exception(slot.failure);
        return slot.result;
    }

    // A part taken is let go.
    void release(int p) { m_parts[size_t(p)].reset(); }

private:
    struct Slot
    {
        Result result;
        std::exception_ptr failure;
        bool done = false; // under the lock
    };

    void workOn(int p, Slot &slot)
    {
        try {
            m_work(p, slot.result);
        } catch (...) {
            slot.failure = std::current_exception();
        }
    }

    void run()
    {
        for (;;) {
            int p = 0;
            Slot *slot = nullptr;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_next >= int(m_parts.size()))
                    return;
                p = m_next++;
                slot = m_parts[size_t(p)].get();
            }
            workOn(p, *slot);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                slot->done = true;
            }
            m_doneChanged.notify_all();
        }
    }

    const Work m_work;
    std::vector<std::unique_ptr<Slot>> m_parts;
    std::vector<std::thread> m_threads;
    std::mutex m_mutex;
    std::condition_variable m_doneChanged;
    int m_next = 0; // the next part a thread begins
};
