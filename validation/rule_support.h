#pragma once
// What the rules of the LIN specifications share: the document with lookups built once per
// check, the protocol generation the rules depend on, frame lengths and times, and the
// way each finding becomes a setup issue.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/name_map.h"
#include "model/definition_file.h"

// Which rules apply. Read from the protocol version, or from the language version when the
// protocol version names none of the known ones.
struct LinGeneration {
    bool lin13 = false;              // LIN 1.2 and 1.3
    bool nodeConfiguration = false;  // LIN 2.0 and later, SAE J2602, ISO 17987
    bool lin21OrLater = false;       // LIN 2.1, 2.2, 2.3, ISO 17987
};

enum class FrameKind { kUnconditional, kSporadic, kEventTriggered };

struct FrameRef {
    FrameKind kind;
    int index;  // in the collection of its kind
};

// A frame's time on the bus, in ms, for `dataBytes` data bytes at `speed` kbit/s
// (LIN 2.1, 2.3.2 Frame length: a header of 34 bit times, ten per data byte and checksum).
inline double NominalFrameMs(int dataBytes, double speed) { return (34.0 + 10.0 * (dataBytes + 1)) / speed; }
// The time a frame may take, and so the shortest slot it fits: 1.4 times the nominal time
// (LIN 2.1, 2.3.2 and 2.4.2 Frame slot).
inline double MaximumFrameMs(int dataBytes, double speed) { return 1.4 * NominalFrameMs(dataBytes, speed); }

// How often a name occurs among the objects of a kind, and the position of the first.
struct NameUse {
    int count = 0;
    int first = -1;
};

// The names of one or more collections, counted once and then asked by the position of an
// object: the objects of each collection counted take the next positions.
class NameUses {
public:
    template <typename Collection>
    void Count(const Collection& collection) {
        byPosition_.reserve(byPosition_.size() + static_cast<std::size_t>(collection.GetCount()));
        for (int i = 0; i < collection.GetCount(); ++i) {
            const int position = static_cast<int>(byPosition_.size());
            byPosition_.push_back(Use(collection.Get(i)->name.View(), position));
        }
    }
    // A name that counts with the others but belongs to no position (the master among the
    // slaves).
    void CountNameOnly(std::u16string_view name) { Use(name, -1); }
    // Counts the document's signals, whose names the index has told apart already; for uses
    // that count nothing else.
    void CountSignals(const ClusterNameIndex& names, int count);
    // The uses of the name of the object at `position`.
    const NameUse& At(int position) const { return uses_[byPosition_[static_cast<std::size_t>(position)]]; }

private:
    // Counts one use of `name` at `position`; the index of its entry in `uses_`.
    std::size_t Use(std::u16string_view name, int position) {
        const auto entry = static_cast<std::size_t>(entries_.Add(name));
        if (entry == uses_.size()) uses_.push_back(NameUse{0, position});
        ++uses_[entry].count;
        return entry;
    }

    NameList entries_;  // the names of the entries of `uses_`
    std::vector<NameUse> uses_;
    std::vector<std::size_t> byPosition_;
};

// Visits the names of the frames a sporadic or event-triggered frame carries, in order,
// as the document holds them.
template <typename Visit>
void ForEachCarried(const corvdekLINSporadicFrame& frame, Visit visit) {
    for (int i = 0; i < frame.frameList.Count(); ++i) visit(frame.frameList.Item(i));
}
template <typename Visit>
void ForEachCarried(const corvdekLINEventFrame& frame, Visit visit) {
    for (int i = frame.IdPosition() + 1; i < frame.frameList.Count(); ++i) visit(frame.frameList.Item(i));
}

class RuleContext {
public:
    RuleContext(corvdekLINDefinitionFile& document, const ClusterNameIndex& names);

    // The memory of the maps of one check; before them, which use it.
    NameArena arena;
    corvdekLINDefinitionFile& document;
    const ClusterNameIndex& names;
    LinGeneration generation;
    std::optional<double> speed;     // kbit/s, when it is a positive number
    std::optional<double> timebase;  // ms, when it is a positive number
    NameUses signalNames;  // counted by CountSignalNames, for the rules that need it

    void CountSignalNames();
    // The bits a frame must give the signal of that name: its size, or the largest size
    // among the signals that carry the name when several do.
    unsigned SignalBits(const corvdekLINSignal& signal) const;

    // The first frame of any kind of that name.
    const FrameRef* FindFrame(std::u16string_view name) const;
    const corvdekLINFrame* FindUnconditional(std::u16string_view name) const;
    const corvdekLINNode* FindSlave(std::u16string_view name) const;
    // The unconditional frames a sporadic or event-triggered frame carries that exist; none
    // for an unconditional frame.
    template <typename Visit>
    void ForEachCarriedFrame(const FrameRef& frame, Visit visit) const {
        const auto known = [this, &visit](const corvString& name) {
            if (const corvdekLINFrame* carried = FindUnconditional(name.View())) visit(*carried);
        };
        if (frame.kind == FrameKind::kSporadic) ForEachCarried(*document.sporadicFrames.Get(frame.index), known);
        if (frame.kind == FrameKind::kEventTriggered) ForEachCarried(*document.eventFrames.Get(frame.index), known);
    }
    bool IsDiagnosticFrame(std::u16string_view name) const;
    // The data bytes of an unconditional frame: its length when that is a number from 1 to
    // 8, else, without a stated length, the length LIN 1.3 gives its identifier.
    std::optional<int> DataBytes(const corvdekLINFrame& frame) const;
    // What a schedule slot that sends the named frame carries: the longest associated frame
    // of a sporadic or event-triggered frame; unknown for a name that is no frame.
    std::optional<int> SlotDataBytes(std::u16string_view frameName) const;

    // Adds a setup issue whose type is `object` + " - " + `title`.
    void Add(const char* level, std::u16string_view object, std::u16string_view title, corvString section,
             corvString details);

private:
    struct FrameName {
        const RuleContext* context;
        std::u16string_view operator()(int position) const;
    };
    struct SlaveName {
        const corvdekLINDefinitionFile* document;
        std::u16string_view operator()(int position) const;
    };

    std::vector<FrameRef> frameRefs_;  // the unconditional, sporadic and event-triggered frames
    OrderedNamePositions<FrameName> frames_;
    OrderedNamePositions<SlaveName> slaves_;
    NameList diagnosticFrames_;
    NameMap<unsigned> repeatedSignalBits_{&arena};
};

// Texts of the findings, made of pieces with Concat.
corvString Key(std::u16string_view tab, std::u16string_view object, std::u16string_view field);
std::u16string Decimal(long long value);
// `value` as the rows show numbers of ms and %: at most three decimals, halves rounded
// away from zero.
std::u16string Decimal(double value);
// "1 byte", "2 bytes".
std::u16string Bytes(long long count);
std::u16string Hex(unsigned value, int digits);
// The text, or "(blank)" for an empty one.
std::u16string_view OrBlank(const corvString& text);

// A row for a name that is no LDF identifier, and one for the first object of a name that
// several objects of the kind carry.
void CheckObjectName(RuleContext& context, std::u16string_view tab, std::u16string_view kind,
                     const corvString& name, const NameUses& uses, int position);

// The rule families, each over one kind of object, in collection order.
void CheckNodeRules(RuleContext& context);
void CheckSignalRules(RuleContext& context);
void CheckFrameRules(RuleContext& context);
void CheckScheduleRules(RuleContext& context);
void CheckEncodingRules(RuleContext& context);
