#include "name_index.h"

#include "definition_file.h"

ClusterNameIndex::ClusterNameIndex(const corvdekLINDefinitionFile& document) {
    signals_.reserve(static_cast<std::size_t>(document.signals.GetCount()));
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        corvdekLINSignal* signal = document.signals.Get(i);
        signals_.try_emplace(signal->name.View(), signal);
    }
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

corvdekLINSignal* ClusterNameIndex::FindSignal(std::u16string_view name) const {
    const auto found = signals_.find(name);
    return found == signals_.end() ? nullptr : found->second;
}

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
