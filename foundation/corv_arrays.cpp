#include "corv_arrays.h"

#include <algorithm>
#include <string_view>
#include <utility>

bool corvStringArray::Contains(const corvString& text) const {
    return std::find(items_.begin(), items_.end(), text) != items_.end();
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

void corvStringArray::Split(std::u16string_view whole, std::u16string_view sep) {
    std::vector<std::u16string_view> fields;
    ForEachField(whole, sep, [&fields](std::u16string_view field) { fields.push_back(field); });
    items_.clear();
    items_.reserve(fields.size());
    for (std::u16string_view field : fields) items_.emplace_back(field);
    sorted = false;
}

std::u16string corvStringArray::Joined(std::u16string_view separator) const {
    std::u16string text;
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (i > 0) text += separator;
        text += items_[i].View();
    }
    return text;
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
