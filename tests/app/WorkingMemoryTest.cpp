#include "app/WorkingMemory.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The THPeligible line of the mapping that holds `address`, or -1 when smaps has none.
int hugePageEligible(const void* address) {
    std::ifstream smaps("/proc/self/smaps");
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t from = 0, to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-') inside = from <= at && at < to;
        else if (inside && line.rfind("THPeligible:", 0) == 0) return std::atoi(line.c_str() + 12);
    }
    return -1;
}

bool hugePagesOnOffer() {
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text((std::istreambuf_iterator<char>(mode)), std::istreambuf_iterator<char>());
    return !text.empty() && text.find("[never]") == std::string::npos;
}

} // namespace

TEST(WorkingMemory, ASkinsPicturesAfterTheReserveLandInHugePages) {
    if (!vk::kReservesWorkingMemory) GTEST_SKIP() << "the heap is not glibc's here (a sanitizer's, say)";
    if (!hugePagesOnOffer()) GTEST_SKIP() << "this kernel offers no transparent huge pages";
    vk::reserveWorkingMemory(std::size_t(16) << 20);
    // The equaliser sheet's pixels: above malloc's default mmap threshold, so
    // without the reserve they would get a small mapping of their own.
    void* sheet = std::malloc(275 * 315 * 4);
    ASSERT_NE(sheet, nullptr);
    std::memset(sheet, 1, 275 * 315 * 4);
    EXPECT_EQ(hugePageEligible(sheet), 1);
    std::free(sheet);
}
