// Frames, Sporadic_frames, Event_triggered_frames, Diagnostic_frames and dynamic_frames.

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

// 'name: frame id, publisher, length' before the '{' of the frame's signal list.
void ReadFrameHead(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement.View(), u":");
    const StatementFields fields(TrimmedView(parts.rest), u",");
    if (fields.Count() < 2) return;
    corvdekLINFrame* frame = document.frames.Add();
    frame->name = Trimmed(parts.head);
    frame->frameId = Trimmed(fields.Item(0));
    frame->publisher = Trimmed(fields.Item(1));
    if (fields.Count() > 2) frame->length = Trimmed(fields.Item(2));
}

// 'signal name, bit offset' inside the frame defined last.
void ReadFrameSignal(corvdekLINDefinitionFile& document) {
    corvdekLINFrame* frame = document.frames.Last();
    if (frame == nullptr) {
        document.ReportStatement("LIN Frame Invalid.", u"This LIN frame is invalid at line: ",
                                 kLevelWarning);
        return;
    }
    const StatementFields fields(document.statement.View(), u",");
    if (fields.Count() != 2) {
        document.ReportStatement("LIN Frame Signal Specification problem.",
                                 u"This LIN frame has an invalid signal: ", kLevelWarning);
        return;
    }
    frame->signalNames.Add(Trimmed(fields.Item(0)));
    frame->signalOffsets.Add(Trimmed(fields.Item(1)));
}

// 'name: item, item, ...'; the name keeps any spaces before the colon.
template <typename FrameList>
void ReadNamedFrameList(corvdekLINDefinitionFile& document, FrameList& frames) {
    const SplitAtFirst parts(document.statement.View(), u":");
    auto* frame = frames.Add();
    frame->name.Assign(parts.head);
    const StatementFields fields(TrimmedView(parts.rest), u",");
    for (int i = 0; i < fields.Count(); ++i) frame->frameList.Add(Trimmed(fields.Item(i)));
}

void ReadDiagnosticFrameHead(corvdekLINDefinitionFile& document) {
    corvdekLINDiagnosticFrame* frame = document.diagnosticFrames.Add();
    const int colon = document.statement.FindLast(u':');
    if (colon < 0) return;
    const std::u16string_view whole = document.statement.View();
    const corvString name = Trimmed(corvString(whole.substr(0, static_cast<std::size_t>(colon))));
    frame->isSlaveResponse = name.Equals(u"MasterReq") ? 0 : 1;
    frame->frameId = Trimmed(corvString(whole.substr(static_cast<std::size_t>(colon) + 1)));
    frame->signalOffsets.SetAllocated(8, false);
}

void ReadDiagnosticFrameSignal(corvdekLINDefinitionFile& document) {
    corvdekLINDiagnosticFrame* frame = document.diagnosticFrames.Last();
    if (frame == nullptr) {
        document.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return;
    }
    StatementFields fields(document.statement.View(), u":");
    if (fields.Count() < 2) fields = StatementFields(document.statement.View(), u",");
    if (fields.Count() < 2) {
        // A signal line needs a name and an offset.
        document.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return;
    }
    frame->signalOffsets.Add(Trimmed(fields.Item(1)));
}

}  // namespace

void ReadFrameStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        ReadFrameHead(document);
    } else {
        ReadFrameSignal(document);
    }
}

void ReadSporadicFrameStatement(corvdekLINDefinitionFile& document) {
    ReadNamedFrameList(document, document.sporadicFrames);
}

void ReadEventFrameStatement(corvdekLINDefinitionFile& document) {
    ReadNamedFrameList(document, document.eventFrames);
}

void ReadDiagnosticFrameStatement(corvdekLINDefinitionFile& document, int depth) {
    document.hasDiagnosticFrames = true;
    if (depth == 1) {
        ReadDiagnosticFrameHead(document);
    } else {
        ReadDiagnosticFrameSignal(document);
    }
}

void ReadDynamicFramesStatement(corvdekLINDefinitionFile& document) {
    // Each statement replaces the list; the entries keep their spaces.
    document.dynamicFrames.Split(document.statement.View(), u",");
}
