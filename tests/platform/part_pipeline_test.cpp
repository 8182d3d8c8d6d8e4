#include "platform/PartPipeline.h"
#include "platform/SideBySide.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

// Parts are taken in order with their own results whatever thread did them;
// a part that failed throws where it is taken; a pipeline let go before all
// its parts are taken (its taker failed) stops and joins its threads.
TEST(PartPipeline, PartsAreTakenInOrderAFailureIsThrownWhereTakenAndAnEarlyEndJoins)
{
    for (const int threads : {0, 1, 3}) {
        std::vector<int> sums;
        {
            PartPipeline<std::vector<int>> parts(40, threads, [](int p, std::vector<int> &out) {
                for (int i = 0; i < 1000; ++i)
                    out.push_back(p * 1000 + i);
            });
            for (int p = 0; p < parts.count(); ++p) {
                const std::vector<int> &got = parts.take(p);
                ASSERT_EQ(got.size(), 1000u);
                sums.push_back(got.front());
                parts.release(p);
            }
        }
        ASSERT_EQ(sums.size(), 40u);
        for (int p = 0; p < 40; ++p)
            EXPECT_EQ(sums[size_t(p)], p * 1000) << threads;

        std::atomic<int> worked{0};
        PartPipeline<int> failing(30, threads, [&worked](int p, int &out) {
            ++worked;
            if (p == 5)
                throw std::runtime_error("part 5");
            out = p;
        });
        for (int p = 0; p < 5; ++p)
            EXPECT_EQ(failing.take(p), p);
        EXPECT_THROW(failing.take(5), std::runtime_error);
        EXPECT_GE(worked.load(), 6);
    } // the failing pipeline ends here with parts untaken
}

TEST(SideBySide, EveryJobRunsAndTheFirstFailureIsThrownAfterAllEnded)
{
    std::vector<int> done(6, 0);
    RunSideBySide(6, [&done](int j) { done[size_t(j)] = j + 1; });
    EXPECT_EQ(done, (std::vector<int>{1, 2, 3, 4, 5, 6}));
    std::atomic<int> ran{0};
    EXPECT_THROW(RunSideBySide(4, [&ran](int j) {
                     ++ran;
                     if (j >= 2)
                         throw std::invalid_argument("job");
                 }),
                 std::invalid_argument);
    EXPECT_EQ(ran.load(), 4);
    EXPECT_GE(SideBySideJobs(4), 1);
    EXPECT_LE(SideBySideJobs(4), 4);
}
