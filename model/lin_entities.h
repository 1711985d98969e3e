#pragma once
// The objects of a LIN cluster. Plain data: almost every value is kept as the text the
// file or the user gave, so that a file is written back as it was read. References between
// objects are names, compared exactly and case-sensitively.

#include <optional>
#include <string_view>

#include "collection.h"
#include "comments.h"
#include "foundation/corv_arrays.h"
#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;
class ClusterNameIndex;

// A slave node with its Node_attributes (the master is the document's embedded `master`).
class corvdekLINNode {
public:
    corvString name;
    corvString key;
    LdfComments comments;
    corvString protocol;
    corvString configuredNAD;
    corvString responseError;
    corvString p2Min;
    corvString stMin;
    corvString supplierId;
    corvString functionId;
    corvString responseTolerance;
    corvString variant;
    corvString initialNAD;
    corvStringArray faultStateSignals;
    corvString nAsTimeout;  // ms as text, like p2Min and stMin
    corvString nCrTimeout;
    corvString wakeupTime;
    corvString poweronTime;
    // In configuration order. An identifier is empty for a frame listed by name alone, as
    // LIN 2.1 and later list them.
    corvStringArray configurableFrameNames;
    corvStringArray configurableFrameIds;  // parallel to configurableFrameNames

    bool HasAttributes() const;
};

class corvdekLINSignal {
public:
    corvString name;
    corvString key;
    LdfComments comments;
    corvString size;
    corvString publisher;
    corvString initValue;
    corvStringArray subscribers;
    corvString encoding;  // from the representations after a load; empty for none
    bool isByteArray = false;
    corvStringArray initValues;
    corvdekLINDefinitionFile* owner = nullptr;  // set by the setup check before it runs

    // Appends this signal's setup issues to the owner's lists (validation library).
    void CheckSetup();
    void CheckSetup(const ClusterNameIndex& names);
};

// An unconditional frame.
class corvdekLINFrame {
public:
    corvdekLINDefinitionFile* owner = nullptr;  // set by the setup check and the generator
    corvString errorText;  // why the last frame-time or structure computation failed
    corvString name;
    corvString key;
    LdfComments comments;
    corvString frameId;
    corvString publisher;
    corvString length;
    corvStringArray signalNames;
    corvStringArray signalOffsets;  // parallel to signalNames

    // Setup checks (validation library).
    corvdekLINSignal* GetSignal(int index) const;
    corvdekLINSignal* GetSignal(int index, const ClusterNameIndex& names) const;
    void CheckSetup();
    void CheckSetup(const ClusterNameIndex& names);

    // Layout helpers shared by the header generator and the frames tab (codegen library).
    void SortSignalsByOffset();
    // The C structure of the frame's signals (sorts them by offset first). A signal that is
    // not defined (the result is then false), overlaps or lies outside the frame's 8 bytes
    // is named in an #error line.
    bool BuildStructTypedef(corvString& text);
    bool BuildStructTypedef(corvString& text, const ClusterNameIndex& names);
    // The union of the structure with a byte array of `byteCount` elements.
    bool BuildUnionTypedef(corvString& text, std::u16string_view byteCount) const;
    // The bit after the last signal bit (offset plus size, the largest over the signals).
    long long SignalEndBit(const ClusterNameIndex& names) const;
    // The frame's data bytes: its stated length, else the length LIN 1.3 gives its
    // identifier (2 bytes for 0-31, 4 for 32-47, 8 for 48-63), else what its signals span.
    long long DataByteCount(const ClusterNameIndex& names) const;
    bool ComputeFrameTime(double& seconds);
    // The time the frame takes on `cluster`'s bus with its stated length, else with the bytes
    // its signals span; none without a speed or with a signal the cluster lacks.
    std::optional<double> FrameTimeSeconds(const corvdekLINDefinitionFile& cluster) const;
    bool FormatFrameTime(corvString& text);
};

// Sporadic and event-triggered frames: a name and the items listed after the colon.
class corvdekLINSporadicFrame {
public:
    corvString name;
    corvStringArray frameList;
    corvString key;
    LdfComments comments;
};

// `frameList` holds '[collision resolving schedule table ,] identifier , frame {, frame}'.
class corvdekLINEventFrame {
public:
    corvString name;
    corvStringArray frameList;
    corvString key;
    LdfComments comments;

    // The position of the identifier in `frameList`: its first item that is a number, or
    // -1 without one.
    int IdPosition() const;
    corvString CollisionTable() const;
    corvString Id() const;
    corvStringArray Frames() const;
    // Rebuilds `frameList`; an empty table or identifier is left out.
    void Assign(const corvString& collisionTable, const corvString& id, const corvStringArray& frames);
};

// A frame of the Diagnostic_frames section (MasterReq or SlaveResp) as read.
class corvdekLINDiagnosticFrame {
public:
    corvString key;
    LdfComments comments;
    corvString name;
    corvString frameId;
    corvStringArray signalNames;
    corvStringArray signalOffsets;  // parallel to signalNames
    int isSlaveResponse = 0;
};

// A signal group of LIN 1.3 and 2.0: signals at bit offsets within the group's size.
class corvdekLINSignalGroup {
public:
    corvString key;
    LdfComments comments;
    corvString name;
    corvString size;
    corvStringArray signalNames;
    corvStringArray signalOffsets;  // parallel to signalNames
};

// The NAD of a slave as LIN 1.3 lists it in Diagnostic_addresses.
class corvdekLINDiagnosticAddress {
public:
    corvString key;
    LdfComments comments;
    corvString nodeName;
    corvString nad;
};

class corvdekLINScheduleTableItem {
public:
    enum Kind {
        kFrame = 0,
        kMasterReq = 1,
        kSlaveResp = 2,
        kAssignFrameId = 3,
        kUnassignFrameId = 4,
        kAssignNAD = 5,
        kFreeFormat = 6,
        kConditionalChangeNAD = 7,
        kDataDump = 8,
        kSaveConfiguration = 9,
        kAssignFrameIdRange = 10
    };

    corvString key;
    LdfComments comments;
    corvString frameName;
    corvString delay;  // milliseconds, without the unit
    corvString freeFormatData;
    // The node of AssignFrameId, UnassignFrameId, DataDump, SaveConfiguration,
    // AssignFrameIdRange, and of AssignNAD in its LIN 2.1 form 'AssignNAD { node }'.
    corvString nodeName;
    // AssignNAD in its LIN 2.0 form: initial NAD, supplier id, function id, new NAD.
    corvString nadInitial;
    corvString nadSupplierId;
    corvString nadFunctionId;
    corvString nadNew;
    // The values after the node: DataDump's five bytes, AssignFrameIdRange's frame index
    // and its optional four PIDs; all six of ConditionalChangeNAD.
    corvStringArray arguments;
    int kind = kFrame;

    // The kinds whose entry names a frame (`frameName`), and those that name a node
    // (`nodeName`; AssignNAD only in its LIN 2.1 form).
    static bool KindNamesAFrame(int kind) {
        return kind == kFrame || kind == kAssignFrameId || kind == kUnassignFrameId;
    }
    static bool KindNamesANode(int kind) {
        return kind == kAssignFrameId || kind == kUnassignFrameId || kind == kAssignNAD || kind == kDataDump ||
               kind == kSaveConfiguration || kind == kAssignFrameIdRange;
    }
};

class corvdekLINScheduleTable {
public:
    corvString name;
    corvString key;
    LdfComments comments;
    corvCollectionTemplate<corvdekLINScheduleTableItem> items;

    corvdekLINScheduleTable() = default;
    // A deep copy, its items included.
    corvdekLINScheduleTable(const corvdekLINScheduleTable& other)
        : name(other.name), key(other.key), comments(other.comments) {
        items.CopyFrom(other.items);
    }
    corvdekLINScheduleTable& operator=(const corvdekLINScheduleTable&) = delete;
};

class corvdekLINSignalEncodingTypeItem {
public:
    enum Kind { kLogical = 0, kPhysical = 1, kBcd = 2, kAscii = 3 };

    corvString key;
    LdfComments comments;
    int kind = kLogical;
    int minValue = 0;
    int maxValue = 0;
    corvString text;  // logical: the value's text; physical: the unit
    bool textGiven = false;  // the statement gave a text, also an empty one ('""')
    double scale = 0.0;
    double offset = 0.0;
};

class corvdekLINSignalEncodingTypes {
public:
    corvString key;
    LdfComments comments;
    corvString name;
    corvCollectionTemplate<corvdekLINSignalEncodingTypeItem> items;

    corvdekLINSignalEncodingTypes() = default;
    // A deep copy, its items included.
    corvdekLINSignalEncodingTypes(const corvdekLINSignalEncodingTypes& other)
        : key(other.key), comments(other.comments), name(other.name) {
        items.CopyFrom(other.items);
    }
    corvdekLINSignalEncodingTypes& operator=(const corvdekLINSignalEncodingTypes&) = delete;
};

class corvdekLINSignalRepresentations {
public:
    corvString key;
    LdfComments comments;
    corvString encodingName;
    corvStringArray signalNames;
};

class corvdekLINCompositeNode {
public:
    corvString name;
    corvString key;
    LdfComments comments;
    corvStringArray nodeNames;
};

class corvdekLINCompositeConfiguration {
public:
    corvString name;
    corvString key;
    LdfComments comments;
    corvCollectionTemplate<corvdekLINCompositeNode> compositeNodes;

    corvdekLINCompositeConfiguration() = default;
    // A deep copy, its compositeNodes included.
    corvdekLINCompositeConfiguration(const corvdekLINCompositeConfiguration& other)
        : name(other.name), key(other.key), comments(other.comments) {
        compositeNodes.CopyFrom(other.compositeNodes);
    }
    corvdekLINCompositeConfiguration& operator=(const corvdekLINCompositeConfiguration&) = delete;
};
