// Frames, Sporadic_frames, Event_triggered_frames, Diagnostic_frames, Diagnostic_addresses
// and dynamic_frames.

#include "foundation/corv_arrays.h"
#include "load_context.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

// Appends the signal and offset of 'signal, offset' to a frame's parallel lists. The first
// one makes room for a usual frame's signals at once, rather than growing by one, two, four.
template <typename Frame>
void AddLayoutEntry(LoadContext& load, Frame& frame, const StatementFields& fields) {
    if (frame.signalNames.Count() == 0) {
        constexpr int kUsualSignals = 4;
        frame.signalNames.SetAllocated(kUsualSignals, false);
        frame.signalOffsets.SetAllocated(kUsualSignals, false);
    }
    AddTrimmed(frame.signalNames, fields.Item(0));
    AddTrimmed(frame.signalOffsets, fields.Item(1));
    load.AnchorAtEntry(frame.comments, u"signal", frame.signalNames.Item(frame.signalNames.Count() - 1).View());
}

// 'name: frame id, publisher, length' before the '{' of the frame's signal list.
bool ReadFrameHead(LoadContext& load) {
    const SplitAtFirst parts(load.statement, ':');
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (fields.Count() < 2) return false;
    corvdekLINFrame* frame = load.document.frames.Add();
    load.AnchorAt(frame->comments);
    AssignTrimmed(frame->name, parts.head);
    AssignTrimmed(frame->frameId, fields.Item(0));
    AssignTrimmed(frame->publisher, fields.Item(1));
    if (fields.Count() > 2) AssignTrimmed(frame->length, fields.Item(2));
    return true;
}

// 'signal name, bit offset' inside the frame defined last.
bool ReadFrameSignal(LoadContext& load) {
    corvdekLINFrame* frame = load.document.frames.Last();
    if (frame == nullptr) {
        load.ReportStatement("LIN Frame Invalid.", u"This LIN frame is invalid at line: ",
                                 kLevelWarning);
        return true;
    }
    const StatementFields fields(load.statement, ",");
    if (fields.Count() != 2) {
        load.ReportStatement("LIN Frame Signal Entry problem.",
                                 u"This LIN frame has an invalid signal: ", kLevelWarning);
        return true;
    }
    AddLayoutEntry(load, *frame, fields);
    return true;
}

// 'name: item, item, ...'. The name is trimmed like every other one: spaces before the
// colon are layout, and the schedule entries and frame lists name it without them.
template <typename FrameList>
bool ReadNamedFrameList(LoadContext& load, FrameList& frames) {
    const SplitAtFirst parts(load.statement, ':');
    auto* frame = frames.Add();
    load.AnchorAt(frame->comments);
    AssignTrimmed(frame->name, parts.head);
    const StatementFields fields(TrimmedView(parts.rest), ",");
    AddTrimmedFields(frame->frameList, fields);
    return true;
}

bool ReadDiagnosticFrameHead(LoadContext& load) {
    corvdekLINDiagnosticFrame* frame = load.document.diagnosticFrames.Add();
    load.AnchorAt(frame->comments);
    const std::string_view whole = load.statement;
    const std::size_t colon = whole.rfind(':');
    if (colon == std::string_view::npos) return false;
    AssignTrimmed(frame->name, whole.substr(0, colon));
    frame->isSlaveResponse = frame->name.Equals(u"MasterReq") ? 0 : 1;
    AssignTrimmed(frame->frameId, whole.substr(colon + 1));
    return true;
}

// 'MasterReqB0, 0' as the LIN grammar writes it, or 'MasterReqB0: 0' as older saves did.
bool ReadDiagnosticFrameSignal(LoadContext& load) {
    corvdekLINDiagnosticFrame* frame = load.document.diagnosticFrames.Last();
    if (frame == nullptr) {
        load.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return true;
    }
    const bool colonForm = StatementFields(load.statement, ":").Count() >= 2;
    const StatementFields fields(load.statement, colonForm ? ":" : ",");
    if (fields.Count() < 2) {
        // A signal line needs a name and an offset.
        load.ReportStatement("Diagnostic Frame Invalid.",
                                 u"This diagnostic frame is invalid at line: ", kLevelWarning);
        return true;
    }
    AddLayoutEntry(load, *frame, fields);
    return true;
}

}  // namespace

bool ReadFrameStatement(LoadContext& load, int depth) {
    return depth == 1 ? ReadFrameHead(load) : ReadFrameSignal(load);
}

bool ReadSporadicFrameStatement(LoadContext& load) {
    return ReadNamedFrameList(load, load.document.sporadicFrames);
}

bool ReadEventFrameStatement(LoadContext& load) {
    return ReadNamedFrameList(load, load.document.eventFrames);
}

bool ReadDiagnosticFrameStatement(LoadContext& load, int depth) {
    load.document.hasDiagnosticFrames = true;
    return depth == 1 ? ReadDiagnosticFrameHead(load) : ReadDiagnosticFrameSignal(load);
}

// 'node: NAD' (LIN 1.3).
bool ReadDiagnosticAddressStatement(LoadContext& load) {
    const SplitAtFirst parts(load.statement, ':');
    if (!parts.found) return false;
    corvdekLINDiagnosticAddress* address = load.document.diagnosticAddresses.Add();
    load.AnchorAt(address->comments);
    AssignTrimmed(address->nodeName, parts.head);
    AssignTrimmed(address->nad, parts.rest);
    return true;
}

bool ReadDynamicFramesStatement(LoadContext& load) {
    // Each statement replaces the list; the entries keep their spaces.
    load.document.dynamicFrames.Split(Converted(load.statement), u",");
    load.AnchorAtEntry(load.document.comments, u"dynamic_frames", u"identifiers");
    return true;
}
