// Encoding types: unique names, physical ranges in order, and raw values that the signals
// using the encoding can hold.

#include <vector>

#include "foundation/name_map.h"
#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"Encodings";
using Part = corvdekLINSignalEncodingTypeItem;

// The raw values the parts of `type` name: logical values and the bounds of physical ranges.
bool RawRange(const corvdekLINSignalEncodingTypes& type, long long& smallest, long long& largest) {
    bool any = false;
    for (int i = 0; i < type.items.GetCount(); ++i) {
        const Part& part = *type.items.Get(i);
        if (part.kind != Part::kLogical && part.kind != Part::kPhysical) continue;
        const long long low = part.minValue;
        const long long high = part.kind == Part::kPhysical ? part.maxValue : part.minValue;
        smallest = any ? std::min(smallest, std::min(low, high)) : std::min(low, high);
        largest = any ? std::max(largest, std::max(low, high)) : std::max(low, high);
        any = true;
    }
    return any;
}

void CheckPhysicalRanges(RuleContext& context, const corvdekLINSignalEncodingTypes& type) {
    for (int i = 0; i < type.items.GetCount(); ++i) {
        const Part& part = *type.items.Get(i);
        if (part.kind != Part::kPhysical || part.minValue <= part.maxValue) continue;
        context.Add(kLevelError, type.name.View(), u"physical range reversed", Key(kTab, type.name.View(), u"Values"),
                    Concat({u"The physical range from ", Decimal(static_cast<long long>(part.minValue)), u" to ",
                            Decimal(static_cast<long long>(part.maxValue)), u" ends below its start."}));
    }
}

// LIN 2.1, 9.2.6.1 Signal encoding types: the raw values are values of the signal.
void CheckSignalSizes(RuleContext& context, const corvdekLINSignalEncodingTypes& type,
                      const std::vector<const corvdekLINSignal*>& users) {
    long long smallest = 0;
    long long largest = 0;
    if (!RawRange(type, smallest, largest)) return;
    for (const corvdekLINSignal* signal : users) {
        const auto bits = WholeNumber(signal->size);
        if (signal->isByteArray || !bits || *bits < 1 || *bits > 32) continue;
        const long long top = static_cast<long long>((1ULL << *bits) - 1);
        if (smallest >= 0 && largest <= top) continue;
        const long long outside = smallest < 0 ? smallest : largest;
        context.Add(kLevelWarning, type.name.View(), u"values beyond a signal's size",
                    Key(kTab, type.name.View(), u"Values"),
                    Concat({u"The raw value ", Decimal(outside), u" of the encoding does not fit the ",
                            signal->size.View(), u" bits of the signal ", signal->name.View(), u" (0 to ",
                            Decimal(top), u")."}));
    }
}

}  // namespace

void CheckEncodingRules(RuleContext& context) {
    const corvdekLINDefinitionFile& document = context.document;
    // The signals of each encoding name, by its position in `encodings`.
    NameList encodings;
    std::vector<std::vector<const corvdekLINSignal*>> users;
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal* signal = document.signals.Get(i);
        if (signal->encoding.IsEmpty()) continue;
        const auto position = static_cast<std::size_t>(encodings.Add(signal->encoding.View()));
        if (position == users.size()) users.emplace_back();
        users[position].push_back(signal);
    }
    static const std::vector<const corvdekLINSignal*> kNoUsers;
    NameUses names;
    names.Count(document.encodingTypes);
    for (int i = 0; i < document.encodingTypes.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypes& type = *document.encodingTypes.Get(i);
        CheckObjectName(context, kTab, u"encoding types", type.name, names, i);
        CheckPhysicalRanges(context, type);
        // The signals name the first type of a name.
        if (names.At(i).first != i) continue;
        const int position = encodings.Find(type.name.View());
        CheckSignalSizes(context, type, position < 0 ? kNoUsers : users[static_cast<std::size_t>(position)]);
    }
}
