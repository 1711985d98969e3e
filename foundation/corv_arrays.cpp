#include "corv_arrays.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// Lists are split mostly at one character; that search needs no substring matching.
std::size_t FindSeparator(std::u16string_view text, std::u16string_view separator, std::size_t from) {
    if (separator.size() != 1) return text.find(separator, from);
    for (std::size_t i = from; i < text.size(); ++i) {
        if (text[i] == separator[0]) return i;
    }
    return std::u16string_view::npos;
}

// Calls `addField` with each field of `text` between non-overlapping occurrences of
// `separator`, as views into `text`: exact and case-sensitive, empty fields kept, nothing
// trimmed, never fewer than one.
template <typename AddField>
void ForEachField(std::u16string_view text, std::u16string_view separator, AddField&& addField) {
    if (separator.empty()) {
        addField(text);
        return;
    }
    std::size_t start = 0;
    for (std::size_t found = FindSeparator(text, separator, 0); found != std::u16string_view::npos;
         found = FindSeparator(text, separator, start)) {
        addField(text.substr(start, found - start));
        start = found + separator.size();
    }
    addField(text.substr(start));
}

}  // namespace

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
