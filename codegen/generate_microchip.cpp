// The C header that configures a LIN driver for one node (master or slave) on Microchip
// targets: a fixed preamble, frame defines for what the node sends and receives, and a
// structure and union per frame that overlay the frame's bytes with its signals.

#include "generate_microchip.h"

#include <cmath>
#include <string>
#include <vector>

#include "foundation/corv_file.h"
#include "foundation/name_map.h"
#include "frame_layout.h"
#include "foundation/text_lines.h"
#include "model/definition_file.h"
#include "model/ldf_numbers.h"
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
};

// After the cluster's own time base, speed and version.
constexpr const char16_t* kPreambleTail[] = {
    u"",
    kBanner,
    u"/* *         system specific handle description                     * */",
    kBanner,
    u"",
    u"extern volatile l_u8  idnumber_b;",
    u"#define SetupLinDrv(handle)  handle",
    u"",
};

std::u16string Hex(unsigned value) {
    corvString text;
    text.SetHex(value);
    return u"0x" + std::u16string(text.View());
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
    const std::u16string_view name = frame.name.View();
    out.Line("#define k", name, "_handle ", Number(handle));
    const auto id = WholeNumber(frame.frameId);
    if (id && *id <= 63) {
        out.Line("#define k", name, "_id ", Hex(*id));
        out.Line("#define k", name, "_pid ", Hex(ProtectedId(*id)));
    } else {
        out.Line("#error \"frame ", name, ": the frame identifier ", frame.frameId.View(),
                 " is not a number from 0 to 63\"");
    }
    out.Line("#define k", name, "_len ", Number(frame.DataByteCount(names)));
    out.Line("#define k", name, "_mode ", mode);
    out.Line(" _LINAC_ l_u8 ", name, "_pid ;");
    out.Blank();
}

void WriteBanner(const char16_t* title, TextLines& out) {
    out.Line(kBanner);
    out.Line(title);
    out.Line(kBanner);
    out.Blank();
}

// Letters, digits and '_' of `text` in upper case, for a macro name.
std::u16string MacroPart(std::u16string_view text) {
    std::u16string part;
    for (char16_t ch : text) {
        const bool letterOrDigit = (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') ||
                                   (ch >= u'0' && ch <= u'9');
        part += letterOrDigit ? static_cast<char16_t>(ch >= u'a' && ch <= u'z' ? ch - 32 : ch) : u'_';
    }
    return part;
}

// The include guard, named after the cluster: its channel name, else its master's name.
std::u16string IncludeGuard(const corvdekLINDefinitionFile& document) {
    const corvString& cluster =
        document.channelName.IsEmpty() ? document.master.name : document.channelName;
    return u"LIN_CLUSTER_" + (cluster.IsEmpty() ? u"UNNAMED" : MacroPart(cluster.View())) + u"_H";
}

bool IsPlainNumber(const corvString& text) {
    const std::u16string_view digits = text.View();
    return !digits.empty() && digits.find_first_not_of(u"0123456789.") == std::u16string_view::npos &&
           digits.find(u'.') == digits.rfind(u'.');
}

// The cluster's time base (ms), speed (bit/s) and protocol version.
void WriteClusterDefines(const corvdekLINDefinitionFile& document, TextLines& out) {
    if (IsPlainNumber(document.masterTimebase)) {
        out.Line("#define kLinTimeBase ", document.masterTimebase.View());
    } else {
        out.Line("// kLinTimeBase: the cluster states no time base in ms");
    }
    const double bitsPerSecond = document.speed.ToDouble() * 1000.0;
    if (IsPlainNumber(document.speed) && bitsPerSecond >= 1.0) {
        out.Line("#define kLinBaudrate ", Number(std::llround(bitsPerSecond)));
    } else {
        out.Line("// kLinBaudrate: the cluster states no speed");
    }
    if (IsPlainNumber(document.protocolVersion)) {
        out.Line("#define kLinVersion ", document.protocolVersion.View());
    } else {
        // J2602 and ISO 17987 name their versions with letters; those are kept as text.
        std::u16string version(document.protocolVersion.View());
        std::erase(version, u'"');
        out.Line("#define kLinVersion \"", version, "\"");
    }
}

// A frame's structure or union that must not break the header of a node that does not
// use the frame: kept as a comment, whose #error lines name the fault.
std::u16string Commented(std::u16string_view text, std::u16string_view why) {
    std::u16string body(text);
    for (std::size_t at = body.find(u"*/"); at != std::u16string::npos; at = body.find(u"*/", at)) {
        body.replace(at, 2, u"* /");
    }
    return u"/* " + std::u16string(why) + u"\n" + body + u"*/\n";
}

// Get_ and Set_ macros for every scalar signal of up to 32 bits: they join the byte
// parts of a signal that crosses byte boundaries.
void WriteAccessors(std::u16string_view frame, const FrameStructure& structure, TextLines& out) {
    std::u16string get, set;  // kept from signal to signal, so that their room is made once
    for (const SignalMembers& signal : structure.signals) {
        if (signal.isByteArray || signal.size > 32) continue;
        const std::u16string_view type = signal.size > 16 ? u"l_u32" : u"l_u16";
        get.clear();
        set.clear();
        for (std::size_t k = 0; k < signal.partCount; ++k) {
            const SignalPart& part = structure.parts[signal.firstPart + k];
            const std::u16string shift = Number(part.firstBit);
            const std::u16string number = signal.IsSplit() ? Number(static_cast<long long>(k)) : u"";
            const std::u16string_view separator = signal.IsSplit() ? u"_" : u"";
            AppendPieces(get, {get.empty() ? u"" : u" | ", u"((", type, u")(f).", signal.signal, separator, number,
                               u" << ", shift, u")"});
            // Masked to the part's width, so that storing a constant draws no warning.
            AppendPieces(set, {set.empty() ? u"" : u", ", u"(f).", signal.signal, separator, number, u" = (l_u8)(((",
                               type, u")(v) >> ", shift, u") & ", Number((1 << part.bits) - 1), u")"});
        }
        out.Line("#define Get_", frame, "_", signal.signal, "(f) (", get, ")");
        out.Line("#define Set_", frame, "_", signal.signal, "(f, v) (", set, ")");
    }
}

}  // namespace

bool corvdekLINGenerateMicrochip::RenderHeader(corvdekLINDefinitionFile& document, bool isMaster,
                                               int slaveIndex, std::string& header) {
    const corvdekLINNode* slave = isMaster ? nullptr : document.nodes.Get(slaveIndex);
    if (!isMaster && slave == nullptr) return false;
    const corvString& node = isMaster ? document.master.name : slave->name;
    const ClusterNameIndex names(document);
    const int frameCount = document.frames.GetCount();

    TextLines out;
    const std::u16string guard = IncludeGuard(document);
    out.Line("#ifndef ", guard);
    out.Line("#define ", guard);
    out.Line("/* Every signal member is an unsigned char bit-field within one byte, or a byte array,");
    out.Line("   so that no compiler moves it: checked with GCC and Clang on x86-64 and i386, laid");
    out.Line("   out by the same rules for ARM and Microchip XC8 and XC16. Signals that cross a");
    out.Line("   byte are split into parts; use the Get_ and Set_ macros at the end. */");
    for (const char16_t* line : kPreamble) out.Line(line);
    WriteClusterDefines(document, out);
    for (const char16_t* line : kPreambleTail) out.Line(line);

    // Frames the node sends or receives get a define block; only they have a k..._len.
    // A second frame of a name would redefine the first one's names.
    std::vector<bool> used(static_cast<std::size_t>(frameCount), false);
    std::vector<bool> repeated(static_cast<std::size_t>(frameCount), false);
    NameList frameNames(static_cast<std::size_t>(frameCount));
    int handles = 0;
    for (int i = 0; i < frameCount; ++i) {
        corvdekLINFrame& frame = *document.frames.Get(i);
        frame.owner = &document;
        const int before = frameNames.Count();
        repeated[static_cast<std::size_t>(i)] = frameNames.Add(frame.name.View()) != before;
        const char16_t* mode = frame.publisher.Equals(node)      ? u"RESPOND"
                               : ReceivesFrom(frame, names, node) ? u"RECEIVE"
                                                                  : nullptr;
        if (mode == nullptr) continue;
        used[static_cast<std::size_t>(i)] = true;
        if (repeated[static_cast<std::size_t>(i)]) {
            out.Line("#error \"frame ", frame.name.View(), ": the frame name is used twice\"");
            continue;
        }
        WriteDefineBlock(frame, names, ++handles, mode, out);
    }
    out.Line("#define kMaxHandle ", Number(handles));
    out.Blank();

    std::vector<FrameStructure> structures;
    structures.reserve(static_cast<std::size_t>(frameCount));
    for (int i = 0; i < frameCount; ++i) {
        structures.push_back(LayOutFrame(*document.frames.Get(i), names, ByteOrderOf(document)));
    }
    // A faulty frame breaks only the header of a node that uses it.
    const auto keptAsComment = [&](int i) {
        return !used[static_cast<std::size_t>(i)] &&
               (structures[static_cast<std::size_t>(i)].hasFault ||
                !structures[static_cast<std::size_t>(i)].complete);
    };
    const std::u16string notUsed = u"Not sent or received by this node, and faulty:";

    WriteBanner(u"/*        typedef frame related structure                             */", out);
    for (int i = 0; i < frameCount; ++i) {
        const std::u16string_view name = document.frames.Get(i)->name.View();
        const std::u16string& text = structures[static_cast<std::size_t>(i)].text;
        if (repeated[static_cast<std::size_t>(i)]) {
            out.Line("/* frame ", name, ": the frame name is used twice; its structure is left out */\n");
        } else if (keptAsComment(i)) {
            out.Line(Commented(text, notUsed));
        } else {
            out.Line(text);
        }
    }
    WriteBanner(u"/*        typedef frame related unions                             */", out);
    for (int i = 0; i < frameCount; ++i) {
        if (repeated[static_cast<std::size_t>(i)]) continue;
        const corvdekLINFrame& frame = *document.frames.Get(i);
        const std::u16string byteCount = used[static_cast<std::size_t>(i)]
                                             ? LengthDefine(frame)
                                             : Number(frame.DataByteCount(names));
        corvString text;
        frame.BuildUnionTypedef(text, byteCount);
        if (keptAsComment(i)) {
            out.Line(Commented(text.View(), notUsed));
        } else {
            out.Line(text.View());
        }
    }
    WriteBanner(u"/*        frame related signal defines                               */", out);
    for (int i = 0; i < frameCount; ++i) {
        if (!repeated[static_cast<std::size_t>(i)] && !keptAsComment(i)) {
            WriteAccessors(document.frames.Get(i)->name.View(), structures[static_cast<std::size_t>(i)], out);
        }
        out.Blank();
    }
    out.Line("#endif");
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
