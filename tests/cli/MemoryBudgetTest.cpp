#include "cli/MemoryBudget.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>

namespace {

using namespace std::chrono_literals;

// A worker asking for room, on a thread of its own.
std::future<void> acquireOnWorker(vk::cli::MemoryBudget& budget, std::size_t cost) {
    return std::async(std::launch::async, [&budget, cost] { budget.acquire(cost); });
}

bool stillWaiting(const std::future<void>& worker) { return worker.wait_for(100ms) == std::future_status::timeout; }
bool wentOn(const std::future<void>& worker) { return worker.wait_for(10s) == std::future_status::ready; }

} // namespace

TEST(MemoryBudget, APictureWaitsWhileItWouldPassTheBudgetUnlessItIsAlone) {
    vk::cli::MemoryBudget budget(100);
    ASSERT_TRUE(wentOn(acquireOnWorker(budget, 60)));
    std::future<void> second = acquireOnWorker(budget, 60);
    EXPECT_TRUE(stillWaiting(second));
    ASSERT_TRUE(wentOn(acquireOnWorker(budget, 40)));  // exactly the budget
    budget.release(40);
    EXPECT_TRUE(stillWaiting(second));
    budget.release(60);  // the picture in flight is done: the waiting worker goes on
    ASSERT_TRUE(wentOn(second));
    budget.release(60);

    ASSERT_TRUE(wentOn(acquireOnWorker(budget, 500)));  // larger than the whole budget, made alone
    std::future<void> small = acquireOnWorker(budget, 1);
    EXPECT_TRUE(stillWaiting(small));
    budget.release(500);
    ASSERT_TRUE(wentOn(small));
}
