#pragma once
// A node capability file (NCF): the LIN slave nodes a supplier describes in the node
// capability language of LIN 2.0 to 2.2A, ISO 17987-2 and SAE J2602-3. Every value keeps
// the text it was read with (a hexadecimal product id stays hexadecimal); an empty text is
// a statement the file did not give.
//
// Comments are kept as in an LDF document: each object holds those of its lines, by slot.
// A node's slots: "" for its head line, the block keywords ("general", "diagnostic",
// "frames", "encoding", "status_management", "free_text") and the statement keywords of
// those blocks ("supplier", "NAD", "response_error", ...). A frame's and a signal's: "" for
// the head line and their statement keywords ("length", "signals", "init_value", ...; a
// signal's encoding "encoding"). The document's: "file" and "end" (before the first and
// after the last statement), "node_capability_file" and "LIN_language_version".

#include <string_view>
#include <vector>

#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"
#include "model/comments.h"
#include "model/definition_file.h"
#include "model/lin_entities.h"

// `bitrate = ...;`: the rates the node works at.
struct NcfBitrate {
    enum class Kind { kNotGiven, kAutomatic, kSelect, kFixed };
    Kind kind = Kind::kNotGiven;
    corvString min;         // automatic: the lower bound in kbps, empty for none
    corvString max;         // automatic: the upper bound
    corvStringArray rates;  // select: every rate; fixed: the one rate (kbps)
};

struct NcfSignal {
    corvString name;
    LdfComments comments;
    bool isByteArray = false;
    corvString initValue;         // a scalar signal's
    corvStringArray initValues;   // a byte array's, one a byte
    corvString size;              // bits
    corvString offset;            // the bit of the frame it starts at
    corvString encoding;          // the name of its encoding, empty for none
};

struct NcfFrame {
    bool publishes = true;  // publish, else subscribe
    corvString name;
    LdfComments comments;
    corvString messageId;  // LIN 2.0's message_ID
    corvString length;     // bytes
    corvString minPeriod;  // ms
    corvString maxPeriod;
    corvString eventTriggeredFrame;
    bool signalsGiven = false;  // a signals block, also an empty one
    std::vector<NcfSignal> signals;
};

struct NcfEncoding {
    corvString name;
    LdfComments comments;
    std::vector<corvdekLINSignalEncodingTypeItem> parts;  // each with its own comments
};

struct NcfNode {
    corvString name;
    LdfComments comments;

    // general
    corvString protocolVersion;
    corvString supplier;
    corvString function;
    corvString variant;
    NcfBitrate bitrate;
    corvString sendsWakeUpSignal;  // "yes" or "no", without the quotes
    corvString voltMin, voltMax;   // LIN 2.0's volt_range
    corvString tempMin, tempMax;   // LIN 2.0's temp_range
    corvString conformance;        // LIN 2.0, without the quotes
    bool conformanceGiven = false;

    // diagnostic
    corvStringArray nads;  // the list, or the two ends of the range
    bool nadRange = false;
    corvString diagnosticClass;
    corvString p2Min, stMin, nAsTimeout, nCrTimeout;  // ms
    bool supportSidGiven = false;
    corvStringArray supportSids;
    corvString maxMessageLength;

    std::vector<NcfFrame> frames;
    std::vector<NcfEncoding> encodings;

    // status_management
    corvString responseError;
    bool faultStateSignalsGiven = false;
    corvStringArray faultStateSignals;

    bool freeTextGiven = false;
    corvString freeText;  // without the quotes
};

// A problem of a read file, with the place of the statement it concerns.
struct NcfIssue {
    bool error = false;  // else a warning
    corvString type;
    corvString details;
    SourcePlace place;
};

class NcfDocument {
public:
    corvString languageVersion;
    LdfComments comments;
    std::vector<NcfNode> nodes;
    std::vector<NcfIssue> issues;
    corvString lastLoadError;  // why the last read failed

    // False when the file cannot be opened or holds text but no NCF statement at all
    // (`lastLoadError` says which); every other problem is an issue and the rest is read.
    bool LoadFromFile(const corvString& path);
    bool LoadFromBytes(std::string_view bytes);
};

// Whether a file of `languageVersion` is written in LIN 2.0's form (also SAE J2602-3's).
bool IsLin20Language(const corvString& languageVersion);
// The statements the language requires of every node that `node` lacks, by keyword.
std::vector<std::u16string_view> MissingStatements(const NcfNode& node, const corvString& languageVersion);

// `lastLoadError` of a file that holds text but no NCF statement.
inline constexpr const char16_t* kNotAnNcfFile = u"not an NCF file";
