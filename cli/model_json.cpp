#include "model_json.h"

#include <iterator>

#include "model/definition_file.h"

namespace {

using Json = nlohmann::ordered_json;

std::string Text(const corvString& text) { return text.ToUtf8(); }

Json List(const corvStringArray& list) {
    Json array = Json::array();
    for (int i = 0; i < list.Count(); ++i) array.push_back(Text(list.Item(i)));
    return array;
}

// The comments the file held around an object, where it has any.
void AddComments(Json& json, const LdfComments& comments) {
    if (comments.IsEmpty()) return;
    static constexpr const char* kPlaces[] = {"before", "after", "end"};
    Json list = Json::array();
    for (const LdfComment& comment : comments.Entries()) {
        list.push_back({{"slot", Text(comment.slot)},
                        {"place", kPlaces[static_cast<int>(comment.place)]},
                        {"text", Text(comment.text)}});
    }
    json["comments"] = list;
}

template <typename T, typename Convert>
Json Each(const corvCollectionTemplate<T>& collection, Convert convert) {
    Json array = Json::array();
    for (int i = 0; i < collection.GetCount(); ++i) {
        const T& object = *collection.Get(i);
        Json json = convert(object);
        AddComments(json, object.comments);
        array.push_back(std::move(json));
    }
    return array;
}

Json Node(const corvdekLINNode& node) {
    Json attributes = {{"protocol", Text(node.protocol)},
                       {"configuredNAD", Text(node.configuredNAD)},
                       {"supplierId", Text(node.supplierId)},
                       {"functionId", Text(node.functionId)},
                       {"variant", Text(node.variant)},
                       {"responseError", Text(node.responseError)},
                       {"p2Min", Text(node.p2Min)},
                       {"stMin", Text(node.stMin)},
                       {"responseTolerance", Text(node.responseTolerance)},
                       {"initialNAD", Text(node.initialNAD)},
                       {"faultStateSignals", List(node.faultStateSignals)},
                       {"nAsTimeout", Text(node.nAsTimeout)},
                       {"nCrTimeout", Text(node.nCrTimeout)},
                       {"wakeupTime", Text(node.wakeupTime)},
                       {"poweronTime", Text(node.poweronTime)}};
    Json frames = Json::array();
    for (int i = 0; i < node.configurableFrameNames.Count(); ++i) {
        const std::string id =
            i < node.configurableFrameIds.Count() ? Text(node.configurableFrameIds.Item(i)) : "";
        frames.push_back({{"name", Text(node.configurableFrameNames.Item(i))}, {"id", id}});
    }
    attributes["configurableFrames"] = frames;
    return {{"name", Text(node.name)}, {"hasAttributes", node.HasAttributes()},
            {"attributes", attributes}};
}

Json InitialValue(const corvdekLINSignal& signal) {
    Json json = {{"name", Text(signal.name)}, {"size", Text(signal.size)},
                 {"isByteArray", signal.isByteArray}};
    if (signal.isByteArray) {
        json["initValues"] = List(signal.initValues);
    } else {
        json["initValue"] = Text(signal.initValue);
    }
    return json;
}

// Signals laid out at offsets: frames, diagnostic frames and signal groups.
Json Layout(const corvStringArray& names, const corvStringArray& offsets) {
    Json layout = Json::array();
    for (int i = 0; i < names.Count(); ++i) {
        const std::string offset = i < offsets.Count() ? Text(offsets.Item(i)) : "";
        layout.push_back({{"signal", Text(names.Item(i))}, {"offset", offset}});
    }
    return layout;
}

Json Signal(const corvdekLINSignal& signal) {
    Json json = InitialValue(signal);
    json["publisher"] = Text(signal.publisher);
    json["subscribers"] = List(signal.subscribers);
    json["encoding"] = Text(signal.encoding);
    return json;
}

Json Frame(const corvdekLINFrame& frame) {
    return {{"name", Text(frame.name)}, {"id", Text(frame.frameId)},
            {"publisher", Text(frame.publisher)}, {"length", Text(frame.length)},
            {"signals", Layout(frame.signalNames, frame.signalOffsets)}};
}

template <typename NamedFrameList>
Json NamedFrames(const NamedFrameList& frames) {
    return Each(frames, [](const auto& frame) {
        return Json{{"name", Text(frame.name)}, {"items", List(frame.frameList)}};
    });
}

Json ScheduleEntry(const corvdekLINScheduleTableItem& item) {
    using Item = corvdekLINScheduleTableItem;
    static const char* const kKinds[] = {
        "frame",     "MasterReq",            "SlaveResp", "AssignFrameId",
        "UnassignFrameId", "AssignNAD",      "FreeFormat", "ConditionalChangeNAD",
        "DataDump",  "SaveConfiguration",    "AssignFrameIdRange"};
    const bool knownKind = item.kind >= 0 && item.kind < static_cast<int>(std::size(kKinds));
    Json json = {{"kind", knownKind ? kKinds[item.kind] : "unknown"}};
    switch (item.kind) {
        case Item::kFrame: json["frame"] = Text(item.frameName); break;
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            json["node"] = Text(item.nodeName);
            json["frame"] = Text(item.frameName);
            break;
        case Item::kAssignNAD:
            json["node"] = Text(item.nodeName);
            json["initialNAD"] = Text(item.nadInitial);
            json["supplierId"] = Text(item.nadSupplierId);
            json["functionId"] = Text(item.nadFunctionId);
            json["newNAD"] = Text(item.nadNew);
            break;
        case Item::kFreeFormat: json["data"] = Text(item.freeFormatData); break;
        case Item::kConditionalChangeNAD: json["arguments"] = List(item.arguments); break;
        case Item::kDataDump:
        case Item::kSaveConfiguration:
        case Item::kAssignFrameIdRange:
            json["node"] = Text(item.nodeName);
            json["arguments"] = List(item.arguments);
            break;
        default: break;
    }
    json["delay"] = Text(item.delay);
    return json;
}

Json EncodingPart(const corvdekLINSignalEncodingTypeItem& part) {
    using Part = corvdekLINSignalEncodingTypeItem;
    switch (part.kind) {
        case Part::kLogical:
            return {{"kind", "logical"}, {"value", part.minValue}, {"text", Text(part.text)}};
        case Part::kPhysical:
            return {{"kind", "physical"}, {"min", part.minValue},   {"max", part.maxValue},
                    {"scale", part.scale},  {"offset", part.offset}, {"unit", Text(part.text)}};
        case Part::kBcd: return {{"kind", "bcd"}};
        case Part::kAscii: return {{"kind", "ascii"}};
        default: return {{"kind", "unknown"}};
    }
}

}  // namespace

nlohmann::ordered_json ClusterToJson(const corvdekLINDefinitionFile& document) {
    Json json;
    json["protocolVersion"] = Text(document.protocolVersion);
    json["languageVersion"] = Text(document.languageVersion);
    json["speed"] = Text(document.speed);
    json["channelName"] = Text(document.channelName);
    json["fileRevision"] = Text(document.fileRevision);
    json["signalByteOrder"] = Text(document.signalByteOrder);
    json["isJ2602"] = document.isJ2602;
    json["hasDiagnosticFrames"] = document.hasDiagnosticFrames;
    json["master"] = {{"name", Text(document.master.name)},
                      {"timeBase", Text(document.masterTimebase)},
                      {"jitter", Text(document.masterJitter)},
                      {"maxHeaderLength", Text(document.masterMaxHeaderLength)},
                      {"responseTolerance", Text(document.masterResponseTolerance)}};
    json["slaves"] = Each(document.nodes, Node);
    json["signals"] = Each(document.signals, Signal);
    json["diagnosticSignals"] = Each(document.diagnosticSignals, InitialValue);
    json["signalGroups"] = Each(document.signalGroups, [](const auto& group) {
        return Json{{"name", Text(group.name)}, {"size", Text(group.size)},
                    {"signals", Layout(group.signalNames, group.signalOffsets)}};
    });
    json["frames"] = Each(document.frames, Frame);
    json["diagnosticFrames"] = Each(document.diagnosticFrames, [](const auto& frame) {
        return Json{{"name", Text(frame.name)}, {"id", Text(frame.frameId)},
                    {"signals", Layout(frame.signalNames, frame.signalOffsets)}};
    });
    json["diagnosticAddresses"] = Each(document.diagnosticAddresses, [](const auto& address) {
        return Json{{"node", Text(address.nodeName)}, {"nad", Text(address.nad)}};
    });
    json["sporadicFrames"] = NamedFrames(document.sporadicFrames);
    json["eventTriggeredFrames"] = NamedFrames(document.eventFrames);
    json["dynamicFrames"] = List(document.dynamicFrames);
    json["scheduleTables"] = Each(document.scheduleTables, [](const auto& table) {
        return Json{{"name", Text(table.name)}, {"entries", Each(table.items, ScheduleEntry)}};
    });
    json["encodingTypes"] = Each(document.encodingTypes, [](const auto& type) {
        return Json{{"name", Text(type.name)}, {"parts", Each(type.items, EncodingPart)}};
    });
    json["representations"] = Each(document.representations, [](const auto& representation) {
        return Json{{"encoding", Text(representation.encodingName)},
                    {"signals", List(representation.signalNames)}};
    });
    json["compositeConfigurations"] =
        Each(document.compositeConfigurations, [](const auto& configuration) {
            return Json{{"name", Text(configuration.name)},
                        {"compositeNodes", Each(configuration.compositeNodes, [](const auto& node) {
                             return Json{{"name", Text(node.name)}, {"nodes", List(node.nodeNames)}};
                         })}};
        });
    AddComments(json, document.comments);
    return json;
}
