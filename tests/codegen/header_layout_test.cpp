// The generated header in use: a C program built from it reads every signal through the
// header's structures and Get_ macros, writes it through Set_, and compares the bits with
// the ones the LDF's offsets and sizes give. The expected bits are worked out here from the
// loaded cluster alone, never from the generator's own layout, and the program is built by
// every C and C++ compiler at hand.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "codegen/generate_microchip.h"
#include "signal_values/frame_codec.h"
#include "model/definition_file.h"
#include "support/test_support.h"

namespace {

namespace fs = std::filesystem;
using test_support::Utf8;

// ---------------------------------------------------------------------------------------
// What the LDF says

// A whole number as an LDF writes it: decimal, or hexadecimal after "0x".
std::optional<long long> Integer(std::string text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(" \t") - first + 1);
    bool negative = false;
    if (text[0] == '-') {
        negative = true;
        text.erase(0, 1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.erase(0, 2);
    }
    if (text.empty() || text.size() > 12) return std::nullopt;
    long long value = 0;
    for (const char ch : text) {
        int digit = 0;
        if (ch >= '0' && ch <= '9') digit = ch - '0';
        else if (base == 16 && ch >= 'a' && ch <= 'f') digit = ch - 'a' + 10;
        else if (base == 16 && ch >= 'A' && ch <= 'F') digit = ch - 'A' + 10;
        else return std::nullopt;
        value = value * base + digit;
    }
    return negative ? -value : value;
}

struct SignalPlace {
    std::string name;
    long long offset = 0;
    long long size = 0;
    bool isByteArray = false;
};

struct FrameFacts {
    std::string name;
    bool validId = false;     // a number from 0 to 63
    long long length = 0;     // data bytes
    bool repeatedName = false;  // an earlier frame has the name
    std::string fault;        // why no clean structure can be laid out; empty when it can
    std::vector<SignalPlace> signals;  // by offset; only when the layout is clean
    std::set<std::string> users;       // the publisher and the subscribers of its signals
    bool bigEndian = false;            // a cluster of LIN_sig_byte_order_big_endian
};

struct SignalFacts {
    long long size = 0;
    bool isByteArray = false;
    std::set<std::string> subscribers;
};

// Every frame as the LDF describes it, taken before any header is rendered.
std::vector<FrameFacts> ReadFrames(const corvdekLINDefinitionFile& document) {
    std::map<std::string, SignalFacts> signalsByName;
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        SignalFacts facts;
        facts.size = Integer(Utf8(signal.size)).value_or(0);
        facts.isByteArray = signal.isByteArray;
        for (const std::string& node : Utf8(signal.subscribers)) facts.subscribers.insert(node);
        signalsByName.try_emplace(Utf8(signal.name), facts);  // the first definition counts
    }
    std::vector<FrameFacts> frames;
    std::set<std::string> frameNames;
    for (int f = 0; f < document.frames.GetCount(); ++f) {
        const corvdekLINFrame& frame = *document.frames.Get(f);
        FrameFacts facts;
        facts.name = Utf8(frame.name);
        facts.bigEndian = Utf8(document.signalByteOrder) == "big_endian";
        facts.repeatedName = !frameNames.insert(facts.name).second;
        facts.users.insert(Utf8(frame.publisher));
        const std::optional<long long> id = Integer(Utf8(frame.frameId));
        facts.validId = id && *id >= 0 && *id <= 63;

        struct Listed {
            std::string name;
            long long offset;
        };
        std::vector<Listed> listed;
        const std::vector<std::string> names = Utf8(frame.signalNames);
        const std::vector<std::string> offsets = Utf8(frame.signalOffsets);
        for (std::size_t i = 0; i < names.size(); ++i) {
            const auto offset = i < offsets.size() ? Integer(offsets[i]) : std::nullopt;
            listed.push_back({names[i], offset.value_or(-1)});
            if (auto found = signalsByName.find(names[i]); found != signalsByName.end()) {
                facts.users.insert(found->second.subscribers.begin(), found->second.subscribers.end());
            }
        }
        std::stable_sort(listed.begin(), listed.end(),
                         [](const Listed& a, const Listed& b) { return a.offset < b.offset; });

        // The stated length; without one, LIN 1.3 and 2.0 give it by identifier; a frame
        // with neither spans its signals.
        const std::optional<long long> stated = Integer(Utf8(frame.length));
        if (stated && *stated >= 1 && *stated <= 255) {
            facts.length = *stated;
        } else if (frame.length.IsEmpty() && facts.validId) {
            facts.length = *id < 32 ? 2 : *id < 48 ? 4 : 8;
        } else {
            long long end = 0;
            for (const Listed& item : listed) {
                if (auto found = signalsByName.find(item.name); found != signalsByName.end()) {
                    end = std::max(end, item.offset + found->second.size);
                }
            }
            facts.length = std::min(64LL, end + 7) / 8;
        }
        const long long frameBits = std::min(64LL, 8 * facts.length);

        std::set<std::string> seen;
        long long position = 0;
        for (const Listed& item : listed) {
            const auto found = signalsByName.find(item.name);
            if (found == signalsByName.end()) {
                facts.fault = item.name + " is not defined";
                break;
            }
            const SignalFacts& signal = found->second;
            if (!seen.insert(item.name).second) {
                facts.fault = item.name + " is listed twice";
            } else if (item.offset < 0 || signal.size < 1 || item.offset + signal.size > frameBits) {
                facts.fault = item.name + " lies outside the frame";
            } else if (item.offset < position) {
                facts.fault = item.name + " overlaps the signal before it";
            } else if (signal.isByteArray && (item.offset % 8 != 0 || signal.size < 8)) {
                facts.fault = item.name + " is a byte array off a byte start";
            } else {
                facts.signals.push_back({item.name, item.offset, signal.size, signal.isByteArray});
                position = item.offset + (signal.isByteArray ? signal.size / 8 * 8 : signal.size);
            }
        }
        if (!facts.fault.empty()) facts.signals.clear();
        frames.push_back(std::move(facts));
    }
    return frames;
}

// ---------------------------------------------------------------------------------------
// Frame bytes and signal values, LSB first

constexpr int kPatternCount = 8;  // the C checks below are written for eight
constexpr unsigned char kPatterns[kPatternCount][8] = {
    {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},
    {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
    {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF},
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // a one walking up the frame
    {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F},  // a zero walking up the frame
    {0x96, 0x3C, 0xA5, 0x0F, 0x5A, 0xC3, 0x69, 0xF0},
    {0x3B, 0xE1, 0x7C, 0x52, 0x9D, 0x06, 0xF4, 0xA8},  // drawn at random, once
    {0xC7, 0x18, 0x6E, 0xB3, 0x41, 0xDA, 0x25, 0x8F},
};

using Bytes = std::vector<unsigned char>;

Bytes PatternBytes(int pattern, long long length) {
    Bytes bytes(static_cast<std::size_t>(length));
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = kPatterns[pattern][i % 8];
    return bytes;
}

bool BitOf(const Bytes& bytes, long long bit) {
    return (bytes[static_cast<std::size_t>(bit / 8)] >> (bit % 8)) & 1;
}

// The byte parts of a scalar: (first value bit, bits) for each byte it touches.
std::vector<std::pair<long long, long long>> Parts(long long offset, long long size) {
    std::vector<std::pair<long long, long long>> parts;
    for (long long bit = offset; bit < offset + size;) {
        const long long bits = std::min(offset + size - bit, 8 - bit % 8);
        parts.push_back({bit - offset, bits});
        bit += bits;
    }
    return parts;
}

// The value bit that frame bit `offset + j` carries. Little endian: bit j. Big endian: the
// signal's first byte on the bus holds its most significant bits, so the byte parts count
// down from the top.
long long ValueBit(long long offset, long long size, long long j, bool bigEndian) {
    if (!bigEndian) return j;
    for (const auto& [first, bits] : Parts(offset, size)) {
        if (j < first + bits) return size - first - bits + (j - first);
    }
    return j;
}

unsigned long long ValueAt(const Bytes& bytes, long long offset, long long size, bool bigEndian) {
    unsigned long long value = 0;
    for (long long j = 0; j < size; ++j) {
        if (BitOf(bytes, offset + j)) value |= 1ULL << ValueBit(offset, size, j, bigEndian);
    }
    return value;
}

Bytes WithValue(Bytes bytes, long long offset, long long size, unsigned long long value, bool bigEndian) {
    for (long long j = 0; j < size; ++j) {
        const auto byte = static_cast<std::size_t>((offset + j) / 8);
        const auto mask = static_cast<unsigned char>(1u << ((offset + j) % 8));
        if ((value >> ValueBit(offset, size, j, bigEndian)) & 1) bytes[byte] |= mask;
        else bytes[byte] &= static_cast<unsigned char>(~mask);
    }
    return bytes;
}

// ---------------------------------------------------------------------------------------
// Reading the header

// The header without its comments (string literals kept).
std::string WithoutComments(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '"') {
            const std::size_t start = i++;
            while (i < text.size() && text[i] != '"' && text[i] != '\n') i += text[i] == '\\' ? 2 : 1;
            out += text.substr(start, i - start + 1);
        } else if (text.compare(i, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", i + 2);
            i = end == std::string::npos ? text.size() : end + 1;
            out += ' ';
        } else if (text.compare(i, 2, "//") == 0) {
            i = std::min(text.find('\n', i), text.size()) - 1;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string> ErrorLines(const std::string& code) {
    std::vector<std::string> lines;
    std::istringstream in(code);
    for (std::string line; std::getline(in, line);) {
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string::npos && line.compare(first, 6, "#error") == 0) lines.push_back(line);
    }
    return lines;
}

std::string RegexName(const std::string& name) {
    std::string escaped;
    for (const char ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch)) && ch != '_') escaped += '\\';
        escaped += ch;
    }
    return escaped;
}

bool HasMember(const std::string& structure, const std::string& member, const char* follower) {
    return std::regex_search(structure,
                             std::regex("[\\s;]" + RegexName(member) + "\\s*" + follower));
}

bool HasMacro(const std::string& code, const std::string& name) {
    return code.find("#define " + name + "(") != std::string::npos;
}

// The "typedef struct { ... } _c_<frame>Type;" of a frame, or empty.
std::string StructureOf(const std::string& code, const std::string& frame) {
    const std::string end = "} _c_" + frame + "Type;";
    const std::size_t to = code.find(end);
    if (to == std::string::npos) return {};
    const std::size_t from = code.rfind("typedef struct", to);
    return from == std::string::npos ? std::string() : code.substr(from, to + end.size() - from);
}

// ---------------------------------------------------------------------------------------
// The C programs. A node's checks are tables (expected values worked out here) walked by
// the main program, which keeps them quick to compile however many signals a cluster has.

std::string CString(const std::string& text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\') quoted += '\\';
        quoted += ch;
    }
    return quoted + "\"";
}

std::string Hex(unsigned long long value) {
    std::ostringstream out;
    out << "0x" << std::hex << std::uppercase << value;
    return out.str();
}

std::string List(const std::vector<unsigned long long>& values, const char* suffix = "") {
    std::string list = "{";
    for (std::size_t i = 0; i < values.size(); ++i) list += (i ? ", " : "") + Hex(values[i]) + suffix;
    return list + "}";
}

// Declarations for the node programs; only the main program uses the C library, so a
// compiler without one can still check the node programs.
constexpr const char* kChecksHeader = R"(#ifndef TABREL_CHECKS_H
#define TABREL_CHECKS_H
#include <stddef.h>
/* A value known at compile time, like the number of bytes of a structure. */
struct tabrel_fact {
    const char* what;
    unsigned long long got, expected;
};
/* A signal, array element or byte part read from every pattern in the frame's bytes. */
struct tabrel_read {
    const char* what;
    unsigned long long (*get)(const void* frame, int index);
    int index;
    size_t unionBytes, frameBytes;  /* sizeof the union, sizeof its _c */
    unsigned long long expected[8];  /* one per pattern */
};
/* A value stored with Set_ into a union filled with 0x00 or 0xFF. */
struct tabrel_store {
    const char* what;
    void (*set)(void* frame, unsigned long long value);
    size_t unionBytes, frameBytes, length;
    unsigned char fill;
    unsigned long long value;
    unsigned char expected[8];
};
int tabrel_facts(const struct tabrel_fact* rows);
int tabrel_reads(const struct tabrel_read* rows);
int tabrel_stores(const struct tabrel_store* rows);
#endif
)";

std::string MainProgram(int nodeCount) {
    std::string text = "#include <stdio.h>\n#include \"checks.h\"\n";
    text += "static const unsigned char patterns[8][8] = {\n";
    for (const auto& pattern : kPatterns) {
        text += "    " + List(std::vector<unsigned long long>(pattern, pattern + 8)) + ",\n";
    }
    text += R"(};
static union { unsigned char c[512]; unsigned long long align; } frame;
int tabrel_facts(const struct tabrel_fact* rows) {
    int bad = 0;
    for (; rows->what; ++rows) {
        if (rows->got == rows->expected) continue;
        printf("%s: got %llu, expected %llu\n", rows->what, rows->got, rows->expected);
        ++bad;
    }
    return bad;
}
int tabrel_reads(const struct tabrel_read* rows) {
    int bad = 0;
    for (; rows->what; ++rows) {
        int p;
        for (p = 0; p < 8; ++p) {
            size_t i;
            unsigned long long got;
            for (i = 0; i < rows->frameBytes; ++i) frame.c[i] = patterns[p][i % 8];
            got = rows->get(frame.c, rows->index);
            if (got == rows->expected[p]) continue;
            printf("%s, pattern %d: got 0x%llX, expected 0x%llX\n", rows->what, p, got, rows->expected[p]);
            ++bad;
        }
    }
    return bad;
}
int tabrel_stores(const struct tabrel_store* rows) {
    int bad = 0;
    for (; rows->what; ++rows) {
        size_t i, count = rows->length;
        if (count > rows->frameBytes) count = rows->frameBytes;
        if (count > 8) count = 8;
        for (i = 0; i < rows->unionBytes; ++i) frame.c[i] = rows->fill;
        rows->set(frame.c, rows->value);
        for (i = 0; i < count && frame.c[i] == rows->expected[i]; ++i) {}
        if (i == count) continue;
        printf("%s: Set_ 0x%llX over 0x%02X: bytes", rows->what, rows->value, rows->fill);
        for (i = 0; i < count; ++i) printf(" %02X", frame.c[i]);
        printf(", expected");
        for (i = 0; i < count; ++i) printf(" %02X", rows->expected[i]);
        printf("\n");
        ++bad;
    }
    return bad;
}
)";
    for (int n = 0; n < nodeCount; ++n) text += "int tabrel_check_" + std::to_string(n) + "(void);\n";
    text += "int main(void) {\n    int bad = 0;\n";
    for (int n = 0; n < nodeCount; ++n) text += "    bad += tabrel_check_" + std::to_string(n) + "();\n";
    text += "    return bad == 0 ? 0 : 1;\n}\n";
    return text;
}

struct NodeCheck {
    std::string label;         // "master M" or "slave A"
    std::string nodeName;
    std::string header;        // as rendered
    std::string code;          // the header without comments
    int framesChecked = 0;
    int signalsChecked = 0;
    int framesAsBefore = 0;  // written as for a node checked before: only the lengths checked
    std::vector<std::string> missing;  // signals of clean frames without accessor, array or part
};

// The two programs of a node's header: `checks` reads and writes every signal of every
// clean frame whose union the header declares, and (unless TABREL_NO_CONSTANTS) stores
// each scalar's largest value as a constant, the way an application writes
// Set_F_S(f, 5); `lengths` checks the frame lengths at compile time.
struct NodePrograms {
    std::string checks, lengths;
};

// The text that decides how a frame's signals behave: the preamble, the frame's structure,
// union and macros. Nodes of a cluster mostly share it; it is run once per cluster.
std::string FrameText(const std::string& code, const std::string& frame, const std::string& structure) {
    std::string text = code.substr(0, code.find("#define SetupLinDrv")) + structure;
    const std::size_t unionEnd = code.find("} _c_" + frame + "Buf;");
    const std::size_t unionStart = code.rfind("typedef union", unionEnd);
    if (unionStart != std::string::npos) text += code.substr(unionStart, unionEnd - unionStart);
    std::istringstream in(code);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("#define Get_" + frame + "_") || line.starts_with("#define Set_" + frame + "_")) {
            text += line + "\n";
        }
    }
    return text;
}

NodePrograms NodeProgram(int index, const std::string& headerName, const std::vector<FrameFacts>& frames,
                         NodeCheck& node, std::set<std::string>& framesRun) {
    std::string functions, facts, reads, stores, constants, lengths;
    int functionCount = 0;
    std::set<std::string> written;
    for (const FrameFacts& frame : frames) {
        if (frame.repeatedName || !frame.fault.empty() || !written.insert(frame.name).second) continue;
        const std::string& F = frame.name;
        const std::string where = node.label + " frame " + F;
        const std::string structure = StructureOf(node.code, F);
        const bool declared = !structure.empty() &&
                              node.code.find("} _c_" + F + "Buf;") != std::string::npos;
        if (!declared) {
            for (const SignalPlace& signal : frame.signals) {
                node.missing.push_back(F + "." + signal.name + " (no structure or union for the frame)");
            }
            continue;
        }
        // The code below is kept only for a frame text not run before.
        const bool runBefore = !framesRun.insert(FrameText(node.code, F, structure)).second;
        ++(runBefore ? node.framesAsBefore : node.framesChecked);
        const std::size_t functionsFrom = functions.size(), readsFrom = reads.size(),
                          storesFrom = stores.size(), constantsFrom = constants.size();
        const bool used = frame.users.count(node.nodeName) != 0;
        const std::string len = std::to_string(frame.length);
        const std::string buf = "_c_" + F + "Buf";
        const std::string sizes = "sizeof(" + buf + "), sizeof(((" + buf + "*)0)->_c)";
        facts += "    {" + CString(where + ": sizeof _c") + ", sizeof(((" + buf + "*)0)->_c), " + len + "},\n";
        facts += "#ifdef k" + F + "_len\n    {" + CString(where + ": k" + F + "_len") + ", k" + F +
                 "_len, " + len + "},\n";
        if (used) facts += "#else\n    {" + CString(where + ": no k" + F + "_len for a frame the node uses") + ", 1, 0},\n";
        facts += "#endif\n";
        lengths += "typedef char tabrel_bytes_" + F + "[(sizeof(((" + buf + "*)0)->_c) == " + len + ") ? 1 : -1];\n";
        if (used) lengths += "typedef char tabrel_len_" + F + "[(k" + F + "_len == " + len + ") ? 1 : -1];\n";
        constants += "    {\n        " + buf + " buf = {{0}};\n";

        // A read row per pattern: the expected values of one getter.
        auto addRead = [&](const std::string& what, const std::string& getter, long long element,
                           long long offset, long long size) {
            std::vector<unsigned long long> expected;
            for (int p = 0; p < kPatternCount; ++p) expected.push_back(ValueAt(PatternBytes(p, frame.length), offset, size, frame.bigEndian));
            reads += "    {" + CString(what) + ", " + getter + ", " + std::to_string(element) + ", " + sizes + ", " +
                     List(expected, "ull") + "},\n";
        };
        for (const SignalPlace& signal : frame.signals) {
            const std::string& S = signal.name;
            const std::string at = where + " signal " + S + " (offset " + std::to_string(signal.offset) +
                                   ", size " + std::to_string(signal.size) + ")";
            const std::string member = "((const " + buf + "*)p)->" + F + "." + S;
            const std::string getter = "tabrel_get_" + std::to_string(++functionCount);
            if (signal.isByteArray) {
                if (!HasMember(structure, S, "\\[")) {
                    node.missing.push_back(F + "." + S + " (no byte array)");
                    continue;
                }
                functions += "static unsigned long long " + getter + "(const void* p, int k) { return " +
                             member + "[k]; }\n";
                facts += "    {" + CString(at + ": sizeof") + ", sizeof(((" + buf + "*)0)->" + F + "." + S +
                         "), " + std::to_string(signal.size / 8) + "},\n";
                for (long long k = 0; k < signal.size / 8; ++k) {
                    addRead(at + " [" + std::to_string(k) + "]", getter, k, signal.offset + 8 * k, 8);
                }
            } else if (signal.size > 32) {
                // No accessor; its byte parts still hold its bits.
                const auto parts = Parts(signal.offset, signal.size);
                std::string cases;
                bool complete = true;
                for (std::size_t k = 0; k < parts.size(); ++k) {
                    const std::string part = S + "_" + std::to_string(k);
                    if (!HasMember(structure, part, ":")) {
                        node.missing.push_back(F + "." + part + " (no part)");
                        complete = false;
                    }
                    cases += " case " + std::to_string(k) + ": return " + member + "_" + std::to_string(k) + ";";
                }
                if (!complete) continue;
                functions += "static unsigned long long " + getter + "(const void* p, int k) { switch (k) {" +
                             cases + " } return ~0ull; }\n";
                for (std::size_t k = 0; k < parts.size(); ++k) {
                    addRead(at + " part " + S + "_" + std::to_string(k), getter, static_cast<long long>(k),
                            signal.offset + parts[k].first, parts[k].second);
                }
            } else {
                const std::string name = F + "_" + S;
                if (!HasMacro(node.code, "Get_" + name) || !HasMacro(node.code, "Set_" + name)) {
                    node.missing.push_back(F + "." + S + " (no Get_/Set_ " + name + ")");
                    continue;
                }
                const std::string setter = "tabrel_set_" + std::to_string(functionCount);
                functions += "static unsigned long long " + getter + "(const void* p, int k) { (void)k; return Get_" +
                             name + "(((const " + buf + "*)p)->" + F + "); }\n";
                functions += "static void " + setter + "(void* p, unsigned long long v) { Set_" + name + "(((" +
                             buf + "*)p)->" + F + ", v); }\n";
                addRead(at + ": Get_", getter, 0, signal.offset, signal.size);
                const unsigned long long mask = (1ULL << signal.size) - 1;
                constants += "        Set_" + name + "(buf." + F + ", " + Hex(mask) + "u);\n";
                const struct {
                    unsigned char fill;  // around the signal
                    unsigned long long value;
                } values[] = {{0x00, mask}, {0x00, 0xA5A5A5A5ULL & mask}, {0x00, 1},
                              {0xFF, 0}, {0xFF, 0x5A5A5A5AULL & mask}};
                for (const auto& value : values) {
                    const Bytes base(static_cast<std::size_t>(std::min(frame.length, 8LL)), value.fill);
                    const Bytes expected = WithValue(base, signal.offset, signal.size, value.value, frame.bigEndian);
                    stores += "    {" + CString(at) + ", " + setter + ", " + sizes + ", " + len + ", " +
                              Hex(value.fill) + ", " + Hex(value.value) + "ull, " +
                              List(std::vector<unsigned long long>(expected.begin(), expected.end())) + "},\n";
                }
            }
            if (!runBefore) ++node.signalsChecked;
        }
        constants += "        bad += buf._c[0];\n    }\n";
        if (runBefore) {
            functions.resize(functionsFrom);
            reads.resize(readsFrom);
            stores.resize(storesFrom);
            constants.resize(constantsFrom);
        }
    }
    const std::string includes = "#include \"checks.h\"\n#include \"" + headerName + "\"\n#include \"" +
                                 headerName + "\"  /* a second time: the include guard */\n";
    const std::string n = std::to_string(index);
    NodePrograms programs;
    programs.checks = includes + functions + "static const struct tabrel_fact facts[] = {\n" + facts +
                      "    {0, 0, 0}};\nstatic const struct tabrel_read reads[] = {\n" + reads +
                      "    {0, 0, 0, 0, 0, {0}}};\nstatic const struct tabrel_store stores[] = {\n" + stores +
                      "    {0, 0, 0, 0, 0, 0, 0, {0}}};\nint tabrel_check_" + n +
                      "(void) { return tabrel_facts(facts) + tabrel_reads(reads) + tabrel_stores(stores); }\n" +
                      "#ifndef TABREL_NO_CONSTANTS\nint tabrel_constants_" + n + "(void) {\n    int bad = 0;\n" +
                      constants + "    return bad;\n}\n#endif\n";
    programs.lengths = includes + lengths;
    return programs;
}

// ---------------------------------------------------------------------------------------
// Compilers

std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char ch : text) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
    return quoted + "'";
}

int Run(const std::string& command) {
    const int status = std::system(command.c_str());
    return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string FirstLines(const std::string& text, int count) {
    std::istringstream in(text);
    std::string lines;
    int n = 0;
    for (std::string line; std::getline(in, line);) {
        if (n++ == count) return lines + "...\n";
        lines += line + "\n";
    }
    return lines;
}

// The compiler's error lines, the first few of them, and how many there are.
std::string Errors(const std::string& log) {
    std::istringstream in(log);
    std::string lines;
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.find("in expansion of macro") != std::string::npos && count <= 6) {
            lines += "    " + line + "\n";  // gcc names the macro after the error
        }
        if (line.find("error") == std::string::npos) continue;
        if (++count <= 6) lines += "  " + line + "\n";
    }
    if (count == 0) return FirstLines(log, 10);
    return lines + (count > 6 ? "  ... " + std::to_string(count) + " errors in all\n" : "");
}

struct Compiler {
    std::string label;
    std::string command;  // with the language and its flags
    bool runs = true;     // false: the program is only compiled
};

fs::path MakeWorkDir(const std::string& what) {
    const fs::path dir = fs::path(::testing::TempDir()) /
                         ("tabrel_layout_" + what + "_" + std::to_string(::getpid()) + "_" +
                          std::to_string(std::random_device{}()));
    fs::create_directories(dir);
    return dir;
}

bool Installed(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path == nullptr ? "" : path);
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (!folder.empty() && ::access((fs::path(folder) / program).c_str(), X_OK) == 0) return true;
    }
    return false;
}

// The compilers found here, probed once per test process.
const std::vector<Compiler>& Compilers() {
    static const std::vector<Compiler> compilers = [] {
        std::vector<Compiler> found;
        const fs::path dir = MakeWorkDir("probe");
        const std::string probe = (dir / "probe.c").string();
        std::ofstream(probe) << "#include <stdio.h>\nint main(void) { printf(\"%d\\n\", (int)sizeof(long)); return 0; }\n";
        // The node programs need no C library, so a compiler without one still checks them.
        const std::string bare = (dir / "bare.c").string();
        std::ofstream(bare) << "#include <stddef.h>\nint bare(void) { return (int)sizeof(size_t); }\n";
        const std::string out = ShellQuoted((dir / "probe").string());
        const std::string quiet = " > " + ShellQuoted((dir / "probe.log").string()) + " 2>&1";
        const std::string flags = " -Wall -Werror=overflow -O0";
        // A compiler for this machine is taken when it is installed; one for another
        // target must show that it can build and run a program here.
        const struct {
            Compiler compiler;
            bool otherTarget;
        } candidates[] = {
            {{"cc as C", "cc -x c -std=c99" + flags}, false},
            {{"g++ as C++", "g++ -x c++" + flags}, false},
            {{"clang as C", "clang -x c -std=c99 -Werror=bitfield-constant-conversion" + flags}, false},
            {{"clang++ as C++", "clang++ -x c++ -Werror=bitfield-constant-conversion" + flags}, false},
            {{"gcc -m32 as C", "gcc -m32 -x c -std=c99" + flags}, true},
        };
        for (const auto& [candidate, otherTarget] : candidates) {
            const std::string program = candidate.command.substr(0, candidate.command.find(' '));
            if (!otherTarget ? Installed(program)
                             : Run(candidate.command + " -o " + out + " " + ShellQuoted(probe) + quiet) == 0 &&
                                   Run(out + quiet) == 0) {
                found.push_back(candidate);
            } else if (otherTarget &&
                       Run(candidate.command + " -fsyntax-only " + ShellQuoted(bare) + quiet) == 0) {
                std::cout << "[ note     ] " << candidate.label
                          << " compiles but cannot link or run here: its programs are only compiled\n";
                found.push_back({candidate.label, candidate.command, false});
            } else {
                std::cout << "[ note     ] " << candidate.label << " is not available: skipped\n";
            }
        }
        fs::remove_all(dir);
        return found;
    }();
    return compilers;
}

struct BuildResult {
    bool compiled = false;
    std::string log;     // the compiler's messages
    int exitCode = -1;   // the program's, when it ran
    std::string output;  // the program's
};

BuildResult Build(const Compiler& compiler, const fs::path& dir, const std::vector<std::string>& sources,
                  const std::string& defines = "") {
    BuildResult result;
    const std::string exe = ShellQuoted((dir / "check").string());
    const std::string log = (dir / "compile.log").string();
    std::string command = compiler.command + " " + defines + " -I" + ShellQuoted(dir.string());
    command += compiler.runs ? " -o " + exe : std::string(" -fsyntax-only");
    for (const std::string& source : sources) {
        // main.c prints with the C library; the node programs alone need none.
        if (compiler.runs || source != "main.c") command += " " + ShellQuoted((dir / source).string());
    }
    fs::remove(dir / "check");
    result.compiled = Run(command + " > " + ShellQuoted(log) + " 2>&1") == 0;
    result.log = test_support::ReadBytes(log);
    if (!result.compiled || !compiler.runs) return result;
    const std::string output = (dir / "run.log").string();
    result.exitCode = Run(exe + " > " + ShellQuoted(output) + " 2>&1");
    result.output = test_support::ReadBytes(output);
    return result;
}

// ---------------------------------------------------------------------------------------
// One cluster: every node's header in one program per compiler

struct ClusterReport {
    std::vector<NodeCheck> nodes;   // the nodes whose header was built into the program
    std::vector<std::string> faultyNodes;  // headers with #error, as expected
    std::vector<std::string> firstErrors;  // the first #error of each
};

// The decoder reads every signal of every cleanly laid out frame as the accessors must: the
// values worked out above, for every pattern. With the compiled checks of the Get_ macros
// against the same values, the header and the decoder agree.
void ExpectDecoderAgrees(const corvdekLINDefinitionFile& document, const std::vector<FrameFacts>& frames,
                         const std::string& what) {
    for (const FrameFacts& frame : frames) {
        if (!frame.fault.empty() || frame.repeatedName || !frame.validId) continue;
        std::string why;
        const auto codec = FrameCodec::Find(document, frame.name, why);
        ASSERT_TRUE(codec) << what << ": " << why;
        ASSERT_EQ(codec->Signals().size(), frame.signals.size()) << what << " frame " << frame.name;
        std::vector<DecodedSignal> values;
        for (int p = 0; p < kPatternCount; ++p) {
            const Bytes bytes = PatternBytes(p, codec->Length());
            codec->Decode(bytes, values);
            for (std::size_t i = 0; i < values.size(); ++i) {
                const SignalPlace& signal = frame.signals[i];
                const std::string at = what + " frame " + frame.name + " signal " + signal.name + " pattern " +
                                       std::to_string(p);
                EXPECT_EQ(Utf8(corvString(values[i].signal->name)), signal.name) << at;
                if (signal.isByteArray) {
                    const auto first = bytes.begin() + signal.offset / 8;
                    EXPECT_EQ(values[i].bytes, Bytes(first, first + signal.size / 8)) << at;
                } else {
                    EXPECT_EQ(values[i].raw, ValueAt(bytes, signal.offset, signal.size, frame.bigEndian)) << at;
                }
            }
        }
    }
}

// Checks every node's header of the cluster; failures are reported on the test.
ClusterReport CheckCluster(corvdekLINDefinitionFile& document, const std::string& what,
                           bool staticLengths = false) {
    ClusterReport report;
    const std::vector<FrameFacts> frames = ReadFrames(document);  // before rendering sorts them
    ExpectDecoderAgrees(document, frames, what);
    const fs::path dir = MakeWorkDir(what);
    std::ofstream(dir / "lin_cfg.h") << "/* driver configuration stub */\n";
    std::ofstream(dir / "checks.h") << kChecksHeader;

    std::vector<std::string> sources{"main.c"}, lengthSources;
    std::set<std::string> framesRun;
    for (int n = -1; n < document.nodes.GetCount(); ++n) {
        NodeCheck node;
        node.nodeName = Utf8(n < 0 ? document.master.name : document.nodes.Get(n)->name);
        node.label = (n < 0 ? "master " : "slave ") + node.nodeName;
        EXPECT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, n < 0, std::max(n, 0), node.header))
            << node.label;
        node.code = WithoutComments(node.header);

        // A header stops with #error exactly when a frame the node uses cannot be laid out.
        std::string expectedFault;
        for (const FrameFacts& frame : frames) {
            if (frame.users.count(node.nodeName) == 0) continue;
            if (!frame.validId) expectedFault = frame.name + ": its identifier is not 0 to 63";
            else if (frame.repeatedName) expectedFault = frame.name + ": its name is used twice";
            else if (!frame.fault.empty()) expectedFault = frame.name + ": " + frame.fault;
            if (!expectedFault.empty()) break;
        }
        const std::vector<std::string> errors = ErrorLines(node.code);
        if (!expectedFault.empty()) {
            EXPECT_FALSE(errors.empty()) << what << " " << node.label << ": frame " << expectedFault
                                         << ", yet the header has no #error";
            if (!errors.empty()) {
                report.faultyNodes.push_back(node.label);
                report.firstErrors.push_back(errors[0]);
                continue;
            }
        } else if (!errors.empty()) {
            ADD_FAILURE() << what << " " << node.label
                          << ": the frames it uses are clean, yet the header has #error: " << errors[0];
            continue;
        }
        const std::string stem = "node" + std::to_string(report.nodes.size());
        const NodePrograms programs =
            NodeProgram(static_cast<int>(report.nodes.size()), stem + ".h", frames, node, framesRun);
        std::ofstream(dir / (stem + ".h"), std::ios::binary) << node.header;
        std::ofstream(dir / (stem + ".c")) << programs.checks;
        std::ofstream(dir / (stem + "_lengths.c")) << programs.lengths;
        sources.push_back(stem + ".c");
        lengthSources.push_back(stem + "_lengths.c");
        EXPECT_TRUE(node.missing.empty())
            << what << " " << node.label << ": signals the header gives no way to reach:\n  "
            << ::testing::PrintToString(node.missing);
        report.nodes.push_back(std::move(node));
    }
    std::ofstream(dir / "main.c") << MainProgram(static_cast<int>(report.nodes.size()));

    bool failed = ::testing::Test::HasFailure();
    for (const Compiler& compiler : report.nodes.empty() ? std::vector<Compiler>() : Compilers()) {
        if (staticLengths) {
            const BuildResult lengths = Build({compiler.label, compiler.command, false}, dir, lengthSources);
            EXPECT_TRUE(lengths.compiled) << what << ", " << compiler.label
                                          << ": the frame lengths checked at compile time differ:\n"
                                          << Errors(lengths.log);
        }
        BuildResult result = Build(compiler, dir, sources);
        if (!result.compiled) {
            // Without the constant stores, the layout can still be checked.
            const BuildResult withoutConstants = Build(compiler, dir, sources, "-DTABREL_NO_CONSTANTS");
            if (withoutConstants.compiled) {
                ADD_FAILURE() << what << ", " << compiler.label
                              << ": Set_ with a constant value does not compile:\n" << Errors(result.log);
            } else {
                ADD_FAILURE() << what << ", " << compiler.label << ": the checks do not compile:\n"
                              << Errors(withoutConstants.log);
            }
            result = withoutConstants;
        }
        EXPECT_TRUE(!result.compiled || !compiler.runs || result.exitCode == 0)
            << what << ", " << compiler.label << ": exit code " << result.exitCode << ", mismatches:\n"
            << FirstLines(result.output, 40);
    }
    failed = failed || ::testing::Test::HasFailure();
    if (failed) {
        std::cout << "[ note     ] the programs of " << what << " are kept in " << dir.string() << "\n";
    } else {
        fs::remove_all(dir);
    }
    return report;
}

// ---------------------------------------------------------------------------------------
// The sample files

class HeaderLayout : public ::testing::TestWithParam<fs::path> {};

TEST_P(HeaderLayout, EverySignalReadsAndWritesTheBitsOfItsOffsetAndSize) {
    if (Compilers().empty()) GTEST_SKIP() << "no C or C++ compiler here";
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(document.LoadFromFile(test_support::Path(GetParam())));
    const ClusterReport report = CheckCluster(document, GetParam().stem().string());
    for (const NodeCheck& node : report.nodes) {
        std::cout << "[ checked  ] " << node.label << ": " << node.framesChecked << " frames, "
                  << node.signalsChecked << " signals; " << node.framesAsBefore
                  << " frames written as for a node before, their lengths checked\n";
    }
    for (std::size_t i = 0; i < report.faultyNodes.size(); ++i) {
        std::cout << "[ skipped  ] " << report.faultyNodes[i] << ": its header stops with "
                  << report.firstErrors[i] << "\n";
    }
}

INSTANTIATE_TEST_SUITE_P(SampleFiles, HeaderLayout,
                         ::testing::ValuesIn(test_support::AllSampleFiles()),
                         test_support::SampleTestName);

// ---------------------------------------------------------------------------------------
// A cluster made for the edges

// Slave A receives every frame but Far and Clash; Far has an identifier beyond 63 and
// Clash overlapping signals, both between the master and slave B.
constexpr const char* kEdgeCluster = R"(LIN_description_file;
LIN_protocol_version = "2.1";
LIN_language_version = "2.1";
LIN_speed = 19.2 kbps;

Nodes {
    Master: M, 5 ms, 1 ms;
    Slaves: A, B;
}

Signals {
    W1: 1, 0, M, A;
    W9: 9, 0, M, A;
    W17: 17, 0, M, A;
    W33: 33, 0, M, A;
    W4: 4, 0, M, A;
    X8: 8, 0, M, A;
    X16: 16, 0, M, A;
    X32: 32, 0, M, A;
    X3: 3, 0, M, A;
    Y40: 40, 0, M, A;
    Y16: 16, 0, M, A;
    Y1: 1, 0, M, A;
    Z7: 7, 0, M, A;
    ZArr: 24, {1, 2, 3}, M, A;
    Z9: 9, 0, M, A;
    N16: 16, 0, M, A;
    N9: 9, 0, M, A;
    N7: 7, 0, M, A;
    N12: 12, 0, M, A;
    FarSig: 10, 0, B, M;
    C1: 8, 0, B, M;
    C2: 8, 0, B, M;
}

Frames {
    Wide: 15, M, 8 {
        W1, 0;
        W9, 1;
        W17, 10;
        W33, 27;
        W4, 60;
    }
    Cross: 16, M, 8 {
        X8, 3;
        X16, 11;
        X32, 29;
        X3, 61;
    }
    Last: 63, M, 8 {
        Y40, 5;
        Y16, 45;
        Y1, 63;
    }
    Arrays: 17, M, 6 {
        Z7, 1;
        ZArr, 8;
        Z9, 39;
    }
    NoLen2: 31, M {
        N16, 0;
    }
    NoLen4: 32, M {
        N9, 20;
    }
    NoLen4High: 47, M {
        N7, 25;
    }
    NoLen8: 48, M {
        N12, 50;
    }
    Far: 64, B, 2 {
        FarSig, 3;
    }
    Clash: 20, B, 2 {
        C1, 0;
        C2, 4;
    }
}
)";

TEST(HeaderLayoutEdges, SizesOffsetsLengthsAndFaultyFrames) {
    if (Compilers().empty()) GTEST_SKIP() << "no C or C++ compiler here";
    corvdekLINDefinitionFile document;
    ASSERT_TRUE(test_support::LoadText(document, kEdgeCluster));
    ASSERT_EQ(document.frames.GetCount(), 10);
    ASSERT_EQ(document.nodes.GetCount(), 2);

    // What the cluster means, as the LDF gives it, before any generator runs.
    const std::vector<FrameFacts> frames = ReadFrames(document);
    std::map<std::string, long long> lengths;
    for (const FrameFacts& frame : frames) lengths[frame.name] = frame.length;
    EXPECT_EQ(lengths["NoLen2"], 2);
    EXPECT_EQ(lengths["NoLen4"], 4);
    EXPECT_EQ(lengths["NoLen4High"], 4);
    EXPECT_EQ(lengths["NoLen8"], 8);
    EXPECT_EQ(frames[9].fault, "C2 overlaps the signal before it");

    const ClusterReport report = CheckCluster(document, "edge_cluster", true);
    // The master and B use Far (identifier 64) and Clash: their headers stop with #error.
    EXPECT_EQ(report.faultyNodes, (std::vector<std::string>{"master M", "slave B"}))
        << ::testing::PrintToString(report.firstErrors);
    ASSERT_EQ(report.nodes.size(), 1u);
    const NodeCheck& a = report.nodes[0];
    EXPECT_EQ(a.label, "slave A");
    // Every frame but Clash, whose structure stays in a comment; Far is written for A.
    EXPECT_EQ(a.framesChecked, 9);
    EXPECT_EQ(a.signalsChecked, 20);
    EXPECT_TRUE(a.missing.empty());
    EXPECT_EQ(StructureOf(a.code, "Clash"), "");
    EXPECT_NE(a.header.find("_c_ClashType"), std::string::npos) << "Clash is kept as a comment";

    // A header with #error must in fact stop a compiler.
    const fs::path dir = MakeWorkDir("edge_errors");
    std::ofstream(dir / "lin_cfg.h") << "/* driver configuration stub */\n";
    for (const bool isMaster : {true, false}) {
        std::string header;
        ASSERT_TRUE(corvdekLINGenerateMicrochip::RenderHeader(document, isMaster, 1, header));
        const std::vector<std::string> errors = ErrorLines(WithoutComments(header));
        ASSERT_FALSE(errors.empty());
        EXPECT_NE(errors[0].find("Far"), std::string::npos) << errors[0];
        std::ofstream(dir / "node.h", std::ios::binary) << header;
        std::ofstream(dir / "use.c") << "#include \"node.h\"\nint tabrel_check_0(void) { return 0; }\n";
        for (const Compiler& compiler : Compilers()) {
            const BuildResult result = Build({compiler.label, compiler.command, false}, dir, {"use.c"});
            EXPECT_FALSE(result.compiled) << (isMaster ? "master" : "slave B") << ", " << compiler.label;
            EXPECT_NE(result.log.find("Far"), std::string::npos) << FirstLines(result.log, 10);
        }
    }
    fs::remove_all(dir);
}

}  // namespace
