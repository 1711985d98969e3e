#include "flat_cluster.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "foundation/name_map.h"
#include "foundation/text_encoding.h"
#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/name_index.h"

namespace {

std::string Utf8(const corvString& text) { return text.ToUtf8(); }

std::string Number(double value) {
    char digits[32];
    return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

std::string Joined(const std::vector<std::string>& items, std::string_view separator) {
    std::string text;
    for (const std::string& item : items) {
        if (!text.empty()) text += separator;
        text += item;
    }
    return text;
}

FlatField Value(const char* label, const corvString& value) {
    FlatField field;
    field.label = label;
    field.value = &value;
    return field;
}

FlatField List(const char* label, const corvStringArray& list, bool ordered) {
    FlatField field;
    field.label = label;
    field.list = &list;
    field.ordered = ordered;
    return field;
}

FlatField Text(const char* label, std::string text, int number = 0) {
    FlatField field;
    field.label = label;
    field.text = std::move(text);
    field.number = number;
    return field;
}

// The items of a list by meaning, sorted when their order carries none.
std::vector<std::string> ListKeys(const corvStringArray& list, bool ordered) {
    std::vector<std::string> keys;
    for (int i = 0; i < list.Count(); ++i) keys.push_back(Meaning(list.Item(i).View()));
    if (!ordered) std::sort(keys.begin(), keys.end());
    return keys;
}

// What the flat objects of one cluster need to know about it.
class Flattener {
public:
    Flattener(const corvdekLINDefinitionFile& cluster, bool withNodes)
        : cluster_(cluster), withNodes_(withNodes) {
        if (!withNodes) return;
        names_.emplace(cluster);
        for (int i = 0; i < cluster.frames.GetCount(); ++i) {
            framesByName_.try_emplace(cluster.frames.Get(i)->name.View(), cluster.frames.Get(i));
        }
        // A signal concerns the nodes of the frames that carry it too.
        for (int i = 0; i < cluster.frames.GetCount(); ++i) {
            const corvdekLINFrame& frame = *cluster.frames.Get(i);
            const std::set<std::string> nodes = FrameNodes(frame.name);
            for (int k = 0; k < frame.signalNames.Count(); ++k) {
                framesNodes_[frame.signalNames.Item(k).View()].insert(nodes.begin(), nodes.end());
            }
        }
        for (int i = 0; i < cluster.signals.GetCount(); ++i) {
            const corvdekLINSignal& signal = *cluster.signals.Get(i);
            if (!signal.encoding.IsEmpty()) encodingNodes_[signal.encoding.View()].merge(SignalNodes(signal));
        }
    }

    std::vector<FlatKind> Kinds() const {
        std::vector<FlatKind> kinds;
        kinds.reserve(15);
        kinds.push_back(Header());
        kinds.push_back(Master());
        kinds.push_back(Slaves());
        kinds.push_back(SignalKind("signal", cluster_.signals));
        kinds.push_back(SignalKind("diagnostic signal", cluster_.diagnosticSignals));
        kinds.push_back(SignalGroups());
        kinds.push_back(Frames());
        kinds.push_back(SporadicFrames());
        kinds.push_back(EventFrames());
        kinds.push_back(DiagnosticFrames());
        kinds.push_back(DiagnosticAddresses());
        kinds.push_back(ScheduleTables());
        kinds.push_back(Encodings());
        kinds.push_back(Representations());
        kinds.push_back(Composites());
        return kinds;
    }

private:
    FlatObject Object(const corvString& name, std::set<std::string> nodes = {}) const {
        FlatObject object;
        object.name = name.View();
        if (withNodes_) object.nodes = std::move(nodes);
        return object;
    }

    void AddNode(std::set<std::string>& nodes, const corvString& node) const {
        if (withNodes_ && !node.IsEmpty()) nodes.insert(Utf8(node));
    }

    std::set<std::string> SignalNodes(const corvdekLINSignal& signal) const {
        std::set<std::string> nodes;
        if (!withNodes_) return nodes;
        if (const auto carried = framesNodes_.find(signal.name.View()); carried != framesNodes_.end()) {
            nodes = carried->second;
        }
        AddNode(nodes, signal.publisher);
        for (int s = 0; s < signal.subscribers.Count(); ++s) AddNode(nodes, signal.subscribers.Item(s));
        return nodes;
    }

    // The nodes a frame concerns: its publisher and the receivers of its signals.
    std::set<std::string> FrameNodes(const corvString& frameName) const {
        std::set<std::string> nodes;
        const auto found = framesByName_.find(frameName.View());
        if (found == framesByName_.end()) return nodes;
        const corvdekLINFrame& frame = *found->second;
        AddNode(nodes, frame.publisher);
        for (int i = 0; i < frame.signalNames.Count(); ++i) {
            if (const corvdekLINSignal* signal = names_->FindSignal(frame.signalNames.Item(i).View())) {
                for (int s = 0; s < signal->subscribers.Count(); ++s) AddNode(nodes, signal->subscribers.Item(s));
            }
        }
        return nodes;
    }

    std::set<std::string> ListedFrameNodes(const corvStringArray& frames) const {
        std::set<std::string> nodes;
        for (int k = 0; k < frames.Count(); ++k) nodes.merge(FrameNodes(frames.Item(k)));
        return nodes;
    }

    std::set<std::string> EncodingNodes(const corvString& encoding) const {
        const auto found = encodingNodes_.find(encoding.View());
        return found == encodingNodes_.end() ? std::set<std::string>() : found->second;
    }

    // One field per listed signal, its offset the value: a moved signal is named as such. A
    // signal listed again (a fault the checks report) is told apart by its count.
    static void AddSignalOffsets(FlatObject& object, const corvStringArray& names, const corvStringArray& offsets) {
        static const corvString kNoOffset;
        RepeatedNames listed;
        object.fields.reserve(object.fields.size() + static_cast<std::size_t>(names.Count()));
        for (int i = 0; i < names.Count(); ++i) {
            FlatField field = Value("signal ", i < offsets.Count() ? offsets.Item(i) : kNoOffset);
            field.labelName = names.Item(i).View();
            field.number = 1;
            if (listed.Seen(field.labelName)) {
                for (int k = 0; k < i; ++k) field.number += names.Item(k).View() == field.labelName ? 1 : 0;
            }
            object.fields.push_back(std::move(field));
        }
    }

    FlatKind Header() const {
        FlatObject header;
        header.fields = {Value("protocol version", cluster_.protocolVersion),
                         Value("language version", cluster_.languageVersion),
                         Value("speed", cluster_.speed),
                         Value("channel name", cluster_.channelName),
                         Value("file revision", cluster_.fileRevision),
                         Value("signal byte order", cluster_.signalByteOrder),
                         Text("J2602", cluster_.isJ2602 ? "yes" : "no"),
                         List("dynamic frames", cluster_.dynamicFrames, false)};
        return {"header", {std::move(header)}};
    }

    FlatKind Master() const {
        std::set<std::string> nodes;
        AddNode(nodes, cluster_.master.name);
        FlatObject master = Object(cluster_.master.name, std::move(nodes));
        master.fields = {Value("time base", cluster_.masterTimebase), Value("jitter", cluster_.masterJitter),
                         Value("max header length", cluster_.masterMaxHeaderLength),
                         Value("response tolerance", cluster_.masterResponseTolerance)};
        return {"master", {std::move(master)}};
    }

    FlatKind Slaves() const {
        FlatKind kind{"node", {}};
        for (int i = 0; i < cluster_.nodes.GetCount(); ++i) {
            const corvdekLINNode& node = *cluster_.nodes.Get(i);
            std::set<std::string> nodes;
            AddNode(nodes, node.name);
            FlatObject& object = kind.objects.emplace_back(Object(node.name, std::move(nodes)));
            object.fields = {Value("protocol", node.protocol),
                             Value("configured NAD", node.configuredNAD),
                             Value("initial NAD", node.initialNAD),
                             Value("supplier id", node.supplierId),
                             Value("function id", node.functionId),
                             Value("variant", node.variant),
                             Value("response error", node.responseError),
                             Value("P2_min", node.p2Min),
                             Value("ST_min", node.stMin),
                             Value("N_As_timeout", node.nAsTimeout),
                             Value("N_Cr_timeout", node.nCrTimeout),
                             Value("response tolerance", node.responseTolerance),
                             Value("wake-up time", node.wakeupTime),
                             Value("power-on time", node.poweronTime),
                             List("fault state signals", node.faultStateSignals, false),
                             Text("configurable frames", ConfigurableFrames(node))};
        }
        return kind;
    }

    // LIN 2.1 lists the frames in the order of their configuration; LIN 2.0 gives each its
    // message identifier, and then the order carries no meaning.
    static std::string ConfigurableFrames(const corvdekLINNode& node) {
        std::vector<std::string> frames;
        bool withIds = false;
        for (int k = 0; k < node.configurableFrameNames.Count(); ++k) {
            std::string frame = Utf8(node.configurableFrameNames.Item(k));
            if (k < node.configurableFrameIds.Count() && !node.configurableFrameIds.Item(k).IsEmpty()) {
                frame += " = " + Meaning(node.configurableFrameIds.Item(k).View());
                withIds = true;
            }
            frames.push_back(std::move(frame));
        }
        if (withIds) std::sort(frames.begin(), frames.end());
        return Joined(frames, ", ");
    }

    FlatKind SignalKind(const char* name, const corvCollectionTemplate<corvdekLINSignal>& signals) const {
        FlatKind kind{name, {}};
        kind.objects.reserve(static_cast<std::size_t>(signals.GetCount()));
        for (int i = 0; i < signals.GetCount(); ++i) {
            const corvdekLINSignal& signal = *signals.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(signal.name, SignalNodes(signal)));
            object.fields = {Value("size", signal.size),
                             signal.isByteArray ? List("initial values", signal.initValues, true)
                                                : Value("initial value", signal.initValue),
                             Value("publisher", signal.publisher), List("receivers", signal.subscribers, false),
                             Value("encoding", signal.encoding)};
        }
        return kind;
    }

    FlatKind Frames() const {
        FlatKind kind{"frame", {}};
        kind.objects.reserve(static_cast<std::size_t>(cluster_.frames.GetCount()));
        for (int i = 0; i < cluster_.frames.GetCount(); ++i) {
            const corvdekLINFrame& frame = *cluster_.frames.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(frame.name, FrameNodes(frame.name)));
            object.identity = &frame.frameId;
            object.fields = {Value("identifier", frame.frameId), Value("publisher", frame.publisher),
                             Value("length", frame.length)};
            AddSignalOffsets(object, frame.signalNames, frame.signalOffsets);
        }
        return kind;
    }

    FlatKind SporadicFrames() const {
        FlatKind kind{"sporadic frame", {}};
        for (int i = 0; i < cluster_.sporadicFrames.GetCount(); ++i) {
            const corvdekLINSporadicFrame& frame = *cluster_.sporadicFrames.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(frame.name, ListedFrameNodes(frame.frameList)));
            object.fields = {List("frames", frame.frameList, true)};  // in the order of their priority
        }
        return kind;
    }

    FlatKind EventFrames() const {
        FlatKind kind{"event-triggered frame", {}};
        for (int i = 0; i < cluster_.eventFrames.GetCount(); ++i) {
            const corvdekLINEventFrame& frame = *cluster_.eventFrames.Get(i);
            const corvStringArray frames = frame.Frames();
            FlatObject& object = kind.objects.emplace_back(Object(frame.name, ListedFrameNodes(frames)));
            // The identifier and the collision resolving table are items of the list.
            static const corvString kNone;
            const int id = frame.IdPosition();
            object.identity = id >= 0 ? &frame.frameList.Item(id) : nullptr;
            object.fields = {Value("identifier", id >= 0 ? frame.frameList.Item(id) : kNone),
                             Value("collision resolving table", id == 1 ? frame.frameList.Item(0) : kNone),
                             Text("frames", Joined(ListKeys(frames, false), ", "))};
        }
        return kind;
    }

    FlatKind DiagnosticFrames() const {
        FlatKind kind{"diagnostic frame", {}};
        for (int i = 0; i < cluster_.diagnosticFrames.GetCount(); ++i) {
            const corvdekLINDiagnosticFrame& frame = *cluster_.diagnosticFrames.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(frame.name));
            object.identity = &frame.frameId;
            object.fields = {Value("identifier", frame.frameId)};
            AddSignalOffsets(object, frame.signalNames, frame.signalOffsets);
        }
        return kind;
    }

    FlatKind SignalGroups() const {
        FlatKind kind{"signal group", {}};
        for (int i = 0; i < cluster_.signalGroups.GetCount(); ++i) {
            const corvdekLINSignalGroup& group = *cluster_.signalGroups.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(group.name));
            object.fields = {Value("size", group.size)};
            AddSignalOffsets(object, group.signalNames, group.signalOffsets);
        }
        return kind;
    }

    FlatKind DiagnosticAddresses() const {
        FlatKind kind{"diagnostic address", {}};
        for (int i = 0; i < cluster_.diagnosticAddresses.GetCount(); ++i) {
            const corvdekLINDiagnosticAddress& address = *cluster_.diagnosticAddresses.Get(i);
            std::set<std::string> nodes;
            AddNode(nodes, address.nodeName);
            FlatObject& object = kind.objects.emplace_back(Object(address.nodeName, std::move(nodes)));
            object.fields = {Value("NAD", address.nad)};
        }
        return kind;
    }

    // A schedule entry as its words, numbers by meaning: "Frame delay 10 ms",
    // "AssignNAD LSM delay 15 ms".
    FlatField EntryField(int position, const corvdekLINScheduleTableItem& entry) const {
        static constexpr const char* kKinds[] = {"",          "MasterReq",          "SlaveResp",  // a frame: its name
                                                 "AssignFrameId", "UnassignFrameId", "AssignNAD",
                                                 "FreeFormat", "ConditionalChangeNAD", "DataDump",
                                                 "SaveConfiguration", "AssignFrameIdRange"};
        std::vector<std::string> words;
        if (entry.kind > 0 && entry.kind < static_cast<int>(std::size(kKinds))) words.push_back(kKinds[entry.kind]);
        for (const corvString* value : {&entry.frameName, &entry.nodeName, &entry.nadInitial, &entry.nadSupplierId,
                                        &entry.nadFunctionId, &entry.nadNew, &entry.freeFormatData}) {
            if (!value->IsEmpty()) words.push_back(Meaning(value->View()));
        }
        for (int i = 0; i < entry.arguments.Count(); ++i) words.push_back(Meaning(entry.arguments.Item(i).View()));
        words.insert(words.end(), {"delay", Meaning(entry.delay.View()), "ms"});
        std::string text = Joined(words, " ");
        FlatField field = Text("entry ", std::move(text), position + 1);
        if (withNodes_) {
            AddNode(field.nodes, entry.nodeName);
            field.nodes.merge(FrameNodes(entry.frameName));
            if (field.nodes.empty()) field.nodes.insert("");  // concerns no node of its own
        }
        return field;
    }

    FlatKind ScheduleTables() const {
        FlatKind kind{"schedule table", {}};
        for (int i = 0; i < cluster_.scheduleTables.GetCount(); ++i) {
            const corvdekLINScheduleTable& table = *cluster_.scheduleTables.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(table.name));
            for (int e = 0; e < table.items.GetCount(); ++e) {
                FlatField field = EntryField(e, *table.items.Get(e));
                object.nodes.insert(field.nodes.begin(), field.nodes.end());
                object.fields.push_back(std::move(field));
            }
        }
        return kind;
    }

    static std::string PartText(const corvdekLINSignalEncodingTypeItem& part) {
        const std::string text = part.textGiven ? " \"" + Utf8(part.text) + "\"" : "";
        switch (part.kind) {
            case corvdekLINSignalEncodingTypeItem::kLogical:
                return "logical_value " + std::to_string(part.minValue) + text;
            case corvdekLINSignalEncodingTypeItem::kPhysical:
                return "physical_value " + std::to_string(part.minValue) + " " + std::to_string(part.maxValue) + " " +
                       Number(part.scale) + " " + Number(part.offset) + text;
            case corvdekLINSignalEncodingTypeItem::kBcd: return "bcd_value";
            default: return "ascii_value";
        }
    }

    FlatKind Encodings() const {
        FlatKind kind{"encoding type", {}};
        for (int i = 0; i < cluster_.encodingTypes.GetCount(); ++i) {
            const corvdekLINSignalEncodingTypes& encoding = *cluster_.encodingTypes.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(encoding.name, EncodingNodes(encoding.name)));
            for (int p = 0; p < encoding.items.GetCount(); ++p) {
                object.fields.push_back(Text("part ", PartText(*encoding.items.Get(p)), p + 1));
            }
        }
        return kind;
    }

    FlatKind Representations() const {
        FlatKind kind{"representation", {}};
        for (int i = 0; i < cluster_.representations.GetCount(); ++i) {
            const corvdekLINSignalRepresentations& representation = *cluster_.representations.Get(i);
            FlatObject& object = kind.objects.emplace_back(
                Object(representation.encodingName, EncodingNodes(representation.encodingName)));
            object.fields = {List("signals", representation.signalNames, false)};
        }
        return kind;
    }

    FlatKind Composites() const {
        FlatKind kind{"composite configuration", {}};
        for (int i = 0; i < cluster_.compositeConfigurations.GetCount(); ++i) {
            const corvdekLINCompositeConfiguration& configuration = *cluster_.compositeConfigurations.Get(i);
            FlatObject& object = kind.objects.emplace_back(Object(configuration.name));
            for (int c = 0; c < configuration.compositeNodes.GetCount(); ++c) {
                const corvdekLINCompositeNode& composite = *configuration.compositeNodes.Get(c);
                FlatField field = List("composite node ", composite.nodeNames, false);
                field.labelName = composite.name.View();
                object.fields.push_back(std::move(field));
                AddNode(object.nodes, composite.name);
                for (int n = 0; n < composite.nodeNames.Count(); ++n) AddNode(object.nodes, composite.nodeNames.Item(n));
            }
        }
        return kind;
    }

    const corvdekLINDefinitionFile& cluster_;
    std::optional<ClusterNameIndex> names_;  // only for the nodes of frames
    const bool withNodes_;
    std::unordered_map<std::u16string_view, const corvdekLINFrame*> framesByName_;
    std::unordered_map<std::u16string_view, std::set<std::string>> framesNodes_;  // by signal name
    std::unordered_map<std::u16string_view, std::set<std::string>> encodingNodes_;
};

}  // namespace

bool FlatField::SameLabel(const FlatField& other) const {
    return labelName == other.labelName && number == other.number && std::strcmp(label, other.label) == 0;
}

bool FlatField::SameValue(const FlatField& other) const {
    if (value != nullptr && other.value != nullptr) {
        return value->View() == other.value->View() || Meaning(value->View()) == Meaning(other.value->View());
    }
    if (list != nullptr && other.list != nullptr) {
        bool same = list->Count() == other.list->Count();
        for (int i = 0; same && i < list->Count(); ++i) same = list->Item(i).View() == other.list->Item(i).View();
        return same || ListKeys(*list, ordered) == ListKeys(*other.list, other.ordered);
    }
    return value == nullptr && other.value == nullptr && list == nullptr && other.list == nullptr &&
           text == other.text;
}

std::string FlatField::Label() const {
    if (!labelName.empty()) {
        return label + tabrel::EncodeUtf8(labelName) + (number > 1 ? " (" + std::to_string(number) + ")" : "");
    }
    return number > 0 ? label + std::to_string(number) : label;
}

std::string FlatField::Shown() const {
    if (value != nullptr) return Utf8(*value);
    if (list == nullptr) return text;
    std::vector<std::string> items;
    for (int i = 0; i < list->Count(); ++i) items.push_back(Utf8(list->Item(i)));
    return Joined(items, ", ");
}

std::string Meaning(std::u16string_view text) {
    corvString value(text);
    value.Trim();
    if (unsigned whole = 0; ParseWholeNumber(value, whole)) return std::to_string(whole);
    if (const auto real = RealNumber(value)) return Number(*real);
    return Utf8(value);
}

std::vector<FlatKind> Flatten(const corvdekLINDefinitionFile& cluster, bool withNodes) {
    return Flattener(cluster, withNodes).Kinds();
}
