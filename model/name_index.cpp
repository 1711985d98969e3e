#include "name_index.h"

#include "definition_file.h"

ClusterNameIndex::ClusterNameIndex(const corvdekLINDefinitionFile& document)
    : signals_(static_cast<std::size_t>(document.signals.GetCount())),
      nodes_(static_cast<std::size_t>(document.nodes.GetCount()) + 1),
      encodingTypes_(static_cast<std::size_t>(document.encodingTypes.GetCount())) {
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        corvdekLINSignal* signal = document.signals.Get(i);
        signals_.TryEmplace(signal->name.View(), signal);
    }
    nodes_.TryEmplace(document.master.name.View(), true);
    for (int i = 0; i < document.nodes.GetCount(); ++i) nodes_.TryEmplace(document.nodes.Get(i)->name.View(), true);
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        encodingTypes_.TryEmplace(document.encodingTypes.Get(i)->name.View(), true);
    }
}

corvdekLINSignal* ClusterNameIndex::FindSignal(std::u16string_view name) const {
    corvdekLINSignal* const* signal = signals_.Find(name);
    return signal != nullptr ? *signal : nullptr;
}

bool ClusterNameIndex::IsDefinedNode(std::u16string_view name) const { return nodes_.Contains(name); }

bool ClusterNameIndex::IsEncodingType(std::u16string_view name) const { return encodingTypes_.Contains(name); }

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
