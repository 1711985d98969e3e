// Reads a node capability file into an NcfDocument: every statement of the language in any
// order, each problem an issue with the place of its statement, the rest read on.

#include <functional>
#include <optional>
#include <initializer_list>
#include <set>
#include <string>

#include "foundation/corv_file.h"
#include "model/ldf_tokens.h"
#include "ncf_document.h"
#include "ncf_syntax.h"

namespace {

using ncf_syntax::Comment;
using ncf_syntax::Element;
using ncf_syntax::Token;
using Tokens = std::vector<Token>;

corvString Text(std::u16string_view text) { return corvString(text); }

// A comment as it is kept; a block comment the file never closed (an issue says so) is
// closed, so that what follows it in a written file is no longer part of it.
corvString CommentText(const Comment& comment) {
    corvString text(comment.text);
    if (comment.text.starts_with(u"/*") && (comment.text.size() < 4 || !comment.text.ends_with(u"*/"))) {
        text.Append(u" */");
    }
    return text;
}

// The values of a statement, split at its commas.
std::vector<Tokens> SplitAtCommas(const Tokens& tokens) {
    std::vector<Tokens> values(1);
    for (const Token& token : tokens) {
        if (token.Is(u',')) {
            values.emplace_back();
        } else {
            values.back().push_back(token);
        }
    }
    return values;
}

bool IsWordOf(const Tokens& value, bool (*valid)(std::u16string_view)) {
    return value.size() == 1 && value[0].kind == Token::Kind::kWord && valid(value[0].text);
}

// The entries of a comma-separated list, each one token that `valid` accepts; none when an
// entry is no such token or the list is empty.
std::optional<corvStringArray> ListOf(const Tokens& tokens, bool (*valid)(std::u16string_view)) {
    corvStringArray list;
    for (const Tokens& entry : SplitAtCommas(tokens)) {
        if (!IsWordOf(entry, valid)) return std::nullopt;
        list.Add(corvString(entry[0].text));
    }
    return list;
}

// The list in the braces of a block: '{ 0xB0, 0xB2 }', the block's one statement, without ';'.
std::optional<corvStringArray> BracedListOf(const Element& element, bool (*valid)(std::u16string_view)) {
    if (element.block.size() != 1 || element.block[0].hasBlock || element.block[0].terminated) return std::nullopt;
    return ListOf(element.block[0].head, valid);
}

// A number followed by its unit: '19.2 kbps', '50 ms'.
bool IsQuantity(const Tokens& value, std::u16string_view unit, bool (*valid)(std::u16string_view)) {
    return value.size() == 2 && value[0].kind == Token::Kind::kWord && valid(value[0].text) && value[1].IsWord(unit);
}

void Keep(LdfComments& comments, std::u16string_view slot, const Element& element) {
    const auto add = [&](const std::vector<Comment>& list, CommentPlace place) {
        for (const Comment& comment : list) comments.Add(slot, place, CommentText(comment));
    };
    add(element.before, CommentPlace::kBefore);
    add(element.after, CommentPlace::kAfter);
    add(element.end, CommentPlace::kEnd);
}

class NcfReader {
public:
    explicit NcfReader(NcfDocument& document) : document_(document) {}

    // False when the text holds no NCF statement at all.
    bool Read(const ncf_syntax::Syntax& syntax) {
        for (const ncf_syntax::Problem& problem : syntax.problems) {
            Report(problem.place, "NCF syntax error.", problem.text, true);
        }
        bool knowsNcf = false;
        for (const Element& element : syntax.elements) knowsNcf = ReadTopLevel(element) || knowsNcf;
        for (const Comment& comment : syntax.trailing) document_.comments.Add(u"end", CommentPlace::kBefore, CommentText(comment));
        return knowsNcf || !syntax.hasContent;
    }

private:
    void Report(SourcePlace place, const char* type, std::u16string_view details, bool error = false) {
        NcfIssue issue;
        issue.error = error;
        issue.type.AssignAnsi(type);
        issue.details = Text(details);
        issue.place = place;
        document_.issues.push_back(std::move(issue));
    }
    // The statement as an issue quotes it: its words, a long one cut short.
    static std::u16string Quoted(const Element& element) {
        constexpr std::size_t kLongest = 80;
        std::u16string text = element.HeadText();
        if (text.size() > kLongest) text = text.substr(0, kLongest) + u"...";
        return u"'" + text + u"'";
    }
    void NotSupported(const Element& element, std::u16string_view where) {
        Report(element.place, "NCF statement not supported.",
               Quoted(element) + u" is no statement of " + std::u16string(where) + u"; it is left out.");
    }
    void Invalid(const Element& element, std::u16string_view what) {
        Report(element.place, "NCF statement invalid.", Quoted(element) + u": " + std::u16string(what) + u"; it is left out.");
    }

    // Whether the element is 'keyword = values' (values may be empty), and its values.
    static bool Assignment(const Element& element, Tokens& values) {
        if (element.head.size() < 2 || !element.head[1].Is(u'=')) return false;
        values.assign(element.head.begin() + 2, element.head.end());
        return true;
    }
    static std::u16string_view Keyword(const Element& element) {
        return !element.head.empty() && element.head[0].kind == Token::Kind::kWord ? element.head[0].text
                                                                                    : std::u16string_view();
    }

    bool ReadTopLevel(const Element& element) {
        const std::u16string_view keyword = Keyword(element);
        if (keyword == u"node_capability_file" && element.head.size() == 1 && !element.hasBlock) {
            Keep(document_.comments, u"node_capability_file", element);
            return true;
        }
        Tokens values;
        if (keyword == u"LIN_language_version" && Assignment(element, values)) {
            if (values.size() != 1 || values[0].kind != Token::Kind::kText) {
                Invalid(element, u"the version is a quoted text");
                return false;
            }
            document_.languageVersion = Text(values[0].text);
            Keep(document_.comments, u"LIN_language_version", element);
            return false;  // an LDF file states it too
        }
        if (keyword == u"node" && element.head.size() == 2 && element.hasBlock) {
            ReadNode(element);
            return true;
        }
        NotSupported(element, u"the file");
        return false;
    }

    // The statements of a block, each read by the reader its keyword names; a keyword given
    // twice keeps the later statement.
    using StatementReader = std::function<bool(const Element&)>;
    void ReadBlock(const Element& block, std::u16string_view where,
                   std::initializer_list<std::pair<std::u16string_view, StatementReader>> readers,
                   const StatementReader& otherwise = {}) {
        std::set<std::u16string_view> seen;
        for (const Element& element : block.block) {
            const std::u16string_view keyword = Keyword(element);
            bool read = false;
            for (const auto& [name, reader] : readers) {
                if (name != keyword) continue;
                if (!seen.insert(keyword).second) {
                    Report(element.place, "NCF statement repeated.",
                           std::u16string(keyword) + u" is given twice in " + std::u16string(where) +
                               u"; the later one is kept.");
                }
                read = reader(element);
                break;
            }
            if (!read && !(otherwise && otherwise(element))) NotSupported(element, where);
        }
    }

    // A statement 'keyword = value;' of one token that `valid` accepts, with its unit.
    StatementReader Value(corvString& into, bool (*valid)(std::u16string_view), std::u16string_view unit,
                          LdfComments& comments) {
        return [this, &into, valid, unit, &comments](const Element& element) {
            Tokens values;
            if (!Assignment(element, values) || element.hasBlock) return false;
            const bool ok = unit.empty() ? IsWordOf(values, valid) : IsQuantity(values, unit, valid);
            if (!ok) {
                Invalid(element, unit.empty() ? u"it needs one value" : u"it needs a value in " + std::u16string(unit));
                return true;
            }
            into = Text(values[0].text);
            Keep(comments, Keyword(element), element);
            return true;
        };
    }
    // A statement 'keyword = "text";'.
    StatementReader QuotedText(corvString& into, bool* given, LdfComments& comments) {
        return [this, &into, given, &comments](const Element& element) {
            Tokens values;
            if (!Assignment(element, values) || element.hasBlock) return false;
            if (values.size() != 1 || values[0].kind != Token::Kind::kText) {
                Invalid(element, u"it needs a quoted text");
                return true;
            }
            into = Text(values[0].text);
            if (given != nullptr) *given = true;
            Keep(comments, Keyword(element), element);
            return true;
        };
    }
    // 'keyword = low, high;' of two reals.
    StatementReader Range(corvString& low, corvString& high, LdfComments& comments) {
        return [this, &low, &high, &comments](const Element& element) {
            Tokens values;
            if (!Assignment(element, values) || element.hasBlock) return false;
            const std::vector<Tokens> parts = SplitAtCommas(values);
            if (parts.size() != 2 || !IsWordOf(parts[0], IsLdfReal) || !IsWordOf(parts[1], IsLdfReal)) {
                Invalid(element, u"it needs two numbers");
                return true;
            }
            low = Text(parts[0][0].text);
            high = Text(parts[1][0].text);
            Keep(comments, Keyword(element), element);
            return true;
        };
    }

    void ReadNode(const Element& element) {
        NcfNode& node = document_.nodes.emplace_back();
        node.name = Text(element.head[1].text);
        Keep(node.comments, u"", element);
        std::set<std::u16string_view> blocks;
        ReadBlock(element, u"node '" + std::u16string(node.name.View()) + u"'",
                  {{u"general", [&](const Element& block) { return ReadGeneral(block, node); }},
                   {u"diagnostic", [&](const Element& block) { return ReadDiagnostic(block, node); }},
                   {u"frames", [&](const Element& block) { return ReadFrames(block, node); }},
                   {u"encoding", [&](const Element& block) { return ReadEncodings(block, node); }},
                   {u"status_management", [&](const Element& block) { return ReadStatus(block, node); }},
                   {u"free_text", [&](const Element& block) { return ReadFreeText(block, node); }}});
        CheckRequired(element, node);
    }

    static bool IsBlockNamed(const Element& element) { return element.head.size() == 1 && element.hasBlock; }

    bool ReadGeneral(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        Keep(node.comments, u"general", block);
        LdfComments& comments = node.comments;
        ReadBlock(block, u"general",
                  {{u"LIN_protocol_version", QuotedText(node.protocolVersion, nullptr, comments)},
                   {u"supplier", Value(node.supplier, IsLdfInteger, u"", comments)},
                   {u"function", Value(node.function, IsLdfInteger, u"", comments)},
                   {u"variant", Value(node.variant, IsLdfInteger, u"", comments)},
                   {u"bitrate", [&](const Element& element) { return ReadBitrate(element, node); }},
                   {u"sends_wake_up_signal", [&](const Element& element) { return ReadWakeUp(element, node); }},
                   {u"volt_range", Range(node.voltMin, node.voltMax, comments)},
                   {u"temp_range", Range(node.tempMin, node.tempMax, comments)},
                   {u"conformance", QuotedText(node.conformance, &node.conformanceGiven, comments)}});
        return true;
    }

    bool ReadWakeUp(const Element& element, NcfNode& node) {
        Tokens values;
        if (!Assignment(element, values) || element.hasBlock) return false;
        if (values.size() != 1 || values[0].kind != Token::Kind::kText ||
            (values[0].text != u"yes" && values[0].text != u"no")) {
            Invalid(element, u"it needs \"yes\" or \"no\"");
            return true;
        }
        node.sendsWakeUpSignal = Text(values[0].text);
        Keep(node.comments, u"sends_wake_up_signal", element);
        return true;
    }

    // 'bitrate = automatic [min R kbps] [max R kbps];', 'bitrate = select { R kbps, ... };'
    // or 'bitrate = R kbps;'.
    bool ReadBitrate(const Element& element, NcfNode& node) {
        Tokens values;
        if (!Assignment(element, values)) return false;
        NcfBitrate bitrate;
        bool ok = false;
        if (values.size() == 1 && values[0].IsWord(u"select") && element.hasBlock) {
            bitrate.kind = NcfBitrate::Kind::kSelect;
            ok = element.block.size() == 1 && !element.block[0].hasBlock;
            for (const Tokens& rate : ok ? SplitAtCommas(element.block[0].head) : std::vector<Tokens>{}) {
                ok = ok && IsQuantity(rate, u"kbps", IsLdfReal);
                if (ok) bitrate.rates.Add(Text(rate[0].text));
            }
        } else if (!values.empty() && values[0].IsWord(u"automatic") && !element.hasBlock) {
            bitrate.kind = NcfBitrate::Kind::kAutomatic;
            ok = true;
            std::size_t at = 1;
            for (const auto& [bound, into] : {std::pair{u"min", &bitrate.min}, std::pair{u"max", &bitrate.max}}) {
                if (at < values.size() && values[at].IsWord(bound)) {
                    const Tokens quantity(values.begin() + static_cast<std::ptrdiff_t>(std::min(at + 1, values.size())),
                                          values.begin() + static_cast<std::ptrdiff_t>(std::min(at + 3, values.size())));
                    ok = ok && IsQuantity(quantity, u"kbps", IsLdfReal);
                    if (ok) *into = Text(quantity[0].text);
                    at += 3;
                }
            }
            ok = ok && at >= values.size();
        } else if (!element.hasBlock && IsQuantity(values, u"kbps", IsLdfReal)) {
            bitrate.kind = NcfBitrate::Kind::kFixed;
            bitrate.rates.Add(Text(values[0].text));
            ok = true;
        }
        if (!ok || (bitrate.kind == NcfBitrate::Kind::kSelect && bitrate.rates.Count() == 0)) {
            Invalid(element, u"a bit rate is 'automatic [min R kbps] [max R kbps]', 'select { R kbps, ... }' or "
                             u"'R kbps'");
            return true;
        }
        node.bitrate = std::move(bitrate);
        Keep(node.comments, u"bitrate", element);
        return true;
    }

    bool ReadDiagnostic(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        Keep(node.comments, u"diagnostic", block);
        LdfComments& comments = node.comments;
        ReadBlock(block, u"diagnostic",
                  {{u"NAD", [&](const Element& element) { return ReadNads(element, node); }},
                   {u"diagnostic_class", Value(node.diagnosticClass, IsLdfInteger, u"", comments)},
                   {u"P2_min", Value(node.p2Min, IsLdfReal, u"ms", comments)},
                   {u"ST_min", Value(node.stMin, IsLdfReal, u"ms", comments)},
                   {u"N_As_timeout", Value(node.nAsTimeout, IsLdfReal, u"ms", comments)},
                   {u"N_Cr_timeout", Value(node.nCrTimeout, IsLdfReal, u"ms", comments)},
                   {u"support_sid", [&](const Element& element) { return ReadSupportSids(element, node); }},
                   {u"max_message_length", Value(node.maxMessageLength, IsLdfInteger, u"", comments)}});
        if (!node.diagnosticClass.IsEmpty() && !InRange(node.diagnosticClass, 1, 3)) {
            Report(block.place, "NCF value out of range.",
                   u"Node '" + std::u16string(node.name.View()) + u"': diagnostic_class " +
                       std::u16string(node.diagnosticClass.View()) + u" is none of the classes 1, 2 and 3.");
        }
        return true;
    }

    static bool InRange(const corvString& text, unsigned low, unsigned high) {
        corvString number = text;
        const unsigned value = number.ToUIntAutoHex();
        return IsLdfInteger(text.View()) && value >= low && value <= high;
    }

    // 'NAD = n {, n};' or 'NAD = n to n;'.
    bool ReadNads(const Element& element, NcfNode& node) {
        Tokens values;
        if (!Assignment(element, values) || element.hasBlock) return false;
        // A range is read as the list of its two ends.
        const bool range = values.size() == 3 && values[1].IsWord(u"to");
        Tokens ends = values;
        if (range) ends[1] = Token{Token::Kind::kPunctuation, u",", values[1].place};
        const std::optional<corvStringArray> nads = ListOf(ends, IsLdfInteger);
        if (!nads) {
            Invalid(element, u"NADs are a list of numbers or 'n to n'");
            return true;
        }
        node.nads = *nads;
        node.nadRange = range;
        Keep(node.comments, u"NAD", element);
        return true;
    }

    // 'support_sid { n, n };'
    bool ReadSupportSids(const Element& element, NcfNode& node) {
        if (element.head.size() != 1 || !element.hasBlock) return false;
        const std::optional<corvStringArray> sids = BracedListOf(element, IsLdfInteger);
        if (!sids) {
            Invalid(element, u"it needs a list of service identifiers in braces");
            return true;
        }
        node.supportSidGiven = true;
        node.supportSids = *sids;
        Keep(node.comments, u"support_sid", element);
        return true;
    }

    bool ReadFrames(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        Keep(node.comments, u"frames", block);
        for (const Element& element : block.block) {
            const std::u16string_view keyword = Keyword(element);
            if ((keyword == u"publish" || keyword == u"subscribe") && element.head.size() == 2 && element.hasBlock &&
                element.head[1].kind == Token::Kind::kWord) {
                ReadFrame(element, keyword == u"publish", node);
            } else {
                NotSupported(element, u"frames");
            }
        }
        return true;
    }

    void ReadFrame(const Element& element, bool publishes, NcfNode& node) {
        NcfFrame& frame = node.frames.emplace_back();
        frame.publishes = publishes;
        frame.name = Text(element.head[1].text);
        Keep(frame.comments, u"", element);
        LdfComments& comments = frame.comments;
        ReadBlock(element, u"frame '" + std::u16string(frame.name.View()) + u"'",
                  {{u"message_ID", Value(frame.messageId, IsLdfInteger, u"", comments)},
                   {u"length", Value(frame.length, IsLdfInteger, u"", comments)},
                   {u"min_period", Value(frame.minPeriod, IsLdfInteger, u"ms", comments)},
                   {u"max_period", Value(frame.maxPeriod, IsLdfInteger, u"ms", comments)},
                   {u"event_triggered_frame", Value(frame.eventTriggeredFrame, IsLdfName, u"", comments)},
                   {u"signals", [&](const Element& signals) { return ReadSignals(signals, frame); }}});
        const std::u16string owner = u"Frame '" + std::u16string(frame.name.View()) + u"'";
        if (frame.length.IsEmpty()) {
            Report(element.place, "NCF statement missing.", owner + u" has no length.");
        } else if (!InRange(frame.length, 1, 8)) {
            Report(element.place, "NCF value out of range.",
                   owner + u": a length of " + std::u16string(frame.length.View()) + u" bytes is none of 1 to 8.");
        }
        if (!frame.signalsGiven) Report(element.place, "NCF statement missing.", owner + u" has no signals block.");
    }

    bool ReadSignals(const Element& block, NcfFrame& frame) {
        if (!IsBlockNamed(block)) return false;
        frame.signalsGiven = true;
        Keep(frame.comments, u"signals", block);
        for (const Element& element : block.block) {
            if (element.head.size() == 1 && element.head[0].kind == Token::Kind::kWord && element.hasBlock) {
                ReadSignal(element, frame);
            } else {
                NotSupported(element, u"signals");
            }
        }
        return true;
    }

    void ReadSignal(const Element& element, NcfFrame& frame) {
        NcfSignal& signal = frame.signals.emplace_back();
        signal.name = Text(element.head[0].text);
        Keep(signal.comments, u"", element);
        LdfComments& comments = signal.comments;
        ReadBlock(element, u"signal '" + std::u16string(signal.name.View()) + u"'",
                  {{u"init_value", [&](const Element& value) { return ReadInitValue(value, signal); }},
                   {u"size", Value(signal.size, IsLdfInteger, u"", comments)},
                   {u"offset", Value(signal.offset, IsLdfInteger, u"", comments)}},
                  // The name of its encoding stands alone.
                  [&](const Element& encoding) {
                      if (encoding.head.size() != 1 || encoding.hasBlock || !IsLdfName(Keyword(encoding))) return false;
                      signal.encoding = Text(Keyword(encoding));
                      Keep(comments, u"encoding", encoding);
                      return true;
                  });
        for (const auto& [value, keyword] : {std::pair{&signal.size, u"size"}, std::pair{&signal.offset, u"offset"}}) {
            if (value->IsEmpty()) {
                Report(element.place, "NCF statement missing.",
                       u"Signal '" + std::u16string(signal.name.View()) + u"' has no " + keyword + u".");
            }
        }
        if (signal.initValue.IsEmpty() && !signal.isByteArray) {
            Report(element.place, "NCF statement missing.",
                   u"Signal '" + std::u16string(signal.name.View()) + u"' has no init_value.");
        }
    }

    // 'init_value = n;' or 'init_value = { n, n };'
    bool ReadInitValue(const Element& element, NcfSignal& signal) {
        Tokens values;
        if (!Assignment(element, values)) return false;
        if (!element.hasBlock) {
            if (!IsWordOf(values, IsLdfInteger)) {
                Invalid(element, u"it needs a number or numbers in braces");
                return true;
            }
            signal.isByteArray = false;
            signal.initValue = Text(values[0].text);
        } else {
            const std::optional<corvStringArray> bytes = BracedListOf(element, IsLdfInteger);
            if (!values.empty() || !bytes) {
                Invalid(element, u"it needs a number or numbers in braces");
                return true;
            }
            signal.isByteArray = true;
            signal.initValues = *bytes;
        }
        Keep(signal.comments, u"init_value", element);
        return true;
    }

    bool ReadEncodings(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        Keep(node.comments, u"encoding", block);
        for (const Element& element : block.block) {
            if (element.head.size() != 1 || !element.hasBlock || element.head[0].kind != Token::Kind::kWord) {
                NotSupported(element, u"encoding");
                continue;
            }
            NcfEncoding& encoding = node.encodings.emplace_back();
            encoding.name = Text(element.head[0].text);
            Keep(encoding.comments, u"", element);
            for (const Element& value : element.block) ReadEncodingValue(value, encoding);
        }
        return true;
    }

    // 'logical_value, n [, "text"];', 'physical_value, min, max, scale, offset [, "unit"];',
    // 'bcd_value;' or 'ascii_value;', as the LDF's encodings write them.
    void ReadEncodingValue(const Element& element, NcfEncoding& encoding) {
        using Part = corvdekLINSignalEncodingTypeItem;
        const std::vector<Tokens> fields = SplitAtCommas(element.head);
        const std::u16string_view keyword = Keyword(element);
        const auto number = [&](std::size_t i, bool (*valid)(std::u16string_view)) {
            return i < fields.size() && IsWordOf(fields[i], valid);
        };
        const auto text = [&](std::size_t i) {
            return i < fields.size() && fields[i].size() == 1 && fields[i][0].kind == Token::Kind::kText;
        };
        Part part;
        bool ok = !element.hasBlock && fields[0].size() == 1;
        std::size_t textAt = 0;
        if (keyword == u"logical_value") {
            part.kind = Part::kLogical;
            ok = ok && number(1, IsLdfInteger) && (fields.size() == 2 || (fields.size() == 3 && text(2)));
            textAt = 2;
        } else if (keyword == u"physical_value" || keyword == u"physical_range") {
            part.kind = Part::kPhysical;
            ok = ok && number(1, IsLdfInteger) && number(2, IsLdfInteger) && number(3, IsLdfReal) &&
                 number(4, IsLdfReal) && (fields.size() == 5 || (fields.size() == 6 && text(5)));
            textAt = 5;
        } else if (keyword == u"bcd_value" || keyword == u"ascii_value") {
            part.kind = keyword == u"bcd_value" ? Part::kBcd : Part::kAscii;
            ok = ok && fields.size() == 1;
        } else {
            NotSupported(element, u"an encoding");
            return;
        }
        if (!ok) {
            Invalid(element, u"its values do not fit its kind");
            return;
        }
        if (part.kind == Part::kLogical || part.kind == Part::kPhysical) {
            part.minValue = static_cast<int>(Text(fields[1][0].text).ToUIntAutoHex());
        }
        if (part.kind == Part::kPhysical) {
            part.maxValue = static_cast<int>(Text(fields[2][0].text).ToUIntAutoHex());
            part.scale = Text(fields[3][0].text).ToDouble();
            part.offset = Text(fields[4][0].text).ToDouble();
        }
        if (textAt > 0 && textAt < fields.size()) {
            part.text = Text(fields[textAt][0].text);
            part.textGiven = true;
        }
        Keep(part.comments, u"", element);
        encoding.parts.push_back(std::move(part));
    }

    bool ReadStatus(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        Keep(node.comments, u"status_management", block);
        ReadBlock(block, u"status_management",
                  {{u"response_error", Value(node.responseError, IsLdfName, u"", node.comments)},
                   {u"fault_state_signals", [&](const Element& element) {
                        Tokens values;
                        if (!Assignment(element, values) || element.hasBlock) return false;
                        const std::optional<corvStringArray> names = ListOf(values, IsLdfName);
                        if (!names) {
                            Invalid(element, u"it needs a list of signal names");
                            return true;
                        }
                        node.faultStateSignalsGiven = true;
                        node.faultStateSignals = *names;
                        Keep(node.comments, u"fault_state_signals", element);
                        return true;
                    }}});
        return true;
    }

    // 'free_text { "text" }'
    bool ReadFreeText(const Element& block, NcfNode& node) {
        if (!IsBlockNamed(block)) return false;
        const bool ok = block.block.size() == 1 && block.block[0].head.size() == 1 &&
                        block.block[0].head[0].kind == Token::Kind::kText && !block.block[0].hasBlock;
        if (!ok) {
            Invalid(block, u"it needs one quoted text in braces");
            return true;
        }
        node.freeTextGiven = true;
        node.freeText = Text(block.block[0].head[0].text);
        Keep(node.comments, u"free_text", block);
        return true;
    }

    // The statements every node needs, by the file's language version.
    void CheckRequired(const Element& element, const NcfNode& node) {
        for (const std::u16string_view keyword : MissingStatements(node, document_.languageVersion)) {
            Report(element.place, "NCF statement missing.",
                   u"Node '" + std::u16string(node.name.View()) + u"' has no " + std::u16string(keyword) + u".");
        }
    }

    NcfDocument& document_;
};

}  // namespace

bool NcfDocument::LoadFromFile(const corvString& path) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) {
        *this = NcfDocument();
        lastLoadError = u"Problem opening file.";
        return false;
    }
    return LoadFromBytes(bytes);
}

bool NcfDocument::LoadFromBytes(std::string_view bytes) {
    *this = NcfDocument();
    ncf_syntax::Syntax syntax = ncf_syntax::Read(bytes);
    // The comments before the first statement are the file's; the line this program writes
    // first is written anew, not kept.
    std::vector<Comment>& leading = syntax.elements.empty() ? syntax.trailing : syntax.elements.front().before;
    for (const Comment& comment : leading) {
        const bool signature = &comment == &leading.front() && comment.line == 1 && comment.text == kWriterSignature;
        if (!signature) comments.Add(u"file", CommentPlace::kBefore, CommentText(comment));
    }
    leading.clear();
    if (!NcfReader(*this).Read(syntax)) {
        // Text of another kind: what it "lacks" says nothing.
        *this = NcfDocument();
        lastLoadError = kNotAnNcfFile;
        return false;
    }
    return true;
}
