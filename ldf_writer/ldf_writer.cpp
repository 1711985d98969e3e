// The layout of a written LDF file, the header statements and the Nodes, Signals and
// Frames sections.

#include "ldf_writer.h"

#include <algorithm>

#include "foundation/corv_file.h"
#include "model/definition_file.h"
#include "model/ldf_tokens.h"
#include "section_writers.h"

// u"..."sv: the hot paths' literals are measured when compiling, not on every call.
using namespace std::string_view_literals;

void LdfOutput::LeftOut(std::initializer_list<std::u16string_view> pieces) {
    if (leftOut_ == nullptr) return;
    leftOut_->Add(Concat(pieces));
}

bool CommentRef::Matches(const LdfComment& comment) const {
    const std::u16string_view slot = comment.slot.View();
    if (!entry_) return slot == kind_;
    return slot.size() == kind_.size() + 1 + name_.size() && slot.starts_with(kind_) &&
           slot[kind_.size()] == u':' && slot.ends_with(name_);
}

// A block comment over several lines keeps its lines; each ends as every written line does.
// Each comment is written once, with the first line of its slot: a frame may list one signal
// twice.
void LdfOutput::WriteComment(const LdfComment& comment) {
    written_.insert(&comment);
    std::u16string_view text = comment.text.View();
    for (std::size_t end = text.find_first_of(u"\r\n"); end != std::u16string_view::npos;
         end = text.find_first_of(u"\r\n")) {
        lines_.Append(text.substr(0, end));
        lines_.EndLine();
        const bool crLf = text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n';
        text.remove_prefix(end + (crLf ? 2 : 1));
    }
    lines_.Append(text);
}

void LdfOutput::CommentLines(const CommentRef& ref, CommentPlace place, std::u16string_view indent) {
    if (ref.IsEmpty()) return;
    visited_.push_back(&ref.Comments());
    for (const LdfComment& comment : ref.Entries()) {
        if (comment.place != place || !ref.Matches(comment) || written_.contains(&comment)) continue;
        if (!pendingHeads_.empty()) WritePendingHead();
        lines_.Append(indent);
        WriteComment(comment);
        lines_.EndLine();
    }
}

void LdfOutput::CommentsBefore(const CommentRef& ref, std::u16string_view indent) {
    if (!pendingHeads_.empty()) WritePendingHead();
    CommentLines(ref, CommentPlace::kBefore, indent);
}

// Block comments come first: text after a '//' comment, another comment included, would be
// part of it.
void LdfOutput::AppendTrailingComments(const CommentRef& ref, bool withBlockEnd) {
    visited_.push_back(&ref.Comments());
    for (const bool lineComments : {false, true}) {
        for (const LdfComment& comment : ref.Entries()) {
            const bool trailing = comment.place == CommentPlace::kAfter ||
                                  (withBlockEnd && comment.place == CommentPlace::kEnd);
            if (!trailing || comment.text.View().starts_with(u"//") != lineComments || !ref.Matches(comment) ||
                written_.contains(&comment)) {
                continue;
            }
            lines_.Append(" ");
            WriteComment(comment);
        }
    }
}

void LdfOutput::CloseBlock(const CommentRef& ref, std::u16string_view closingLine) {
    if (!ref.IsEmpty()) CommentLines(ref, CommentPlace::kEnd, text_pieces::LeadingBlanks(closingLine) + u"\t");
    Line(closingLine);
}

void LdfOutput::WritePendingHead() {
    std::vector<PendingHead> heads;
    heads.swap(pendingHeads_);
    for (const PendingHead& head : heads) {
        CommentLines(head.comments, CommentPlace::kBefore, text_pieces::LeadingBlanks(head.head));
        lines_.Append(head.head);
        EndLine(head.comments, false);
    }
}

bool LdfOutput::CloseSection(const CommentRef& ref, std::u16string_view tail) {
    if (pendingHeads_.empty()) {
        CloseBlock(ref, tail);
        return true;
    }
    pendingHeads_.pop_back();  // nothing was written inside: the block is left out
    return false;
}

void LdfOutput::WriteUnplacedComments() {
    std::unordered_set<const LdfComments*> seen;
    for (const LdfComments* comments : visited_) {
        if (!seen.insert(comments).second) continue;
        for (const LdfComment& comment : comments->Entries()) {
            if (written_.contains(&comment)) continue;
            WriteComment(comment);
            lines_.EndLine();
        }
    }
}

std::u16string Owner::Text() const {
    if (!named) return std::u16string(kind);
    return std::u16string(kind) + u" '" + std::u16string(name) + u"'";
}

void LdfOutput::LeftOutValue(const Owner& owner, std::u16string_view what, std::u16string_view value,
                             std::u16string_view consequence) {
    if (leftOut_ == nullptr) return;
    LeftOut({owner.Text(), u": ", what, u" '", value, u"' is no valid LDF value; ", consequence});
}

std::vector<std::u16string_view> WritableNames(const corvStringArray& names, const Owner& owner,
                                               std::u16string_view what, LdfOutput& out) {
    std::vector<std::u16string_view> writable;
    writable.reserve(static_cast<std::size_t>(names.Count()));
    for (int i = 0; i < names.Count(); ++i) {
        const std::u16string_view name = names.Item(i).View();
        if (out.IsName(name)) {
            writable.push_back(name);
        } else {
            out.LeftOutValue(owner, what, name, u"the entry is left out.");
        }
    }
    return writable;
}

void WriteSignalLayout(const corvStringArray& names, const corvStringArray& offsets, const LdfComments& comments,
                       const Owner& owner, std::u16string_view indent, LdfOutput& out) {
    for (int s = 0; s < names.Count(); ++s) {
        const std::u16string_view name = names.Item(s).View();
        const std::u16string_view offset = s < offsets.Count() ? offsets.Item(s).View() : u"";
        if (!out.IsName(name) || !out.IsInteger(offset)) {
            out.LeftOut({owner.Text(), u": the signal entry '", name, u", ", offset,
                         u"' needs a signal name and a bit offset; it is left out."});
            continue;
        }
        out.Line(CommentRef::Entry(comments, u"signal"sv, name), indent, name, ", ", offset, ";");
    }
}

namespace {

// 'keyword = "text";' when the file gave the text (also an empty one), the user did, or
// the grammar wants it (the versions).
void WriteQuotedText(const corvdekLINDefinitionFile& document, std::u16string_view keyword,
                     const corvString& text, bool given, LdfOutput& out) {
    if (text.IsEmpty() && !given) return;
    if (out.IsText(text.View())) {
        out.Line(CommentRef(document.comments, keyword), keyword, " = \"", text.View(), "\";");
    } else {
        out.LeftOut({keyword, u" '", text.View(), u"': a quoted text cannot hold a quote."});
    }
}

}  // namespace

void WriteHeaderStatements(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    WriteQuotedText(document, u"LIN_protocol_version", document.protocolVersion, true, out);
    WriteQuotedText(document, u"LIN_language_version", document.languageVersion, true, out);
    if (document.speed.IsEmpty()) {
        out.LeftOut({u"LIN_speed: the cluster has no speed."});
    } else if (!out.IsReal(document.speed.View())) {
        out.LeftOutValue(u"LIN_speed", u"the speed", document.speed.View(), u"the statement is left out.");
    } else {
        out.Line(CommentRef(document.comments, u"LIN_speed"), "LIN_speed = ", document.speed.View(), " kbps;");
    }
    WriteQuotedText(document, u"Channel_name", document.channelName, document.channelNameGiven, out);
    WriteQuotedText(document, u"LDF_file_revision", document.fileRevision, document.fileRevisionGiven, out);
    if (!document.signalByteOrder.IsEmpty()) {
        out.Line(CommentRef(document.comments, u"LIN_sig_byte_order"),
                 "LIN_sig_byte_order_", document.signalByteOrder.View(), ";");
    }
}

namespace {

// The J2602 fields of the Master line (', 24 bits, 30 %'), when both are there and valid.
std::u16string MasterJ2602Fields(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const std::u16string_view headerLength = document.masterMaxHeaderLength.View();
    const std::u16string_view tolerance = document.masterResponseTolerance.View();
    if (headerLength.empty() && tolerance.empty()) return {};
    if (headerLength.empty() || tolerance.empty()) {
        out.LeftOut({u"Master: the J2602 header length ('", headerLength, u"') and response tolerance ('", tolerance,
                     u"') go together; the one given is left out."});
        return {};
    }
    if (!out.IsInteger(headerLength) || !out.IsReal(tolerance)) {
        out.LeftOut({u"Master: the J2602 header length ('", headerLength, u"') or response tolerance ('", tolerance,
                     u"') is no number; both are left out."});
        return {};
    }
    return u", " + std::u16string(headerLength) + u" bits, " + std::u16string(tolerance) + u" %";
}

// 'Master: name, time base ms, jitter ms' and the J2602 fields when both are there.
void WriteMasterLine(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const std::u16string_view name = document.master.name.View();
    const std::u16string_view timebase = document.masterTimebase.View();
    const std::u16string_view jitter = document.masterJitter.View();
    if (name.empty() && timebase.empty() && jitter.empty()) return;
    if (!out.IsName(name) || !out.IsReal(timebase) || !out.IsReal(jitter)) {
        out.LeftOut({u"Master '", name, u"' (time base '", timebase, u"', jitter '", jitter,
                     u"'): a master needs a name, a time base and a jitter; the Master line is left out."});
        return;
    }
    out.Line(CommentRef(document.comments, u"Master"), "  Master: ", name, ", ", timebase, " ms, ", jitter, " ms",
             MasterJ2602Fields(document, out), ";");
}

// Whether every value of a byte array is a number; names the first that is not.
bool ByteValuesAreWritable(const corvdekLINSignal& signal, LdfOutput& out) {
    for (int i = 0; i < signal.initValues.Count(); ++i) {
        if (out.IsInteger(signal.initValues.Item(i).View())) continue;
        out.LeftOutValue({u"Signal", signal.name}, u"the initial value", signal.initValues.Item(i).View(),
                         u"the signal is left out.");
        return false;
    }
    return true;
}

// A byte array's values in braces, exactly as many as its size gives; missing ones are
// written as 0, though never more than a LIN frame's 8 (a wild size asks for millions).
// One whose size gives no value still keeps one: the grammar has no empty value list.
void AppendByteArrayValues(const corvdekLINSignal& signal, LdfOutput& out) {
    const int byteCount = std::min(signal.size.ToInt() / 8, std::max(8, signal.initValues.Count()));
    if (byteCount != signal.initValues.Count() || byteCount < 1) {
        out.LeftOut({u"Signal ", signal.name.View(), u": a byte array of size ", signal.size.View(),
                     u" holds size / 8 initial values; the others are written as 0 or left out."});
    }
    out.Append("{ ");
    for (int i = 0; i < std::max(byteCount, 1); ++i) {
        if (i > 0) out.Append(", ");
        out.Append(i < signal.initValues.Count() ? signal.initValues.Item(i).View() : u"0");
    }
    out.Append("} ");
}

// Whether the signal's name, size, publisher and scalar initial value are valid; names
// what is not.
bool SignalHeadIsWritable(const corvdekLINSignal& signal, LdfOutput& out) {
    const struct {
        bool valid;
        std::u16string_view what;
        std::u16string_view value;
    } fields[] = {
        {out.IsName(signal.name.View()), u"the name", signal.name.View()},
        {out.IsInteger(signal.size.View()), u"the size", signal.size.View()},
        {signal.isByteArray || out.IsInteger(signal.initValue.View()), u"the initial value", signal.initValue.View()},
        {out.IsName(signal.publisher.View()), u"the publisher", signal.publisher.View()},
    };
    for (const auto& field : fields) {
        if (field.valid) continue;
        out.LeftOutValue({u"Signal", signal.name}, field.what, field.value, u"the signal is left out.");
        return false;
    }
    return true;
}

}  // namespace

void WriteNodesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Nodes");
    out.OpenBlock(section, "Nodes {");
    WriteMasterLine(document, out);
    corvStringArray slaveNames;
    for (int i = 0; i < document.nodes.GetCount(); ++i) slaveNames.Add(document.nodes.Get(i)->name);
    const std::vector<std::u16string_view> slaves = WritableNames(slaveNames, u"Slaves", u"the slave", out);
    if (!slaves.empty()) {
        out.Line(CommentRef(document.comments, u"Slaves"), "  Slaves: ", text_pieces::Joined{slaves, ", "}, ";");
    }
    out.CloseBlock(section, u"}");
}

void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Signals");
    out.OpenSection(section, u"Signals {");
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        if (!SignalHeadIsWritable(signal, out) || (signal.isByteArray && !ByteValuesAreWritable(signal, out))) {
            continue;
        }
        const CommentRef line(signal.comments);
        out.StartLine(line, "\t", signal.name.View(), ": ", signal.size.View(), ", ");
        if (signal.isByteArray) {
            AppendByteArrayValues(signal, out);
        } else {
            out.Append(signal.initValue.View());
        }
        out.Append(", ", signal.publisher.View());
        for (int r = 0; r < signal.subscribers.Count(); ++r) {
            const std::u16string_view receiver = signal.subscribers.Item(r).View();
            if (out.IsName(receiver)) {
                out.Append(", ", receiver);
            } else {
                out.LeftOutValue({u"Signal", signal.name}, u"the receiver", receiver, u"the entry is left out.");
            }
        }
        out.Append(";");
        out.EndLine(line, true);
    }
    out.CloseSection(section);
}

void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const CommentRef section(document.comments, u"Frames");
    out.OpenSection(section, u"Frames {");
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *document.frames.Get(i);
        const Owner owner(u"Frame"sv, frame.name);
        if (!out.IsName(frame.name.View()) || !out.IsInteger(frame.frameId.View()) ||
            !out.IsName(frame.publisher.View()) || !(frame.length.IsEmpty() || out.IsInteger(frame.length.View()))) {
            out.LeftOut({owner.Text(), u": the name, identifier '", frame.frameId.View(), u"', publisher '",
                         frame.publisher.View(), u"' or length '", frame.length.View(),
                         u"' is no valid LDF value; the frame is left out."});
            continue;
        }
        const CommentRef head(frame.comments);
        out.OpenBlock(head, "\t", frame.name.View(), ": ", frame.frameId.View(), ", ", frame.publisher.View(),
                      frame.length.IsEmpty() ? ""sv : ", "sv, frame.length.View(), " {");
        WriteSignalLayout(frame.signalNames, frame.signalOffsets, frame.comments, owner, u"\t\t", out);
        out.CloseBlock(head, u"}");
    }
    out.CloseSection(section);
}

std::string RenderLDF(const corvdekLINDefinitionFile& document, corvStringArray* leftOut,
                      LdfRendering rendering) {
    LdfOutput out(leftOut, rendering);
    out.Line(kWriterSignature);
    out.CommentLines(CommentRef(document.comments, u"file"), CommentPlace::kBefore, u"");
    out.Blank();
    out.Line(CommentRef(document.comments, u"LIN_description_file"), "LIN_description_file ;");
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
    out.CommentLines(CommentRef(document.comments, u"end"), CommentPlace::kBefore, u"");
    out.WriteUnplacedComments();
    return out.Take();
}

bool WriteLDF(corvdekLINDefinitionFile& document, const corvString& path, corvStringArray* leftOut,
              LdfRendering rendering) {
    switch (SaveFileSafely(path, RenderLDF(document, leftOut, rendering))) {
        case SafeSaveResult::kSaved: return true;
        case SafeSaveResult::kCannotCreate:
        case SafeSaveResult::kNotAFile: document.lastLoadError = u"Problem opening file."; break;
        case SafeSaveResult::kCannotWrite: document.lastLoadError = u"Problem writing file."; break;
    }
    return false;
}
