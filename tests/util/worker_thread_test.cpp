#include <gtest/gtest.h>

#include <stdexcept>
#include <thread>
#include <vector>

#include "util/worker_thread.h"

namespace {

TEST(WorkerThread, RunsEveryJobInOrderOnOneThreadOtherThanTheCaller) {
    std::vector<int> order;
    std::vector<std::thread::id> threads;
    std::vector<std::future<int>> results;
    {
        util::WorkerThread worker;
        for (int k = 0; k < 20; ++k) {
            results.push_back(worker.run([k, &order, &threads] {
                order.push_back(k);
                threads.push_back(std::this_thread::get_id());
                return k * k;
            }));
        }
        EXPECT_EQ(results[19].get(), 361);
    }
    ASSERT_EQ(order.size(), 20u);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(order[k], k);
    for (const auto& id : threads) {
        EXPECT_EQ(id, threads.front());
        EXPECT_NE(id, std::this_thread::get_id());
    }
}

TEST(WorkerThread, AFailingJobReportsThroughItsFutureAndTheNextJobStillRuns) {
    util::WorkerThread worker;
    auto failed = worker.run([]() -> int { throw std::runtime_error("cannot write mask007.tif"); });
    auto next = worker.run([] { return 7; });
    EXPECT_THROW(
        {
            try {
                failed.get();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "cannot write mask007.tif");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(next.get(), 7);
}

TEST(WorkerThread, EndingRunsTheJobsStillWaiting) {
    int done = 0;
    {
        util::WorkerThread worker;
        for (int k = 0; k < 50; ++k) worker.run([&done] { ++done; });
    }
    EXPECT_EQ(done, 50);
}

}  // namespace
