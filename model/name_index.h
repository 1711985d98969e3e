#pragma once
// Lookups by LDF name over one document, built once so that checks and generators that
// visit every object need not scan a whole collection per reference. Each lookup gives the
// same answer as a linear scan in collection order: the first element of that name, matched
// exactly and case-sensitively. Valid until the document's collections change.

#include <string_view>

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
    bool IsDefinedNode(std::u16string_view name) const;
    bool IsEncodingType(std::u16string_view name) const;

private:
    FlatNameMap<corvdekLINSignal*> signals_;
    FlatNameMap<bool> nodes_;
    FlatNameMap<bool> encodingTypes_;
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
