#include "ncf_writer.h"

#include "foundation/corv_file.h"
#include "ldf_writer/section_writers.h"
#include "model/ldf_tokens.h"

namespace {

using namespace std::string_view_literals;
using TokenCheck = bool (LdfOutput::*)(std::u16string_view) const;

// Writes the node capability language's statements of one file.
class NcfWriter {
public:
    NcfWriter(const NcfDocument& document, LdfOutput& out)
        : document_(document),
          out_(out),
          lin20_(IsLin20Language(document.languageVersion)) {}

    void Write() {
        out_.Line(kWriterSignature);
        out_.CommentLines(CommentRef(document_.comments, u"file"), CommentPlace::kBefore, u"");
        out_.Blank();
        out_.Line(CommentRef(document_.comments, u"node_capability_file"), "node_capability_file;");
        if (out_.IsText(document_.languageVersion.View())) {
            out_.Line(CommentRef(document_.comments, u"LIN_language_version"),
                      "LIN_language_version = \"", document_.languageVersion.View(), "\";");
        } else {
            out_.LeftOut({u"LIN_language_version '", document_.languageVersion.View(), u"': a quoted text cannot hold a quote."});
        }
        for (const NcfNode& node : document_.nodes) WriteNode(node);
        out_.CommentLines(CommentRef(document_.comments, u"end"), CommentPlace::kBefore, u"");
        out_.WriteUnplacedComments();
    }

private:
    void WriteNode(const NcfNode& node) {
        if (!out_.IsName(node.name.View())) {
            out_.LeftOut({u"Node '", node.name.View(), u"': its name is no valid NCF name; the node is left out."});
            return;
        }
        const std::vector<std::u16string_view> missing = MissingStatements(node, document_.languageVersion);
        if (!missing.empty()) {
            out_.LeftOut({u"Node '", node.name.View(), u"': it has no ", missing.front(),
                          u", which the language requires; the node is left out."});
            return;
        }
        const CommentRef head(node.comments, u"");
        out_.Blank();
        out_.OpenBlock(head, "node ", node.name.View(), " {");
        WriteGeneral(node);
        WriteDiagnostic(node);
        WriteFrames(node);
        WriteEncodings(node);
        WriteStatus(node);
        WriteFreeText(node);
        out_.CloseBlock(head, u"}");
    }

    // 'keyword = value unit;' when the value is given; one that is no token of its kind is
    // named and left out.
    void Statement(const LdfComments& comments, std::u16string_view indent, std::u16string_view owner,
                   std::u16string_view keyword, const corvString& value, TokenCheck valid, std::u16string_view unit = {}) {
        if (value.IsEmpty()) return;
        if (!(out_.*valid)(value.View())) {
            out_.LeftOut({owner, u": ", keyword, u" '", value.View(), u"' is no valid NCF value; it is left out."});
            return;
        }
        out_.Line(CommentRef(comments, keyword),
                  indent, keyword, " = ", value.View(), unit.empty() ? ""sv : " "sv, unit, ";");
    }
    void Quoted(const LdfComments& comments, std::u16string_view indent, std::u16string_view owner,
                std::u16string_view keyword, const corvString& value, bool given) {
        if (value.IsEmpty() && !given) return;
        if (!out_.IsText(value.View())) {
            out_.LeftOut({owner, u": ", keyword, u" '", value.View(), u"': a quoted text cannot hold a quote."});
            return;
        }
        out_.Line(CommentRef(comments, keyword), indent, keyword, " = \"", value.View(), "\";");
    }
    // A statement of another language version than the file's is left out.
    bool InVersion(bool lin20Only, bool given, std::u16string_view owner, std::u16string_view keyword) {
        if (!given || lin20Only == lin20_) return given;
        out_.LeftOut({owner, u": ", keyword, lin20Only ? u" is LIN 2.0's only" : u" is no LIN 2.0 statement",
                      u"; it is left out."});
        return false;
    }
    // The entries of a list, joined by ", ", when every one is valid; else none.
    bool JoinedList(const corvStringArray& values, TokenCheck valid, std::u16string& joined) {
        for (int i = 0; i < values.Count(); ++i) {
            if (!(out_.*valid)(values.Item(i).View())) return false;
            if (i > 0) joined += u", ";
            joined += values.Item(i).View();
        }
        return values.Count() > 0;
    }

    void WriteGeneral(const NcfNode& node) {
        const std::u16string owner = u"Node '" + std::u16string(node.name.View()) + u"'";
        const LdfComments& comments = node.comments;
        const CommentRef head(comments, u"general");
        out_.OpenBlock(head, "\tgeneral {");
        Quoted(comments, u"\t\t", owner, u"LIN_protocol_version", node.protocolVersion, false);
        Statement(comments, u"\t\t", owner, u"supplier", node.supplier, &LdfOutput::IsInteger);
        Statement(comments, u"\t\t", owner, u"function", node.function, &LdfOutput::IsInteger);
        Statement(comments, u"\t\t", owner, u"variant", node.variant, &LdfOutput::IsInteger);
        WriteBitrate(node, owner);
        if (InVersion(false, !node.sendsWakeUpSignal.IsEmpty(), owner, u"sends_wake_up_signal")) {
            if (node.sendsWakeUpSignal.Equals(u"yes") || node.sendsWakeUpSignal.Equals(u"no")) {
                out_.Line(CommentRef(comments, u"sends_wake_up_signal"),
                          "\t\tsends_wake_up_signal = \"", node.sendsWakeUpSignal.View(), "\";");
            } else {
                out_.LeftOut({owner, u": sends_wake_up_signal is \"yes\" or \"no\"; it is left out."});
            }
        }
        for (const auto& [keyword, low, high] : {std::tuple{u"volt_range", &node.voltMin, &node.voltMax},
                                                 std::tuple{u"temp_range", &node.tempMin, &node.tempMax}}) {
            if (!InVersion(true, !low->IsEmpty() || !high->IsEmpty(), owner, keyword)) continue;
            if (!out_.IsReal(low->View()) || !out_.IsReal(high->View())) {
                out_.LeftOut({owner, u": ", keyword, u" needs two numbers; it is left out."});
                continue;
            }
            out_.Line(CommentRef(comments, keyword), "\t\t", keyword, " = ", low->View(), ", ", high->View(), ";");
        }
        if (InVersion(true, node.conformanceGiven || !node.conformance.IsEmpty(), owner, u"conformance")) {
            Quoted(comments, u"\t\t", owner, u"conformance", node.conformance, true);
        }
        out_.CloseBlock(head, u"\t}");
    }

    void WriteBitrate(const NcfNode& node, std::u16string_view owner) {
        const NcfBitrate& bitrate = node.bitrate;
        std::u16string text;
        bool valid = true;
        switch (bitrate.kind) {
            case NcfBitrate::Kind::kNotGiven: return;
            case NcfBitrate::Kind::kAutomatic:
                text = u"automatic";
                for (const auto& [bound, value] : {std::pair{u" min ", &bitrate.min}, std::pair{u" max ", &bitrate.max}}) {
                    if (value->IsEmpty()) continue;
                    valid = valid && out_.IsReal(value->View());
                    text.append(bound).append(value->View()).append(u" kbps");
                }
                break;
            case NcfBitrate::Kind::kSelect:
                text = u"select {";
                for (int i = 0; i < bitrate.rates.Count(); ++i) {
                    valid = valid && out_.IsReal(bitrate.rates.Item(i).View());
                    text.append(i > 0 ? u", " : u" ").append(bitrate.rates.Item(i).View()).append(u" kbps");
                }
                valid = valid && bitrate.rates.Count() > 0;
                text += u" }";
                break;
            case NcfBitrate::Kind::kFixed:
                valid = bitrate.rates.Count() == 1 && out_.IsReal(bitrate.rates.Item(0).View());
                if (valid) text = std::u16string(bitrate.rates.Item(0).View()) + u" kbps";
                break;
        }
        if (!valid) {
            out_.LeftOut({owner, u": its bit rate holds a value that is no number; it is left out."});
            return;
        }
        out_.Line(CommentRef(node.comments, u"bitrate"), "\t\tbitrate = ", text, ";");
    }

    void WriteDiagnostic(const NcfNode& node) {
        const std::u16string owner = u"Node '" + std::u16string(node.name.View()) + u"'";
        const LdfComments& comments = node.comments;
        const CommentRef head(comments, u"diagnostic");
        out_.OpenBlock(head, "\tdiagnostic {");
        std::u16string nads;
        const bool written = node.nadRange ? node.nads.Count() == 2 && JoinedList(node.nads, &LdfOutput::IsInteger, nads)
                                           : JoinedList(node.nads, &LdfOutput::IsInteger, nads);
        if (written) {
            // A range is its two ends.
            if (node.nadRange) nads.replace(nads.find(u", "), 2, u" to ");
            out_.Line(CommentRef(comments, u"NAD"), "\t\tNAD = ", nads, ";");
        } else if (node.nads.Count() > 0) {
            out_.LeftOut({owner, u": its NADs are no list or range of numbers; they are left out."});
        }
        if (InVersion(false, !node.diagnosticClass.IsEmpty(), owner, u"diagnostic_class")) {
            Statement(comments, u"\t\t", owner, u"diagnostic_class", node.diagnosticClass, &LdfOutput::IsInteger);
        }
        Statement(comments, u"\t\t", owner, u"P2_min", node.p2Min, &LdfOutput::IsReal, u"ms");
        Statement(comments, u"\t\t", owner, u"ST_min", node.stMin, &LdfOutput::IsReal, u"ms");
        for (const auto& [keyword, value] : {std::pair{u"N_As_timeout", &node.nAsTimeout}, std::pair{u"N_Cr_timeout", &node.nCrTimeout}}) {
            if (InVersion(false, !value->IsEmpty(), owner, keyword)) {
                Statement(comments, u"\t\t", owner, keyword, *value, &LdfOutput::IsReal, u"ms");
            }
        }
        std::u16string sids;
        if (node.supportSidGiven && JoinedList(node.supportSids, &LdfOutput::IsInteger, sids)) {
            out_.Line(CommentRef(comments, u"support_sid"), "\t\tsupport_sid { ", sids, " };");
        } else if (node.supportSidGiven) {
            out_.LeftOut({owner, u": support_sid needs service identifiers; it is left out."});
        }
        Statement(comments, u"\t\t", owner, u"max_message_length", node.maxMessageLength, &LdfOutput::IsInteger);
        out_.CloseBlock(head, u"\t}");
    }

    void WriteFrames(const NcfNode& node) {
        const CommentRef head(node.comments, u"frames");
        out_.OpenBlock(head, "\tframes {");
        for (const NcfFrame& frame : node.frames) WriteFrame(frame);
        out_.CloseBlock(head, u"\t}");
    }

    void WriteFrame(const NcfFrame& frame) {
        const std::u16string owner = u"Frame '" + std::u16string(frame.name.View()) + u"'";
        if (!out_.IsName(frame.name.View()) || !out_.IsInteger(frame.length.View())) {
            out_.LeftOut({owner, u": it needs a name and a length that are valid NCF values; the frame is left out."});
            return;
        }
        const LdfComments& comments = frame.comments;
        const CommentRef head(comments, u"");
        out_.OpenBlock(head, "\t\t", frame.publishes ? "publish "sv : "subscribe "sv, frame.name.View(), " {");
        if (InVersion(true, !frame.messageId.IsEmpty(), owner, u"message_ID")) {
            Statement(comments, u"\t\t\t", owner, u"message_ID", frame.messageId, &LdfOutput::IsInteger);
        }
        Statement(comments, u"\t\t\t", owner, u"length", frame.length, &LdfOutput::IsInteger);
        Statement(comments, u"\t\t\t", owner, u"min_period", frame.minPeriod, &LdfOutput::IsInteger, u"ms");
        Statement(comments, u"\t\t\t", owner, u"max_period", frame.maxPeriod, &LdfOutput::IsInteger, u"ms");
        Statement(comments, u"\t\t\t", owner, u"event_triggered_frame", frame.eventTriggeredFrame, &LdfOutput::IsName);
        if (frame.signalsGiven || !frame.signals.empty()) {
            const CommentRef signals(comments, u"signals");
            out_.OpenBlock(signals, "\t\t\tsignals {");
            for (const NcfSignal& signal : frame.signals) WriteSignal(signal);
            out_.CloseBlock(signals, u"\t\t\t}");
        }
        out_.CloseBlock(head, u"\t\t}");
    }

    void WriteSignal(const NcfSignal& signal) {
        const std::u16string owner = u"Signal '" + std::u16string(signal.name.View()) + u"'";
        std::u16string init;
        const bool initValid = signal.isByteArray ? JoinedList(signal.initValues, &LdfOutput::IsInteger, init)
                                                  : out_.IsInteger(signal.initValue.View());
        if (!out_.IsName(signal.name.View()) || !initValid || !out_.IsInteger(signal.size.View()) ||
            !out_.IsInteger(signal.offset.View())) {
            out_.LeftOut({owner, u": it needs a name, an initial value, a size and an offset that are valid NCF "
                                 u"values; it is left out."});
            return;
        }
        const LdfComments& comments = signal.comments;
        const CommentRef head(comments, u"");
        out_.OpenBlock(head, "\t\t\t\t", signal.name.View(), " {");
        if (signal.isByteArray) {
            out_.Line(CommentRef(comments, u"init_value"), "\t\t\t\t\tinit_value = { ", init, " };");
        } else {
            Statement(comments, u"\t\t\t\t\t", owner, u"init_value", signal.initValue, &LdfOutput::IsInteger);
        }
        Statement(comments, u"\t\t\t\t\t", owner, u"size", signal.size, &LdfOutput::IsInteger);
        Statement(comments, u"\t\t\t\t\t", owner, u"offset", signal.offset, &LdfOutput::IsInteger);
        if (out_.IsName(signal.encoding.View())) {
            out_.Line(CommentRef(comments, u"encoding"), "\t\t\t\t\t", signal.encoding.View(), ";");
        } else if (!signal.encoding.IsEmpty()) {
            out_.LeftOut({owner, u": its encoding '", signal.encoding.View(), u"' is no valid NCF name; it is left out."});
        }
        out_.CloseBlock(head, u"\t\t\t\t}");
    }

    void WriteEncodings(const NcfNode& node) {
        if (node.encodings.empty()) return;
        const CommentRef head(node.comments, u"encoding");
        out_.OpenBlock(head, "\tencoding {");
        for (const NcfEncoding& encoding : node.encodings) {
            if (!out_.IsName(encoding.name.View())) {
                out_.LeftOut({u"Encoding '", encoding.name.View(), u"': its name is no valid NCF name; it is left out."});
                continue;
            }
            const CommentRef line(encoding.comments, u"");
            out_.OpenBlock(line, "\t\t", encoding.name.View(), " {");
            for (const corvdekLINSignalEncodingTypeItem& part : encoding.parts) {
                WriteEncodingPart(encoding.name.View(), part, u"\t\t\t", out_);
            }
            out_.CloseBlock(line, u"\t\t}");
        }
        out_.CloseBlock(head, u"\t}");
    }

    void WriteStatus(const NcfNode& node) {
        const std::u16string owner = u"Node '" + std::u16string(node.name.View()) + u"'";
        const CommentRef head(node.comments, u"status_management");
        out_.OpenBlock(head, "\tstatus_management {");
        Statement(node.comments, u"\t\t", owner, u"response_error", node.responseError, &LdfOutput::IsName);
        std::u16string names;
        if (InVersion(false, node.faultStateSignalsGiven, owner, u"fault_state_signals")) {
            if (JoinedList(node.faultStateSignals, &LdfOutput::IsName, names)) {
                out_.Line(CommentRef(node.comments, u"fault_state_signals"), "\t\tfault_state_signals = ", names, ";");
            } else {
                out_.LeftOut({owner, u": fault_state_signals needs signal names; it is left out."});
            }
        }
        out_.CloseBlock(head, u"\t}");
    }

    void WriteFreeText(const NcfNode& node) {
        if (!node.freeTextGiven) return;
        if (!out_.IsText(node.freeText.View())) {
            out_.LeftOut({u"Node '", node.name.View(), u"': its free text holds a quote; it is left out."});
            return;
        }
        out_.Line(CommentRef(node.comments, u"free_text"), "\tfree_text { \"", node.freeText.View(), "\" }");
    }

    const NcfDocument& document_;
    LdfOutput& out_;
    bool lin20_;
};

}  // namespace

std::string RenderNCF(const NcfDocument& document, corvStringArray* leftOut) {
    LdfOutput out(leftOut);
    NcfWriter(document, out).Write();
    return out.Take();
}

bool WriteNCF(NcfDocument& document, const corvString& path, corvStringArray* leftOut) {
    switch (SaveFileSafely(path, RenderNCF(document, leftOut))) {
        case SafeSaveResult::kSaved: return true;
        case SafeSaveResult::kCannotCreate:
        case SafeSaveResult::kNotAFile: document.lastLoadError = u"Problem opening file."; break;
        case SafeSaveResult::kCannotWrite: document.lastLoadError = u"Problem writing file."; break;
    }
    return false;
}
