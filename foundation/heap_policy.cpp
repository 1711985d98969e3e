#include "heap_policy.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>  // defines __GLIBC__ with the GNU C library

#if defined(__GLIBC__) && defined(__linux__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace tabrel {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// Address space only until it is touched: enough for a file of twenty megabytes.
constexpr std::size_t kRegion = std::size_t{256} << 20;
// The largest threshold for handing blocks out as mappings of their own that older C
// libraries accept on 64-bit systems.
constexpr std::size_t kOldLargestMapThreshold = std::size_t{32} << 20;
// More than the C library writes past a block to describe the free memory after it.
constexpr std::size_t kAllocatorMargin = 64;

// The start of the heap below its huge pages, kept reachable for leak checkers (volatile,
// so that the compiler keeps a pointer that is never read).
void* volatile keptBelowHugePages = nullptr;

}  // namespace

#if defined(__GLIBC__) && defined(__linux__)

void KeepFreedMemoryInTheHeap() {
    // Turning trimming off alone would also fix the threshold at its small initial value,
    // and every large block would be mapped and unmapped each time: so only after a
    // threshold has been taken.
    if (mallopt(M_MMAP_THRESHOLD, static_cast<int>(kRegion / 2)) == 0 &&
        mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOldLargestMapThreshold)) == 0) {
        return;
    }
    mallopt(M_TRIM_THRESHOLD, -1);
}

void UseLargePagesForTheHeap() {
    KeepFreedMemoryInTheHeap();
    // The heap grows once by the whole region, which is then advised: a region made later
    // would be on small pages again. Only a heap whose break moved and that gave the block
    // is advised; where the break cannot move, the C library maps the block elsewhere.
    const auto before = reinterpret_cast<std::uintptr_t>(sbrk(0));
    mallopt(M_TOP_PAD, static_cast<int>(kRegion));
    const std::size_t size = mallinfo2().fordblks + kHugePage;  // more than the heap holds free
    void* first = std::malloc(size);
    const auto after = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const auto block = reinterpret_cast<std::uintptr_t>(first);
    // The C library keeps its account of the heap's free end just past the block, and a
    // stretch of 2 MiB once touched stays on small pages: the advice starts after it.
    const std::uintptr_t start = (block + size + kAllocatorMargin + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = after & ~(kHugePage - 1);
    if (first == nullptr || block >= after || block + size <= before || end <= start ||
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE) != 0) {
        std::free(first);
        return;
    }
    // Freed, the block would be handed out again from its start, on small pages. It stays
    // taken and untouched, grown into the free end up to the advised part, so that the
    // next blocks (the file a load reads whole, first of all) lie on huge pages.
    void* kept = std::realloc(first, start - block);
    keptBelowHugePages = kept != nullptr ? kept : first;
}

#else

void KeepFreedMemoryInTheHeap() {}
void UseLargePagesForTheHeap() {}

#endif

}  // namespace tabrel
