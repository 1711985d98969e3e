#include "name_index.h"

#include "definition_file.h"

namespace {

std::vector<corvdekLINSignal*> SignalsOf(const corvdekLINDefinitionFile& document) {
    std::vector<corvdekLINSignal*> signals;
    signals.reserve(static_cast<std::size_t>(document.signals.GetCount()));
    for (int i = 0; i < document.signals.GetCount(); ++i) signals.push_back(document.signals.Get(i));
    return signals;
}

}  // namespace

ClusterNameIndex::ClusterNameIndex(const corvdekLINDefinitionFile& document)
    : signals_(SignalsOf(document)),
      signalPositions_(static_cast<int>(signals_.size()), SignalName{&signals_}),
      nodes_(static_cast<std::size_t>(document.nodes.GetCount()) + 1),
      encodingTypes_(static_cast<std::size_t>(document.encodingTypes.GetCount())) {
    nodes_.Add(document.master.name.View());
    for (int i = 0; i < document.nodes.GetCount(); ++i) nodes_.Add(document.nodes.Get(i)->name.View());
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) encodingTypes_.Add(document.encodingTypes.Get(i)->name.View());
}

std::u16string_view ClusterNameIndex::SignalName::operator()(int position) const {
    return (*signals)[static_cast<std::size_t>(position)]->name.View();
}

corvdekLINSignal* ClusterNameIndex::FindSignal(std::u16string_view name) const {
    const int position = FindSignalPosition(name);
    return position < 0 ? nullptr : signals_[static_cast<std::size_t>(position)];
}

int ClusterNameIndex::FindSignalPosition(std::u16string_view name) const { return signalPositions_.Find(name); }

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
