// Frames of every kind: unique names, identifiers, the length and the layout of the
// signals, the frames that sporadic and event-triggered frames carry, and frames that no
// schedule table sends.

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "foundation/name_map.h"
#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"Frames";
constexpr unsigned kLastSignalFrameId = 0x3B;

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
    void CheckName(const corvString& name) { CheckObjectName(context_, kTab, u"frames", name, names_, position_++); }

    struct Span {
        long long offset;
        long long end;  // the bit after the signal
        std::u16string_view signal;
    };

    void Add(const corvString& frame, std::u16string_view title, std::u16string_view field, corvString details,
             const char* level = kLevelError) {
        context_.Add(level, frame.View(), title, Key(kTab, frame.View(), field), std::move(details));
    }

    // Frames that a schedule table sends, directly or inside a sporadic or event-triggered
    // frame that one sends.
    void CollectScheduled() {
        for (int t = 0; t < document_.scheduleTables.GetCount(); ++t) {
            const auto& items = document_.scheduleTables.Get(t)->items;
            for (int i = 0; i < items.GetCount(); ++i) {
                if (items.Get(i)->kind == corvdekLINScheduleTableItem::kFrame) {
                    scheduled_.Add(items.Get(i)->frameName.View());
                }
            }
        }
        std::vector<std::u16string_view> carried;  // added once every table entry is in
        const auto collect = [&](const auto& frame) {
            if (!scheduled_.Contains(frame.name.View())) return;
            ForEachCarried(frame, [&](const corvString& name) { carried.push_back(name.View()); });
        };
        for (int i = 0; i < document_.sporadicFrames.GetCount(); ++i) collect(*document_.sporadicFrames.Get(i));
        for (int i = 0; i < document_.eventFrames.GetCount(); ++i) collect(*document_.eventFrames.Get(i));
        for (std::u16string_view name : carried) scheduled_.Add(name);
    }

    void CheckScheduled(const corvString& name) {
        if (scheduled_.Contains(name.View())) return;
        Add(name, u"frame in no schedule table", u"Name", Concat({u"No schedule table sends the frame ", name.View(), u"."}),
            kLevelWarning);
    }

    // LIN 2.1, 2.3.1.3 Protected identifier field and 2.8.2: 0 to 59 carry signals, 60 and 61
    // the diagnostic frames, 62 and 63 are reserved.
    void CheckIdentifier(const corvString& frame, const corvString& id) {
        const auto value = WholeNumber(id);
        if (!value || *value > kLastSignalFrameId) {
            Add(frame, u"frame identifier out of range", u"FrameId",
                Concat({u"The frame identifier ", OrBlank(id),
                        u" is not a number from 0x00 to 0x3B (0x3C and 0x3D belong to the diagnostic frames, 0x3E "
                        u"and 0x3F are reserved)."}));
            return;
        }
        const corvString*& earlier = identifierOwners_[*value];
        if (earlier == nullptr) {
            earlier = &frame;
        } else {
            Add(frame, u"frame identifier used twice", u"FrameId",
                Concat({u"The frame identifier ", id.View(), u" is also the identifier of ", earlier->View(), u"."}));
        }
    }

    // LIN 2.1, 2.3.1.4 Data: one to eight bytes; LIN 1.3 gives the length by the identifier.
    void CheckLength(const corvdekLINFrame& frame) {
        if (frame.length.IsEmpty()) {
            if (context_.generation.lin21OrLater) {
                Add(frame.name, u"frame length missing", u"Length",
                    Concat({u"LIN 2.1 and later state the length of every frame; ", frame.name.View(), u" states none."}));
            }
            return;
        }
        const auto bytes = WholeNumber(frame.length);
        if (!bytes || *bytes < 1 || *bytes > 8) {
            Add(frame.name, u"frame length out of range", u"Length",
                Concat({u"The frame length ", frame.length.View(), u" is not a number from 1 to 8."}));
            return;
        }
        // A warning: LIN 1.2 and 1.3 let the file state another length; the identifier's is
        // the convention of LIN 1.1 that slaves may still follow.
        const auto id = WholeNumber(frame.frameId);
        if (context_.generation.lin13 && id && *id <= 63 && static_cast<int>(*bytes) != Lin13DataLength(*id)) {
            Add(frame.name, u"frame length differs from its identifier", u"Length",
                Concat({u"LIN 1.3 gives the identifier ", frame.frameId.View(), u" a length of ",
                        Bytes(Lin13DataLength(*id)), u"; the frame states ",
                        frame.length.View(), u"."}),
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
        listed_.Clear();
        spans_.clear();
        for (int i = 0; i < frame.signalNames.Count(); ++i) {
            const corvString& name = frame.signalNames.Item(i);
            const corvdekLINSignal* signal = context_.names.FindSignal(name.View());
            if (signal == nullptr) continue;  // reported as a missing signal
            if (listed_.Seen(name.View())) {
                Add(frame.name, u"signal listed twice", u"Signals",
                    Concat({u"The signal ", name.View(), u" is listed more than once."}));
                continue;
            }
            static const corvString kNoOffset;
            const corvString& offsetText = i < frame.signalOffsets.Count() ? frame.signalOffsets.Item(i) : kNoOffset;
            const auto offset = WholeNumber(offsetText);
            if (!offset) {
                Add(frame.name, u"signal offset invalid", u"Signals",
                    Concat({u"The offset ", OrBlank(offsetText), u" of the signal ", name.View(),
                            u" is not a number of 0 or more."}));
                continue;
            }
            if (!frame.publisher.IsEmpty() && !signal->publisher.IsEmpty() && !signal->publisher.Equals(frame.publisher)) {
                Add(frame.name, u"signal of another publisher", u"Signals",
                    Concat({u"The frame is published by ", frame.publisher.View(), u", but its signal ", name.View(),
                            u" is published by ", signal->publisher.View(), u"."}));
            }
            const unsigned size = context_.SignalBits(*signal);
            if (size == 0) continue;  // reported as a size out of range
            const Span span{*offset, static_cast<long long>(*offset) + size, name.View()};
            if (bytes && span.end > 8LL * *bytes) {
                Add(frame.name, u"signal beyond the frame", u"Signals",
                    Concat({u"The signal ", name.View(), u" takes ", Bits(span), u", beyond the ",
                            Decimal(8LL * *bytes), u" bits of the frame's ", Bytes(*bytes), u"."}));
            }
            spans_.push_back(span);
        }
        CheckOverlaps(frame, spans_);
    }

    void CheckOverlaps(const corvdekLINFrame& frame, std::vector<Span>& spans) {
        // Signals are mostly listed in the order of their offsets already.
        const auto byOffset = [](const Span& a, const Span& b) { return a.offset < b.offset; };
        if (!std::is_sorted(spans.begin(), spans.end(), byOffset)) std::stable_sort(spans.begin(), spans.end(), byOffset);
        const Span* reaching = nullptr;  // the signal that reaches furthest so far
        for (const Span& span : spans) {
            if (reaching != nullptr && span.offset < reaching->end) {
                Add(frame.name, u"signals overlap", u"Signals",
                    Concat({u"The signals ", reaching->signal, u" (", Bits(*reaching), u") and ", span.signal, u" (",
                            Bits(span), u") share bits."}));
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
                Concat({u"The frame ", name.View(), u" that ", frame.View(), u" carries is not an unconditional frame."}));
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
                Concat({u"The frame ", carried->name.View(), u" is published by ", carried->publisher.View(),
                        u"; a sporadic frame carries frames of the master ", document_.master.name.View(), u"."}));
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
            table.IsEmpty() ? Concat({u"LIN 2.1 and later name the schedule table that resolves collisions of ",
                                      frame.name.View(), u"; it names none."})
                            : Concat({u"The collision resolving schedule table ", table.View(), u" does not exist."}));
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
                Concat({u"The frame ", carried.name.View(), u" is published by the master ", carried.publisher.View(),
                        u"; only slaves answer an event-triggered header."}));
        } else if (const auto [earlier, added] = publishers.emplace(carried.publisher.View(), carried.name.View());
                   !added) {
            Add(frame.name, u"associated frames of one publisher", u"Frames",
                Concat({u"The frames ", earlier->second, u" and ", carried.name.View(), u" are both published by ",
                        carried.publisher.View(), u"."}));
        }
        const std::optional<int> bytes = context_.DataBytes(carried);
        const std::optional<int> firstBytes = first == nullptr ? std::nullopt : context_.DataBytes(*first);
        if (bytes && firstBytes && *bytes != *firstBytes) {
            Add(frame.name, u"associated frames differ in length", u"Frames",
                Concat({u"The frame ", carried.name.View(), u" has ", Bytes(*bytes), u", the frame ",
                        first->name.View(), u" ", Decimal(static_cast<long long>(*firstBytes)), u"."}));
        }
        for (int i = 0; i < carried.signalNames.Count() && i < carried.signalOffsets.Count(); ++i) {
            const auto offset = WholeNumber(carried.signalOffsets.Item(i));
            if (!offset || *offset >= 8) continue;
            Add(frame.name, u"first byte carries a signal", u"Frames",
                Concat({u"The signal ", carried.signalNames.Item(i).View(), u" of the frame ", carried.name.View(),
                        u" lies in its first byte, which carries the protected identifier."}));
        }
    }

    RuleContext& context_;
    const corvdekLINDefinitionFile& document_;
    NameUses names_;
    int position_ = 0;  // of the frame being checked, over the three kinds
    // The name of the first frame of each identifier that carries signals.
    std::array<const corvString*, kLastSignalFrameId + 1> identifierOwners_{};
    NameList scheduled_{static_cast<std::size_t>(document_.frames.GetCount())};
    // The signals of the frame whose layout is checked; kept from frame to frame, so that
    // they cost no allocation each.
    RepeatedNames listed_;
    std::vector<Span> spans_;
};

}  // namespace

void CheckFrameRules(RuleContext& context) { FrameChecks(context).Run(); }
