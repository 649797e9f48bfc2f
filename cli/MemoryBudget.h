// How much decoded picture batch's workers may hold at once.
#pragma once
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>

namespace vk::cli {

// The decoded pictures in flight: a picture waits while its cost would pass
// the budget, except when none is in flight (a picture larger than the whole
// budget is still made, alone).
class MemoryBudget {
public:
    explicit MemoryBudget(std::size_t limit) : limit_(limit) {}
    void acquire(std::size_t cost) {
        std::unique_lock lock(mutex_);
        freed_.wait(lock, [&] { return fits(cost); });
        used_ += cost;
    }
    void release(std::size_t cost) {
        {
            std::lock_guard lock(mutex_);
            used_ -= cost;
        }
        freed_.notify_all();
    }

private:
    bool fits(std::size_t cost) const { return used_ == 0 || used_ + cost <= limit_; }

    std::mutex mutex_;
    std::condition_variable freed_;
    std::size_t limit_, used_ = 0;
};

// Half the memory the machine has available now, from the kernel's own estimate.
std::size_t defaultMemoryBudget();
// What a picture will cost decoded, from its header alone (0 when it cannot be read).
std::size_t decodedCostOf(const std::string& picture);

} // namespace vk::cli
