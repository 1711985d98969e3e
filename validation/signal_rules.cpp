// Signals: unique names, initial values that fit the signal, and signals that no frame
// carries.

#include <utility>
#include <vector>

#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"Signals";

void AddValueIssue(RuleContext& context, const corvdekLINSignal& signal, std::u16string_view title,
                   corvString details) {
    context.Add(kLevelError, signal.name.View(), title, Key(kTab, signal.name.View(), u"InitValue"),
                std::move(details));
}

// LIN 2.1, 2.2.1 Signal types: a scalar signal of n bits holds 0 to 2^n - 1.
void CheckScalarValue(RuleContext& context, const corvdekLINSignal& signal) {
    const auto bits = WholeNumber(signal.size);
    if (signal.initValue.IsEmpty() || !bits || *bits < 1 || *bits > 32) return;
    const auto value = WholeNumber(signal.initValue);
    const unsigned long long largest = (1ULL << *bits) - 1;
    if (!value) {
        AddValueIssue(context, signal, u"initial value invalid",
                      Concat({u"The initial value ", signal.initValue.View(), u" is not a number."}));
    } else if (*value > largest) {
        AddValueIssue(context, signal, u"initial value out of range",
                      Concat({u"The initial value ", signal.initValue.View(), u" does not fit in ", signal.size.View(),
                              u" bits (at most ", Decimal(static_cast<long long>(largest)), u")."}));
    }
}

// LIN 2.1, 2.2.1: a byte array has one initial value, a byte, for each of its bytes.
void CheckByteArrayValues(RuleContext& context, const corvdekLINSignal& signal) {
    const auto bits = WholeNumber(signal.size);  // a size that is no byte count has its own row
    if (bits && *bits >= 8 && *bits <= 64 && *bits % 8 == 0 && static_cast<int>(*bits / 8) != signal.initValues.Count()) {
        AddValueIssue(context, signal, u"initial values do not match the size",
                      Concat({u"The signal has ", Decimal(static_cast<long long>(signal.initValues.Count())),
                              u" initial values; its ", signal.size.View(), u" bits hold ",
                              Bytes(static_cast<long long>(*bits / 8)), u"."}));
    }
    for (int i = 0; i < signal.initValues.Count(); ++i) {
        const corvString& text = signal.initValues.Item(i);
        const auto value = WholeNumber(text);
        if (value && *value <= 255) continue;
        AddValueIssue(context, signal, u"initial value out of range",
                      Concat({u"The initial value ", text.View(), u" is not a byte (0 to 255)."}));
    }
}

}  // namespace

void CheckSignalRules(RuleContext& context) {
    const corvdekLINDefinitionFile& document = context.document;
    // By the position of the first signal of each name that some frame lists.
    std::vector<bool> carried(static_cast<std::size_t>(document.signals.GetCount()), false);
    for (int i = 0; i < document.frames.GetCount(); ++i) {
        const corvStringArray& listed = document.frames.Get(i)->signalNames;
        for (int s = 0; s < listed.Count(); ++s) {
            const int position = context.names.FindSignalPosition(listed.Item(s).View());
            if (position >= 0) carried[static_cast<std::size_t>(position)] = true;
        }
    }
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        CheckObjectName(context, kTab, u"signals", signal.name, context.signalNames, i);
        if (signal.isByteArray) {
            CheckByteArrayValues(context, signal);
        } else {
            CheckScalarValue(context, signal);
        }
        if (!carried[static_cast<std::size_t>(context.names.FirstSignalOfName(i))]) {
            context.Add(kLevelWarning, signal.name.View(), u"signal in no frame", Key(kTab, signal.name.View(), u"Name"),
                        Concat({u"No frame carries the signal ", signal.name.View(), u"."}));
        }
    }
}
