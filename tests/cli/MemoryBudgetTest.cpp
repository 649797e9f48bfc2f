#include "cli/MemoryBudget.h"

#include <gtest/gtest.h>

#include <thread>

TEST(MemoryBudget, APictureWaitsWhileItWouldPassTheBudgetUnlessItIsAlone) {
    vk::cli::MemoryBudget budget(100);
    EXPECT_TRUE(budget.tryAcquire(60));
    EXPECT_FALSE(budget.tryAcquire(60));
    EXPECT_TRUE(budget.tryAcquire(40));  // exactly the budget
    budget.release(60);
    budget.release(40);
    EXPECT_TRUE(budget.tryAcquire(500));  // larger than the whole budget, made alone
    EXPECT_FALSE(budget.tryAcquire(1));
    // A worker waiting for room goes on once the picture in flight is done.
    std::thread waiting([&] { budget.acquire(60); });
    budget.release(500);
    waiting.join();
    EXPECT_FALSE(budget.tryAcquire(60));
}
