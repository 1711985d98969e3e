#include "model/references.h"

#include <algorithm>
#include <utility>

#include "model/definition_file.h"

namespace {

// Collects the texts that carry one name, with their holders and how to remove them.
class ReferenceCollector {
public:
    explicit ReferenceCollector(const corvString& name) : name_(name) {}

    void Text(std::u16string_view kind, const corvString& holder, corvString& text, std::function<void()> remove) {
        if (text.Equals(name_)) found_.push_back({Holder(kind, holder), &text, std::move(remove)});
    }
    // The entries of a list; `removeAt` takes out the entry at a position.
    void List(std::u16string_view kind, const corvString& holder, corvStringArray& list,
              const std::function<void(int)>& removeAt, int from = 0) {
        for (int i = from; i < list.Count(); ++i) {
            Text(kind, holder, list.Item(i), [removeAt, i] { removeAt(i); });
        }
    }
    void List(std::u16string_view kind, const corvString& holder, corvStringArray& list) {
        List(kind, holder, list, [&list](int i) { list.RemoveAt(i); });
    }
    // 'name, offset' lists kept as two parallel arrays.
    void Pairs(std::u16string_view kind, const corvString& holder, corvStringArray& names, corvStringArray& values) {
        List(kind, holder, names, [&names, &values](int i) {
            names.RemoveAt(i);
            values.RemoveAt(i);
        });
    }
    std::vector<Reference> Take() { return std::move(found_); }

private:
    static std::u16string Holder(std::u16string_view kind, const corvString& holder) {
        return holder.IsEmpty() ? std::u16string(kind) : std::u16string(kind) + u" " + std::u16string(holder.View());
    }

    const corvString& name_;
    std::vector<Reference> found_;
};

template <typename Collection, typename Visit>
void ForEach(Collection& collection, Visit visit) {
    for (int i = 0; i < collection.GetCount(); ++i) visit(*collection.Get(i), i);
}

template <typename Collection>
int CountNames(const Collection& collection, const corvString& name) {
    int count = 0;
    for (int i = 0; i < collection.GetCount(); ++i) count += collection.Get(i)->name.Equals(name) ? 1 : 0;
    return count;
}

// Schedule entries that name the object in `field` of the kinds `names` accepts.
template <typename NamesIt>
void CollectScheduleEntries(corvdekLINDefinitionFile& document, ReferenceCollector& found,
                            corvString corvdekLINScheduleTableItem::*field, NamesIt names) {
    ForEach(document.scheduleTables, [&](corvdekLINScheduleTable& table, int) {
        ForEach(table.items, [&](corvdekLINScheduleTableItem& item, int position) {
            if (!names(item.kind)) return;
            found.Text(u"Schedule table", table.name, item.*field, [&table, position] { table.items.RemoveAt(position); });
        });
    });
}

void CollectNode(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    auto signal = [&](corvdekLINSignal& each, int) {
        found.Text(u"Signal", each.name, each.publisher, {});
        found.List(u"Signal", each.name, each.subscribers);
    };
    ForEach(document.signals, signal);
    ForEach(document.diagnosticSignals, signal);
    ForEach(document.frames, [&](corvdekLINFrame& frame, int) { found.Text(u"Frame", frame.name, frame.publisher, {}); });
    CollectScheduleEntries(document, found, &corvdekLINScheduleTableItem::nodeName,
                           corvdekLINScheduleTableItem::KindNamesANode);
    ForEach(document.compositeConfigurations, [&](corvdekLINCompositeConfiguration& configuration, int) {
        ForEach(configuration.compositeNodes, [&](corvdekLINCompositeNode& composite, int) {
            found.List(u"Composite node", composite.name, composite.nodeNames);
        });
    });
    ForEach(document.diagnosticAddresses, [&](corvdekLINDiagnosticAddress& address, int position) {
        found.Text(u"Diagnostic addresses", {}, address.nodeName,
                   [&document, position] { document.diagnosticAddresses.RemoveAt(position); });
    });
}

void CollectSignal(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    ForEach(document.frames, [&](corvdekLINFrame& frame, int) {
        found.Pairs(u"Frame", frame.name, frame.signalNames, frame.signalOffsets);
    });
    ForEach(document.representations, [&](corvdekLINSignalRepresentations& representation, int position) {
        // A representation left without signals goes with its last one.
        found.List(u"Representation of", representation.encodingName, representation.signalNames,
                   [&document, &representation, position](int i) {
                       representation.signalNames.RemoveAt(i);
                       if (representation.signalNames.Count() == 0) document.representations.RemoveAt(position);
                   });
    });
    ForEach(document.nodes, [&](corvdekLINNode& node, int) {
        found.Text(u"Node", node.name, node.responseError, [&node] { node.responseError = corvString(); });
        found.List(u"Node", node.name, node.faultStateSignals);
    });
    ForEach(document.signalGroups, [&](corvdekLINSignalGroup& group, int) {
        found.Pairs(u"Signal group", group.name, group.signalNames, group.signalOffsets);
    });
}

void CollectFrame(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    CollectScheduleEntries(document, found, &corvdekLINScheduleTableItem::frameName,
                           corvdekLINScheduleTableItem::KindNamesAFrame);
    ForEach(document.sporadicFrames, [&](corvdekLINSporadicFrame& frame, int) {
        found.List(u"Sporadic frame", frame.name, frame.frameList);
    });
    ForEach(document.eventFrames, [&](corvdekLINEventFrame& frame, int) {
        found.List(u"Event-triggered frame", frame.name, frame.frameList,
                   [&frame](int i) { frame.frameList.RemoveAt(i); }, frame.IdPosition() + 1);
    });
    ForEach(document.nodes, [&](corvdekLINNode& node, int) {
        found.Pairs(u"Node", node.name, node.configurableFrameNames, node.configurableFrameIds);
    });
}

void CollectScheduleTable(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    ForEach(document.eventFrames, [&](corvdekLINEventFrame& frame, int) {
        if (frame.IdPosition() != 1) return;
        found.Text(u"Event-triggered frame", frame.name, frame.frameList.Item(0),
                   [&frame] { frame.frameList.RemoveAt(0); });
    });
}

void CollectEncodingType(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    ForEach(document.signals, [&](corvdekLINSignal& signal, int) {
        found.Text(u"Signal", signal.name, signal.encoding, [&signal] { signal.encoding = corvString(); });
    });
    ForEach(document.representations, [&](corvdekLINSignalRepresentations& representation, int position) {
        found.Text(u"Representation of", representation.encodingName, representation.encodingName,
                   [&document, position] { document.representations.RemoveAt(position); });
    });
}

void CollectDiagnosticSignal(corvdekLINDefinitionFile& document, ReferenceCollector& found) {
    ForEach(document.diagnosticFrames, [&](corvdekLINDiagnosticFrame& frame, int) {
        found.Pairs(u"Diagnostic frame", frame.name, frame.signalNames, frame.signalOffsets);
    });
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

std::vector<Reference> FindReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name) {
    ReferenceCollector found(name);
    if (name.IsEmpty()) return {};  // blank fields are no references
    switch (kind) {
        case NamedKind::kNode: CollectNode(document, found); break;
        case NamedKind::kSignal: CollectSignal(document, found); break;
        case NamedKind::kFrame: CollectFrame(document, found); break;
        case NamedKind::kScheduleTable: CollectScheduleTable(document, found); break;
        case NamedKind::kEncodingType: CollectEncodingType(document, found); break;
        case NamedKind::kDiagnosticSignal: CollectDiagnosticSignal(document, found); break;
    }
    return found.Take();
}

void RemoveReferences(std::vector<Reference>& references) {
    for (auto reference = references.rbegin(); reference != references.rend(); ++reference) {
        if (reference->remove) reference->remove();
    }
}

void RenameReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& from,
                      const corvString& to) {
    if (from.Equals(to)) return;
    for (Reference& reference : FindReferences(document, kind, from)) *reference.name = to;
}

ReferenceRename::ReferenceRename(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name)
    : kind_(kind), referenced_(name) {
    if (CountNamed(document, kind, name) != 1) return;
    for (const Reference& reference : FindReferences(document, kind, name)) followed_.push_back(reference.name);
}

void ReferenceRename::Follow(corvdekLINDefinitionFile& document, const corvString& name) {
    if (name.IsEmpty() || name.Equals(referenced_)) return;
    std::vector<const corvString*> moved;
    for (const Reference& reference : FindReferences(document, kind_, referenced_)) {
        if (std::find(followed_.begin(), followed_.end(), reference.name) == followed_.end()) continue;
        *reference.name = name;
        moved.push_back(reference.name);
    }
    followed_ = std::move(moved);
    referenced_ = name;
}
