// Frames, Sporadic_frames, Event_triggered_frames, Diagnostic_frames, Diagnostic_addresses
// and dynamic_frames.

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

// Appends the signal and offset of 'signal, offset' to a frame's parallel lists. The first
// one makes room for a usual frame's signals at once, rather than growing by one, two, four.
template <typename Frame>
void AddLayoutEntry(Frame& frame, const StatementFields& fields) {
    if (frame.signalNames.Count() == 0) {
        constexpr int kUsualSignals = 4;
        frame.signalNames.SetAllocated(kUsualSignals, false);
        frame.signalOffsets.SetAllocated(kUsualSignals, false);
    }
    AddTrimmed(frame.signalNames, fields.Item(0));
    AddTrimmed(frame.signalOffsets, fields.Item(1));
}

// 'name: frame id, publisher, length' before the '{' of the frame's signal list.
bool ReadFrameHead(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement, ':');
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (fields.Count() < 2) return false;
    corvdekLINFrame* frame = document.frames.Add();
    AssignTrimmed(frame->name, parts.head);
    AssignTrimmed(frame->frameId, fields.Item(0));
    AssignTrimmed(frame->publisher, fields.Item(1));
    if (fields.Count() > 2) AssignTrimmed(frame->length, fields.Item(2));
    return true;
}

// 'signal name, bit offset' inside the frame defined last.
bool ReadFrameSignal(corvdekLINDefinitionFile& document) {
    corvdekLINFrame* frame = document.frames.Last();
    if (frame == nullptr) {
        document.ReportStatement("LIN Frame Invalid.", u"This LIN frame is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    const StatementFields fields(document.statement, ",");
    if (fields.Count() != 2) {
        document.ReportStatement("LIN Frame Signal Entry problem.",
                                 u"This LIN frame has an invalid signal: ", kLevelWarning);
        return true;
    }
    AddLayoutEntry(*frame, fields);
    return true;
}

// 'name: item, item, ...'. The name is trimmed like every other one: spaces before the
// colon are layout, and the schedule entries and frame lists name it without them.
template <typename FrameList>
bool ReadNamedFrameList(corvdekLINDefinitionFile& document, FrameList& frames) {
    const SplitAtFirst parts(document.statement, ':');
    auto* frame = frames.Add();
    AssignTrimmed(frame->name, parts.head);
    const StatementFields fields(TrimmedView(parts.rest), ",");
    AddTrimmedFields(frame->frameList, fields);
    return true;
}

bool ReadDiagnosticFrameHead(corvdekLINDefinitionFile& document) {
    corvdekLINDiagnosticFrame* frame = document.diagnosticFrames.Add();
    const std::string_view whole = document.statement;
    const std::size_t colon = whole.rfind(':');
    if (colon == std::string_view::npos) return false;
    AssignTrimmed(frame->name, whole.substr(0, colon));
    frame->isSlaveResponse = frame->name.Equals(u"MasterReq") ? 0 : 1;
    AssignTrimmed(frame->frameId, whole.substr(colon + 1));
    return true;
}

// 'MasterReqB0, 0' as the LIN grammar writes it, or 'MasterReqB0: 0' as older saves did.
bool ReadDiagnosticFrameSignal(corvdekLINDefinitionFile& document) {
    corvdekLINDiagnosticFrame* frame = document.diagnosticFrames.Last();
    if (frame == nullptr) {
        document.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return true;
    }
    const bool colonForm = StatementFields(document.statement, ":").Count() >= 2;
    const StatementFields fields(document.statement, colonForm ? ":" : ",");
    if (fields.Count() < 2) {
        // A signal line needs a name and an offset.
        document.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return true;
    }
    AddLayoutEntry(*frame, fields);
    return true;
}

}  // namespace

bool ReadFrameStatement(corvdekLINDefinitionFile& document, int depth) {
    return depth == 1 ? ReadFrameHead(document) : ReadFrameSignal(document);
}

bool ReadSporadicFrameStatement(corvdekLINDefinitionFile& document) {
    return ReadNamedFrameList(document, document.sporadicFrames);
}

bool ReadEventFrameStatement(corvdekLINDefinitionFile& document) {
    return ReadNamedFrameList(document, document.eventFrames);
}

bool ReadDiagnosticFrameStatement(corvdekLINDefinitionFile& document, int depth) {
    document.hasDiagnosticFrames = true;
    return depth == 1 ? ReadDiagnosticFrameHead(document) : ReadDiagnosticFrameSignal(document);
}

// 'node: NAD' (LIN 1.3).
bool ReadDiagnosticAddressStatement(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement, ':');
    if (!parts.found) return false;
    corvdekLINDiagnosticAddress* address = document.diagnosticAddresses.Add();
    AssignTrimmed(address->nodeName, parts.head);
    AssignTrimmed(address->nad, parts.rest);
    return true;
}

bool ReadDynamicFramesStatement(corvdekLINDefinitionFile& document) {
    // Each statement replaces the list; the entries keep their spaces.
    document.dynamicFrames.Split(Converted(document.statement), u",");
    return true;
}
