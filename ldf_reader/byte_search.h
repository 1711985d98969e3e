#pragma once
// Searches over the bytes of an LDF file that look at many bytes at once: the loader cuts
// and splits every statement of a file that may hold megabytes, and byte-by-byte loops
// were most of its time.

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The position of the first byte from `from` on that is `a` or `b`, or the size of `text`.
// Eight bytes are tested at once: a byte equal to `a` becomes zero when XORed with `a`, and
// the lowest zero byte of a word is found exactly by the borrow it causes.
inline std::size_t FindEither(std::string_view text, std::size_t from, char a, char b) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
        constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
        const std::uint64_t repeatedA = kOnes * static_cast<unsigned char>(a);
        const std::uint64_t repeatedB = kOnes * static_cast<unsigned char>(b);
        for (; from + 8 <= text.size(); from += 8) {
            std::uint64_t word;
            std::memcpy(&word, text.data() + from, sizeof word);
            const std::uint64_t xa = word ^ repeatedA;
            const std::uint64_t xb = word ^ repeatedB;
            const std::uint64_t zeros = (((xa - kOnes) & ~xa) | ((xb - kOnes) & ~xb)) & kHighBits;
            if (zeros != 0) return from + static_cast<std::size_t>(std::countr_zero(zeros) / 8);
        }
    }
    while (from < text.size() && text[from] != a && text[from] != b) ++from;
    return from;
}

// The positions of the bytes of one set, the marks, in a text, in increasing order. The
// marks of 64 bytes are found at once as the bits of a mask, so that stepping from one mark
// to the next costs a few instructions however far apart they stand.
template <char... kMarks>
class MarkFinder {
public:
    explicit MarkFinder(std::string_view bytes) : bytes_(bytes) {}

    // The position of the first mark from `from` on, or the size of the text.
    std::size_t Next(std::size_t from) {
        if (from >= bytes_.size()) return bytes_.size();
        const std::size_t block = from & ~kBlockBits;
        if (block != blockStart_) Load(block);
        std::uint64_t pending = mask_ & (~std::uint64_t{0} << (from & kBlockBits));
        while (pending == 0) {
            if (blockStart_ + kBlock >= bytes_.size()) return bytes_.size();
            Load(blockStart_ + kBlock);
            pending = mask_;
        }
        return blockStart_ + static_cast<std::size_t>(std::countr_zero(pending));
    }

private:
    static constexpr std::size_t kBlock = 64;
    static constexpr std::size_t kBlockBits = kBlock - 1;

    static bool IsMark(char byte) { return ((byte == kMarks) || ...); }

    void Load(std::size_t start) {
        blockStart_ = start;
        mask_ = 0;
        const char* data = bytes_.data() + start;
#if defined(__SSE2__)
        if (start + kBlock <= bytes_.size()) {
            for (std::size_t part = 0; part < kBlock; part += 16) {
                const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + part));
                const __m128i matches = (_mm_cmpeq_epi8(chunk, _mm_set1_epi8(kMarks)) | ...);
                mask_ |= static_cast<std::uint64_t>(static_cast<unsigned>(_mm_movemask_epi8(matches))) << part;
            }
            return;
        }
#endif
        const std::size_t count = std::min(kBlock, bytes_.size() - start);
        for (std::size_t i = 0; i < count; ++i) {
            if (IsMark(data[i])) mask_ |= std::uint64_t{1} << i;
        }
    }

    std::string_view bytes_;
    std::size_t blockStart_ = SIZE_MAX;  // no block is loaded yet
    std::uint64_t mask_ = 0;
};
