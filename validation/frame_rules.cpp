// Frames of every kind: unique names, identifiers, the length and the layout of the
// signals, the frames that sporadic and event-triggered frames carry, and frames that no
// schedule table sends.

#include <algorithm>
#include <vector>

#include "foundation/name_map.h"
#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"Frames";

class FrameChecks {
public:
    explicit FrameChecks(RuleContext& context) : context_(context), document_(context.document) {
        // The kinds one after the other: unconditional, sporadic, event-triggered frames.
        names_.Count(document_.frames);
        names_.Count(document_.sporadicFrames);
        names_.Count(document_.eventFrames);
        CollectScheduled();
    }

    void Run() {
        for (int i = 0; i < document_.frames.GetCount(); ++i) CheckUnconditional(*document_.frames.Get(i));
        for (int i = 0; i < document_.sporadicFrames.GetCount(); ++i) CheckSporadic(*document_.sporadicFrames.Get(i));
        for (int i = 0; i < document_.eventFrames.GetCount(); ++i) CheckEventTriggered(*document_.eventFrames.Get(i));
    }

private:
    void CheckName(const corvString& name) { CheckUniqueName(context_, kTab, u"frames", name, names_, position_++); }

    struct Span {
        long long offset;
        long long end;  // the bit after the signal
        std::u16string_view signal;
    };

    void Add(const corvString& frame, std::u16string_view title, std::u16string_view field,
             const std::u16string& details, const char* level = kLevelError) {
        context_.Add(level, frame.View(), title, Key(kTab, frame.View(), field), details);
    }

    // Frames that a schedule table sends, directly or inside a sporadic or event-triggered
    // frame that one sends.
    void CollectScheduled() {
        for (int t = 0; t < document_.scheduleTables.GetCount(); ++t) {
            const auto& items = document_.scheduleTables.Get(t)->items;
            for (int i = 0; i < items.GetCount(); ++i) {
                if (items.Get(i)->kind == corvdekLINScheduleTableItem::kFrame) {
                    scheduled_.insert(items.Get(i)->frameName.View());
                }
            }
        }
        std::vector<std::u16string_view> carried;  // added once every table entry is in
        const auto collect = [&](const auto& frame) {
            if (scheduled_.count(frame.name.View()) == 0) return;
            ForEachCarried(frame, [&](const corvString& name) { carried.push_back(name.View()); });
        };
        for (int i = 0; i < document_.sporadicFrames.GetCount(); ++i) collect(*document_.sporadicFrames.Get(i));
        for (int i = 0; i < document_.eventFrames.GetCount(); ++i) collect(*document_.eventFrames.Get(i));
        scheduled_.insert(carried.begin(), carried.end());
    }

    void CheckScheduled(const corvString& name) {
        if (scheduled_.count(name.View()) != 0) return;
        Add(name, u"frame in no schedule table", u"Name", u"No schedule table sends the frame " + Text(name) + u".",
            kLevelWarning);
    }

    // LIN 2.1, 2.3.1.3 Protected identifier field and 2.8.2: 0 to 59 carry signals, 60 and 61
    // the diagnostic frames, 62 and 63 are reserved.
    void CheckIdentifier(const corvString& frame, const corvString& id) {
        const auto value = WholeNumber(id);
        if (!value || *value > 0x3B) {
            Add(frame, u"frame identifier out of range", u"FrameId",
                u"The frame identifier " + (id.IsEmpty() ? std::u16string(u"(blank)") : Text(id)) +
                    u" is not a number from 0x00 to 0x3B (0x3C and 0x3D belong to the diagnostic frames, 0x3E "
                    u"and 0x3F are reserved).");
            return;
        }
        const auto [earlier, added] = identifiers_.emplace(*value, frame.View());
        if (!added) {
            Add(frame, u"frame identifier used twice", u"FrameId",
                u"The frame identifier " + Text(id) + u" is also the identifier of " + std::u16string(earlier->second) +
                    u".");
        }
    }

    // LIN 2.1, 2.3.1.4 Data: one to eight bytes; LIN 1.3 gives the length by the identifier.
    void CheckLength(const corvdekLINFrame& frame) {
        if (frame.length.IsEmpty()) {
            if (context_.generation.lin21OrLater) {
                Add(frame.name, u"frame length missing", u"Length",
                    u"LIN 2.1 and later state the length of every frame; " + Text(frame.name) + u" states none.");
            }
            return;
        }
        const auto bytes = WholeNumber(frame.length);
        if (!bytes || *bytes < 1 || *bytes > 8) {
            Add(frame.name, u"frame length out of range", u"Length",
                u"The frame length " + Text(frame.length) + u" is not a number from 1 to 8.");
            return;
        }
        // A warning: LIN 1.2 and 1.3 let the file state another length; the identifier's is
        // the convention of LIN 1.1 that slaves may still follow.
        const auto id = WholeNumber(frame.frameId);
        if (context_.generation.lin13 && id && *id <= 63 && static_cast<int>(*bytes) != Lin13DataLength(*id)) {
            Add(frame.name, u"frame length differs from its identifier", u"Length",
                u"LIN 1.3 gives the identifier " + Text(frame.frameId) + u" a length of " +
                    Decimal(static_cast<long long>(Lin13DataLength(*id))) + u" bytes; the frame states " +
                    Text(frame.length) + u".",
                kLevelWarning);
        }
    }

    static std::u16string Bits(const Span& span) {
        return u"bits " + Decimal(span.offset) + u" to " + Decimal(span.end - 1);
    }

    // LIN 2.1, 2.2.3 Signal packing: each signal has its own bits within the frame, and a
    // frame carries the signals of its publisher.
    void CheckLayout(const corvdekLINFrame& frame) {
        const std::optional<int> bytes = context_.DataBytes(frame);
        NameSet listed;
        std::vector<Span> spans;
        for (int i = 0; i < frame.signalNames.Count(); ++i) {
            const corvString& name = frame.signalNames.Item(i);
            const corvdekLINSignal* signal = context_.names.FindSignal(name.View());
            if (signal == nullptr) continue;  // reported as a missing signal
            if (!listed.insert(name.View()).second) {
                Add(frame.name, u"signal listed twice", u"Signals",
                    u"The signal " + Text(name) + u" is listed more than once.");
                continue;
            }
            static const corvString kNoOffset;
            const corvString& offsetText = i < frame.signalOffsets.Count() ? frame.signalOffsets.Item(i) : kNoOffset;
            const auto offset = WholeNumber(offsetText);
            if (!offset) {
                Add(frame.name, u"signal offset invalid", u"Signals",
                    u"The offset " + (offsetText.IsEmpty() ? std::u16string(u"(blank)") : Text(offsetText)) +
                        u" of the signal " + Text(name) + u" is not a number of 0 or more.");
                continue;
            }
            if (!frame.publisher.IsEmpty() && !signal->publisher.IsEmpty() && !signal->publisher.Equals(frame.publisher)) {
                Add(frame.name, u"signal of another publisher", u"Signals",
                    u"The frame is published by " + Text(frame.publisher) + u", but its signal " + Text(name) +
                        u" is published by " + Text(signal->publisher) + u".");
            }
            const unsigned size = context_.SignalBits(*signal);
            if (size == 0) continue;  // reported as a size out of range
            const Span span{*offset, static_cast<long long>(*offset) + size, name.View()};
            if (bytes && span.end > 8LL * *bytes) {
                Add(frame.name, u"signal beyond the frame", u"Signals",
                    u"The signal " + Text(name) + u" takes " + Bits(span) + u", beyond the " +
                        Decimal(8LL * *bytes) + u" bits of the frame's " + Decimal(static_cast<long long>(*bytes)) +
                        u" bytes.");
            }
            spans.push_back(span);
        }
        CheckOverlaps(frame, spans);
    }

    void CheckOverlaps(const corvdekLINFrame& frame, std::vector<Span>& spans) {
        std::stable_sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.offset < b.offset; });
        const Span* reaching = nullptr;  // the signal that reaches furthest so far
        for (const Span& span : spans) {
            if (reaching != nullptr && span.offset < reaching->end) {
                Add(frame.name, u"signals overlap", u"Signals",
                    u"The signals " + std::u16string(reaching->signal) + u" (" + Bits(*reaching) + u") and " +
                        std::u16string(span.signal) + u" (" + Bits(span) + u") share bits.");
            }
            if (reaching == nullptr || span.end > reaching->end) reaching = &span;
        }
    }

    void CheckUnconditional(const corvdekLINFrame& frame) {
        CheckName(frame.name);
        CheckIdentifier(frame.name, frame.frameId);
        CheckLength(frame);
        CheckLayout(frame);
        CheckScheduled(frame.name);
    }

    // The frames a sporadic or event-triggered frame carries must be unconditional frames
    // (LIN 2.1, 2.3.3.2 and 2.3.3.3); null for one that is not.
    const corvdekLINFrame* Carried(const corvString& frame, const corvString& name) {
        const corvdekLINFrame* carried = context_.FindUnconditional(name.View());
        if (carried == nullptr) {
            Add(frame, u"associated frame not unconditional", u"Frames",
                u"The frame " + Text(name) + u" that " + Text(frame) + u" carries is not an unconditional frame.");
        }
        return carried;
    }

    // LIN 2.1, 2.3.3.3 Sporadic frame: the master sends them.
    void CheckSporadic(const corvdekLINSporadicFrame& frame) {
        CheckName(frame.name);
        ForEachCarried(frame, [&](const corvString& name) {
            const corvdekLINFrame* carried = Carried(frame.name, name);
            if (carried == nullptr || carried->publisher.Equals(document_.master.name)) return;
            Add(frame.name, u"associated frame not published by the master", u"Frames",
                u"The frame " + Text(carried->name) + u" is published by " + Text(carried->publisher) +
                    u"; a sporadic frame carries frames of the master " + Text(document_.master.name) + u".");
        });
        CheckScheduled(frame.name);
    }

    void CheckCollisionTable(const corvdekLINEventFrame& frame) {
        const corvString table = frame.CollisionTable();
        if (table.IsEmpty() && !context_.generation.lin21OrLater) return;
        for (int i = 0; i < document_.scheduleTables.GetCount(); ++i) {
            if (!table.IsEmpty() && document_.scheduleTables.Get(i)->name.Equals(table)) return;
        }
        Add(frame.name, u"collision resolving schedule table missing", u"CollisionTable",
            table.IsEmpty() ? u"LIN 2.1 and later name the schedule table that resolves collisions of " +
                                  Text(frame.name) + u"; it names none."
                            : u"The collision resolving schedule table " + Text(table) + u" does not exist.");
    }

    // LIN 2.1, 2.3.3.2 Event triggered frame: the frames it carries have one length, are
    // published by different slaves, and give their first byte to the protected identifier.
    void CheckEventTriggered(const corvdekLINEventFrame& frame) {
        CheckName(frame.name);
        CheckIdentifier(frame.name, frame.Id());
        CheckCollisionTable(frame);
        const corvdekLINFrame* first = nullptr;
        NameMap<std::u16string_view> publishers;
        ForEachCarried(frame, [&](const corvString& name) {
            const corvdekLINFrame* carried = Carried(frame.name, name);
            if (carried == nullptr) return;
            CheckCarriedByEvent(frame, *carried, first, publishers);
            if (first == nullptr) first = carried;
        });
        CheckScheduled(frame.name);
    }

    void CheckCarriedByEvent(const corvdekLINEventFrame& frame, const corvdekLINFrame& carried,
                             const corvdekLINFrame* first,
                             NameMap<std::u16string_view>& publishers) {
        if (carried.publisher.Equals(document_.master.name)) {
            Add(frame.name, u"associated frame published by the master", u"Frames",
                u"The frame " + Text(carried.name) + u" is published by the master " + Text(carried.publisher) +
                    u"; only slaves answer an event-triggered header.");
        } else if (const auto [earlier, added] = publishers.emplace(carried.publisher.View(), carried.name.View());
                   !added) {
            Add(frame.name, u"associated frames of one publisher", u"Frames",
                u"The frames " + std::u16string(earlier->second) + u" and " + Text(carried.name) +
                    u" are both published by " + Text(carried.publisher) + u".");
        }
        const std::optional<int> bytes = context_.DataBytes(carried);
        const std::optional<int> firstBytes = first == nullptr ? std::nullopt : context_.DataBytes(*first);
        if (bytes && firstBytes && *bytes != *firstBytes) {
            Add(frame.name, u"associated frames differ in length", u"Frames",
                u"The frame " + Text(carried.name) + u" has " + Decimal(static_cast<long long>(*bytes)) +
                    u" bytes, the frame " + Text(first->name) + u" " + Decimal(static_cast<long long>(*firstBytes)) +
                    u".");
        }
        for (int i = 0; i < carried.signalNames.Count() && i < carried.signalOffsets.Count(); ++i) {
            const auto offset = WholeNumber(carried.signalOffsets.Item(i));
            if (!offset || *offset >= 8) continue;
            Add(frame.name, u"first byte carries a signal", u"Frames",
                u"The signal " + Text(carried.signalNames.Item(i)) + u" of the frame " + Text(carried.name) +
                    u" lies in its first byte, which carries the protected identifier.");
        }
    }

    RuleContext& context_;
    const corvdekLINDefinitionFile& document_;
    NameUses names_{&context_.arena};
    int position_ = 0;  // of the frame being checked, over the three kinds
    std::unordered_map<unsigned, std::u16string_view> identifiers_;
    NameSet scheduled_{&context_.arena};
};

}  // namespace

void CheckFrameRules(RuleContext& context) { FrameChecks(context).Run(); }
