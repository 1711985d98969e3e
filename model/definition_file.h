#pragma once
// The document: everything one LDF file describes, and the issues found while loading it
// and by the setup check.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "collection.h"
#include "comments.h"
#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"
#include "lin_entities.h"
#include "name_index.h"

// The longest statement a file may hold, in characters: a longer one fails the load. The
// writer splits a signal representation that names more signals than one statement holds;
// its other lists name nodes or frames, of which it would take thousands to fill one.
inline constexpr std::size_t kMaxStatementLength = 65000;

// A place in a loaded file: 1-based line and column; 0 where no statement is concerned
// (a file that cannot be opened).
struct SourcePlace {
    int line = 0;
    int column = 0;
};

// `lastLoadError` of a file that holds text but not one LDF statement.
inline constexpr const char16_t* kNotAnLdfFile = u"not an LDF file";

// Issue levels shared by load and setup issues.
inline constexpr const char* kLevelError = "1";
inline constexpr const char* kLevelWarning = "0";

class corvdekLINDefinitionFile {
public:
    // Load issues: four parallel lists, one entry each per issue.
    corvStringArray loadIssueTypes;
    corvStringArray loadIssueDetails;
    corvStringArray loadIssueLevels;
    std::vector<SourcePlace> loadIssuePlaces;  // where the statement of each issue starts

    bool isJ2602 = false;
    corvString protocolVersion;
    corvString languageVersion;
    corvString speed;  // kbit/s as text
    corvString channelName;
    corvString fileRevision;
    // Whether the file stated them, also as an empty text ('Channel_name = "";').
    bool channelNameGiven = false;
    bool fileRevisionGiven = false;
    // "big_endian" or "little_endian" from LIN_sig_byte_order_...; empty when not stated.
    corvString signalByteOrder;
    // The comments of the header statements, of the section keywords and the Nodes
    // section, and those before the first and after the last statement of the file.
    LdfComments comments;
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

    corvdekLINDefinitionFile() = default;
    corvdekLINDefinitionFile(const corvdekLINDefinitionFile&) = delete;
    corvdekLINDefinitionFile& operator=(const corvdekLINDefinitionFile&) = delete;

    // Empties the cluster; issue lists and loader state stay.
    void Reset();
    void AddLoadIssue(const char* type, const corvString& details, const char* level,
                      SourcePlace place = {});
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

    // Loading (ldf_reader library). False when the file cannot be opened, a statement
    // is too long, or the file is no LDF file at all (`lastLoadError` says which).
    bool LoadFromFile(const corvString& path);
    bool LoadFromBytes(std::string_view bytes);

    // Setup checks (validation library); always true.
    bool CheckSetup();
    // Takes the texts by value: a rule that builds them hands them over without a copy.
    void AddSetupIssue(const char* level, corvString type, corvString sectionKey, corvString details);
};
