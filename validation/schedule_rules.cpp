// Schedule tables: unique names, what each entry sends, its delay against the time base and
// the time its frame takes, and the bus load of each table.

#include <cmath>
#include <iterator>
#include <vector>

#include "lin_rules.h"
#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"ScheduleTables";
using Item = corvdekLINScheduleTableItem;

std::u16string_view CommandName(int kind) {
    constexpr const char16_t* kNames[] = {u"frame",      u"MasterReq",  u"SlaveResp",
                                          u"AssignFrameId", u"UnassignFrameId", u"AssignNAD",
                                          u"FreeFormat", u"ConditionalChangeNAD", u"DataDump",
                                          u"SaveConfiguration", u"AssignFrameIdRange"};
    return kind >= 0 && kind < static_cast<int>(std::size(kNames)) ? kNames[kind] : u"command";
}

// AssignNAD names a slave only in its LIN 2.1 form.
bool NamesASlave(const Item& item) {
    return Item::KindNamesANode(item.kind) && (item.kind != Item::kAssignNAD || !item.nodeName.IsEmpty());
}

// What goes on the bus in the slot: the frame of a frame entry; a diagnostic frame of eight
// bytes for MasterReq, SlaveResp and every command.
std::optional<int> SlotBytes(const RuleContext& context, const Item& item) {
    return item.kind == Item::kFrame ? context.SlotDataBytes(item.frameName.View()) : std::optional<int>(8);
}

// The shortest delay that fits the frame: its maximum time, rounded up to the time base.
double ShortestSlotMs(const RuleContext& context, int bytes) {
    const double longest = MaximumFrameMs(bytes, *context.speed);
    if (!context.timebase) return longest;
    return std::ceil(longest / *context.timebase - 1e-9) * *context.timebase;
}

bool IsMultiple(double value, double base) {
    const double ratio = value / base;
    return std::fabs(ratio - std::round(ratio)) < 1e-6;
}

std::vector<ScheduleSlot> SlotsOf(const RuleContext& context, const corvdekLINScheduleTable& table) {
    std::vector<ScheduleSlot> slots;
    slots.reserve(static_cast<std::size_t>(table.items.GetCount()));
    for (int i = 0; i < table.items.GetCount(); ++i) {
        const Item& item = *table.items.Get(i);
        ScheduleSlot slot;
        if (const auto delay = RealNumber(item.delay); delay && *delay > 0.0) slot.delayMs = *delay;
        const std::optional<int> bytes = SlotBytes(context, item);
        if (context.speed && bytes) {
            slot.frameMs = NominalFrameMs(*bytes, *context.speed);
            slot.fits = slot.delayMs >= ShortestSlotMs(context, *bytes) - 1e-9;
        }
        slots.push_back(slot);
    }
    return slots;
}

ScheduleLoad LoadOf(const RuleContext& context, const std::vector<ScheduleSlot>& slots) {
    ScheduleLoad load;
    for (const ScheduleSlot& slot : slots) {
        load.cycleMs += slot.delayMs;
        if (slot.frameMs) load.busyMs += *slot.frameMs;
        if (slot.delayMs > 0.0 && !slot.fits) load.slotOverflows = true;
    }
    load.known = context.speed.has_value() && load.cycleMs > 0.0;
    return load;
}

class EntryChecks {
public:
    EntryChecks(RuleContext& context, const corvdekLINScheduleTable& table, int number, const Item& item)
        : context_(context), table_(table), number_(number), item_(item) {}

    void Run() {
        CheckWhatItSends();
        if (NamesASlave(item_) && context_.FindSlave(item_.nodeName.View()) == nullptr) {
            Add(u"command for an unknown slave", Concat({u" (", CommandName(item_.kind), u") names ",
                                                         OrBlank(item_.nodeName), u", which is not a slave."}));
        }
        CheckDelay();
    }

private:
    // A row on the entry, whose details follow "Entry <number>".
    void Add(std::u16string_view title, const corvString& details) {
        const std::u16string number = Decimal(static_cast<long long>(number_));
        context_.Add(kLevelError, table_.name.View(), title, Key(kTab, table_.name.View(), u"Entry" + number),
                     Concat({u"Entry ", number, details.View()}));
    }

    void CheckWhatItSends() {
        if (Item::KindNamesAFrame(item_.kind) && context_.FindFrame(item_.frameName.View()) == nullptr) {
            Add(u"entry names no frame", Concat({u" names ", OrBlank(item_.frameName), u", which is not a frame."}));
        }
        // LIN 2.x defines the two diagnostic frames itself (LIN 2.1, 2.3.3.4); a LIN 1.3 file
        // declares them in its Diagnostic_frames.
        const bool diagnostic = context_.generation.lin13 &&
                                (item_.kind == Item::kMasterReq || item_.kind == Item::kSlaveResp);
        const char16_t* frame = item_.kind == Item::kSlaveResp ? u"SlaveResp" : u"MasterReq";
        if (diagnostic && !context_.IsDiagnosticFrame(frame)) {
            Add(u"diagnostic entry without diagnostic frames",
                Concat({u" sends ", frame, u", but the cluster has no diagnostic frames."}));
        }
    }

    // LIN 2.1, 2.4.2 Frame slot: a slot lasts a whole number of time bases and holds the
    // longest time of its frame.
    void CheckDelay() {
        const auto delay = RealNumber(item_.delay);
        if (!delay || *delay <= 0.0) {
            Add(u"delay invalid", Concat({u" waits ", OrBlank(item_.delay), u" ms, which is not a positive number."}));
            return;
        }
        const std::optional<double>& timebase = context_.timebase;
        if (timebase && !IsMultiple(*delay, *timebase)) {
            Add(u"delay not a multiple of the time base",
                Concat({u" waits ", item_.delay.View(), u" ms; slots are multiples of the master's time base of ",
                        context_.document.masterTimebase.View(), u" ms."}));
        }
        const std::optional<int> bytes = SlotBytes(context_, item_);
        if (!context_.speed || !bytes) return;
        const double shortest = ShortestSlotMs(context_, *bytes);
        if (*delay >= shortest - 1e-9) return;
        const double nominal = NominalFrameMs(*bytes, *context_.speed);
        Add(u"slot shorter than its frame",
            Concat({u" waits ", item_.delay.View(), u" ms; its frame of ", Bytes(*bytes), u" may take ", Decimal(1.4 * nominal), u" ms (1.4 times its nominal ", Decimal(nominal),
                    u" ms), ", Decimal(shortest), u" ms in whole time bases."}));
    }

    RuleContext& context_;
    const corvdekLINScheduleTable& table_;
    int number_;  // counted from 1
    const Item& item_;
};

void CheckLoad(RuleContext& context, const corvdekLINScheduleTable& table) {
    const ScheduleLoad load = LoadOf(context, SlotsOf(context, table));
    if (!load.known || (load.Percent() <= 100.0 && !load.slotOverflows)) return;
    context.Add(kLevelWarning, table.name.View(), u"bus load", Key(kTab, table.name.View(), u"Load"),
                Concat({u"The frames take ", Decimal(load.Percent()), u" % of the cycle of ", Decimal(load.cycleMs),
                        u" ms at ", Decimal(*context.speed), u" kbit/s",
                        load.slotOverflows ? u"; a slot is shorter than its frame." : u"."}));
}

}  // namespace

void CheckScheduleRules(RuleContext& context) {
    const corvdekLINDefinitionFile& document = context.document;
    NameUses names;
    names.Count(document.scheduleTables);
    for (int t = 0; t < document.scheduleTables.GetCount(); ++t) {
        const corvdekLINScheduleTable& table = *document.scheduleTables.Get(t);
        CheckObjectName(context, kTab, u"schedule tables", table.name, names, t);
        for (int i = 0; i < table.items.GetCount(); ++i) EntryChecks(context, table, i + 1, *table.items.Get(i)).Run();
        CheckLoad(context, table);
    }
}

ScheduleTiming ScheduleTableTiming(corvdekLINDefinitionFile& document, int tableIndex) {
    const corvdekLINScheduleTable* table = document.scheduleTables.Get(tableIndex);
    if (table == nullptr) return {};
    const ClusterNameIndex names(document);
    const RuleContext context(document, names);
    ScheduleTiming timing{SlotsOf(context, *table), {}};
    timing.load = LoadOf(context, timing.slots);
    return timing;
}

ScheduleLoad ScheduleTableLoad(corvdekLINDefinitionFile& document, int tableIndex) {
    return ScheduleTableTiming(document, tableIndex).load;
}
