#pragma once
// Lookups by LDF name over one document, built once so that checks and generators that
// visit every object need not scan a whole collection per reference. Each lookup gives the
// same answer as a linear scan in collection order: the first element of that name, matched
// exactly and case-sensitively. Valid until the document's collections change.

#include <string_view>
#include <vector>

#include "foundation/name_map.h"

class corvdekLINDefinitionFile;
class corvdekLINNode;
class corvdekLINSignal;
template <typename T>
class corvCollectionTemplate;

class ClusterNameIndex {
public:
    explicit ClusterNameIndex(const corvdekLINDefinitionFile& document);

    corvdekLINSignal* FindSignal(std::u16string_view name) const;
    // The master or a slave carries this name.
    bool IsDefinedNode(std::u16string_view name) const { return nodeNames_.count(name) != 0; }
    bool IsEncodingType(std::u16string_view name) const { return encodingNames_.count(name) != 0; }

private:
    // The signals by name in one array with open addressing: a lookup reads one slot, and the
    // name only when the hashes agree, where a map of nodes reads a bucket, a node and the
    // name. The checks look up every signal of every frame, and in a large cluster each of
    // those reads misses the cache.
    class SignalTable {
    public:
        explicit SignalTable(std::size_t count);
        // Keeps the first signal of a name.
        void Add(corvdekLINSignal* signal);
        corvdekLINSignal* Find(std::u16string_view name) const;

    private:
        struct Slot {
            std::size_t hash = 0;
            corvdekLINSignal* signal = nullptr;  // none: the slot is free
        };
        // The slot of `name`, or the free slot where it would go.
        std::size_t SlotOf(std::u16string_view name, std::size_t hash) const;

        std::vector<Slot> slots_;
        std::size_t mask_;
    };

    NameArena arena_;  // before the maps, which use it
    SignalTable signals_;
    NameSet nodeNames_{&arena_};
    NameSet encodingNames_{&arena_};
};

// The first slave of each name, for the loader, which looks up the node of every
// Node_attributes block. Slaves are only ever appended while a file loads, so the lookup
// learns the ones added since it was last asked; Clear it when a load starts.
class SlaveNameLookup {
public:
    int Find(const corvCollectionTemplate<corvdekLINNode>& slaves, std::u16string_view name);
    void Clear();

private:
    int indexed_ = 0;
    NameMap<int> first_;
};
