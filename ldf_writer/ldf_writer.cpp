// The layout of a written LDF file, and the Nodes, Signals and Frames sections.

#include "ldf_writer.h"

#include "foundation/corv_file.h"
#include "section_writers.h"
#include "model/definition_file.h"

std::u16string Joined(const corvStringArray& list, std::u16string_view separator) {
    std::u16string text;
    for (int i = 0; i < list.Count(); ++i) {
        if (i > 0) text += separator;
        text += list.Item(i).View();
    }
    return text;
}

void WriteNodesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Nodes {"});
    out.Line({u"  Master: ", document.master.name.View(), u", ", document.masterTimebase.View(),
              u" ms, ", document.masterJitter.View(), u" ms;"});
    std::u16string slaves;
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        if (i > 0) slaves += u", ";
        slaves += document.nodes.Get(i)->name.View();
    }
    out.Line({u"  Slaves: ", slaves, u";"});
    out.Line({u"}"});
}

void WriteSignalsSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Signals {"});
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        const std::u16string initialValue =
            signal.isByteArray ? u"{ " + Joined(signal.initValues, u", ") + u"} "
                               : std::u16string(signal.initValue.View());
        std::u16string subscribers;
        for (int s = 0; s < signal.subscribers.Count(); ++s) {
            subscribers += u", ";
            subscribers += signal.subscribers.Item(s).View();
        }
        out.Line({u"\t", signal.name.View(), u": ", signal.size.View(), u", ", initialValue, u", ",
                  signal.publisher.View(), subscribers, u";"});
    }
    out.Line({u"}"});
}

void WriteFramesSection(const corvdekLINDefinitionFile& document, TextLines& out) {
    out.Line({u"Frames {"});
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *document.frames.Get(i);
        out.Line({u"\t", frame.name.View(), u": ", frame.frameId.View(), u", ",
                  frame.publisher.View(), u", ", frame.length.View(), u" {"});
        for (int s = 0; s < frame.signalNames.Count(); ++s) {
            const std::u16string_view offset =
                s < frame.signalOffsets.Count() ? frame.signalOffsets.Item(s).View() : u"";
            out.Line({u"\t\t", frame.signalNames.Item(s).View(), u", ", offset, u";"});
        }
        out.Line({u"}"});
    }
    out.Line({u"}"});
}

std::string RenderLDF(const corvdekLINDefinitionFile& document) {
    TextLines out;
    out.Line({u"// Generated with Kestova LIN Tabrel"});
    out.Blank();
    out.Line({u"LIN_description_file ;"});
    out.Blank();
    out.Line({u"LIN_protocol_version = \"", document.protocolVersion.View(), u"\";"});
    out.Line({u"LIN_language_version = \"", document.languageVersion.View(), u"\";"});
    out.Line({u"LIN_speed = ", document.speed.View(), u" kbps;"});
    out.Blank();
    WriteNodesSection(document, out);
    out.Blank();
    out.Blank();
    WriteCompositeSection(document, out);
    out.Blank();
    WriteSignalsSection(document, out);
    if (document.hasDiagnosticFrames) {
        out.Blank();
        WriteDiagnosticSignalsSection(out);
    }
    // The blank lines before dynamic_frames and Node_attributes stay when they are left out.
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
        WriteDiagnosticFramesSection(out);
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

bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path) {
    switch (SaveFileSafely(path, RenderLDF(document))) {
        case SafeSaveResult::kSaved: return true;
        case SafeSaveResult::kCannotCreate: document.lastLoadError = u"Problem opening file."; break;
        case SafeSaveResult::kCannotWrite: document.lastLoadError = u"Problem writing file."; break;
    }
    return false;
}
