#include "small_text.h"

#include <algorithm>
#include <functional>
#include <stdexcept>

namespace {

constexpr std::size_t kMaxSize = (std::size_t{1} << 31) - 1;

// Whether `text` starts within the `size` units at `own` (or just after them).
bool StartsWithin(const char16_t* text, const char16_t* own, std::size_t size) {
    return std::less_equal<const char16_t*>()(own, text) &&
           std::less_equal<const char16_t*>()(text, own + size);
}

}  // namespace

void SmallText::AssignSlowly(std::u16string_view text) {
    // A part of this text fits in place; other text may need a new buffer.
    if (!StartsWithin(text.data(), data(), size_)) Grow(text.size(), false);
    CopyUnits(data(), text.data(), text.size());
    SetSize(text.size());
}

void SmallText::append(std::u16string_view text) {
    const std::size_t oldSize = size_;
    const bool isOwnPart = StartsWithin(text.data(), data(), oldSize);
    const std::size_t ownOffset = isOwnPart ? static_cast<std::size_t>(text.data() - data()) : 0;
    if (text.size() > kMaxSize - oldSize) throw std::length_error("SmallText too long");
    Grow(oldSize + text.size(), true);
    const char16_t* from = isOwnPart ? data() + ownOffset : text.data();
    CopyUnits(data() + oldSize, from, text.size());
    SetSize(oldSize + text.size());
}

void SmallText::resize(std::size_t n) {
    const std::size_t oldSize = size_;
    Grow(n, true);
    if (n > oldSize) std::fill(data() + oldSize, data() + n, u'\0');
    SetSize(n);
}

void SmallText::reserve(std::size_t n) { Grow(n, true); }

void SmallText::erase(std::size_t position, std::size_t count) {
    if (position > size_) throw std::out_of_range("SmallText::erase");
    const std::size_t removed = std::min(count, size_ - position);
    CopyUnits(data() + position, data() + position + removed, size_ - position - removed);
    SetSize(size_ - removed);
}

void SmallText::Grow(std::size_t n, bool keep) {
    if (n <= capacity()) return;
    if (n > kMaxSize) throw std::length_error("SmallText too long");
    // Geometric growth, so that appending unit by unit stays linear.
    const std::size_t newCapacity = std::min(kMaxSize, std::max(n, 2 * capacity()));
    auto* grown = new char16_t[newCapacity + 1];
    const std::size_t kept = keep ? size_ : 0;
    CopyUnits(grown, data(), kept);
    grown[kept] = u'\0';
    Release();
    heap_ = Heap{grown, newCapacity};
    onHeap_ = 1;
    size_ = static_cast<std::uint32_t>(kept);
}

void SmallText::Release() noexcept {
    if (!onHeap_) return;
    delete[] heap_.data;
    onHeap_ = 0;
    local_[0] = u'\0';
    size_ = 0;
}
