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

bool CommentRef::Matches(const LdfComment& comment) const {
    const std::u16string_view slot = comment.slot.View();
    if (!entry_) return slot == kind_;
    return slot.size() == kind_.size() + 1 + name_.size() && slot.starts_with(kind_) &&
           slot[kind_.size()] == u':' && slot.ends_with(name_);
}

namespace {

// The tabs and spaces a written line starts with.
std::u16string_view IndentOf(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find_first_not_of(u"\t ")));
}

}  // namespace

// A block comment over several lines keeps its lines; each ends as every written line does.
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
    for (const LdfComment& comment : ref.Entries()) {
        if (comment.place != place || !ref.Matches(comment)) continue;
        if (!pendingHeads_.empty()) WritePendingHead();
        lines_.Append(indent);
        WriteComment(comment);
        lines_.EndLine();
    }
}

void LdfOutput::StartLine(const CommentRef& ref, std::initializer_list<std::u16string_view> pieces) {
    if (!pendingHeads_.empty()) WritePendingHead();
    CommentLines(ref, CommentPlace::kBefore, pieces.size() == 0 ? u"" : IndentOf(*pieces.begin()));
    lines_.Append(pieces);
}

void LdfOutput::EndLine(const CommentRef& ref, bool withBlockEnd) {
    if (!ref.IsEmpty()) {
        for (const LdfComment& comment : ref.Entries()) {
            const bool trailing = comment.place == CommentPlace::kAfter ||
                                  (withBlockEnd && comment.place == CommentPlace::kEnd);
            if (!trailing || !ref.Matches(comment)) continue;
            lines_.Append({u" "});
            WriteComment(comment);
        }
    }
    lines_.EndLine();
}

void LdfOutput::CloseBlock(const CommentRef& ref, std::u16string_view closingLine) {
    const std::u16string inside = std::u16string(IndentOf(closingLine)) + u"\t";
    CommentLines(ref, CommentPlace::kEnd, inside);
    Line({closingLine});
}

void LdfOutput::WritePendingHead() {
    std::vector<PendingHead> heads;
    heads.swap(pendingHeads_);
    for (const PendingHead& head : heads) {
        if (head.comments) {
            CommentLines(*head.comments, CommentPlace::kBefore, IndentOf(head.head));
            lines_.Append(head.head);
            EndLine(*head.comments, false);
        } else {
            lines_.Line({head.head});
        }
    }
}

void LdfOutput::CloseSection(std::u16string_view tail) {
    if (pendingHeads_.empty()) {
        lines_.Line({tail});
    } else {
        pendingHeads_.pop_back();  // nothing was written inside: the block is left out
    }
}

void LdfOutput::CloseSection(const CommentRef& ref, std::u16string_view tail) {
    if (pendingHeads_.empty()) {
        CloseBlock(ref, tail);
    } else {
        pendingHeads_.pop_back();
    }
}

void LdfOutput::WriteUnplacedComments(const std::vector<const LdfComments*>& all) {
    for (const LdfComments* comments : all) {
        for (const LdfComment& comment : comments->Entries()) {
            if (written_.contains(&comment)) continue;
            WriteComment(comment);
            lines_.EndLine();
        }
    }
}

void WriteSignalLayout(const corvStringArray& names, const corvStringArray& offsets,
                       const LdfComments& comments, std::u16string_view indent, LdfOutput& out) {
    for (int s = 0; s < names.Count(); ++s) {
        const std::u16string_view name = names.Item(s).View();
        const std::u16string_view offset = s < offsets.Count() ? offsets.Item(s).View() : u"";
        out.Line(CommentRef::Entry(comments, u"signal", name), {indent, name, u", ", offset, u";"});
    }
}

namespace {

// 'keyword = "text";' when the file gave the text (also an empty one) or the user did.
void WriteOptionalText(const corvdekLINDefinitionFile& document, std::u16string_view keyword,
                       const corvString& text, bool given, LdfOutput& out) {
    if (text.IsEmpty() && !given) return;
    if (IsQuotable(text)) {
        out.Line(CommentRef(document.comments, keyword), {keyword, u" = \"", text.View(), u"\";"});
    } else {
        out.LeftOut({keyword, u" '", text.View(), u"': a quoted text cannot hold a quote."});
    }
}

}  // namespace

void WriteHeaderStatements(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    const LdfComments& comments = document.comments;
    out.Line(CommentRef(comments, u"LIN_protocol_version"),
             {u"LIN_protocol_version = \"", document.protocolVersion.View(), u"\";"});
    out.Line(CommentRef(comments, u"LIN_language_version"),
             {u"LIN_language_version = \"", document.languageVersion.View(), u"\";"});
    if (document.speed.IsEmpty()) {
        out.LeftOut({u"LIN_speed: the cluster has no speed."});
    } else {
        out.Line(CommentRef(comments, u"LIN_speed"), {u"LIN_speed = ", document.speed.View(), u" kbps;"});
    }
    WriteOptionalText(document, u"Channel_name", document.channelName, document.channelNameGiven, out);
    WriteOptionalText(document, u"LDF_file_revision", document.fileRevision, document.fileRevisionGiven, out);
    if (!document.signalByteOrder.IsEmpty()) {
        out.Line(CommentRef(comments, u"LIN_sig_byte_order"),
                 {u"LIN_sig_byte_order_", document.signalByteOrder.View(), u";"});
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
    out.Line(CommentRef(document.comments, u"Master"), {u"  Master: ", name, u", ", document.masterTimebase.View(),
                                                        u" ms, ", document.masterJitter.View(), u" ms", j2602, u";"});
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
    const CommentRef section(document.comments, u"Nodes");
    out.OpenBlock(section, {u"Nodes {"});
    WriteMasterLine(document, out);
    if (document.nodes.GetCount() > 0) {
        std::u16string slaves;
        for (int i = 0; i < document.nodes.GetCount(); ++i) {
            if (i > 0) slaves += u", ";
            slaves += document.nodes.Get(i)->name.View();
        }
        out.Line(CommentRef(document.comments, u"Slaves"), {u"  Slaves: ", slaves, u";"});
    }
    out.CloseBlock(section, u"}");
}

void WriteSignalsSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.signals.IsEmpty()) return;
    const CommentRef section(document.comments, u"Signals");
    out.OpenBlock(section, {u"Signals {"});
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        const CommentRef line(signal.comments);
        out.StartLine(line, {u"\t", signal.name.View(), u": ", signal.size.View(), u", "});
        if (signal.isByteArray) {
            AppendByteArrayValues(signal, out);
        } else {
            out.Append({signal.initValue.View()});
        }
        out.Append({u", ", signal.publisher.View()});
        for (int s = 0; s < signal.subscribers.Count(); ++s) out.Append({u", ", signal.subscribers.Item(s).View()});
        out.Append({u";"});
        out.EndLine(line, true);
    }
    out.CloseBlock(section, u"}");
}

void WriteFramesSection(const corvdekLINDefinitionFile& document, LdfOutput& out) {
    if (document.frames.IsEmpty()) return;
    const CommentRef section(document.comments, u"Frames");
    out.OpenBlock(section, {u"Frames {"});
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *document.frames.Get(i);
        const CommentRef head(frame.comments);
        out.OpenBlock(head, {u"\t", frame.name.View(), u": ", frame.frameId.View(), u", ", frame.publisher.View(),
                             frame.length.IsEmpty() ? u"" : u", ", frame.length.View(), u" {"});
        WriteSignalLayout(frame.signalNames, frame.signalOffsets, frame.comments, u"\t\t", out);
        out.CloseBlock(head, u"}");
    }
    out.CloseBlock(section, u"}");
}

std::string RenderLDF(const corvdekLINDefinitionFile& document, corvStringArray* leftOut) {
    LdfOutput out(leftOut);
    out.Line({kWriterSignature});
    out.CommentLines(CommentRef(document.comments, u"file"), CommentPlace::kBefore, u"");
    out.Blank();
    out.Line(CommentRef(document.comments, u"LIN_description_file"), {u"LIN_description_file ;"});
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
    out.WriteUnplacedComments(CommentSets(document));
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
