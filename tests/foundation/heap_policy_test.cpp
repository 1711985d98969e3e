// The programs' heap settings, seen through the C library's own account of its heap. Each
// test runs in a process of its own under CTest; run together, they still hold.

#include "foundation/heap_policy.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#if defined(__GLIBC__) && defined(__linux__) && !defined(__SANITIZE_ADDRESS__)
#include <malloc.h>

namespace {

constexpr std::size_t kMiB = std::size_t{1} << 20;

// A block the C library would map on its own comes from the heap, and freeing it gives
// nothing back to the system.
TEST(HeapPolicy, LargeBlocksComeFromTheHeapAndStayWhenFreed) {
    tabrel::KeepFreedMemoryInTheHeap();
    const std::size_t mapped = mallinfo2().hblkhd;
    void* block = std::malloc(8 * kMiB);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(mallinfo2().hblkhd, mapped);
    const std::size_t heap = mallinfo2().arena;
    std::free(block);
    EXPECT_EQ(mallinfo2().arena, heap);
}

// Whether the mapping that holds `address`, or with none given any part of the heap, is
// advised to be on huge pages ("hg" among its flags).
bool HasHugePageAdvice(const void* address = nullptr) {
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream maps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(maps, line);) {
        if (line.find('-') < line.find(' ')) {  // a mapping's first line: "start-end perms ..."
            std::uintptr_t first = 0, last = 0;
            std::sscanf(line.c_str(), "%" SCNxPTR "-%" SCNxPTR, &first, &last);
            inside = address == nullptr ? line.ends_with("[heap]") : first <= at && at < last;
        }
        if (inside && line.starts_with("VmFlags:") && line.find(" hg") != std::string::npos) return true;
    }
    return false;
}

bool SystemHasHugePages() { return std::filesystem::exists("/sys/kernel/mm/transparent_hugepage"); }

// The heap grows by the whole region, even after freed blocks have been kept in it, and is
// advised where the system has huge pages; asking again grows it no further.
TEST(HeapPolicy, LargePagesMakeTheHeapOneRegionOnce) {
    const std::size_t before = mallinfo2().arena;
    tabrel::UseLargePagesForTheHeap();
    const std::size_t grown = mallinfo2().arena;
    EXPECT_GE(grown, before + 256 * kMiB);
    if (SystemHasHugePages()) {
        EXPECT_TRUE(HasHugePageAdvice());
    }
    tabrel::UseLargePagesForTheHeap();
    EXPECT_EQ(mallinfo2().arena, grown);
}

// The stretch the heap had below its first huge page is not handed out again: a block
// taken next, such as the file a load reads, lies on huge pages from its first byte.
TEST(HeapPolicy, BlocksTakenAfterwardsLieOnHugePages) {
    tabrel::UseLargePagesForTheHeap();
    if (!SystemHasHugePages()) GTEST_SKIP() << "no transparent huge pages";
    void* block = std::malloc(4 * kMiB);
    ASSERT_NE(block, nullptr);
    EXPECT_TRUE(HasHugePageAdvice(block));
    std::free(block);
}

}  // namespace

#endif
