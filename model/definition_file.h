#pragma once
// The document: everything one LDF file describes, the issues found while loading it and
// by the setup check, and the transient state of the loader.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "collection.h"
#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"
#include "lin_entities.h"
#include "name_index.h"

// The section a statement belongs to while a file is loaded.
enum LdfSection {
    kSectionNodes = 0,
    kSectionSignals = 1,
    kSectionFrames = 2,
    kSectionScheduleTables = 3,
    kSectionEncodingTypes = 4,
    kSectionRepresentation = 5,
    kSectionDiagnosticFrames = 6,
    kSectionEventFrames = 7,
    kSectionSporadicFrames = 8,
    kSectionDynamicFrames = 9,
    kSectionSignalGroups = 10,
    kSectionDiagnosticSignals = 11,
    kSectionNodeAttributes = 12,
    kSectionComposite = 13,
    kSectionDiagnosticAddresses = 14,
    kSectionNone = 15,
    kSectionUnknown = 16  // a block this program does not know; reported once
};

// The longest statement a file may hold, in characters: a longer one fails the load. The
// writer splits a signal representation that names more signals than one statement holds;
// its other lists name nodes or frames, of which it would take thousands to fill one.
inline constexpr std::size_t kMaxStatementLength = 65000;

// Issue levels shared by load and setup issues.
inline constexpr const char* kLevelError = "1";
inline constexpr const char* kLevelWarning = "0";

class corvdekLINDefinitionFile {
public:
    // Load issues: three parallel lists, one entry each per issue.
    corvStringArray loadIssueTypes;
    corvStringArray loadIssueDetails;
    corvStringArray loadIssueLevels;

    bool isJ2602 = false;
    corvString protocolVersion;
    corvString languageVersion;
    corvString speed;  // kbit/s as text
    corvString channelName;
    corvString fileRevision;
    // "big_endian" or "little_endian" from LIN_sig_byte_order_...; empty when not stated.
    corvString signalByteOrder;
    corvdekLINNode master;  // only its name is used
    corvCollectionTemplate<corvdekLINNode> nodes;  // the slaves
    corvCollectionTemplate<corvdekLINSignal> signals;
    corvCollectionTemplate<corvdekLINFrame> frames;
    corvCollectionTemplate<corvdekLINScheduleTable> scheduleTables;
    corvCollectionTemplate<corvdekLINSignalEncodingTypes> encodingTypes;
    corvCollectionTemplate<corvdekLINSignalRepresentations> representations;
    corvCollectionTemplate<corvdekLINCompositeConfiguration> compositeConfigurations;
    corvCollectionTemplate<corvdekLINSporadicFrame> sporadicFrames;
    corvCollectionTemplate<corvdekLINEventFrame> eventFrames;
    corvCollectionTemplate<corvdekLINDiagnosticFrame> diagnosticFrames;
    corvCollectionTemplate<corvdekLINSignal> diagnosticSignals;  // as read
    corvCollectionTemplate<corvdekLINSignalGroup> signalGroups;
    corvCollectionTemplate<corvdekLINDiagnosticAddress> diagnosticAddresses;
    // Makes the writer emit the diagnostic sections: as read, or the standard ones when
    // none were read.
    bool hasDiagnosticFrames = false;

    // Setup issues: four parallel lists, rebuilt by CheckSetup.
    corvStringArray setupIssueLevels;
    corvStringArray setupIssueTypes;
    corvStringArray setupIssueSections;
    corvStringArray setupIssueDetails;

    corvStringArray dynamicFrames;
    corvString masterJitter;    // ms as text
    corvString masterTimebase;  // ms as text
    // The SAE J2602 fields of the Master statement: header length in bits, tolerance in %.
    corvString masterMaxHeaderLength;
    corvString masterResponseTolerance;
    corvString lastLoadError;   // why the last load or save failed

    // Loader state: the statement being processed, as the file's 8-bit text without the
    // spaces around it. When a '}' stood inside the statement, `blockTail` is the text
    // before it (trimmed: the end of the block it closed, such as a byte array's values or
    // a command's arguments), `afterBlock` the text after it, and `blockTailDepth` the depth
    // inside that block. The three views point into the text handed to ProcessStatement
    // and hold only while it runs.
    std::string_view statement;
    std::string_view blockTail;
    std::string_view afterBlock;
    int blockTailDepth = -1;  // -1: no '}' with text before it
    int section = kSectionNone;
    int attributeNodeIndex = -1;
    // The block of a Node_attributes section being read names a node not known yet: its
    // statements wait for the end of the load, as the Nodes section may come later.
    struct DeferredAttributeStatement {
        corvString nodeName;
        std::string statement;
        int depth;
    };
    corvString attributeNodeName;
    std::vector<DeferredAttributeStatement> deferredAttributeStatements;
    SlaveNameLookup slaveLookup;

    corvdekLINDefinitionFile() = default;
    corvdekLINDefinitionFile(const corvdekLINDefinitionFile&) = delete;
    corvdekLINDefinitionFile& operator=(const corvdekLINDefinitionFile&) = delete;

    // Empties the cluster; issue lists and loader state stay.
    void Reset();
    void AddLoadIssue(const char* type, const corvString& details, const char* level);
    // AddLoadIssue with the details made of a lead-in followed by the current statement.
    void ReportStatement(const char* type, const char16_t* leadIn, const char* level);
    void ResolveSignalEncodings();
    // Gives the signal another encoding and moves it in `representations` with it, so that
    // the choice is saved: the signal leaves every representation that lists it (one left
    // without signals is dropped) and joins the representation of the new encoding, which
    // is added at the end when there is none. An empty name leaves it in none.
    void SetSignalEncoding(corvdekLINSignal& signal, const corvString& encodingName);
    void UpdateJ2602Flag();
    // Fills the diagnostic sections with the standard MasterReq and SlaveResp frames and
    // their byte signals, as the writer emits them when none were read; a document that
    // holds any diagnostic signal or frame is left as it is.
    void AddStandardDiagnostics();

    // Loading (ldf_reader library).
    bool LoadFromFile(const corvString& path);
    bool LoadFromBytes(std::string_view bytes);
    // One statement of the file; `opensBlock` tells that a '{' ended it. `closeAt` is the
    // position in `text` of the first '}' met while it was collected (npos for none) and
    // `closeDepth` the depth just inside that brace.
    void ProcessStatement(std::string_view text, int depth, bool opensBlock,
                          std::size_t closeAt = std::string_view::npos, int closeDepth = -1);

    // Setup checks (validation library); always true.
    bool CheckSetup();
    // Takes the texts by value: a rule that builds them hands them over without a copy.
    void AddSetupIssue(const char* level, corvString type, corvString sectionKey, corvString details);
};
