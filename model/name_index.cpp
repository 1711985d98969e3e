#include "name_index.h"

#include <algorithm>
#include <bit>

#include "definition_file.h"

ClusterNameIndex::SignalTable::SignalTable(std::size_t count)
    // At most half the slots in use keeps the runs of probed slots short.
    : slots_(std::bit_ceil(std::max<std::size_t>(8, 2 * count))), mask_(slots_.size() - 1) {}

std::size_t ClusterNameIndex::SignalTable::SlotOf(std::u16string_view name, std::size_t hash) const {
    std::size_t i = hash & mask_;
    while (slots_[i].signal != nullptr && (slots_[i].hash != hash || slots_[i].signal->name.View() != name)) {
        i = (i + 1) & mask_;
    }
    return i;
}

void ClusterNameIndex::SignalTable::Add(corvdekLINSignal* signal) {
    const std::size_t hash = NameHash()(signal->name.View());
    Slot& slot = slots_[SlotOf(signal->name.View(), hash)];
    if (slot.signal == nullptr) slot = Slot{hash, signal};
}

corvdekLINSignal* ClusterNameIndex::SignalTable::Find(std::u16string_view name) const {
    return slots_[SlotOf(name, NameHash()(name))].signal;
}

ClusterNameIndex::ClusterNameIndex(const corvdekLINDefinitionFile& document)
    : signals_(static_cast<std::size_t>(document.signals.GetCount())) {
    for (int i = 0; i < document.signals.GetCount(); ++i) signals_.Add(document.signals.Get(i));
    nodeNames_.reserve(static_cast<std::size_t>(document.nodes.GetCount()) + 1);
    nodeNames_.insert(document.master.name.View());
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        nodeNames_.insert(document.nodes.Get(i)->name.View());
    }
    encodingNames_.reserve(static_cast<std::size_t>(document.encodingTypes.GetCount()));
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        encodingNames_.insert(document.encodingTypes.Get(i)->name.View());
    }
}

corvdekLINSignal* ClusterNameIndex::FindSignal(std::u16string_view name) const { return signals_.Find(name); }

int SlaveNameLookup::Find(const corvCollectionTemplate<corvdekLINNode>& slaves,
                          std::u16string_view name) {
    if (slaves.GetCount() < indexed_) Clear();
    for (; indexed_ < slaves.GetCount(); ++indexed_) {
        first_.try_emplace(slaves.Get(indexed_)->name.View(), indexed_);
    }
    const auto found = first_.find(name);
    return found == first_.end() ? -1 : found->second;
}

void SlaveNameLookup::Clear() {
    first_.clear();
    indexed_ = 0;
}
