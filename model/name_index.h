#pragma once
// Lookups by LDF name over one document, built once so that checks and generators that
// visit every object need not scan a whole collection per reference. Each lookup gives the
// same answer as a linear scan in collection order: the first element of that name, matched
// exactly and case-sensitively. Valid until the document's collections change.

#include <algorithm>
#include <bit>
#include <string_view>
#include <vector>

#include "foundation/name_map.h"

class corvdekLINDefinitionFile;
class corvdekLINNode;
class corvdekLINSignal;
class corvdekLINSignalEncodingTypes;
template <typename T>
class corvCollectionTemplate;

class ClusterNameIndex {
public:
    explicit ClusterNameIndex(const corvdekLINDefinitionFile& document);

    corvdekLINSignal* FindSignal(std::u16string_view name) const;
    // The master or a slave carries this name.
    bool IsDefinedNode(std::u16string_view name) const;
    bool IsEncodingType(std::u16string_view name) const;

private:
    // Objects by name in one array with open addressing: a lookup reads one slot, and the
    // name only when the hashes agree, where a map of nodes reads a bucket, a node and the
    // name. The checks look up every signal of every frame and the nodes of every signal,
    // and in a large cluster each of those reads misses the cache.
    template <typename T>
    class NamedTable {
    public:
        explicit NamedTable(std::size_t count)
            // At most half the slots in use keeps the runs of probed slots short.
            : slots_(std::bit_ceil(std::max<std::size_t>(8, 2 * count))), mask_(slots_.size() - 1) {}
        // Keeps the first object of a name.
        void Add(T* object) {
            const std::size_t hash = NameHash()(object->name.View());
            Slot& slot = slots_[SlotOf(object->name.View(), hash)];
            if (slot.object == nullptr) slot = Slot{hash, object};
        }
        T* Find(std::u16string_view name) const { return slots_[SlotOf(name, NameHash()(name))].object; }

    private:
        struct Slot {
            std::size_t hash = 0;
            T* object = nullptr;  // none: the slot is free
        };
        // The slot of `name`, or the free slot where it would go.
        std::size_t SlotOf(std::u16string_view name, std::size_t hash) const {
            std::size_t i = hash & mask_;
            while (slots_[i].object != nullptr && (slots_[i].hash != hash || slots_[i].object->name.View() != name)) {
                i = (i + 1) & mask_;
            }
            return i;
        }

        std::vector<Slot> slots_;
        std::size_t mask_;
    };

    NamedTable<corvdekLINSignal> signals_;
    NamedTable<const corvdekLINNode> nodes_;
    NamedTable<const corvdekLINSignalEncodingTypes> encodingTypes_;
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
