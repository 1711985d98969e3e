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

}  // namespace

#if defined(__GLIBC__) && defined(__linux__)

void KeepFreedMemoryInTheHeap() {
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kRegion / 2));
    mallopt(M_TRIM_THRESHOLD, -1);
}

void UseLargePagesForTheHeap() {
    KeepFreedMemoryInTheHeap();
    // The heap grows once by the whole region, which is then advised: a region made later
    // would be on small pages again.
    if (mallopt(M_TOP_PAD, static_cast<int>(kRegion)) == 0) return;
    void* first = std::malloc(kHugePage);  // more than the heap holds so far
    const auto start = (reinterpret_cast<std::uintptr_t>(first) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0)) & ~(kHugePage - 1);
    if (first != nullptr && end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
    std::free(first);
}

#else

void KeepFreedMemoryInTheHeap() {}
void UseLargePagesForTheHeap() {}

#endif

}  // namespace tabrel
