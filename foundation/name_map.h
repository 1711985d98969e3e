#pragma once
// Maps and sets keyed by LDF names, as views into the document's texts. Their hash reads a
// name four UTF-16 units at a time: the names of an LDF file are short and alike
// ("Sig_12_3", "Slave17"), and the checks and the loader hash every one of them several
// times. They take a memory resource: a map that lives as long as one check or one load is
// given a NameArena, so that its entries cost no allocation of their own and go at once.

#include <cstdint>
#include <cstring>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

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

template <typename Value>
using NameMap = std::pmr::unordered_map<std::u16string_view, Value, NameHash>;
using NameSet = std::pmr::unordered_set<std::u16string_view, NameHash>;
using NameArena = std::pmr::monotonic_buffer_resource;
