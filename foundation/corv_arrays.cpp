#include "corv_arrays.h"

#include <algorithm>
#include <string_view>

namespace {
constexpr std::size_t kGrowBy = 25;
}

void corvStringArray::Add(const corvString& text) {
    if (items_.size() + 1 >= items_.capacity()) items_.reserve(items_.capacity() + kGrowBy);
    items_.push_back(text);
    sorted = false;
}

corvString& corvStringArray::AddAnsi(const char* text) {
    corvString converted;
    if (useCodePage) {
        converted.AssignCodePage(text);
    } else {
        converted.AssignAnsi(text);
    }
    Add(converted);
    return items_.back();
}

void corvStringArray::RemoveAt(int i) {
    if (i < 0 || i >= Count()) return;
    items_.erase(items_.begin() + i);
}

void corvStringArray::Clear() { std::vector<corvString>().swap(items_); }

void corvStringArray::SetAllocated(int n, bool keep) {
    if (n <= 0) {
        Clear();
        return;
    }
    if (!keep) {
        items_.clear();
    } else if (items_.size() > static_cast<std::size_t>(n)) {
        items_.resize(static_cast<std::size_t>(n));
    }
    items_.reserve(static_cast<std::size_t>(n));
}

void corvStringArray::Assign(const corvStringArray& other) {
    if (&other != this) items_ = other.items_;
}

void corvStringArray::Split(const corvString& text, const char16_t* separator) {
    items_.clear();
    sorted = false;
    const std::u16string_view whole = text.View();
    const std::u16string_view sep = separator == nullptr ? std::u16string_view() : separator;
    if (sep.empty()) {
        items_.emplace_back(whole);
        return;
    }
    std::size_t start = 0;
    for (std::size_t found = whole.find(sep); found != std::u16string_view::npos;
         found = whole.find(sep, start)) {
        items_.emplace_back(whole.substr(start, found - start));
        start = found + sep.size();
    }
    items_.emplace_back(whole.substr(start));
}

void corvStringArray::SortByNumber() {
    std::vector<corvstringNumericSort<int>> entries;
    entries.reserve(items_.size());
    for (auto& item : items_) entries.push_back({item.ToInt(), std::move(item)});
    std::stable_sort(entries.begin(), entries.end(),
                     [](const auto& a, const auto& b) { return a.key < b.key; });
    for (std::size_t i = 0; i < entries.size(); ++i) items_[i] = std::move(entries[i].text);
    sorted = true;
}
