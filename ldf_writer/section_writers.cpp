// The sections after Nodes, Signals and Frames: composite, the fixed diagnostic sections,
// dynamic, sporadic and event-triggered frames, node attributes, schedule tables, signal
// encodings and representations.

#include <string>

#include "foundation/corv_string.h"
#include "section_writers.h"
#include "model/definition_file.h"

namespace {

template <typename NamedFrameList>
void WriteNamedFrameLists(const NamedFrameList& frames, TextLines& out) {
    for (int i = 0; i < frames.GetCount(); ++i) {
        const auto& frame = *frames.Get(i);
        if (frame.frameList.Count() == 0) {
            out.Line({u"\t", frame.name.View(), u";"});
        } else {
            out.Line({u"\t", frame.name.View(), u": ", Joined(frame.frameList, u", "), u";"});
        }
    }
}

// Eight byte signals named prefix + "B0" ... "B7", as the fixed diagnostic sections list them.
std::u16string ByteSignal(std::u16string_view prefix, int index) {
    return std::u16string(prefix) + u"B" + static_cast<char16_t>(u'0' + index);
}

// A fixed diagnostic frame: eight byte signals at offsets 0, 8, ... 56.
void WriteDiagnosticFrame(std::u16string_view head, std::u16string_view prefix, TextLines& out) {
    out.Line({head});
    for (int b = 0; b < 8; ++b) {
        corvString offset;
        offset.SetInt(8 * b);
        out.Line({u"\t", ByteSignal(prefix, b), u":", offset.View(), u";"});
    }
    out.Line({u"     }"});
}

std::u16string EntryText(const corvdekLINScheduleTableItem& item) {
    using Item = corvdekLINScheduleTableItem;
    switch (item.kind) {
        case Item::kMasterReq: return u"MasterReq";
        case Item::kSlaveResp: return u"SlaveResp";
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            return std::u16string(item.kind == Item::kAssignFrameId ? u"AssignFrameId { "
                                                                    : u"UnassignFrameId { ") +
                   std::u16string(item.nodeName.View()) + u", " +
                   std::u16string(item.frameName.View()) + u" }";
        case Item::kAssignNAD:
            return u"AssignNAD { " + std::u16string(item.nadInitial.View()) + u", " +
                   std::u16string(item.nadSupplierId.View()) + u", " +
                   std::u16string(item.nadFunctionId.View()) + u", " +
                   std::u16string(item.nadNew.View()) + u" }";
        case Item::kFreeFormat:
            return u"FreeFormat { " + std::u16string(item.freeFormatData.View()) + u" }";
        default: return std::u16string(item.frameName.View());
    }
}

void WriteEncodingPart(const corvdekLINSignalEncodingTypeItem& part, TextLines& out) {
    using Part = corvdekLINSignalEncodingTypeItem;
    corvString minValue, maxValue, scale, offset;
    minValue.SetInt(part.minValue);
    switch (part.kind) {
        case Part::kLogical:
            out.Line({u"\t\tlogical_value, ", minValue.View(), u" ,\"", part.text.View(), u"\";"});
            break;
        case Part::kPhysical:
            maxValue.SetInt(part.maxValue);
            scale.SetDouble(part.scale);
            offset.SetDouble(part.offset);
            out.Line({u"\t\tphysical_value, ", minValue.View(), u" ,", maxValue.View(), u" ,",
                      scale.View(), u" ,", offset.View(), u" ,\"", part.text.View(), u"\";"});
            break;
        case Part::kBcd: out.Line({u"\t\tbcd_value;"}); break;
        case Part::kAscii: out.Line({u"\t\tascii_value;"}); break;
        default: out.Line({u"\t\t"}); break;
    }
}

}  // namespace

void WriteCompositeSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"composite {"});
    for (int i = 0; i < document.compositeConfigurations.GetCount(); ++i) {
        const corvdekLINCompositeConfiguration& configuration =
            *document.compositeConfigurations.Get(i);
        out.Line({u"\tconfiguration ", configuration.name.View(), u" {"});
        for (int n = 0; n < configuration.compositeNodes.GetCount(); ++n) {
            const corvdekLINCompositeNode& node = *configuration.compositeNodes.Get(n);
            out.Line({u"\t\t", node.name.View(), u" {"});
            out.Line({u"\t\t\t", Joined(node.nodeNames, u", "), u";"});
            out.Line({u"\t\t}"});
        }
        out.Line({u"\t}"});
    }
    out.Line({u"}"});
}

void WriteDiagnosticSignalsSection(TextLines& out) {
    out.Line({u"Diagnostic_signals {"});
    for (std::u16string_view prefix : {u"MasterReq", u"SlaveResp"}) {
        for (int b = 0; b < 8; ++b) out.Line({u"     ", ByteSignal(prefix, b), u":8,0;"});
    }
    out.Line({u"}"});
}

void WriteDynamicFramesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    if (document.dynamicFrames.Count() == 0) return;
    out.Line({u"dynamic_frames {"});
    out.Line({u"\t", Joined(document.dynamicFrames, u","), u";"});
    out.Line({u"}"});
}

void WriteSporadicFramesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Sporadic_frames {"});
    WriteNamedFrameLists(document.sporadicFrames, out);
    out.Line({u"}"});
}

void WriteEventFramesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Event_triggered_frames {"});
    WriteNamedFrameLists(document.eventFrames, out);
    out.Line({u"}"});
}

void WriteDiagnosticFramesSection(TextLines& out) {
    out.Line({u"Diagnostic_frames {"});
    WriteDiagnosticFrame(u"     MasterReq: 60 {", u"MasterReq", out);
    WriteDiagnosticFrame(u"  SlaveResp: 61 {", u"SlaveResp", out);
    out.Line({u"}"});
}

bool WriteNodeAttributesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    bool any = false;
    for (int i = 0; i < document.nodes.GetCount() && !any; ++i) {
        any = document.nodes.Get(i)->HasAttributes();
    }
    if (!any) return false;
    out.Line({u"Node_attributes {"});
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        const corvdekLINNode& node = *document.nodes.Get(i);
        if (!node.HasAttributes()) continue;
        out.Line({u"\t", node.name.View(), u" { "});
        out.Line({u"\t\tLIN_protocol = \"", node.protocol.View(), u"\";"});
        out.Line({u"\t\tconfigured_NAD = ", node.configuredNAD.View(), u";"});
        out.Line({u"\t\tproduct_id = ", node.supplierId.View(), u",", node.functionId.View(), u",",
                  node.variant.View(), u";"});
        out.Line({u"\t\tresponse_error = ", node.responseError.View(), u";"});
        out.Line({u"\t\tP2_min = ", node.p2Min.View(), u" ms;"});
        out.Line({u"\t\tST_min = ", node.stMin.View(), u" ms;"});
        if (node.configurableFrameNames.Count() > 0) {
            out.Line({u"\t\tconfigurable_frames {"});
            for (int f = 0; f < node.configurableFrameNames.Count(); ++f) {
                const std::u16string_view id = f < node.configurableFrameIds.Count()
                                                   ? node.configurableFrameIds.Item(f).View()
                                                   : u"";
                out.Line({u"\t\t\t", node.configurableFrameNames.Item(f).View(), u" = ", id, u";"});
            }
            out.Line({u"\t\t}"});
        }
        if (!node.responseTolerance.IsEmpty()) {
            out.Line({u"\t\tresponse_tolerance = ", node.responseTolerance.View(), u" %;"});
        }
        out.Line({u"\t} "});
    }
    out.Line({u"}"});
    return true;
}

void WriteScheduleTablesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Schedule_tables {"});
    for (int i = 0; i < document.scheduleTables.GetCount(); ++i) {
        const corvdekLINScheduleTable& table = *document.scheduleTables.Get(i);
        out.Line({u"\t", table.name.View(), u" { "});
        for (int e = 0; e < table.items.GetCount(); ++e) {
            const corvdekLINScheduleTableItem& item = *table.items.Get(e);
            out.Line({u"\t\t", EntryText(item), u" delay ", item.delay.View(), u" ms;"});
        }
        out.Line({u"\t} "});
    }
    out.Line({u"}"});
}

void WriteEncodingTypesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Signal_encoding_types {"});
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypes& type = *document.encodingTypes.Get(i);
        out.Line({u"\t", type.name.View(), u" { "});
        for (int p = 0; p < type.items.GetCount(); ++p) WriteEncodingPart(*type.items.Get(p), out);
        out.Line({u"\t} "});
    }
    out.Line({u"}"});
}

void WriteRepresentationSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Signal_representation {"});
    for (int i = 0; i < document.representations.GetCount(); ++i) {
        const corvdekLINSignalRepresentations& representation = *document.representations.Get(i);
        out.Line({u"\t", representation.encodingName.View(), u": ",
                  Joined(representation.signalNames, u", "), u";"});
    }
    out.Line({u"}"});
}
