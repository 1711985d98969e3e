// The statements of the node capability language one by one: each form lands in its field,
// survives a write, and each fault is an issue on its own line while the rest is read.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ncf/ncf_document.h"
#include "ncf/ncf_writer.h"

namespace {

// A node with every required statement, `general`, `diagnostic`, `frames` and `status`
// replacing the blocks' bodies where given.
struct NodeText {
    std::string general = "LIN_protocol_version = \"2.2\"; supplier = 0x1E; function = 0x10; variant = 1;\n"
                          "bitrate = 19.2 kbps; sends_wake_up_signal = \"no\";";
    std::string diagnostic = "NAD = 0x20; diagnostic_class = 1;";
    std::string frames = "publish F { length = 1; signals { err { init_value = 0; size = 1; offset = 0; } } }";
    std::string status = "response_error = err;";
    std::string more;  // blocks after status_management

    std::string File(const std::string& version = "2.2") const {
        return "node_capability_file;\nLIN_language_version = \"" + version + "\";\nnode N {\n general {\n" + general +
               "\n }\n diagnostic {\n" + diagnostic + "\n }\n frames {\n" + frames + "\n }\n status_management {\n" +
               status + "\n }\n" + more + "\n}\n";
    }
};

NcfDocument Read(const std::string& text) {
    NcfDocument document;
    EXPECT_TRUE(document.LoadFromBytes(text)) << text;
    return document;
}

std::string IssueList(const NcfDocument& document) {
    std::string list;
    for (const NcfIssue& issue : document.issues) {
        list += std::to_string(issue.place.line) + ": " + issue.type.ToUtf8() + " " + issue.details.ToUtf8() + "\n";
    }
    return list;
}

std::string Utf8(const corvStringArray& values) {
    std::string joined;
    for (int i = 0; i < values.Count(); ++i) joined += (i > 0 ? "," : "") + values.Item(i).ToUtf8();
    return joined;
}

// Each form of a statement is read into its fields and written back to the same document.
TEST(NcfConstructs, EveryFormReadsIntoItsFieldsAndWritesBack) {
    using Check = std::function<std::string(const NcfNode&)>;
    const auto general = [](const char* text) {
        NodeText node;
        node.general = std::string("LIN_protocol_version = \"2.2\"; supplier = 1; function = 2; variant = 3;"
                                   " sends_wake_up_signal = \"yes\";") + text;
        return node;
    };
    const auto bitrate = [](const NcfNode& n) {
        return std::to_string(static_cast<int>(n.bitrate.kind)) + " " + n.bitrate.min.ToUtf8() + " " +
               n.bitrate.max.ToUtf8() + " " + Utf8(n.bitrate.rates);
    };
    const auto diagnostic = [](const char* text) {
        NodeText node;
        node.diagnostic = text;
        return node;
    };
    const auto signals = [](const char* text) {
        NodeText node;
        node.frames = std::string("publish F { length = 8; signals { err { init_value = 0; size = 1; offset = 0; } ") +
                      text + " } }";
        return node;
    };
    const auto signal = [](const NcfNode& n) {
        const NcfSignal& s = n.frames[0].signals.back();
        return s.name.ToUtf8() + " " + (s.isByteArray ? "{" + Utf8(s.initValues) + "}" : s.initValue.ToUtf8()) + " " +
               s.size.ToUtf8() + " " + s.offset.ToUtf8() + " " + s.encoding.ToUtf8();
    };
    const auto more = [](const char* text) {
        NodeText node;
        node.more = text;
        return node;
    };
    const struct {
        const char* name;
        NodeText node;
        Check read;
        std::string expected;
    } cases[] = {
        {"automatic with both bounds", general("bitrate = automatic min 9.6 kbps max 19.2 kbps;"), bitrate, "1 9.6 19.2 "},
        {"automatic with its upper bound", general("bitrate = automatic max 20 kbps;"), bitrate, "1  20 "},
        {"automatic alone", general("bitrate = automatic;"), bitrate, "1   "},
        {"select", general("bitrate = select { 9.6 kbps, 19.2 kbps };"), bitrate, "2   9.6,19.2"},
        {"fixed", general("bitrate = 10.417 kbps;"), bitrate, "3   10.417"},
        {"product id in hexadecimal", general("bitrate = 19.2 kbps;"),
         [](const NcfNode& n) { return n.supplier.ToUtf8() + n.function.ToUtf8() + n.variant.ToUtf8(); }, "123"},
        {"NAD list", diagnostic("NAD = 4, 1, 0x03; diagnostic_class = 2;"),
         [](const NcfNode& n) { return Utf8(n.nads) + (n.nadRange ? " range" : ""); }, "4,1,0x03"},
        {"NAD range", diagnostic("NAD = 1 to 16; diagnostic_class = 2;"),
         [](const NcfNode& n) { return Utf8(n.nads) + (n.nadRange ? " range" : ""); }, "1,16 range"},
        {"diagnostic timings", diagnostic("NAD = 1; diagnostic_class = 3; P2_min = 50 ms; ST_min = 0 ms; "
                                          "N_As_timeout = 1000 ms; N_Cr_timeout = 1000.5 ms; max_message_length = 4095;"),
         [](const NcfNode& n) {
             return n.p2Min.ToUtf8() + " " + n.stMin.ToUtf8() + " " + n.nAsTimeout.ToUtf8() + " " +
                    n.nCrTimeout.ToUtf8() + " " + n.maxMessageLength.ToUtf8();
         },
         "50 0 1000 1000.5 4095"},
        {"support_sid", diagnostic("NAD = 1; diagnostic_class = 1; support_sid { 0xB0, 0xB2 };"),
         [](const NcfNode& n) { return Utf8(n.supportSids); }, "0xB0,0xB2"},
        {"scalar signal with encoding", signals("pos { init_value = 5; size = 8; offset = 8; pos_enc; }"), signal,
         "pos 5 8 8 pos_enc"},
        {"statements in another order", signals("pos { offset = 8; size = 8; init_value = 5; }"), signal, "pos 5 8 8 "},
        {"byte array", signals("serial { init_value = { 0x12, 0x34 }; size = 16; offset = 16; }"), signal,
         "serial {0x12,0x34} 16 16 "},
        {"signals named as keywords", signals("length { init_value = 0; size = 4; offset = 8; }"), signal,
         "length 0 4 8 "},
        {"frame periods and event-triggered frame",
         [] {
             NodeText node;
             node.frames = "subscribe C { length = 2; min_period = 10 ms; max_period = 100 ms; "
                           "event_triggered_frame = Ev; signals { } }";
             node.status = "response_error = C;";
             return node;
         }(),
         [](const NcfNode& n) {
             const NcfFrame& f = n.frames[0];
             return std::string(f.publishes ? "publish " : "subscribe ") + f.length.ToUtf8() + " " +
                    f.minPeriod.ToUtf8() + " " + f.maxPeriod.ToUtf8() + " " + f.eventTriggeredFrame.ToUtf8() +
                    (f.signalsGiven ? " signals" : "");
         },
         "subscribe 2 10 100 Ev signals"},
        {"encodings of every kind",
         more(" encoding { e { logical_value, 0, \"off\"; logical_value, 0x1; physical_value, 0, 200, 0.5, -40, "
              "\"degC\"; bcd_value; ascii_value; } }"),
         [](const NcfNode& n) {
             std::string parts;
             for (const auto& part : n.encodings[0].parts) {
                 parts += std::to_string(part.kind) + ":" + std::to_string(part.minValue) + ":" +
                          std::to_string(part.maxValue) + ":" + part.text.ToUtf8() + " ";
             }
             return parts;
         },
         "0:0:0:off 0:1:0: 1:0:200:degC 2:0:0: 3:0:0: "},
        {"fault state signals",
         [] {
             NodeText node;
             node.status = "response_error = err; fault_state_signals = a, b;";
             return node;
         }(),
         [](const NcfNode& n) { return Utf8(n.faultStateSignals); }, "a,b"},
        {"free text holding the language's marks", more(" free_text { \"a; b, {c} // d\" }"),
         [](const NcfNode& n) { return n.freeText.ToUtf8(); }, "a; b, {c} // d"},
    };
    for (const auto& c : cases) {
        const NcfDocument document = Read(c.node.File());
        EXPECT_EQ(IssueList(document), "") << c.name;
        ASSERT_EQ(document.nodes.size(), 1U) << c.name;
        EXPECT_EQ(c.read(document.nodes[0]), c.expected) << c.name;
        corvStringArray leftOut;
        const std::string written = RenderNCF(document, &leftOut);
        EXPECT_EQ(leftOut.Count(), 0) << c.name;
        const NcfDocument again = Read(written);
        ASSERT_EQ(again.nodes.size(), 1U) << c.name;
        EXPECT_EQ(c.read(again.nodes[0]), c.expected) << c.name << "\n" << written;
        EXPECT_EQ(RenderNCF(again), written) << c.name;
    }
}

// The LIN 2.0 form: message_ID and the operating ranges, no wake-up signal or class.
TEST(NcfConstructs, VersionBoundStatementsAreWrittenInTheirVersionOnly) {
    NodeText lin20;
    lin20.general = "LIN_protocol_version = \"2.0\"; supplier = 1; function = 2; variant = 3; bitrate = automatic min "
                    "10 kbps; volt_range = 7.0, 18.0; temp_range = -40, 85; conformance = \"LIN2.0\";";
    lin20.diagnostic = "NAD = 1;";
    lin20.frames = "publish F { message_ID = 0x1001; length = 1; signals { err { init_value = 0; size = 1; offset = 0; } } }";
    const NcfDocument document = Read(lin20.File("2.0"));
    EXPECT_EQ(IssueList(document), "");
    const std::string written = RenderNCF(document);
    for (const char* kept : {"message_ID = 0x1001;", "volt_range = 7.0, 18.0;", "temp_range = -40, 85;",
                             "conformance = \"LIN2.0\";"}) {
        EXPECT_NE(written.find(kept), std::string::npos) << kept;
    }
    // The same node in a LIN 2.2 file: the 2.0 statements are left out, named.
    NcfDocument lin22 = Read(lin20.File("2.0"));
    lin22.languageVersion = u"2.2";
    lin22.nodes[0].sendsWakeUpSignal = u"no";
    lin22.nodes[0].diagnosticClass = u"1";
    corvStringArray leftOut;
    const std::string newer = RenderNCF(lin22, &leftOut);
    EXPECT_EQ(newer.find("message_ID"), std::string::npos);
    EXPECT_EQ(newer.find("volt_range"), std::string::npos);
    EXPECT_EQ(leftOut.Count(), 4);
}

// Each fault is an issue on the line of its statement; the statements around it are read.
TEST(NcfConstructs, EachFaultIsAnIssueOnItsLine) {
    const struct {
        const char* name;
        std::string text;
        std::string issue;  // "line: type"
    } cases[] = {
        {"a bit rate without unit", "node_capability_file;\nnode N {\n general {\n bitrate = 19.2;\n }\n}\n",
         "4: NCF statement invalid."},
        {"an unknown statement", "node_capability_file;\nnode N {\n frames {\n publish F {\n frame_id = 0x3d;\n",
         "5: NCF statement not supported."},
        {"a statement given twice", "node_capability_file;\nnode N {\n general {\n supplier = 1;\n supplier = 2;\n",
         "5: NCF statement repeated."},
        {"a block never closed", "node_capability_file;\nnode N {\n general {\n supplier = 1;\n",
         "3: NCF syntax error."},
        {"a text never closed", "node_capability_file;\nLIN_language_version = \"2.2;\n", "2: NCF syntax error."},
        {"a stray brace", "node_capability_file;\n}\n", "2: NCF syntax error."},
        {"a frame without length", "node_capability_file;\nnode N {\n frames {\n\n subscribe F { signals { } }\n",
         "5: NCF statement missing."},
        {"a length of nine bytes", "node_capability_file;\nnode N {\n frames {\n publish F {\n length = 9; signals { } }",
         "4: NCF value out of range."},
        {"a class of 4", "node_capability_file;\nnode N {\n diagnostic {\n diagnostic_class = 4;\n }\n}",
         "3: NCF value out of range."},
        {"a byte of the init value that is no number",
         "node_capability_file;\nnode N { frames { publish F { length = 1; signals {\n s {\n init_value = { 1, x };",
         "4: NCF statement invalid."},
    };
    for (const auto& c : cases) {
        const NcfDocument document = Read(c.text);
        const std::string issues = IssueList(document);
        EXPECT_NE(issues.find(c.issue), std::string::npos) << c.name << "\n" << issues;
    }
}

// What the fuzzer found: a written file must read back to itself, also after a broken one.
TEST(NcfConstructs, WritingABrokenFileSettlesOnOneText) {
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"a block comment never closed", "// first\n/* never closed\nnode_capability_file;\n"},
        {"a block comment of three characters", "node_capability_file; /*/"},
        {"a text never closed", "node_capability_file;\nLIN_language_version = \"2.2;\n"},
        {"a node never closed", "node_capability_file;\nnode N { general { supplier = 1;"},
    };
    for (const auto& c : cases) {
        const std::string once = RenderNCF(Read(RenderNCF(Read(c.text))));
        EXPECT_EQ(RenderNCF(Read(once)), once) << c.name;
    }
}

TEST(NcfConstructs, AFileThatIsNoNcfIsRefused) {
    const struct {
        const char* name;
        std::string bytes;
        bool opens;
    } cases[] = {
        {"an empty file", "", true},
        {"comments only", "// nothing yet\n/* later */\n", true},
        {"a picture", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), false},
        {"an LDF file", "LIN_description_file;\nLIN_protocol_version = \"2.1\";\n", false},
        {"an LDF file with the language version an NCF states too",
         "LIN_description_file;\nLIN_language_version = \"2.1\";\nNodes { Master: M, 5 ms, 0.1 ms; }\n", false},
    };
    for (const auto& c : cases) {
        NcfDocument document;
        EXPECT_EQ(document.LoadFromBytes(c.bytes), c.opens) << c.name;
        if (!c.opens) {
            EXPECT_EQ(document.lastLoadError.ToUtf8(), "not an NCF file") << c.name;
        }
    }
}

// Comments stay where they were: before a statement, at the end of its line, at the end of
// a block; and white space in every form separates words alike.
TEST(NcfConstructs, CommentsAndWhiteSpaceForms) {
    NodeText node;
    node.general = "// the product\nLIN_protocol_version = \"2.2\"; supplier = 1; function = 2; variant = 3; "
                   "bitrate = 19.2 kbps; /* wakes */ sends_wake_up_signal = \"no\";\n// end of general";
    node.status = "response_error =\terr; // the error bit";
    const NcfDocument document = Read("// the file\n" + node.File());
    EXPECT_EQ(IssueList(document), "");
    const std::string written = RenderNCF(document);
    for (const char* expected : {"// the file\r\n", "\t\t// the product\r\n\t\tLIN_protocol_version",
                                 "response_error = err; // the error bit", "\t\t// end of general\r\n\t}"}) {
        EXPECT_NE(written.find(expected), std::string::npos) << expected << "\n" << written;
    }
    EXPECT_NE(written.find("/* wakes */"), std::string::npos);

    const NodeText uncommented;
    std::string crlf = uncommented.File();
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) crlf.replace(at, 1, "\r\n");
    std::string tabs = uncommented.File();
    for (char& ch : tabs) {
        if (ch == ' ') ch = '\t';
    }
    std::string noFinalLineEnd = uncommented.File();
    noFinalLineEnd.pop_back();
    const std::string plain = RenderNCF(Read(uncommented.File()));
    for (const std::string& form : {crlf, tabs, noFinalLineEnd}) EXPECT_EQ(RenderNCF(Read(form)), plain);
}

}  // namespace
