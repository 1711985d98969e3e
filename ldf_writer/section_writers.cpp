// The sections after Nodes, Signals and Frames: composite, the diagnostic sections, signal
// groups, dynamic, sporadic and event-triggered frames, node attributes, schedule tables,
// signal encodings and representations.

#include <cmath>
#include <string>

#include "foundation/corv_string.h"
#include "model/ldf_tokens.h"
#include "ldf_writer.h"
#include "model/definition_file.h"
#include "section_writers.h"

// u"..."sv: the hot paths' literals are measured when compiling, not on every call.
using namespace std::string_view_literals;

namespace {

using Item = corvdekLINScheduleTableItem;

std::u16string Text(const corvString& text) { return std::u16string(text.View()); }

// Whether every value is given and an integer; an absent value is no value of any
// rendering (LIN 2.1's 'AssignNAD { node }' has none of the LIN 2.0 form's four).
bool AllIntegers(const corvStringArray& values, const LdfOutput& out) {
    for (int i = 0; i < values.Count(); ++i) {
        if (values.Item(i).IsEmpty() || !out.IsInteger(values.Item(i).View())) return false;
    }
    return true;
}

// Whether a list of 'signal, offset' entries has one that can be written.
bool HasWritableEntry(const corvStringArray& names, const corvStringArray& offsets, const LdfOutput& out) {
    for (int i = 0; i < names.Count() && i < offsets.Count(); ++i) {
        if (out.IsName(names.Item(i).View()) && out.IsInteger(offsets.Item(i).View())) return true;
    }
    return false;
}

// 'name: frame, frame;' of a sporadic frame.
void WriteSporadicFrames(const corvCollectionTemplate<corvdekLINSporadicFrame>& frames, LdfOutput& out) {
    for (int i = 0; i < frames.GetCount(); ++i) {
        const corvdekLINSporadicFrame& frame = *frames.Get(i);
        const Owner owner(u"Sporadic frame"sv, frame.name);
        const std::vector<std::u16string_view> carried = WritableNames(frame.frameList, owner, u"the frame", out);
        if (!out.IsName(frame.name.View()) || carried.empty()) {
            out.LeftOut({owner.Text(), u": it needs a name and a frame to carry; it is left out."});
            continue;
        }
        out.Line(CommentRef(frame.comments), "\t", frame.name.View(), ": ", text_pieces::Joined{carried, ", "}, ";");
    }
}

// 'name: [collision table,] identifier, frame {, frame};' of an event-triggered frame.
void WriteEventFrames(const corvCollectionTemplate<corvdekLINEventFrame>& frames, LdfOutput& out) {
    for (int i = 0; i < frames.GetCount(); ++i) {
        const corvdekLINEventFrame& frame = *frames.Get(i);
        if (out.KeepsEveryValue()) {
            out.Line(CommentRef(frame.comments), "\t", frame.name.View(), ": ", frame.frameList.Joined(u", "), ";");
            continue;
        }
        const Owner owner(u"Event-triggered frame"sv, frame.name);
        const int idAt = frame.IdPosition();
        const bool table = idAt == 0 || (idAt == 1 && IsLdfName(frame.frameList.Item(0).View()));
        const bool head = IsLdfName(frame.name.View()) && table && IsLdfInteger(frame.frameList.Item(idAt).View());
        corvStringArray carried;
        for (int f = idAt + 1; idAt >= 0 && f < frame.frameList.Count(); ++f) carried.Add(frame.frameList.Item(f));
        const std::vector<std::u16string_view> writable = WritableNames(carried, owner, u"the frame", out);
        if (!head || writable.empty()) {
            out.LeftOut({owner.Text(), u": it needs a name, an identifier (after an optional collision table) and a "
                         u"frame to carry; it is left out."});
            continue;
        }
        std::u16string items;
        for (int f = 0; f <= idAt; ++f) items += Text(frame.frameList.Item(f)) + u", ";
        out.Line(CommentRef(frame.comments), "\t", frame.name.View(), ": ", items, text_pieces::Joined{writable, ", "},
                 ";");
    }
}

// The diagnostic sections are written as read; a document that read none (diagnostics
// switched on in the editor) gets the standard ones.
bool DiagnosticsWereRead(const corvdekLINDefinitionFile& document) {
    return !document.diagnosticSignals.IsEmpty() || !document.diagnosticFrames.IsEmpty();
}

// Eight byte signals named prefix + "B0" ... "B7", as the standard diagnostic sections list them.
std::u16string ByteSignal(std::u16string_view prefix, int index) {
    return std::u16string(prefix) + u"B" + static_cast<char16_t>(u'0' + index);
}

// A standard diagnostic frame: eight byte signals at offsets 0, 8, ... 56.
void WriteStandardDiagnosticFrame(std::u16string_view head, std::u16string_view prefix,
                                  LdfOutput& out) {
    out.Line(head);
    for (int b = 0; b < 8; ++b) {
        corvString offset;
        offset.SetInt(8 * b);
        out.Line("\t", ByteSignal(prefix, b), ", ", offset.View(), ";");
    }
    out.Line("     }");
}

void WriteDiagnosticFrameAsRead(const corvdekLINDiagnosticFrame& frame, LdfOutput& out) {
    const bool named = frame.name.Equals(u"MasterReq") || frame.name.Equals(u"SlaveResp");
    if (!named || !out.IsInteger(frame.frameId.View()) || !HasWritableEntry(frame.signalNames, frame.signalOffsets, out)) {
        out.LeftOut({u"Diagnostic frame ", frame.name.View(), u": it is no MasterReq or SlaveResp with an "
                     u"identifier and signals; it is left out."});
        return;
    }
    const CommentRef head(frame.comments);
    out.OpenBlock(head, "     ", frame.name.View(), ": ", frame.frameId.View(), " {");
    WriteSignalLayout(frame.signalNames, frame.signalOffsets, frame.comments, Owner(u"Diagnostic frame"sv, frame.name),
                      u"\t", out);
    out.CloseBlock(head, u"     }");
}

std::u16string ConfigurationCommandText(const Item& item, const LdfOutput& out);

// The text before ' delay'; empty when the entry lacks a value that its command needs.
std::u16string CommandText(const Item& item, const LdfOutput& out) {
    switch (item.kind) {
        case Item::kFrame: return out.IsName(item.frameName.View()) ? Text(item.frameName) : u"";
        case Item::kMasterReq: return u"MasterReq";
        case Item::kSlaveResp: return u"SlaveResp";
        default: return ConfigurationCommandText(item, out);
    }
}

// CommandText of the commands with values in braces.
std::u16string ConfigurationCommandText(const Item& item, const LdfOutput& out) {
    const auto braced = [](std::u16string_view command, std::u16string arguments) {
        return std::u16string(command) + u" { " + arguments + u" }";
    };
    // Every command names its node, except the two that address NADs.
    const std::u16string node = out.IsName(item.nodeName.View()) ? Text(item.nodeName) : u"";
    const std::u16string withArguments =
        item.arguments.Count() == 0 ? node : node + u", " + item.arguments.Joined(u", ");
    const bool arguments = AllIntegers(item.arguments, out);
    switch (item.kind) {
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            if (node.empty() || !out.IsName(item.frameName.View())) return {};
            return braced(item.kind == Item::kAssignFrameId ? u"AssignFrameId" : u"UnassignFrameId",
                          node + u", " + Text(item.frameName));
        case Item::kAssignNAD: {
            corvStringArray values;
            for (const corvString* value :
                 {&item.nadInitial, &item.nadSupplierId, &item.nadFunctionId, &item.nadNew}) {
                values.Add(*value);
            }
            if (AllIntegers(values, out)) return braced(u"AssignNAD", values.Joined(u", "));
            const bool noValues = values.Joined(u"").empty();
            return noValues && !node.empty() ? braced(u"AssignNAD", node) : u"";
        }
        case Item::kFreeFormat: {
            corvStringArray bytes;
            bytes.Split(item.freeFormatData.View(), u",");
            for (int i = 0; i < bytes.Count(); ++i) bytes.Item(i).Trim();
            if (bytes.Count() != 8 || !AllIntegers(bytes, out)) return {};
            return braced(u"FreeFormat", bytes.Joined(u", "));
        }
        case Item::kConditionalChangeNAD:
            if (item.arguments.Count() != 6 || !arguments) return {};
            return braced(u"ConditionalChangeNAD", item.arguments.Joined(u", "));
        case Item::kDataDump:
            if (node.empty() || item.arguments.Count() != 5 || !arguments) return {};
            return braced(u"DataDump", withArguments);
        case Item::kSaveConfiguration:
            return node.empty() ? u"" : braced(u"SaveConfiguration", node);
        case Item::kAssignFrameIdRange: {
            const int count = item.arguments.Count();
            if (node.empty() || (count != 1 && count != 5) || !arguments) return {};
            return braced(u"AssignFrameIdRange", withArguments);
        }
        default: return {};
    }
}

// CommandText of an entry that can be written, else empty.
std::u16string CompleteCommandText(const Item& item, const LdfOutput& out) {
    return out.IsReal(item.delay.View()) ? CommandText(item, out) : u"";
}

void WriteScheduleEntry(const corvdekLINScheduleTable& table, const Item& item, LdfOutput& out) {
    // Most entries send a frame: their name is written as it stands, without a text made.
    if (item.kind == Item::kFrame && out.IsName(item.frameName.View()) && out.IsReal(item.delay.View())) {
        out.Line(CommentRef(item.comments), "\t\t", item.frameName.View(), " delay ", item.delay.View(), " ms;");
        return;
    }
    const std::u16string command = CompleteCommandText(item, out);
    if (command.empty()) {
        out.LeftOut({u"Schedule table ", table.name.View(), u": an entry without its delay or "
                     u"without the values its command needs."});
        return;
    }
    out.Line(CommentRef(item.comments), "\t\t", command, " delay ", item.delay.View(), " ms;");
}

// The text of a logical value or the unit of a physical one; an empty text the file gave
// is written as it was.
std::u16string QuotedTail(const corvdekLINSignalEncodingTypeItem& part) {
    return part.text.IsEmpty() && !part.textGiven ? u"" : u" ,\"" + Text(part.text) + u"\"";
}

}  // namespace

void WriteEncodingPart(std::u16string_view typeName, const corvdekLINSignalEncodingTypeItem& part,
                       std::u16string_view indent, LdfOutput& out) {
    const CommentRef line(part.comments);
    using Part = corvdekLINSignalEncodingTypeItem;
    const bool physical = part.kind == Part::kPhysical;
    if (!out.IsText(part.text.View()) ||
        (physical && !(std::isfinite(part.scale) && std::isfinite(part.offset)))) {
        out.LeftOut({u"Encoding type ", typeName,
                     u": a value whose text holds a quote, or whose scale or offset is no number."});
        return;
    }
    corvString minValue, maxValue, scale, offset;
    minValue.SetInt(part.minValue);
    switch (part.kind) {
        case Part::kLogical:
            out.Line(line, indent, "logical_value, ", minValue.View(), QuotedTail(part), ";");
            break;
        case Part::kPhysical:
            maxValue.SetInt(part.maxValue);
            scale.SetDouble(part.scale);
            offset.SetDouble(part.offset);
            out.Line(line, indent, "physical_value, ", minValue.View(), " ,", maxValue.View(), " ,",
                     scale.View(), " ,", offset.View(), QuotedTail(part), ";");
            break;
        case Part::kBcd: out.Line(line, indent, "bcd_value;"); break;
        case Part::kAscii: out.Line(line, indent, "ascii_value;"); break;
        default: out.LeftOut({u"Encoding type ", typeName, u": a value of no known kind."});
    }
}

namespace {

CommentRef AttributeComments(const corvdekLINNode& node, std::u16string_view key) {
    return CommentRef::Entry(node.comments, u"attribute"sv, key);
}

using TokenCheck = bool (LdfOutput::*)(std::u16string_view) const;

// 'key = value unit;' when the node has the attribute and it is the token the grammar wants.
void WriteAttribute(const corvdekLINNode& node, std::u16string_view key, const corvString& value,
                    TokenCheck valid, std::string_view unit, LdfOutput& out) {
    if (value.IsEmpty()) return;
    if (!(out.*valid)(value.View())) {
        out.LeftOutValue(Owner(u"Node"sv, node.name), key, value.View(), u"the attribute is left out.");
        return;
    }
    out.Line(AttributeComments(node, key), "\t\t", key, " = ", value.View(), unit, ";");
}

void WriteProductId(const corvdekLINNode& node, LdfOutput& out) {
    const bool given = !node.supplierId.IsEmpty() || !node.functionId.IsEmpty() || !node.variant.IsEmpty();
    if (!given) return;
    if (!out.IsInteger(node.supplierId.View()) || !out.IsInteger(node.functionId.View()) ||
        !(node.variant.IsEmpty() || out.IsInteger(node.variant.View()))) {
        out.LeftOut({u"Node ", node.name.View(), u": product_id '", node.supplierId.View(), u",",
                     node.functionId.View(), u",", node.variant.View(),
                     u"' needs a supplier id and a function id; it is left out."});
        return;
    }
    out.Line(AttributeComments(node, u"product_id"sv), "\t\tproduct_id = ", node.supplierId.View(), ",",
             node.functionId.View(), node.variant.IsEmpty() ? ""sv : ","sv, node.variant.View(), ";");
}

// The message id of each configurable frame, when every frame has one (the LIN 2.0 form);
// the grammar allows no list that mixes both forms, which is then written by names alone.
bool WritesMessageIds(const corvdekLINNode& node, LdfOutput& out) {
    bool any = false;
    bool all = true;
    for (int f = 0; f < node.configurableFrameNames.Count(); ++f) {
        const std::u16string_view id =
            f < node.configurableFrameIds.Count() ? node.configurableFrameIds.Item(f).View() : u"";
        any = any || !id.empty();
        all = all && out.IsInteger(id);
    }
    if (any && !all) {
        out.LeftOut({u"Node ", node.name.View(), u": configurable_frames lists frames with and without a message "
                     u"id, or an id that is no number; the frames are written by name, their ids are left out."});
    }
    return all;
}

void WriteConfigurableFrames(const corvdekLINNode& node, LdfOutput& out) {
    const Owner owner(u"Node"sv, node.name);
    const std::vector<std::u16string_view> names =
        WritableNames(node.configurableFrameNames, owner, u"the configurable frame", out);
    if (names.empty()) return;
    const bool withIds = WritesMessageIds(node, out);
    const CommentRef head = AttributeComments(node, u"configurable_frames"sv);
    out.OpenBlock(head, "\t\tconfigurable_frames {");
    for (int f = 0; f < node.configurableFrameNames.Count(); ++f) {
        const std::u16string_view name = node.configurableFrameNames.Item(f).View();
        if (!out.IsName(name)) continue;
        const CommentRef line = CommentRef::Entry(node.comments, u"configurable"sv, name);
        if (withIds) {
            out.Line(line, "\t\t\t", name, " = ", node.configurableFrameIds.Item(f).View(), ";");
        } else {
            out.Line(line, "\t\t\t", name, ";");
        }
    }
    out.CloseBlock(head, u"\t\t}");
}

void WriteNodeAttributes(const corvdekLINNode& node, LdfOutput& out) {
    if (!out.IsName(node.name.View())) {
        out.LeftOutValue(u"Node_attributes", u"the node", node.name.View(), u"its attributes are left out.");
        return;
    }
    const CommentRef head(node.comments);
    out.OpenBlock(head, "\t", node.name.View(), " { ");
    if (!node.protocol.IsEmpty() && out.IsText(node.protocol.View())) {
        out.Line(AttributeComments(node, u"LIN_protocol"sv), "\t\tLIN_protocol = \"", node.protocol.View(), "\";");
    } else if (!node.protocol.IsEmpty()) {
        out.LeftOutValue(Owner(u"Node", node.name), u"LIN_protocol", node.protocol.View(), u"the attribute is left out.");
    }
    WriteAttribute(node, u"configured_NAD"sv, node.configuredNAD, &LdfOutput::IsInteger, "", out);
    WriteAttribute(node, u"initial_NAD"sv, node.initialNAD, &LdfOutput::IsInteger, "", out);
    WriteProductId(node, out);
    WriteAttribute(node, u"response_error"sv, node.responseError, &LdfOutput::IsName, "", out);
    const std::vector<std::u16string_view> faultState =
        WritableNames(node.faultStateSignals, Owner(u"Node"sv, node.name), u"the fault state signal", out);
    if (!faultState.empty()) {
        out.Line(AttributeComments(node, u"fault_state_signals"sv),
                 "\t\tfault_state_signals = ", text_pieces::Joined{faultState, ", "}, ";");
    }
    WriteAttribute(node, u"P2_min"sv, node.p2Min, &LdfOutput::IsReal, " ms", out);
    WriteAttribute(node, u"ST_min"sv, node.stMin, &LdfOutput::IsReal, " ms", out);
    WriteAttribute(node, u"N_As_timeout"sv, node.nAsTimeout, &LdfOutput::IsReal, " ms", out);
    WriteAttribute(node, u"N_Cr_timeout"sv, node.nCrTimeout, &LdfOutput::IsReal, " ms", out);
    WriteConfigurableFrames(node, out);
    WriteAttribute(node, u"response_tolerance"sv, node.responseTolerance, &LdfOutput::IsReal, " %", out);
    WriteAttribute(node, u"wakeup_time"sv, node.wakeupTime, &LdfOutput::IsReal, " ms", out);
    WriteAttribute(node, u"poweron_time"sv, node.poweronTime, &LdfOutput::IsReal, " ms", out);
    out.CloseBlock(head, u"\t} ");
}

// 'encoding: signal, signal;'. The signals of an encoding can be more than one statement
// may hold (all of a large cluster's): a long list goes into several statements of the
// encoding, each within the length a loader takes.
void WriteRepresentation(const corvdekLINSignalRepresentations& representation, LdfOutput& out) {
    const std::u16string_view encoding = representation.encodingName.View();
    const Owner owner(u"Signal representation"sv, representation.encodingName);
    if (!out.IsName(encoding)) {
        // A representation that names no signal is left out: nothing is lost.
        if (representation.signalNames.Count() > 0) out.LeftOutValue(owner, u"the encoding", encoding, u"it is left out.");
        return;
    }
    const std::vector<std::u16string_view> names = WritableNames(representation.signalNames, owner, u"the signal", out);
    for (std::size_t first = 0; first < names.size();) {
        std::size_t length = encoding.size() + 2 + names[first].size();
        std::size_t end = first + 1;
        for (; end < names.size(); ++end) {
            const std::size_t longer = length + 2 + names[end].size();
            if (longer > kMaxStatementLength) break;
            length = longer;
        }
        static const LdfComments kNone;  // the statements a long list is split into after the first
        const CommentRef line(first == 0 ? representation.comments : kNone);
        out.StartLine(line, "\t", encoding, ": ", names[first]);
        for (std::size_t s = first + 1; s < end; ++s) out.Append(", ", names[s]);
        out.Append(";");
        out.EndLine(line, true);
        first = end;
    }
}

}  // namespace

bool ScheduleEntryIsComplete(const corvdekLINScheduleTableItem& item) {
    return !CompleteCommandText(item, LdfOutput(nullptr)).empty();
}

void WriteCompositeSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"composite");
    out.OpenSection(section, u"composite {");
    for (int i = 0; i < document.compositeConfigurations.GetCount(); ++i) {
        const corvdekLINCompositeConfiguration& configuration = *document.compositeConfigurations.Get(i);
        const Owner owner(u"Composite configuration"sv, configuration.name);
        if (!out.IsName(configuration.name.View())) {
            out.LeftOutValue(owner, u"the name", configuration.name.View(), u"the configuration is left out.");
            continue;
        }
        // A composite node without a name or logical nodes is left out, not its configuration.
        const CommentRef head(configuration.comments);
        out.OpenSection(head, Concat({u"\tconfiguration ", configuration.name.View(), u" {"}).View());
        for (int n = 0; n < configuration.compositeNodes.GetCount(); ++n) {
            const corvdekLINCompositeNode& node = *configuration.compositeNodes.Get(n);
            const std::u16string nodeOwner = owner.Text() + u", composite node '" + Text(node.name) + u"'";
            const std::vector<std::u16string_view> logical =
                WritableNames(node.nodeNames, nodeOwner.c_str(), u"the logical node", out);
            if (!out.IsName(node.name.View()) || logical.empty()) {
                out.LeftOut({nodeOwner, u": it needs a name and a logical node; it is left out."});
                continue;
            }
            const CommentRef nodeHead(node.comments);
            out.OpenBlock(nodeHead, "\t\t", node.name.View(), " {");
            out.Line(CommentRef(node.comments, u"nodes"), "\t\t\t", text_pieces::Joined{logical, ", "}, ";");
            out.CloseBlock(nodeHead, u"\t\t}");
        }
        if (!out.CloseSection(head, u"\t}")) {
            out.LeftOut({owner.Text(), u": it has no composite node that can be written; it is left out."});
        }
    }
    out.CloseSection(section);
}

void WriteDiagnosticSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const bool asRead = DiagnosticsWereRead(document);
    const CommentRef section(document.comments, u"Diagnostic_signals");
    out.OpenSection(section, u"Diagnostic_signals {");
    if (!asRead) {
        for (std::u16string_view prefix : {u"MasterReq", u"SlaveResp"}) {
            for (int b = 0; b < 8; ++b) out.Line("     ", ByteSignal(prefix, b), ":8,0;");
        }
    }
    for (int i = 0; i < document.diagnosticSignals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.diagnosticSignals.Get(i);
        const bool values = signal.isByteArray ? signal.initValues.Count() > 0 && AllIntegers(signal.initValues, out)
                                               : out.IsInteger(signal.initValue.View());
        if (!out.IsName(signal.name.View()) || !out.IsInteger(signal.size.View()) || !values) {
            out.LeftOut({Owner(u"Diagnostic signal", signal.name).Text(), u": it needs a name, a size and initial values "
                         u"that are numbers; it is left out."});
            continue;
        }
        const std::u16string value = signal.isByteArray
                                         ? u"{ " + signal.initValues.Joined(u", ") + u" }"
                                         : Text(signal.initValue);
        out.Line(CommentRef(signal.comments), "     ", signal.name.View(), ":", signal.size.View(), ",", value, ";");
    }
    out.CloseSection(section);
}

void WriteSignalGroupsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signal_groups");
    out.OpenSection(section, u"Signal_groups {");
    for (int i = 0; i < document.signalGroups.GetCount(); ++i) {
        const corvdekLINSignalGroup& group = *document.signalGroups.Get(i);
        if (!out.IsName(group.name.View()) || !out.IsInteger(group.size.View()) ||
            !HasWritableEntry(group.signalNames, group.signalOffsets, out)) {
            out.LeftOut({u"Signal group ", group.name.View(), u": it needs a name, a size and signals; it is left out."});
            continue;
        }
        const CommentRef head(group.comments);
        out.OpenBlock(head, "\t", group.name.View(), ": ", group.size.View(), " {");
        WriteSignalLayout(group.signalNames, group.signalOffsets, group.comments, Owner(u"Signal group"sv, group.name),
                          u"\t\t", out);
        out.CloseBlock(head, u"\t}");
    }
    out.CloseSection(section);
}

void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    std::vector<std::u16string_view> identifiers;
    for (int i = 0; i < document.dynamicFrames.Count(); ++i) {
        const std::u16string_view id = document.dynamicFrames.Item(i).View();
        if (out.IsInteger(id)) {
            identifiers.push_back(id);
        } else {
            out.LeftOutValue(u"dynamic_frames", u"the identifier", id, u"the entry is left out.");
        }
    }
    if (identifiers.empty()) return;
    const CommentRef section(document.comments, u"dynamic_frames");
    out.OpenBlock(section, "dynamic_frames {");
    out.Line(CommentRef::Entry(document.comments, u"dynamic_frames"sv, u"identifiers"),
             "\t", text_pieces::Joined{identifiers, ","}, ";");
    out.CloseBlock(section, u"}");
}

void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Sporadic_frames");
    out.OpenSection(section, u"Sporadic_frames {");
    WriteSporadicFrames(document.sporadicFrames, out);
    out.CloseSection(section);
}

void WriteEventFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Event_triggered_frames");
    out.OpenSection(section, u"Event_triggered_frames {");
    WriteEventFrames(document.eventFrames, out);
    out.CloseSection(section);
}

void WriteDiagnosticFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const bool asRead = DiagnosticsWereRead(document);
    const CommentRef section(document.comments, u"Diagnostic_frames");
    out.OpenSection(section, u"Diagnostic_frames {");
    if (!asRead) {
        WriteStandardDiagnosticFrame(u"     MasterReq: 60 {", u"MasterReq", out);
        WriteStandardDiagnosticFrame(u"  SlaveResp: 61 {", u"SlaveResp", out);
    }
    for (int i = 0; i < document.diagnosticFrames.GetCount(); ++i) {
        WriteDiagnosticFrameAsRead(*document.diagnosticFrames.Get(i), out);
    }
    out.CloseSection(section);
}

void WriteDiagnosticAddressesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Diagnostic_addresses");
    out.OpenSection(section, u"Diagnostic_addresses {");
    for (int i = 0; i < document.diagnosticAddresses.GetCount(); ++i) {
        const corvdekLINDiagnosticAddress& address = *document.diagnosticAddresses.Get(i);
        if (!out.IsName(address.nodeName.View()) || !out.IsInteger(address.nad.View())) {
            out.LeftOut({u"Diagnostic address of '", address.nodeName.View(), u"': '", address.nad.View(),
                         u"' needs a node name and a NAD; it is left out."});
            continue;
        }
        out.Line(CommentRef(address.comments), "\t", address.nodeName.View(), ": ", address.nad.View(), ";");
    }
    out.CloseSection(section);
}

void WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Node_attributes");
    out.OpenSection(section, u"Node_attributes {");
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        const corvdekLINNode& node = *document.nodes.Get(i);
        // A block with comments alone is kept too: the grammar allows an empty one.
        if (node.HasAttributes() || !node.comments.IsEmpty()) WriteNodeAttributes(node, out);
    }
    out.CloseSection(section);
}

void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Schedule_tables");
    out.OpenSection(section, u"Schedule_tables {");
    for (int i = 0; i < document.scheduleTables.GetCount(); ++i) {
        const corvdekLINScheduleTable& table = *document.scheduleTables.Get(i);
        if (table.items.IsEmpty()) {
            out.LeftOut({u"Schedule table ", table.name.View(), u": it has no entries."});
            continue;
        }
        if (!out.IsName(table.name.View())) {
            out.LeftOutValue(u"Schedule_tables", u"the table", table.name.View(), u"the table is left out.");
            continue;
        }
        const CommentRef head(table.comments);
        out.OpenSection(head, Concat({u"\t", table.name.View(), u" { "}).View());
        for (int e = 0; e < table.items.GetCount(); ++e) {
            WriteScheduleEntry(table, *table.items.Get(e), out);
        }
        if (!out.CloseSection(head, u"\t} ")) {
            out.LeftOut({u"Schedule table ", table.name.View(), u": none of its entries can be written."});
        }
    }
    out.CloseSection(section);
}

void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signal_encoding_types");
    out.OpenSection(section, u"Signal_encoding_types {");
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypes& type = *document.encodingTypes.Get(i);
        if (!out.IsName(type.name.View())) {
            out.LeftOutValue(u"Signal_encoding_types", u"the encoding type", type.name.View(), u"the type is left out.");
            continue;
        }
        const CommentRef head(type.comments);
        out.OpenBlock(head, "\t", type.name.View(), " { ");
        for (int p = 0; p < type.items.GetCount(); ++p) WriteEncodingPart(type.name.View(), *type.items.Get(p), u"\t\t", out);
        out.CloseBlock(head, u"\t} ");
    }
    out.CloseSection(section);
}

void WriteRepresentationSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signal_representation");
    out.OpenSection(section, u"Signal_representation {");
    for (int i = 0; i < document.representations.GetCount(); ++i) WriteRepresentation(*document.representations.Get(i), out);
    out.CloseSection(section);
}
