#include "large_pages.h"

#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ with the GNU C library

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

void UseLargePagesForTheHeap() {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    // Address space only until it is touched: enough for a file of twenty megabytes.
    constexpr std::size_t kRegion = std::size_t{256} << 20;
    // Every allocation, large ones too, from one heap that grows once and never shrinks: a
    // region made later would be on small pages again.
    if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kRegion / 2)) == 0 ||
        mallopt(M_TOP_PAD, static_cast<int>(kRegion)) == 0 || mallopt(M_TRIM_THRESHOLD, -1) == 0) {
        return;
    }
    // More than the heap holds so far: it grows by the whole region.
    void* first = std::malloc(kHugePage);
    const auto start = (reinterpret_cast<std::uintptr_t>(first) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
    if (first != nullptr && end > start) {
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    }
    std::free(first);
}

#else

void UseLargePagesForTheHeap() {}

#endif
