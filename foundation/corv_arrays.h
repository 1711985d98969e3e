#pragma once
// The lists that are not cluster objects: a plain owned array, the ordered string list
// with the statement tokenizer `Split`, and the numeric sort that carries tags along.

#include <cstddef>
#include <string_view>
#include <utility>
#include <vector>

#include "corv_string.h"

// An owned array of exactly the requested size.
template <typename T>
class corvDynamicArrayTemplate {
public:
    // n = 0 frees everything; with `keep` the first min(n, old size) elements survive.
    void SetSize(int n, bool keep) {
        if (n <= 0) {
            Free();
        } else if (keep) {
            data_.resize(static_cast<std::size_t>(n));
            data_.shrink_to_fit();
        } else {
            data_ = std::vector<T>(static_cast<std::size_t>(n));
        }
    }
    void Free() { std::vector<T>().swap(data_); }
    int Size() const { return static_cast<int>(data_.size()); }
    T* Data() { return data_.data(); }
    const T* Data() const { return data_.data(); }
    T& operator[](int i) { return data_[static_cast<std::size_t>(i)]; }
    const T& operator[](int i) const { return data_[static_cast<std::size_t>(i)]; }

private:
    std::vector<T> data_;
};

// One entry of the numeric sort; entries are ordered by `key` alone.
template <typename Key>
struct corvstringNumericSort {
    Key key{};
    corvString text;
};

class corvStringArray {
public:
    bool sorted = false;
    bool useCodePage = false;  // AddAnsi converts with the code page instead of widening bytes

    corvStringArray() = default;
    corvStringArray(const corvStringArray&) = default;
    corvStringArray& operator=(const corvStringArray&) = default;

    void Add(const corvString& text) {
        items_.push_back(text);
        sorted = false;
    }
    void Add(corvString&& text) {
        items_.push_back(std::move(text));
        sorted = false;
    }
    // Appends an empty text and returns it, to be filled in place.
    corvString& AddEmpty() {
        sorted = false;
        return items_.emplace_back();
    }
    corvString& AddAnsi(const char* text);
    // Positions run from 0 to Count() - 1; callers pass positions they got from this list.
    corvString& Item(int i) { return items_[static_cast<std::size_t>(i)]; }
    const corvString& Item(int i) const { return items_[static_cast<std::size_t>(i)]; }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Contains(const corvString& text) const;
    void RemoveAt(int i);  // a position outside the list is ignored
    void Clear();
    void SetAllocated(int n, bool keep);
    void Assign(const corvStringArray& other);
    // Replaces the contents with the fields of `text` between non-overlapping occurrences
    // of `separator`: exact and case-sensitive, empty fields kept, nothing trimmed.
    void Split(std::u16string_view text, std::u16string_view separator);
    void Split(const corvString& text, std::u16string_view separator) { Split(text.View(), separator); }
    // The entries separated by `separator`: what Split would cut back into this list.
    std::u16string Joined(std::u16string_view separator) const;
    // Orders the strings by ToInt value, stable for equal values; tags travel along.
    void SortByNumber();

    bool operator==(const corvStringArray& other) const { return items_ == other.items_; }

private:
    std::vector<corvString> items_;
};
