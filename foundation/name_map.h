#pragma once
// Maps, sets and lists keyed by LDF names, as views into the document's texts. Their hash
// reads a name four UTF-16 units at a time: the names of an LDF file are short and alike
// ("Sig_12_3", "Slave17"), and the checks and the loader hash every one of them several
// times. The lookups over whole collections go through small open-addressing tables of
// positions (NamePositions); the other maps take a memory resource: one that lives as long
// as one check is given a NameArena, so that its entries cost no allocation of their own.

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

struct NameHash {
    std::size_t operator()(std::u16string_view name) const noexcept {
        constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ULL;
        std::uint64_t hash = name.size() * kMultiplier;
        std::size_t i = 0;
        for (; i + 4 <= name.size(); i += 4) {
            std::uint64_t word = 0;
            std::memcpy(&word, name.data() + i, sizeof word);
            hash = (hash ^ word) * kMultiplier;
            hash ^= hash >> 29;
        }
        for (; i < name.size(); ++i) hash = (hash ^ name[i]) * kMultiplier;
        return static_cast<std::size_t>(hash ^ (hash >> 32));
    }
};

// Whether two names are the same, compared eight bytes at a time (the standard comparison of
// UTF-16 text goes unit by unit).
inline bool SameName(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    const std::size_t bytes = a.size() * sizeof(char16_t);
    const auto* left = reinterpret_cast<const unsigned char*>(a.data());
    const auto* right = reinterpret_cast<const unsigned char*>(b.data());
    std::size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, left + i, sizeof x);
        std::memcpy(&y, right + i, sizeof y);
        if (x != y) return false;
    }
    for (; i < bytes; ++i) {
        if (left[i] != right[i]) return false;
    }
    return true;
}

template <typename Value>
using NameMap = std::pmr::unordered_map<std::u16string_view, Value, NameHash>;
using NameSet = std::pmr::unordered_set<std::u16string_view, NameHash>;
using NameArena = std::pmr::monotonic_buffer_resource;

// A table from names to positions in a list that the caller keeps, with open addressing: a
// slot holds part of the name's hash and the position, 8 bytes, so that the table of a
// large cluster stays in the processor's caches; the name itself is read from the list,
// through `nameAt`, only when the hashes agree. Positions are only added.
template <typename NameAt>
class NamePositions {
public:
    NamePositions(std::size_t expected, NameAt nameAt)
        : nameAt_(std::move(nameAt)), slots_(CapacityFor(expected)), mask_(slots_.size() - 1) {}

    // The position `name` was first added with; `position` when the name is new.
    int TryAdd(std::u16string_view name, int position) {
        if (2 * (size_ + 1) > slots_.size()) Grow();
        const std::uint32_t hash = Hash(name);
        Slot& slot = slots_[SlotOf(name, hash)];
        if (slot.position < 0) {
            slot = Slot{hash, position};
            ++size_;
        }
        return slot.position;
    }
    // -1 when the name was never added.
    int Find(std::u16string_view name) const { return slots_[SlotOf(name, Hash(name))].position; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        int position = -1;  // -1: free
    };

    static std::uint32_t Hash(std::u16string_view name) { return static_cast<std::uint32_t>(NameHash()(name)); }
    static std::size_t CapacityFor(std::size_t count) { return std::bit_ceil(std::max<std::size_t>(8, 2 * count)); }

    // The slot of `name`, or the free slot where it would go.
    std::size_t SlotOf(std::u16string_view name, std::uint32_t hash) const {
        std::size_t i = hash & mask_;
        while (slots_[i].position >= 0 && (slots_[i].hash != hash || !SameName(nameAt_(slots_[i].position), name))) {
            i = (i + 1) & mask_;
        }
        return i;
    }

    void Grow() {
        std::vector<Slot> previous = std::exchange(slots_, std::vector<Slot>(CapacityFor(slots_.size())));
        mask_ = slots_.size() - 1;
        for (const Slot& slot : previous) {
            if (slot.position < 0) continue;
            std::size_t i = slot.hash & mask_;  // the names differ: the first free slot is its place
            while (slots_[i].position >= 0) i = (i + 1) & mask_;
            slots_[i] = slot;
        }
    }

    NameAt nameAt_;
    std::vector<Slot> slots_;
    std::size_t mask_;
    std::size_t size_ = 0;
};

// Names with their positions, in the order they were first added: a set of names, or the
// keys of values the caller keeps in a parallel list.
class NameList {
public:
    explicit NameList(std::size_t expected = 0) : positions_(expected, NameAt{&names_}) { names_.reserve(expected); }
    NameList(const NameList&) = delete;
    NameList& operator=(const NameList&) = delete;

    // The position of the name: the one it got when first added, or the next one for a new
    // name. The name must stay where it is while the list is used.
    int Add(std::u16string_view name) {
        const int position = positions_.TryAdd(name, static_cast<int>(names_.size()));
        if (position == static_cast<int>(names_.size())) names_.push_back(name);
        return position;
    }
    // -1 for a name never added.
    int Find(std::u16string_view name) const { return positions_.Find(name); }
    bool Contains(std::u16string_view name) const { return Find(name) >= 0; }
    int Count() const { return static_cast<int>(names_.size()); }

private:
    struct NameAt {
        const std::vector<std::u16string_view>* names;
        std::u16string_view operator()(int position) const { return (*names)[static_cast<std::size_t>(position)]; }
    };

    std::vector<std::u16string_view> names_;
    NamePositions<NameAt> positions_;
};

// The names of a list of `count` objects, looked up by name: the answer is the position of
// the first object of that name. References to a list mostly follow its order (a frame lists
// its signals as the Signals section defines them, a schedule table its frames as the Frames
// section), so the object after the one found last is tried before the table: a table of a
// large cluster is read at random places, which the processor's caches cannot hold.
template <typename NameAt>
class OrderedNamePositions {
public:
    OrderedNamePositions(int count, NameAt nameAt) : nameAt_(nameAt), table_(static_cast<std::size_t>(count), nameAt) {
        firstOf_.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i) firstOf_.push_back(table_.TryAdd(nameAt_(i), i));
    }

    // -1 when no object carries the name.
    int Find(std::u16string_view name) const {
        const auto guess = static_cast<std::size_t>(nextGuess_);
        if (guess < firstOf_.size() && SameName(nameAt_(nextGuess_), name)) {
            ++nextGuess_;
            return firstOf_[guess];
        }
        const int position = table_.Find(name);
        if (position >= 0) nextGuess_ = position + 1;
        return position;
    }
    // The position of the first object that carries the name of the object at `position`.
    int FirstOf(int position) const { return firstOf_[static_cast<std::size_t>(position)]; }

private:
    NameAt nameAt_;
    NamePositions<NameAt> table_;
    std::vector<int> firstOf_;
    mutable int nextGuess_ = 0;  // the position after the one found last
};

// Tells which names of a list came before in it, for lists that are mostly short (the
// signals of a frame, at most 64 in LIN): a few names are kept inside the object in a small
// open-addressing table, so that a list of 64 names costs 64 lookups rather than 2,016
// comparisons, and a longer list goes to a set.
class RepeatedNames {
public:
    // True when `name` was seen since the last Clear; the name counts as seen from now on.
    bool Seen(std::u16string_view name) {
        if (!many_.empty() || fewCount_ == kFew) return SeenAmongMany(name);
        const std::size_t hash = NameHash()(name);
        std::size_t slot = hash & (kSlots - 1);
        for (; slots_[slot] != 0; slot = (slot + 1) & (kSlots - 1)) {
            const std::size_t i = slots_[slot] - 1U;
            if (fewHashes_[i] == hash && SameName(few_[i], name)) return true;
        }
        fewHashes_[fewCount_] = hash;
        few_[fewCount_++] = name;
        slots_[slot] = static_cast<std::uint8_t>(fewCount_);
        return false;
    }
    void Clear() {
        slots_.fill(0);
        fewCount_ = 0;
        many_.clear();
    }

private:
    static constexpr std::size_t kFew = 64;
    static constexpr std::size_t kSlots = 2 * kFew;  // at most half full

    bool SeenAmongMany(std::u16string_view name) {
        if (many_.empty()) many_.insert(few_.begin(), few_.end());
        return !many_.insert(name).second;
    }

    std::array<std::uint8_t, kSlots> slots_{};  // 1 + the position in few_ of the name there; 0: free
    std::array<std::size_t, kFew> fewHashes_;
    std::array<std::u16string_view, kFew> few_;
    std::size_t fewCount_ = 0;
    NameSet many_;
};
