#pragma once
// The one owning container of cluster objects: an ordered list in which every element
// carries a unique internal key ("0", "1", ...) that the collection assigns itself.

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "foundation/corv_string.h"

template <typename T>
class ICollectionTemplate {
public:
    virtual ~ICollectionTemplate() = default;
    virtual int GetCount() const = 0;
    virtual bool IsEmpty() const = 0;
    virtual T* Get(int index) const = 0;
    virtual const corvString& GetKey(int index) const = 0;
    virtual int FindByKey(const corvString& key) const = 0;
    virtual bool Clear() = 0;
    virtual int RemoveAt(int index) = 0;
    virtual T* AddExisting(std::unique_ptr<T> element) = 0;
    virtual void RenumberKeys() = 0;
    virtual std::unique_ptr<T> DetachAt(int index) = 0;
    virtual T* InsertExistingAt(std::unique_ptr<T> element, int index) = 0;
};

// T needs a public corvString member `key`.
template <typename T>
class corvCollectionTemplate final : public ICollectionTemplate<T> {
public:
    corvCollectionTemplate() = default;
    corvCollectionTemplate(const corvCollectionTemplate&) = delete;
    corvCollectionTemplate& operator=(const corvCollectionTemplate&) = delete;
    ~corvCollectionTemplate() override = default;

    int GetCount() const override { return static_cast<int>(items_.size()); }
    bool IsEmpty() const override { return items_.empty(); }
    // Null for a position outside the collection.
    T* Get(int index) const override { return IsIndex(index) ? items_[index].get() : nullptr; }
    const corvString& GetKey(int index) const override {
        static const corvString none;
        return IsIndex(index) ? items_[index]->key : none;
    }
    int FindByKey(const corvString& key) const override;
    bool Clear() override {
        std::vector<std::unique_ptr<T>>().swap(items_);
        capacity_ = 0;
        nextKeyNumber_ = 0;
        keysAscend_ = true;
        return true;
    }
    int RemoveAt(int index) override {
        DetachAt(index);
        return 0;
    }
    // Default-initialized: every member of the cluster objects has its initial value, and
    // value-initializing would clear the whole object first, for every object of a file.
    T* Add() { return AddExisting(std::make_unique_for_overwrite<T>()); }
    T* AddExisting(std::unique_ptr<T> element) override {
        return InsertExistingAt(std::move(element), GetCount());
    }
    void RenumberKeys() override;
    std::unique_ptr<T> DetachAt(int index) override {
        if (!IsIndex(index)) return nullptr;
        std::unique_ptr<T> element = std::move(items_[index]);
        items_.erase(items_.begin() + index);
        return element;
    }
    T* InsertExistingAt(std::unique_ptr<T> element, int index) override;

    // Makes this collection a deep copy of `other`: equal elements under the same keys. The
    // editor keeps such copies to take an edit back.
    void CopyFrom(const corvCollectionTemplate& other) {
        std::vector<std::unique_ptr<T>> copies;
        copies.reserve(other.items_.size());
        for (const auto& element : other.items_) copies.push_back(std::make_unique<T>(*element));
        items_ = std::move(copies);
        capacity_ = other.capacity_;
        nextKeyNumber_ = other.nextKeyNumber_;
        keysAscend_ = other.keysAscend_;
    }
    void SwapWith(corvCollectionTemplate& other) noexcept {
        items_.swap(other.items_);
        std::swap(capacity_, other.capacity_);
        std::swap(nextKeyNumber_, other.nextKeyNumber_);
        std::swap(keysAscend_, other.keysAscend_);
    }

    int Capacity() const { return capacity_; }
    // The last element, which the readers fill after adding it; null when empty.
    T* Last() const { return items_.empty() ? nullptr : items_.back().get(); }

private:
    static constexpr int kGrowBy = 100;

    bool IsIndex(int index) const { return index >= 0 && index < GetCount(); }
    // Gives `key` the next number that no element's key holds.
    void SetFreshKey(corvString& key);
    // The numeric value of a key the collection could have generated, or -1.
    static long long KeyNumber(const corvString& key);

    std::vector<std::unique_ptr<T>> items_;
    int capacity_ = 0;
    int nextKeyNumber_ = 0;
    // True while every key is a generated number and the numbers ascend with the position,
    // which holds until an element is inserted anywhere but at the end. Then FindByKey
    // can search by number instead of scanning.
    bool keysAscend_ = true;
};

template <typename T>
long long corvCollectionTemplate<T>::KeyNumber(const corvString& key) {
    const std::u16string_view digits = key.View();
    if (digits.empty() || digits.size() > 10 || (digits[0] == u'0' && digits.size() > 1)) return -1;
    long long number = 0;
    for (char16_t ch : digits) {
        if (ch < u'0' || ch > u'9') return -1;
        number = number * 10 + (ch - u'0');
    }
    return number;
}

template <typename T>
int corvCollectionTemplate<T>::FindByKey(const corvString& key) const {
    if (items_.empty()) return -1;
    const long long wanted = KeyNumber(key);
    if (keysAscend_ && wanted >= 0) {
        if (wanted > KeyNumber(items_.back()->key)) return -1;  // every fresh key

        const auto found = std::lower_bound(
            items_.begin(), items_.end(), wanted,
            [](const std::unique_ptr<T>& element, long long number) {
                return KeyNumber(element->key) < number;
            });
        if (found == items_.end() || KeyNumber((*found)->key) != wanted) return -1;
        return static_cast<int>(found - items_.begin());
    }
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i]->key.Equals(key)) return static_cast<int>(i);
    }
    return -1;
}

template <typename T>
void corvCollectionTemplate<T>::SetFreshKey(corvString& key) {
    // While the keys ascend, a number above the last one is taken by no element.
    if (keysAscend_ && (items_.empty() || KeyNumber(items_.back()->key) < nextKeyNumber_)) {
        key.SetInt(nextKeyNumber_++);
        return;
    }
    do {
        key.SetInt(nextKeyNumber_++);
    } while (FindByKey(key) != -1);
}

template <typename T>
T* corvCollectionTemplate<T>::InsertExistingAt(std::unique_ptr<T> element, int index) {
    if (!element || index < 0 || index > GetCount()) return nullptr;
    SetFreshKey(element->key);
    if (capacity_ < GetCount() + 1) {
        // Geometric growth keeps adding n elements linear; a fixed step made it quadratic.
        capacity_ = std::max(capacity_ + kGrowBy + 1, 2 * capacity_);
        items_.reserve(static_cast<std::size_t>(capacity_));
    }
    if (index != GetCount()) keysAscend_ = false;
    T* stored = element.get();
    items_.insert(items_.begin() + index, std::move(element));
    return stored;
}

template <typename T>
void corvCollectionTemplate<T>::RenumberKeys() {
    int highest = 0;
    for (const auto& element : items_) highest = std::max(highest, element->key.ToInt());
    nextKeyNumber_ = highest + 1;
}
