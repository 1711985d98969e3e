#include "model/references.h"

#include "model/definition_file.h"

namespace {

void Rename(corvString& reference, const corvString& from, const corvString& to) {
    if (reference.Equals(from)) reference = to;
}

void Rename(corvStringArray& references, const corvString& from, const corvString& to) {
    for (int i = 0; i < references.Count(); ++i) Rename(references.Item(i), from, to);
}

template <typename Collection, typename Visit>
void ForEach(Collection& collection, Visit visit) {
    for (int i = 0; i < collection.GetCount(); ++i) visit(*collection.Get(i));
}

template <typename Collection>
int CountNames(const Collection& collection, const corvString& name) {
    int count = 0;
    for (int i = 0; i < collection.GetCount(); ++i) count += collection.Get(i)->name.Equals(name) ? 1 : 0;
    return count;
}

void RenameNode(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    auto signal = [&](corvdekLINSignal& each) {
        Rename(each.publisher, from, to);
        Rename(each.subscribers, from, to);
    };
    ForEach(document.signals, signal);
    ForEach(document.diagnosticSignals, signal);
    ForEach(document.frames, [&](corvdekLINFrame& frame) { Rename(frame.publisher, from, to); });
    ForEach(document.scheduleTables, [&](corvdekLINScheduleTable& table) {
        ForEach(table.items, [&](corvdekLINScheduleTableItem& item) { Rename(item.nodeName, from, to); });
    });
    ForEach(document.compositeConfigurations, [&](corvdekLINCompositeConfiguration& configuration) {
        ForEach(configuration.compositeNodes,
                [&](corvdekLINCompositeNode& composite) { Rename(composite.nodeNames, from, to); });
    });
    ForEach(document.diagnosticAddresses,
            [&](corvdekLINDiagnosticAddress& address) { Rename(address.nodeName, from, to); });
}

void RenameSignal(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    ForEach(document.frames, [&](corvdekLINFrame& frame) { Rename(frame.signalNames, from, to); });
    ForEach(document.representations,
            [&](corvdekLINSignalRepresentations& representation) { Rename(representation.signalNames, from, to); });
    ForEach(document.nodes, [&](corvdekLINNode& node) {
        Rename(node.responseError, from, to);
        Rename(node.faultStateSignals, from, to);
    });
    ForEach(document.signalGroups, [&](corvdekLINSignalGroup& group) { Rename(group.signalNames, from, to); });
}

void RenameFrame(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    ForEach(document.scheduleTables, [&](corvdekLINScheduleTable& table) {
        ForEach(table.items, [&](corvdekLINScheduleTableItem& item) {
            if (corvdekLINScheduleTableItem::KindNamesAFrame(item.kind)) Rename(item.frameName, from, to);
        });
    });
    ForEach(document.sporadicFrames, [&](corvdekLINSporadicFrame& frame) { Rename(frame.frameList, from, to); });
    ForEach(document.eventFrames, [&](corvdekLINEventFrame& frame) {
        for (int i = frame.IdPosition() + 1; i < frame.frameList.Count(); ++i) {
            Rename(frame.frameList.Item(i), from, to);
        }
    });
    ForEach(document.nodes, [&](corvdekLINNode& node) { Rename(node.configurableFrameNames, from, to); });
}

void RenameScheduleTable(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    ForEach(document.eventFrames, [&](corvdekLINEventFrame& frame) {
        if (frame.IdPosition() == 1) Rename(frame.frameList.Item(0), from, to);
    });
}

void RenameEncodingType(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    ForEach(document.signals, [&](corvdekLINSignal& signal) { Rename(signal.encoding, from, to); });
    ForEach(document.representations,
            [&](corvdekLINSignalRepresentations& representation) { Rename(representation.encodingName, from, to); });
}

void RenameDiagnosticSignal(corvdekLINDefinitionFile& document, const corvString& from, const corvString& to) {
    ForEach(document.diagnosticFrames, [&](corvdekLINDiagnosticFrame& frame) { Rename(frame.signalNames, from, to); });
}

}  // namespace

int CountNamed(const corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name) {
    switch (kind) {
        case NamedKind::kNode: return (document.master.name.Equals(name) ? 1 : 0) + CountNames(document.nodes, name);
        case NamedKind::kSignal: return CountNames(document.signals, name);
        case NamedKind::kFrame:
            return CountNames(document.frames, name) + CountNames(document.sporadicFrames, name) +
                   CountNames(document.eventFrames, name);
        case NamedKind::kScheduleTable: return CountNames(document.scheduleTables, name);
        case NamedKind::kEncodingType: return CountNames(document.encodingTypes, name);
        case NamedKind::kDiagnosticSignal: return CountNames(document.diagnosticSignals, name);
    }
    return 0;
}

void RenameReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& from,
                      const corvString& to) {
    if (from.Equals(to)) return;
    switch (kind) {
        case NamedKind::kNode: RenameNode(document, from, to); break;
        case NamedKind::kSignal: RenameSignal(document, from, to); break;
        case NamedKind::kFrame: RenameFrame(document, from, to); break;
        case NamedKind::kScheduleTable: RenameScheduleTable(document, from, to); break;
        case NamedKind::kEncodingType: RenameEncodingType(document, from, to); break;
        case NamedKind::kDiagnosticSignal: RenameDiagnosticSignal(document, from, to); break;
    }
}

void ReferenceRename::Follow(corvdekLINDefinitionFile& document, const corvString& name) {
    // An empty name is never referenced: blank fields elsewhere would be taken for its
    // references on the next keystroke.
    if (name.IsEmpty() || name.Equals(referenced_) || CountNamed(document, kind_, name) > 1) return;
    if (CountNamed(document, kind_, referenced_) > 0) return;
    RenameReferences(document, kind_, referenced_, name);
    referenced_ = name;
}
