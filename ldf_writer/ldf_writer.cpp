// The layout of a written LDF file, the header statements and the Nodes, Signals and
// Frames sections.

#include "ldf_writer.h"

#include <algorithm>

#include "foundation/corv_file.h"
#include "model/definition_file.h"
#include "section_writers.h"

void LdfOutput::LeftOut(std::initializer_list<std::u16string_view> pieces) {
    if (leftOut_ == nullptr) return;
    leftOut_->Add(Concat(pieces));
}

void LdfOutput::WritePendingHead() {
    for (const std::u16string& head : pendingHeads_) lines_.Line({head});
    pendingHeads_.clear();
}

void LdfOutput::CloseSection(std::u16string_view tail) {
    if (pendingHeads_.empty()) {
        lines_.Line({tail});
    } else {
        pendingHeads_.pop_back();  // nothing was written inside: the block is left out
    }
}

void WriteSignalLayout(const corvStringArray& names, const corvStringArray& offsets,
                       std::u16string_view indent, LdfOutput& out) {
    for (int s = 0; s < names.Count(); ++s) {
        const std::u16string_view offset = s < offsets.Count() ? offsets.Item(s).View() : u"";
        out.Line({indent, names.Item(s).View(), u", ", offset, u";"});
    }
}

namespace {

// 'keyword = "text";' when there is a text that can be quoted.
void WriteOptionalText(std::u16string_view keyword, const corvString& text, LdfOutput& out) {
    if (text.IsEmpty()) return;
    if (IsQuotable(text)) {
        out.Line({keyword, u" = \"", text.View(), u"\";"});
    } else {
        out.LeftOut({keyword, u" '", text.View(), u"': a quoted text cannot hold a quote."});
    }
}

}  // namespace

void WriteHeaderStatements(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    out.Line({u"LIN_protocol_version = \"", document.protocolVersion.View(), u"\";"});
    out.Line({u"LIN_language_version = \"", document.languageVersion.View(), u"\";"});
    if (document.speed.IsEmpty()) {
        out.LeftOut({u"LIN_speed: the cluster has no speed."});
    } else {
        out.Line({u"LIN_speed = ", document.speed.View(), u" kbps;"});
    }
    WriteOptionalText(u"Channel_name", document.channelName, out);
    WriteOptionalText(u"LDF_file_revision", document.fileRevision, out);
    if (!document.signalByteOrder.IsEmpty()) {
        out.Line({u"LIN_sig_byte_order_", document.signalByteOrder.View(), u";"});
    }
}

namespace {

// 'Master: name, time base ms, jitter ms' and the J2602 fields when both are there.
void WriteMasterLine(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const std::u16string_view name = document.master.name.View();
    const bool timing = !document.masterTimebase.IsEmpty() && !document.masterJitter.IsEmpty();
    if (name.empty() || !timing) {
        if (!name.empty() || !document.masterTimebase.IsEmpty() ||
            !document.masterJitter.IsEmpty()) {
            out.LeftOut({u"Master '", name, u"' (time base '", document.masterTimebase.View(),
                         u"', jitter '", document.masterJitter.View(),
                         u"'): a master needs a name, a time base and a jitter; the Master line "
                         u"is left out."});
        }
        return;
    }
    std::u16string j2602;
    const bool headerLength = !document.masterMaxHeaderLength.IsEmpty();
    const bool tolerance = !document.masterResponseTolerance.IsEmpty();
    if (headerLength && tolerance) {
        j2602 = u", " + std::u16string(document.masterMaxHeaderLength.View()) + u" bits, " +
                std::u16string(document.masterResponseTolerance.View()) + u" %";
    } else if (headerLength || tolerance) {
        out.LeftOut({u"Master: the J2602 header length ('", document.masterMaxHeaderLength.View(),
                     u"') and response tolerance ('", document.masterResponseTolerance.View(),
                     u"') go together; the one given is left out."});
    }
    out.Line({u"  Master: ", name, u", ", document.masterTimebase.View(), u" ms, ",
              document.masterJitter.View(), u" ms", j2602, u";"});
}

// A byte array is written with exactly the values its size gives; missing ones are
// written as 0, though never more than a LIN frame's 8 (a wild size asks for millions).
void AppendByteArrayValues(const corvdekLINSignal& signal, LdfOutput& out) {
    const int byteCount = std::min(signal.size.ToInt() / 8, std::max(8, signal.initValues.Count()));
    if (byteCount != signal.initValues.Count()) {
        out.LeftOut({u"Signal ", signal.name.View(), u": a byte array of size ", signal.size.View(),
                     u" holds size / 8 initial values; the others are written as 0 or left out."});
    }
    out.Append({u"{ "});
    for (int i = 0; i < std::max(byteCount, 1); ++i) {
        if (i > 0) out.Append({u", "});
        out.Append({i < signal.initValues.Count() ? signal.initValues.Item(i).View() : u"0"});
    }
    out.Append({u"} "});
}

}  // namespace

void WriteNodesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    out.Line({u"Nodes {"});
    WriteMasterLine(document, out);
    if (document.nodes.GetCount() > 0) {
        std::u16string slaves;
        for (int i = 0; i < document.nodes.GetCount(); ++i) {
            if (i > 0) slaves += u", ";
            slaves += document.nodes.Get(i)->name.View();
        }
        out.Line({u"  Slaves: ", slaves, u";"});
    }
    out.Line({u"}"});
}

void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.signals.IsEmpty()) return;
    out.Line({u"Signals {"});
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        out.Append({u"\t", signal.name.View(), u": ", signal.size.View(), u", "});
        if (signal.isByteArray) {
            AppendByteArrayValues(signal, out);
        } else {
            out.Append({signal.initValue.View()});
        }
        out.Append({u", ", signal.publisher.View()});
        for (int s = 0; s < signal.subscribers.Count(); ++s) out.Append({u", ", signal.subscribers.Item(s).View()});
        out.Line({u";"});
    }
    out.Line({u"}"});
}

void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.frames.IsEmpty()) return;
    out.Line({u"Frames {"});
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *document.frames.Get(i);
        out.Line({u"\t", frame.name.View(), u": ", frame.frameId.View(), u", ", frame.publisher.View(),
                  frame.length.IsEmpty() ? u"" : u", ", frame.length.View(), u" {"});
        WriteSignalLayout(frame.signalNames, frame.signalOffsets, u"\t\t", out);
        out.Line({u"}"});
    }
    out.Line({u"}"});
}

std::string RenderLDF(const corvdekLINDefinitionFile& document, corvStringArray* leftOut) {
    LdfOutput out(leftOut);
    out.Line({u"// Generated with Kestova LIN Tabrel"});
    out.Blank();
    out.Line({u"LIN_description_file ;"});
    out.Blank();
    WriteHeaderStatements(document, out);
    out.Blank();
    WriteNodesSection(document, out);
    out.Blank();
    out.Blank();
    WriteCompositeSection(document, out);
    out.Blank();
    WriteSignalsSection(document, out);
    if (document.hasDiagnosticFrames) {
        out.Blank();
        WriteDiagnosticSignalsSection(document, out);
    }
    if (!document.signalGroups.IsEmpty()) {
        out.Blank();
        WriteSignalGroupsSection(document, out);
    }
    // The blank lines of the sections that are left out stay, so the layout is fixed.
    out.Blank();
    WriteDynamicFramesSection(document, out);
    out.Blank();
    WriteFramesSection(document, out);
    out.Blank();
    WriteSporadicFramesSection(document, out);
    out.Blank();
    WriteEventFramesSection(document, out);
    if (document.hasDiagnosticFrames) {
        out.Blank();
        WriteDiagnosticFramesSection(document, out);
    }
    if (!document.diagnosticAddresses.IsEmpty()) {
        out.Blank();
        WriteDiagnosticAddressesSection(document, out);
    }
    out.Blank();
    WriteNodeAttributesSection(document, out);
    out.Blank();
    WriteScheduleTablesSection(document, out);
    out.Blank();
    out.Blank();
    WriteEncodingTypesSection(document, out);
    out.Blank();
    WriteRepresentationSection(document, out);
    return out.Take();
}

bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path,
              corvStringArray* leftOut) {
    switch (SaveFileSafely(path, RenderLDF(document, leftOut))) {
        case SafeSaveResult::kSaved: return true;
        case SafeSaveResult::kCannotCreate:
        case SafeSaveResult::kNotAFile: document.lastLoadError = u"Problem opening file."; break;
        case SafeSaveResult::kCannotWrite: document.lastLoadError = u"Problem writing file."; break;
    }
    return false;
}
