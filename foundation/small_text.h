#pragma once
// SmallText: the storage of corvString. UTF-16 text, always zero-terminated, that keeps up
// to 15 code units inside the object and only longer text on the heap. Almost every field
// of an LDF file (a name, a number, a unit) is that short, and a large cluster holds
// hundreds of thousands of them, so most of them cost no allocation at all.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

class SmallText {
public:
    static constexpr std::size_t kLocalCapacity = 15;
    static constexpr std::size_t npos = std::u16string_view::npos;

    SmallText() noexcept : local_{}, size_(0), onHeap_(0) {}
    explicit SmallText(std::u16string_view text) : SmallText() { assign(text); }
    SmallText(const SmallText& other) : SmallText(other.view()) {}
    SmallText(SmallText&& other) noexcept : SmallText() { TakeFrom(other); }
    SmallText& operator=(const SmallText& other) {
        if (&other != this) assign(other.view());
        return *this;
    }
    SmallText& operator=(SmallText&& other) noexcept {
        if (&other != this) TakeFrom(other);
        return *this;
    }
    ~SmallText() {
        if (onHeap_) Release();
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return onHeap_ ? heap_.capacity : kLocalCapacity; }
    char16_t* data() { return onHeap_ ? heap_.data : local_; }
    const char16_t* data() const { return onHeap_ ? heap_.data : local_; }
    const char16_t* c_str() const { return data(); }
    std::u16string_view view() const { return {data(), size_}; }
    char16_t* begin() { return data(); }
    char16_t* end() { return data() + size_; }
    const char16_t* begin() const { return data(); }
    const char16_t* end() const { return data() + size_; }

    // `text` may be a part of this text.
    void assign(std::u16string_view text) {
        if (onHeap_ || text.size() > kLocalCapacity) return AssignSlowly(text);
        CopyUnits(local_, text.data(), text.size());
        SetSize(text.size());
    }
    void append(std::u16string_view text);
    void push_back(char16_t unit) { append(std::u16string_view(&unit, 1)); }
    void pop_back() { SetSize(size_ - 1); }
    void clear() { SetSize(0); }
    // Longer text is filled with zero units.
    void resize(std::size_t n);
    // Makes the text `n` units long for the caller to fill in: what it held is lost.
    char16_t* ResizeForOverwrite(std::size_t n) {
        if (n > capacity()) Grow(n, false);
        SetSize(n);
        return data();
    }
    void reserve(std::size_t n);
    void erase(std::size_t position, std::size_t count = npos);

    bool operator==(const SmallText& other) const { return view() == other.view(); }

private:
    struct Heap {
        char16_t* data;
        std::size_t capacity;  // units, without the terminator
    };

    static void CopyUnits(char16_t* to, const char16_t* from, std::size_t count) {
        if (count > 0) std::memmove(to, from, count * sizeof(char16_t));
    }
    void SetSize(std::size_t n) {
        size_ = static_cast<std::uint32_t>(n);
        data()[n] = u'\0';
    }
    void AssignSlowly(std::u16string_view text);
    void TakeFrom(SmallText& other) noexcept {
        if (other.onHeap_) {
            Release();
            heap_ = other.heap_;
            onHeap_ = 1;
            other.onHeap_ = 0;
        } else {
            // Short text is copied; this object keeps the buffer it has.
            CopyUnits(data(), other.local_, other.size_ + 1);
        }
        size_ = other.size_;
        other.SetSize(0);
    }
    // Room for `n` units; with `keep` the text stays, otherwise it may be lost.
    void Grow(std::size_t n, bool keep);
    void Release() noexcept;

    union {
        char16_t local_[kLocalCapacity + 1];
        Heap heap_;
    };
    std::uint32_t size_ : 31;
    std::uint32_t onHeap_ : 1;
};
