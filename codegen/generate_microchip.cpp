// The C header that configures a LIN driver for one node (master or slave) on Microchip
// targets: a fixed preamble, frame defines for what the node sends and receives, and a
// structure and union per frame that overlay the frame's bytes with its signals.

#include "generate_microchip.h"

#include <optional>
#include <string>
#include <vector>

#include "foundation/corv_file.h"
#include "foundation/text_lines.h"
#include "model/definition_file.h"
#include "model/name_index.h"

namespace {

constexpr const char16_t* kBanner =
    u"/* ****************************************************************** */";

constexpr const char16_t* kPreamble[] = {
    u"#include \"lin_cfg.h\"",
    u"",
    u"#ifdef _LINMASTER",
    u"    #define _LINAC_",
    u"#else",
    u"#define _LINAC_ extern",
    u"#endif",
    u"",
    u"#ifndef _MASTERNODE\t\t\t\t// if master then frame data direction is twisted",
    u"\t#define RESPOND (1)",
    u"\t#define RECEIVE (2)",
    u"#else",
    u"\t#define RESPOND (2)",
    u"\t#define RECEIVE (1)",
    u"#endif",
    u"",
    u"#ifdef _MCHIPC18",
    u"    #define CONST_ROM const rom",
    u"#else",
    u"    #define CONST_ROM const",
    u"#endif",
    u"",
    u"#define kAssignNAD\t\t\t\t\t\t0xB0",
    u"#define kAssignFrameID\t\t\t\t0xB1",
    u"#define kReadByID\t\t\t\t\t\t\t0xB2",
    u"#define kConditionalNADChange\t0xB3",
    u"#define kDumpRequest\t\t\t\t\t0xB4",
    u"#define\tkRSID_pAdder\t\t\t\t\t0x40",
    u"",
    u"#define LD_SUCCESS \t0\t\t\t// The call was successfully carried out.",
    u"#define LD_NEGATIVE 1 \t\t// The call failed, more information can be found by parsing error_code.",
    u"#define LD_NO_RESPONSE 2\t// No response was received on the request.",
    u"#define\tLD_OVERWRITTEN 3\t// The slave response frame has been overwritten by another operation, i.e. the result is lost.",
    u"#define LD_IN_PROGRESS \t0\t// The transmission is not yet completed.",
    u"#define LD_COMPLETED \t\t1\t// The transmission has completed successfully (and",
    u"                                           // you can issue a new ld_send_message call).",
    u"",
    u"#define LD_FAILED \t\t\t2\t// The transmission ended in an error. The data was",
    u"                                           // only partially sent. (You can make a new call to ld_send_message.)",
    u"",
    u"#define l_bool unsigned",
    u"#define l_u8\tunsigned char",
    u"#define l_u16 unsigned int",
    u"#define\tl_u32 unsigned long",
    u"#define l_ifc_handle l_u8",
    u"",
    u"typedef union",
    u"{",
    u"\tl_u16 w;",
    u"\tstruct",
    u"\t{",
    u"\t\tl_u8  lo;",
    u"\t\tl_u8  hi;",
    u"\t}b;",
    u"}u_wb;",
    u"",
    kBanner,
    u"/*          USART / Timer specific defines                            */",
    kBanner,
    u"",
    u"// #define kLinTimeBase 5.0ms",
    u"// #define kLinBaudrate  19200",
    u"#define kLinVersion 2.0",
    u"",
    kBanner,
    u"/* *         system specific handle description                     * */",
    kBanner,
    u"",
    u"extern volatile l_u8  idnumber_b;",
    u"#define SetupLinDrv(handle)  handle",
    u"",
};

std::u16string Number(long long value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string Hex(unsigned value) {
    corvString text;
    text.SetHex(value);
    return u"0x" + std::u16string(text.View());
}

// The value of a text that is wholly a number, decimal or hexadecimal after "0x".
std::optional<unsigned> WholeNumber(const corvString& text) {
    corvString trimmed(text);
    trimmed.Trim();
    const std::u16string_view digits = trimmed.View();
    const bool hex = digits.size() > 2 && digits[0] == u'0' && (digits[1] == u'x' || digits[1] == u'X');
    const std::u16string_view body = hex ? digits.substr(2) : digits;
    if (body.empty() || body.size() > 8) return std::nullopt;
    for (char16_t ch : body) {
        const bool digit = ch >= u'0' && ch <= u'9';
        const bool hexLetter = (ch >= u'a' && ch <= u'f') || (ch >= u'A' && ch <= u'F');
        if (!digit && !(hex && hexLetter)) return std::nullopt;
    }
    return hex ? trimmed.ToUIntAutoHex() : trimmed.ToUInt();
}

// The protected identifier: the six identifier bits with their two parity bits.
unsigned ProtectedId(unsigned id) {
    auto bit = [id](int n) { return (id >> n) & 1u; };
    const unsigned p0 = bit(0) ^ bit(1) ^ bit(2) ^ bit(4);
    const unsigned p1 = (bit(1) ^ bit(3) ^ bit(4) ^ bit(5)) ^ 1u;
    return id | (p0 << 6) | (p1 << 7);
}

// The frame's length in bytes: its stated length, else the bytes its signals span.
long long ByteLength(const corvdekLINFrame& frame, const ClusterNameIndex& names) {
    if (const auto stated = WholeNumber(frame.length); stated && *stated <= 255) return *stated;
    return (frame.SignalEndBit(names) + 7) / 8;
}

// The name of the frame's length define, "k" + name + "_len".
std::u16string LengthDefine(const corvdekLINFrame& frame) {
    std::u16string define(u"k");
    return define.append(frame.name.View()).append(u"_len");
}

bool ReceivesFrom(const corvdekLINFrame& frame, const ClusterNameIndex& names,
                  const corvString& node) {
    for (int i = 0; i < frame.signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = frame.GetSignal(i, names);
        if (signal == nullptr) continue;
        for (int s = 0; s < signal->subscribers.Count(); ++s) {
            if (signal->subscribers.Item(s).Equals(node)) return true;
        }
    }
    return false;
}

void WriteDefineBlock(const corvdekLINFrame& frame, const ClusterNameIndex& names, int handle,
                      const char16_t* mode, TextLines& out) {
    const std::u16string name(frame.name.View());
    out.Line({u"#define k", name, u"_handle ", Number(handle)});
    const auto id = WholeNumber(frame.frameId);
    if (id && *id <= 63) {
        out.Line({u"#define k", name, u"_id ", Hex(*id)});
        out.Line({u"#define k", name, u"_pid ", Hex(ProtectedId(*id))});
    } else {
        out.Line({u"#error \"frame ", name, u": the frame identifier ", frame.frameId.View(),
                  u" is not a number from 0 to 63\""});
    }
    out.Line({u"#define k", name, u"_len ", Number(ByteLength(frame, names))});
    out.Line({u"#define k", name, u"_mode ", mode});
    out.Line({u" _LINAC_ l_u8 ", name, u"_pid ;"});
    out.Blank();
}

void WriteBanner(const char16_t* title, TextLines& out) {
    out.Line({kBanner});
    out.Line({title});
    out.Line({kBanner});
    out.Blank();
}

}  // namespace

bool corvdekLINGenerateMicrochip::RenderHeader(corvdekLINDefinitionFile& document, bool isMaster,
                                               int slaveIndex, std::string& header) {
    const corvdekLINNode* slave = isMaster ? nullptr : document.nodes.Get(slaveIndex);
    if (!isMaster && slave == nullptr) return false;
    const corvString& node = isMaster ? document.master.name : slave->name;
    const ClusterNameIndex names(document);

    TextLines out;
    for (const char16_t* line : kPreamble) out.Line({line});

    // Frames the node sends or receives get a define block; only they have a k..._len.
    std::vector<bool> defined(static_cast<std::size_t>(document.frames.GetCount()), false);
    int handles = 0;
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        corvdekLINFrame& frame = *document.frames.Get(i);
        frame.owner = &document;
        const char16_t* mode = frame.publisher.Equals(node)      ? u"RESPOND"
                               : ReceivesFrom(frame, names, node) ? u"RECEIVE"
                                                                  : nullptr;
        if (mode == nullptr) continue;
        defined[static_cast<std::size_t>(i)] = true;
        WriteDefineBlock(frame, names, ++handles, mode, out);
    }
    out.Line({u"#define kMaxHandle ", Number(handles)});
    out.Blank();

    WriteBanner(u"/*        typedef frame related structure                             */", out);
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        corvString text;
        document.frames.Get(i)->BuildStructTypedef(text, names);
        out.Line({text.View()});
    }
    WriteBanner(u"/*        typedef frame related unions                             */", out);
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvdekLINFrame& frame = *document.frames.Get(i);
        const std::u16string byteCount = defined[static_cast<std::size_t>(i)]
                                             ? LengthDefine(frame)
                                             : Number(ByteLength(frame, names));
        corvString text;
        frame.BuildUnionTypedef(text, byteCount);
        out.Line({text.View()});
    }
    WriteBanner(u"/*        frame related signal defines                               */", out);
    for (int i = 0; i < document.frames.GetCount(); ++i) out.Blank();
    header = out.Take();
    return true;
}

bool corvdekLINGenerateMicrochip::GenerateHeader(const corvString& path,
                                                 corvdekLINDefinitionFile& document, bool isMaster,
                                                 int slaveIndex) {
    std::string header;
    if (!RenderHeader(document, isMaster, slaveIndex, header)) return false;
    return SaveFileSafely(path, header) == SafeSaveResult::kSaved;
}
