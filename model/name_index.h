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
    ClusterNameIndex(const ClusterNameIndex&) = delete;
    ClusterNameIndex& operator=(const ClusterNameIndex&) = delete;

    corvdekLINSignal* FindSignal(std::u16string_view name) const;
    // The position in the document's signals of the first signal of that name, or -1.
    int FindSignalPosition(std::u16string_view name) const;
    // The position of the first signal that carries the name of the signal at `position`.
    int FirstSignalOfName(int position) const { return signalPositions_.FirstOf(position); }
    // The master or a slave carries this name.
    bool IsDefinedNode(std::u16string_view name) const;
    bool IsEncodingType(std::u16string_view name) const;

private:
    struct SignalName {
        const std::vector<corvdekLINSignal*>* signals;
        std::u16string_view operator()(int position) const;
    };
    std::vector<corvdekLINSignal*> signals_;  // in collection order
    OrderedNamePositions<SignalName> signalPositions_;
    NameList nodes_;  // the master and the slaves, looked up in no particular order
    NameList encodingTypes_;
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
