// The sections after Nodes, Signals and Frames: composite, the diagnostic sections, signal
// groups, dynamic, sporadic and event-triggered frames, node attributes, schedule tables,
// signal encodings and representations.

#include <cmath>
#include <string>

#include "foundation/corv_string.h"
#include "ldf_writer.h"
#include "model/definition_file.h"
#include "section_writers.h"

bool IsQuotable(const corvString& text) { return text.View().find(u'"') == std::u16string_view::npos; }

namespace {

using Item = corvdekLINScheduleTableItem;

std::u16string Text(const corvString& text) { return std::u16string(text.View()); }

bool AllGiven(const corvStringArray& values) {
    for (int i = 0; i < values.Count(); ++i) {
        if (values.Item(i).IsEmpty()) return false;
    }
    return true;
}

template <typename NamedFrameList>
void WriteNamedFrameLists(const NamedFrameList& frames, std::u16string_view kind,
                          LdfOutput& out) {
    for (int i = 0; i < frames.GetCount(); ++i) {
        const auto& frame = *frames.Get(i);
        if (frame.frameList.Count() == 0 || !AllGiven(frame.frameList)) {
            out.LeftOut({kind, u" ", frame.name.View(), u": it lists no frames, or an empty one."});
            continue;
        }
        out.Line(CommentRef(frame.comments), {u"\t", frame.name.View(), u": ", frame.frameList.Joined(u", "), u";"});
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
    out.Line({head});
    for (int b = 0; b < 8; ++b) {
        corvString offset;
        offset.SetInt(8 * b);
        out.Line({u"\t", ByteSignal(prefix, b), u", ", offset.View(), u";"});
    }
    out.Line({u"     }"});
}

void WriteDiagnosticFrameAsRead(const corvdekLINDiagnosticFrame& frame, LdfOutput& out) {
    if (frame.name.IsEmpty() || frame.signalNames.Count() == 0) {
        out.LeftOut({u"Diagnostic frame ", frame.name.View(), u": it has no name or no signals."});
        return;
    }
    const CommentRef head(frame.comments);
    out.OpenBlock(head, {u"     ", frame.name.View(), u": ", frame.frameId.View(), u" {"});
    WriteSignalLayout(frame.signalNames, frame.signalOffsets, frame.comments, u"\t", out);
    out.CloseBlock(head, u"     }");
}

std::u16string ConfigurationCommandText(const Item& item);

// The text before ' delay'; empty when the entry lacks a value that its command needs.
std::u16string CommandText(const Item& item) {
    switch (item.kind) {
        case Item::kFrame: return Text(item.frameName);
        case Item::kMasterReq: return u"MasterReq";
        case Item::kSlaveResp: return u"SlaveResp";
        default: return ConfigurationCommandText(item);
    }
}

// CommandText of the commands with values in braces.
std::u16string ConfigurationCommandText(const Item& item) {
    const auto braced = [](std::u16string_view command, std::u16string arguments) {
        return std::u16string(command) + u" { " + arguments + u" }";
    };
    const std::u16string node = Text(item.nodeName);
    const std::u16string withArguments =
        item.arguments.Count() == 0 ? node : node + u", " + item.arguments.Joined(u", ");
    const bool arguments = AllGiven(item.arguments);
    switch (item.kind) {
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            if (node.empty() || item.frameName.IsEmpty()) return {};
            return braced(item.kind == Item::kAssignFrameId ? u"AssignFrameId" : u"UnassignFrameId",
                          node + u", " + Text(item.frameName));
        case Item::kAssignNAD: {
            corvStringArray values;
            for (const corvString* value :
                 {&item.nadInitial, &item.nadSupplierId, &item.nadFunctionId, &item.nadNew}) {
                values.Add(*value);
            }
            if (AllGiven(values)) return braced(u"AssignNAD", values.Joined(u", "));
            const bool noValues = values.Joined(u"").empty();
            return noValues && !node.empty() ? braced(u"AssignNAD", node) : u"";
        }
        case Item::kFreeFormat: {
            corvStringArray bytes;
            bytes.Split(item.freeFormatData.View(), u",");
            for (int i = 0; i < bytes.Count(); ++i) bytes.Item(i).Trim();
            if (bytes.Count() != 8 || !AllGiven(bytes)) return {};
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
std::u16string CompleteCommandText(const Item& item) { return item.delay.IsEmpty() ? u"" : CommandText(item); }

void WriteScheduleEntry(const corvdekLINScheduleTable& table, const Item& item, LdfOutput& out) {
    const std::u16string command = CompleteCommandText(item);
    if (command.empty()) {
        out.LeftOut({u"Schedule table ", table.name.View(), u": an entry without its delay or "
                     u"without the values its command needs."});
        return;
    }
    out.Line(CommentRef(item.comments), {u"\t\t", command, u" delay ", item.delay.View(), u" ms;"});
}

// The text of a logical value or the unit of a physical one; an empty text the file gave
// is written as it was.
std::u16string QuotedTail(const corvdekLINSignalEncodingTypeItem& part) {
    return part.text.IsEmpty() && !part.textGiven ? u"" : u" ,\"" + Text(part.text) + u"\"";
}

void WriteEncodingPart(const corvdekLINSignalEncodingTypes& type,
                       const corvdekLINSignalEncodingTypeItem& part, LdfOutput& out) {
    const CommentRef line(part.comments);
    using Part = corvdekLINSignalEncodingTypeItem;
    const bool physical = part.kind == Part::kPhysical;
    if (!IsQuotable(part.text) ||
        (physical && !(std::isfinite(part.scale) && std::isfinite(part.offset)))) {
        out.LeftOut({u"Encoding type ", type.name.View(),
                     u": a value whose text holds a quote, or whose scale or offset is no number."});
        return;
    }
    corvString minValue, maxValue, scale, offset;
    minValue.SetInt(part.minValue);
    switch (part.kind) {
        case Part::kLogical:
            out.Line(line, {u"\t\tlogical_value, ", minValue.View(), QuotedTail(part), u";"});
            break;
        case Part::kPhysical:
            maxValue.SetInt(part.maxValue);
            scale.SetDouble(part.scale);
            offset.SetDouble(part.offset);
            out.Line(line, {u"\t\tphysical_value, ", minValue.View(), u" ,", maxValue.View(), u" ,",
                            scale.View(), u" ,", offset.View(), QuotedTail(part), u";"});
            break;
        case Part::kBcd: out.Line(line, {u"\t\tbcd_value;"}); break;
        case Part::kAscii: out.Line(line, {u"\t\tascii_value;"}); break;
        default: out.LeftOut({u"Encoding type ", type.name.View(), u": a value of no known kind."});
    }
}

CommentRef AttributeComments(const corvdekLINNode& node, std::u16string_view key) {
    return CommentRef::Entry(node.comments, u"attribute", key);
}

void WriteAttribute(const corvdekLINNode& node, std::u16string_view key, const corvString& value,
                    std::u16string_view unit, LdfOutput& out) {
    if (!value.IsEmpty()) out.Line(AttributeComments(node, key), {u"\t\t", key, u" = ", value.View(), unit, u";"});
}

void WriteProductId(const corvdekLINNode& node, LdfOutput& out) {
    if (!node.supplierId.IsEmpty() && !node.functionId.IsEmpty()) {
        const std::u16string variant =
            node.variant.IsEmpty() ? u"" : u"," + Text(node.variant);
        out.Line(AttributeComments(node, u"product_id"),
                 {u"\t\tproduct_id = ", node.supplierId.View(), u",", node.functionId.View(), variant, u";"});
    } else if (!node.supplierId.IsEmpty() || !node.functionId.IsEmpty() ||
               !node.variant.IsEmpty()) {
        out.LeftOut({u"Node ", node.name.View(), u": product_id '", node.supplierId.View(), u",",
                     node.functionId.View(), u",", node.variant.View(),
                     u"' needs a supplier id and a function id; it is left out."});
    }
}

void WriteConfigurableFrames(const corvdekLINNode& node, LdfOutput& out) {
    if (node.configurableFrameNames.Count() == 0) return;
    const CommentRef head = AttributeComments(node, u"configurable_frames");
    out.OpenBlock(head, {u"\t\tconfigurable_frames {"});
    for (int f = 0; f < node.configurableFrameNames.Count(); ++f) {
        const std::u16string_view name = node.configurableFrameNames.Item(f).View();
        const std::u16string_view id =
            f < node.configurableFrameIds.Count() ? node.configurableFrameIds.Item(f).View() : u"";
        const CommentRef line = CommentRef::Entry(node.comments, u"configurable", name);
        if (id.empty()) {
            out.Line(line, {u"\t\t\t", name, u";"});
        } else {
            out.Line(line, {u"\t\t\t", name, u" = ", id, u";"});
        }
    }
    out.CloseBlock(head, u"\t\t}");
}

void WriteNodeAttributes(const corvdekLINNode& node, LdfOutput& out) {
    const CommentRef head(node.comments);
    out.OpenBlock(head, {u"\t", node.name.View(), u" { "});
    if (!node.protocol.IsEmpty()) {
        out.Line(AttributeComments(node, u"LIN_protocol"), {u"\t\tLIN_protocol = \"", node.protocol.View(), u"\";"});
    }
    WriteAttribute(node, u"configured_NAD", node.configuredNAD, u"", out);
    WriteAttribute(node, u"initial_NAD", node.initialNAD, u"", out);
    WriteProductId(node, out);
    WriteAttribute(node, u"response_error", node.responseError, u"", out);
    if (node.faultStateSignals.Count() > 0) {
        out.Line(AttributeComments(node, u"fault_state_signals"),
                 {u"\t\tfault_state_signals = ", node.faultStateSignals.Joined(u", "), u";"});
    }
    WriteAttribute(node, u"P2_min", node.p2Min, u" ms", out);
    WriteAttribute(node, u"ST_min", node.stMin, u" ms", out);
    WriteAttribute(node, u"N_As_timeout", node.nAsTimeout, u" ms", out);
    WriteAttribute(node, u"N_Cr_timeout", node.nCrTimeout, u" ms", out);
    WriteConfigurableFrames(node, out);
    WriteAttribute(node, u"response_tolerance", node.responseTolerance, u" %", out);
    WriteAttribute(node, u"wakeup_time", node.wakeupTime, u" ms", out);
    WriteAttribute(node, u"poweron_time", node.poweronTime, u" ms", out);
    out.CloseBlock(head, u"\t} ");
}

// 'encoding: signal, signal;'. The signals of an encoding can be more than one statement
// may hold (all of a large cluster's): a long list goes into several statements of the
// encoding, each within the length a loader takes.
void WriteRepresentation(const corvdekLINSignalRepresentations& representation, LdfOutput& out) {
    const corvStringArray& names = representation.signalNames;
    const std::u16string_view encoding = representation.encodingName.View();
    for (int first = 0; first < names.Count();) {
        std::size_t length = encoding.size() + 2 + static_cast<std::size_t>(names.Item(first).Length());
        int end = first + 1;
        for (; end < names.Count(); ++end) {
            const std::size_t longer = length + 2 + static_cast<std::size_t>(names.Item(end).Length());
            if (longer > kMaxStatementLength) break;
            length = longer;
        }
        static const LdfComments kNone;  // the statements a long list is split into after the first
        const CommentRef line(first == 0 ? representation.comments : kNone);
        out.StartLine(line, {u"\t", encoding, u": ", names.Item(first).View()});
        for (int s = first + 1; s < end; ++s) out.Append({u", ", names.Item(s).View()});
        out.Append({u";"});
        out.EndLine(line, true);
        first = end;
    }
}

}  // namespace

bool ScheduleEntryIsComplete(const corvdekLINScheduleTableItem& item) { return !CompleteCommandText(item).empty(); }

void WriteCompositeSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"composite");
    out.OpenSection(section, u"composite {");
    for (int i = 0; i < document.compositeConfigurations.GetCount(); ++i) {
        const corvdekLINCompositeConfiguration& configuration =
            *document.compositeConfigurations.Get(i);
        int listed = 0;
        for (int n = 0; n < configuration.compositeNodes.GetCount(); ++n) {
            listed += configuration.compositeNodes.Get(n)->nodeNames.Count() > 0;
        }
        if (listed != configuration.compositeNodes.GetCount() || listed == 0) {
            out.LeftOut({u"Composite configuration ", configuration.name.View(),
                         u": it has no composite nodes, or one without logical nodes."});
            continue;
        }
        const CommentRef head(configuration.comments);
        out.OpenBlock(head, {u"\tconfiguration ", configuration.name.View(), u" {"});
        for (int n = 0; n < configuration.compositeNodes.GetCount(); ++n) {
            const corvdekLINCompositeNode& node = *configuration.compositeNodes.Get(n);
            const CommentRef nodeHead(node.comments);
            out.OpenBlock(nodeHead, {u"\t\t", node.name.View(), u" {"});
            out.Line(CommentRef(node.comments, u"nodes"), {u"\t\t\t", node.nodeNames.Joined(u", "), u";"});
            out.CloseBlock(nodeHead, u"\t\t}");
        }
        out.CloseBlock(head, u"\t}");
    }
    out.CloseSection(section);
}

void WriteDiagnosticSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const bool asRead = DiagnosticsWereRead(document);
    const CommentRef section(document.comments, u"Diagnostic_signals");
    out.OpenSection(section, u"Diagnostic_signals {");
    if (!asRead) {
        for (std::u16string_view prefix : {u"MasterReq", u"SlaveResp"}) {
            for (int b = 0; b < 8; ++b) out.Line({u"     ", ByteSignal(prefix, b), u":8,0;"});
        }
    }
    for (int i = 0; i < document.diagnosticSignals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.diagnosticSignals.Get(i);
        const std::u16string value = signal.isByteArray
                                         ? u"{ " + signal.initValues.Joined(u", ") + u" }"
                                         : Text(signal.initValue);
        out.Line(CommentRef(signal.comments), {u"     ", signal.name.View(), u":", signal.size.View(), u",", value, u";"});
    }
    out.CloseSection(section);
}

void WriteSignalGroupsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signal_groups");
    out.OpenSection(section, u"Signal_groups {");
    for (int i = 0; i < document.signalGroups.GetCount(); ++i) {
        const corvdekLINSignalGroup& group = *document.signalGroups.Get(i);
        if (group.signalNames.Count() == 0) {
            out.LeftOut({u"Signal group ", group.name.View(), u": it holds no signals."});
            continue;
        }
        const CommentRef head(group.comments);
        out.OpenBlock(head, {u"\t", group.name.View(), u": ", group.size.View(), u" {"});
        WriteSignalLayout(group.signalNames, group.signalOffsets, group.comments, u"\t\t", out);
        out.CloseBlock(head, u"\t}");
    }
    out.CloseSection(section);
}

void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.dynamicFrames.Count() == 0) return;
    const CommentRef section(document.comments, u"dynamic_frames");
    out.OpenBlock(section, {u"dynamic_frames {"});
    out.Line(section, {u"\t", document.dynamicFrames.Joined(u","), u";"});
    out.CloseBlock(section, u"}");
}

void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Sporadic_frames");
    out.OpenSection(section, u"Sporadic_frames {");
    WriteNamedFrameLists(document.sporadicFrames, u"Sporadic frame", out);
    out.CloseSection(section);
}

void WriteEventFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Event_triggered_frames");
    out.OpenSection(section, u"Event_triggered_frames {");
    WriteNamedFrameLists(document.eventFrames, u"Event-triggered frame", out);
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
    out.OpenBlock(section, {u"Diagnostic_addresses {"});
    for (int i = 0; i < document.diagnosticAddresses.GetCount(); ++i) {
        const corvdekLINDiagnosticAddress& address = *document.diagnosticAddresses.Get(i);
        out.Line(CommentRef(address.comments), {u"\t", address.nodeName.View(), u": ", address.nad.View(), u";"});
    }
    out.CloseBlock(section, u"}");
}

void WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Node_attributes");
    out.OpenSection(section, u"Node_attributes {");
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        const corvdekLINNode& node = *document.nodes.Get(i);
        if (node.HasAttributes()) WriteNodeAttributes(node, out);
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
        const CommentRef head(table.comments);
        out.OpenSection(head, u"\t" + Text(table.name) + u" { ");
        for (int e = 0; e < table.items.GetCount(); ++e) {
            WriteScheduleEntry(table, *table.items.Get(e), out);
        }
        out.CloseSection(head, u"\t} ");
    }
    out.CloseSection(section);
}

void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.encodingTypes.IsEmpty()) return;
    const CommentRef section(document.comments, u"Signal_encoding_types");
    out.OpenBlock(section, {u"Signal_encoding_types {"});
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypes& type = *document.encodingTypes.Get(i);
        const CommentRef head(type.comments);
        out.OpenBlock(head, {u"\t", type.name.View(), u" { "});
        for (int p = 0; p < type.items.GetCount(); ++p) WriteEncodingPart(type, *type.items.Get(p), out);
        out.CloseBlock(head, u"\t} ");
    }
    out.CloseBlock(section, u"}");
}

void WriteRepresentationSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signal_representation");
    out.OpenSection(section, u"Signal_representation {");
    for (int i = 0; i < document.representations.GetCount(); ++i) {
        // A representation that names no signal is left out: nothing is lost.
        WriteRepresentation(*document.representations.Get(i), out);
    }
    out.CloseSection(section);
}
