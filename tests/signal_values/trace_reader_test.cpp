// Lines of a bus log: every form a line may take, and every fault a line may have.

#include <gtest/gtest.h>

#include "model/definition_file.h"
#include "signal_values/trace_reader.h"
#include "support/test_support.h"

namespace {

constexpr const char* kCluster = R"(LIN_description_file;
LIN_protocol_version = "2.1";
LIN_language_version = "2.1";
LIN_speed = 19.2 kbps;
Nodes { Master: M, 5 ms, 0.1 ms; Slaves: A, B; }
Signals { Pa: 8, 0, A, M; Pb: 8, 0, B, M; Two: 16, 0, A, M; }
Frames {
  FrameA: 0x02, A, 2 { Pa, 8; }
  FrameB: 0x03, B, 2 { Pb, 8; }
  Short: 0x04, A, 2 { Two, 0; }
}
Event_triggered_frames { Event: 0x3A, FrameA, FrameB; }
)";

struct LineCase {
    const char* line;
    TraceDecoder::Line result;
    const char* frame = "";           // the frame decoded
    std::optional<double> time = {};  // its time stamp
    const char* fault = "";           // a piece of the fault's text
};

TEST(TraceDecoder, ReadsEveryLineForm) {
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(test_support::LoadText(document, kCluster));
    const TraceDecoder decoder(document);
    // Protected identifiers: 0x02 is 0x42, 0x03 is 0x03, 0x04 is 0x44, 0x3A is 0xBA.
    const LineCase cases[] = {
        {"02 01 A5", TraceDecoder::Line::kFrame, "FrameA"},
        {"0.125 02 01 A5", TraceDecoder::Line::kFrame, "FrameA", 0.125},
        {"\t1.5\t0x02\t01A5\r", TraceDecoder::Line::kFrame, "FrameA", 1.5},
        {"42 01 A5", TraceDecoder::Line::kFrame, "FrameA"},       // protected identifier
        {"0.5 BA 42 07", TraceDecoder::Line::kFrame, "FrameA", 0.5},  // event-triggered: FrameA's PID first
        {"3A 03 07", TraceDecoder::Line::kFrame, "FrameB"},
        {"", TraceDecoder::Line::kSkipped},
        {"   ", TraceDecoder::Line::kSkipped},
        {"# a comment", TraceDecoder::Line::kSkipped},
        {"// another", TraceDecoder::Line::kSkipped},
        {"0.1.2 02 01 A5", TraceDecoder::Line::kFault, "", {}, "'0.1.2' is no time stamp"},
        {"0.5", TraceDecoder::Line::kFault, "", {}, "the frame identifier is missing"},
        {"zz 01", TraceDecoder::Line::kFault, "", {}, "'zz' is no frame identifier"},
        {"43 01 A5", TraceDecoder::Line::kFault, "", {}, "'43' is no frame identifier"},  // parity wrong
        {"3F 01 02", TraceDecoder::Line::kFault, "", {}, "no frame of the cluster has the identifier 0x3F"},
        {"02 01 A", TraceDecoder::Line::kFault, "", {}, "'A' is no hexadecimal byte"},
        {"02 0G A5", TraceDecoder::Line::kFault, "", {}, "'0G' is no hexadecimal byte"},
        {"02 01", TraceDecoder::Line::kFault, "", {}, "frame FrameA has 2 data bytes, the line 1"},
        {"3A 44 07", TraceDecoder::Line::kFault, "", {}, "carries no frame of the protected identifier 0x44"},
        {"3A", TraceDecoder::Line::kFault, "", {}, "(none)"},
    };
    TraceFrame frame;
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.line);
        std::string why;
        ASSERT_EQ(decoder.Read(c.line, frame, why), c.result) << why;
        if (c.result == TraceDecoder::Line::kFrame) {
            EXPECT_EQ(test_support::Utf8(corvString(frame.codec->Name())), c.frame);
            EXPECT_EQ(frame.time, c.time);
            EXPECT_EQ(frame.bytes.size(), 2u);
        } else if (c.result == TraceDecoder::Line::kFault) {
            EXPECT_NE(why.find(c.fault), std::string::npos) << why;
        }
    }
}

}  // namespace
