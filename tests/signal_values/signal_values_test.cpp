// Decoding and encoding frames: values worked out by hand from the LIN rules (signal bits
// LSB first from the offset, a byte array's bytes in frame order, the first matching part of
// an encoding), and round trips over the files of other tools.

#include <gtest/gtest.h>

#include <random>

#include "model/definition_file.h"
#include "signal_values/frame_codec.h"
#include "support/test_support.h"

namespace {

using test_support::LoadText;

// Frame All (8 bytes): Flag bit 0, Cross bits 4-15 (crosses bytes 0 and 1), Arr bytes 3-5,
// Tail bits 48-63 (ends at the frame's last bit). Frame Wide: a 32-bit signal from byte 1.
std::string Cluster(const std::string& byteOrder = "") {
    return R"(LIN_description_file;
LIN_protocol_version = "2.1";
LIN_language_version = "2.1";
LIN_speed = 19.2 kbps;
)" + byteOrder + R"(
Nodes { Master: M, 5 ms, 0.1 ms; Slaves: S; }
Signals {
  Flag: 1, 0, S, M;
  Cross: 12, 0, S, M;
  Arr: 24, {1, 2, 3}, S, M;
  Tail: 16, 0x1234, S, M;
  Wide: 32, 0, S, M;
  Gappy: 8, 0, S, M;
  Light: 8, 0, S, M;
  Digits: 16, {0x12, 0x34}, S, M;
  Name: 16, {0x41, 0x42}, S, M;
}
Frames {
  All: 0x10, S, 8 { Flag, 0; Cross, 4; Arr, 24; Tail, 48; }
  Wide: 0x11, S, 5 { Wide, 8; }
  Coded: 0x12, S, 6 { Gappy, 0; Light, 8; Digits, 16; Name, 32; }
}
Signal_encoding_types {
  Speed { physical_value, 0, 4095, 0.5, -100, "km/h"; }
  Gaps { physical_value, 0, 9, 1, 0, "a"; physical_value, 20, 29, 2, 0, "b"; }
  Lux { logical_value, 0, "Off"; physical_value, 0, 254, 1, 0, "lux"; logical_value, 255, "error"; }
  Bcd { bcd_value; }
  Text { ascii_value; }
}
Signal_representation {
  Speed: Cross; Gaps: Gappy; Lux: Light; Bcd: Digits; Text: Name;
}
)";
}

constexpr const char* kBigEndian = "LIN_sig_byte_order_big_endian;";

std::unique_ptr<corvdekLINDefinitionFile> Loaded(const std::string& text) {
    auto document = std::make_unique<corvdekLINDefinitionFile>();
    EXPECT_TRUE(LoadText(*document, text));
    return document;
}

const DecodedSignal* Find(const std::vector<DecodedSignal>& values, std::u16string_view name) {
    for (const DecodedSignal& value : values) {
        if (value.signal->name == name) return &value;
    }
    return nullptr;
}

struct DecodeCase {
    const char* what;
    bool bigEndian;
    const char* frame;
    std::vector<std::uint8_t> bytes;
    std::u16string signal;
    std::uint64_t raw;
    std::optional<double> value;
    std::u16string unit;
    std::optional<std::u16string> text;
};

TEST(Decode, ReadsEachLayoutAndEncodingKind) {
    const std::vector<std::uint8_t> all = {0x31, 0xA5, 0xFF, 0x11, 0x22, 0x33, 0x34, 0x12};
    const std::vector<std::uint8_t> coded = {0x19, 0x00, 0x12, 0x34, 0x41, 0x42};
    const DecodeCase cases[] = {
        {"one bit at bit 0", false, "All", all, u"Flag", 1, {}, u"", {}},
        // Bits 4-7 of byte 0 are the low nibble, byte 1 the high byte: 0xA5 << 4 | 0x3.
        {"across bytes: physical", false, "All", all, u"Cross", 0xA53, 0xA53 * 0.5 - 100, u"km/h", {}},
        {"across bytes, big endian: first byte most significant", true, "All", all, u"Cross", 0x3A5,
         0x3A5 * 0.5 - 100, u"km/h", {}},
        {"ends at bit 64", false, "All", all, u"Tail", 0x1234, {}, u"", {}},
        {"ends at bit 64, big endian", true, "All", all, u"Tail", 0x3412, {}, u"", {}},
        {"32 bits from byte 1", false, "Wide", {0xFF, 0x78, 0x56, 0x34, 0x12}, u"Wide", 0x12345678, {}, u"", {}},
        {"32 bits, big endian", true, "Wide", {0xFF, 0x78, 0x56, 0x34, 0x12}, u"Wide", 0x78563412, {}, u"", {}},
        {"a gap between ranges", false, "Coded", {0x0F, 0, 0, 0, 0, 0}, u"Gappy", 15, {}, u"", {}},
        {"the second range", false, "Coded", coded, u"Gappy", 25, 50, u"b", {}},
        {"logical and physical both", false, "Coded", {0, 0x00, 0, 0, 0, 0}, u"Light", 0, 0, u"lux", u"Off"},
        {"logical beyond the physical range", false, "Coded", {0, 0xFF, 0, 0, 0, 0}, u"Light", 255, {}, u"",
         u"error"},
        {"BCD, bytes in frame order", false, "Coded", coded, u"Digits", 0x3412, 1234, u"", {}},
        {"BCD with a nibble beyond 9", false, "Coded", {0, 0, 0x1A, 0, 0, 0}, u"Digits", 0x1A, {}, u"", {}},
        {"ASCII", false, "Coded", coded, u"Name", 0x4241, {}, u"", u"AB"},
    };
    for (const DecodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto document = Loaded(Cluster(c.bigEndian ? kBigEndian : ""));
        std::string why;
        const auto codec = FrameCodec::Find(*document, c.frame, why);
        ASSERT_TRUE(codec) << why;
        std::vector<DecodedSignal> values;
        codec->Decode(c.bytes, values);
        const DecodedSignal* value = Find(values, c.signal);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->raw, c.raw);
        EXPECT_EQ(value->meaning.value, c.value);
        EXPECT_EQ(std::u16string(value->meaning.hasUnit ? value->meaning.unit : u""), c.unit);
        EXPECT_EQ(value->meaning.hasText ? std::optional(value->meaning.text) : std::nullopt, c.text);
    }
}

TEST(Decode, ByteArrayKeepsItsBytesInFrameOrder) {
    const auto document = Loaded(Cluster());
    std::string why;
    const auto codec = FrameCodec::Find(*document, "0x10", why);  // found by identifier
    ASSERT_TRUE(codec) << why;
    EXPECT_EQ(codec->Name(), u"All");
    EXPECT_EQ(codec->Length(), 8);
    std::vector<DecodedSignal> values;
    codec->Decode(std::vector<std::uint8_t>{0, 0, 0, 0x11, 0x22, 0x33, 0, 0}, values);
    EXPECT_EQ(Find(values, u"Arr")->bytes, (std::vector<std::uint8_t>{0x11, 0x22, 0x33}));
}

// The values vector keeps its room from frame to frame: a signal without an encoding must not
// show what another frame's signal in its place meant.
TEST(Decode, ASignalWithoutEncodingMeansNothingInAReusedVector) {
    const auto document = Loaded(Cluster());
    std::string why;
    const auto coded = FrameCodec::Find(*document, "Coded", why);
    const auto all = FrameCodec::Find(*document, "All", why);
    ASSERT_TRUE(coded && all) << why;
    std::vector<DecodedSignal> values;
    coded->Decode(std::vector<std::uint8_t>{5, 0, 0, 0, 0, 0}, values);
    ASSERT_TRUE(values[0].meaning.value.has_value());  // Gappy: 5 a
    all->Decode(std::vector<std::uint8_t>(8, 0), values);
    EXPECT_EQ(values[0].signal->name, u"Flag");
    EXPECT_FALSE(values[0].meaning.value.has_value());
    EXPECT_FALSE(values[0].meaning.hasUnit);
    EXPECT_FALSE(values[0].meaning.hasText);
}

TEST(Decode, NamesFramesItCannotFind) {
    const auto document = Loaded(Cluster());
    for (const char* frame : {"Missing", "0x3F", "99"}) {
        std::string why;
        EXPECT_FALSE(FrameCodec::Find(*document, frame, why)) << frame;
        EXPECT_NE(why.find(frame), std::string::npos) << why;
    }
}

struct EncodeCase {
    const char* what;
    bool bigEndian;
    const char* frame;
    std::vector<FrameCodec::Assignment> assignments;
    int fill;
    std::vector<std::uint8_t> bytes;  // empty: refused
    const char* refusal = "";         // a piece of the message
};

TEST(Encode, WritesValuesInitialValuesAndFill) {
    const EncodeCase cases[] = {
        // Flag 0 at bit 0, bits 1-3 filled, Cross 0, byte 2 filled, Arr {1, 2, 3}, Tail 0x1234.
        {"initial values, idle fill", false, "All", {}, 1, {0x0E, 0x00, 0xFF, 0x01, 0x02, 0x03, 0x34, 0x12}},
        {"initial values, zero fill", false, "All", {}, 0, {0x00, 0x00, 0x00, 0x01, 0x02, 0x03, 0x34, 0x12}},
        {"physical with unit", false, "All", {{"Cross", "1220 km/h"}}, 0, {0x00, 0xA5, 0, 1, 2, 3, 0x34, 0x12}},
        {"physical rounded to the nearest raw", false, "All", {{"Cross", "1220.2"}}, 0,
         {0x00, 0xA5, 0, 1, 2, 3, 0x34, 0x12}},
        {"raw in hexadecimal", false, "All", {{"Cross", "0x123"}}, 0, {0x30, 0x12, 0, 1, 2, 3, 0x34, 0x12}},
        {"raw, big endian", true, "All", {{"Cross", "0x3A5"}}, 0, {0x30, 0xA5, 0, 1, 2, 3, 0x12, 0x34}},
        {"byte array", false, "All", {{"Arr", "{0x0A, 11, 0x0C}"}}, 0, {0, 0, 0, 0x0A, 0x0B, 0x0C, 0x34, 0x12}},
        {"logical text", false, "Coded", {{"Light", "error"}, {"Gappy", "50 b"}}, 0,
         {25, 0xFF, 0x12, 0x34, 0x41, 0x42}},
        {"BCD and ASCII", false, "Coded", {{"Digits", "987"}, {"Name", "hi"}}, 0, {0, 0, 0x09, 0x87, 'h', 'i'}},
        {"out of every range", false, "All", {{"Cross", "5000 km/h"}}, 0, {}, "Cross: '5000 km/h' is out of range"},
        {"another unit", false, "All", {{"Cross", "12 mph"}}, 0, {}, "physical -100 to 1947.5 km/h"},
        {"in a gap", false, "Coded", {{"Gappy", "15 a"}}, 0, {}, "Gappy"},
        {"too large for the signal", false, "All", {{"Flag", "2"}}, 0, {}, "Flag: '2' is out of range (raw 0 to 1)"},
        {"bytes of a byte array", false, "All", {{"Arr", "1 2"}}, 0, {}, "Arr: '1 2' is not 3 bytes"},
        {"unknown signal", false, "All", {{"Nope", "1"}}, 0, {}, "frame All carries no signal Nope"},
    };
    for (const EncodeCase& c : cases) {
        SCOPED_TRACE(c.what);
        const auto document = Loaded(Cluster(c.bigEndian ? kBigEndian : ""));
        std::string why;
        const auto codec = FrameCodec::Find(*document, c.frame, why);
        ASSERT_TRUE(codec) << why;
        const auto bytes = codec->Encode(c.assignments, c.fill, why);
        if (c.bytes.empty()) {
            EXPECT_FALSE(bytes);
            EXPECT_NE(why.find(c.refusal), std::string::npos) << why;
        } else {
            ASSERT_TRUE(bytes) << why;
            EXPECT_EQ(*bytes, c.bytes);
        }
    }
}

// The value an assignment writes for a decoded signal: its raw bits, or its bytes.
std::string RawAssignment(const DecodedSignal& value) {
    char text[24];
    if (!value.signal->isByteArray) {
        std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value.raw));
        return text;
    }
    std::string bytes;
    for (const std::uint8_t byte : value.bytes) bytes += std::to_string(byte) + ",";
    return bytes;
}

// What decoding gives a user to type back: "12.5 km/h", a logical text, or nothing.
std::optional<std::string> MeaningAssignment(const DecodedSignal& value) {
    const SignalMeaning& meaning = value.meaning;
    if (meaning.hasText && !value.signal->isByteArray) return test_support::Utf8(corvString(meaning.text));
    if (!meaning.value || value.signal->isByteArray) return std::nullopt;
    char number[40];
    std::snprintf(number, sizeof number, "%.17g", *meaning.value);
    return std::string(number) + (meaning.hasUnit ? " " + test_support::Utf8(corvString(meaning.unit)) : "");
}

class CorpusRoundTrip : public ::testing::TestWithParam<std::filesystem::path> {};

// Every frame of every file: random bytes decode to values that encode to the same bits, and
// each physical or logical value typed back decodes to the same meaning.
TEST_P(CorpusRoundTrip, EncodeGivesBackWhatDecodeRead) {
    corvdekLINDefinitionFile document;
    document.LoadFromFile(test_support::Path(GetParam()));
    std::mt19937 random(7);
    for (int f = 0; f < document.frames.GetCount(); ++f) {
        std::string why;
        const auto codec = FrameCodec::Find(document, document.frames.Get(f)->name.ToUtf8(), why);
        ASSERT_TRUE(codec) << why;
        for (int round = 0; round < 4; ++round) {
            std::vector<std::uint8_t> bytes(static_cast<std::size_t>(codec->Length()));
            for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
            std::vector<DecodedSignal> values;
            codec->Decode(bytes, values);
            std::vector<FrameCodec::Assignment> raw, meant;
            for (const DecodedSignal& value : values) {
                const std::string name = test_support::Utf8(corvString(value.signal->name));
                raw.push_back({name, RawAssignment(value)});
                meant.push_back({name, MeaningAssignment(value).value_or(RawAssignment(value))});
            }
            std::vector<DecodedSignal> again;
            const auto encoded = codec->Encode(raw, 0, why);
            ASSERT_TRUE(encoded) << why;
            codec->Decode(*encoded, again);
            for (std::size_t i = 0; i < values.size(); ++i) {
                EXPECT_EQ(again[i].raw, values[i].raw) << document.frames.Get(f)->name.ToUtf8();
                EXPECT_EQ(again[i].bytes, values[i].bytes);
            }
            const auto typed = codec->Encode(meant, 0, why);
            ASSERT_TRUE(typed) << why;
            codec->Decode(*typed, again);
            for (std::size_t i = 0; i < values.size(); ++i) {
                EXPECT_EQ(again[i].meaning.value, values[i].meaning.value) << meant[i].signal << "=" << meant[i].value;
                EXPECT_EQ(again[i].meaning.text, values[i].meaning.text) << meant[i].signal << "=" << meant[i].value;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, CorpusRoundTrip, ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

}  // namespace
