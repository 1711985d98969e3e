// The node configuration of LIN 2.0 and later: node attributes, NADs, product ids, the
// response_error signal, fault state signals and configurable frames.

#include "model/ldf_numbers.h"
#include "rule_support.h"

namespace {

constexpr std::u16string_view kTab = u"Nodes";

// LIN 2.1, 3.2.1.2 NAD: 0x00 is for go-to-sleep, 0x7E for functional requests and 0x7F is
// the broadcast; a slave's NAD is one of the others.
void CheckNad(RuleContext& context, const corvdekLINNode& node, const corvString& nad, std::u16string_view which) {
    const auto value = WholeNumber(nad);
    if (nad.IsEmpty() || (value && *value >= 0x01 && *value <= 0x7D)) return;
    context.Add(kLevelError, node.name.View(), u"NAD out of range", Key(kTab, node.name.View(), u"Attributes"),
                Concat({u"The ", which, u" NAD ", nad.View(),
                        u" is not from 0x01 to 0x7D (0x00 is for sleep, 0x7E and 0x7F for functional and "
                        u"broadcast requests)."}));
}

// SAE J2602-1, 5.7.2.1 NAD Assignment: J2602 slaves take the NADs 0x60 to 0x6F (the lower
// nibble numbers the device). A warning: a J2602 file may still follow LIN 2.0.
void CheckJ2602Nad(RuleContext& context, const corvdekLINNode& node) {
    const auto value = WholeNumber(node.configuredNAD);
    if (!context.document.isJ2602 || !value || (*value >= 0x60 && *value <= 0x6F) || *value > 0x7D || *value == 0) return;
    context.Add(kLevelWarning, node.name.View(), u"NAD outside the J2602 range", Key(kTab, node.name.View(), u"Attributes"),
                Concat({u"SAE J2602 gives slaves the NADs 0x60 to 0x6F; the configured NAD ",
                        node.configuredNAD.View(), u" lies outside them."}));
}

// LIN 2.1, chapter 4 Node configuration and identification: 0x7FFF and 0xFFFF are the
// wildcards of the supplier and the function id.
void CheckProductId(RuleContext& context, const corvdekLINNode& node) {
    const struct {
        const corvString& text;
        unsigned largest;
        const char16_t* caption;
    } parts[] = {{node.supplierId, 0x7FFE, u"supplier id"}, {node.functionId, 0xFFFE, u"function id"}};
    for (const auto& part : parts) {
        const auto value = WholeNumber(part.text);
        if (part.text.IsEmpty() || (value && *value <= part.largest)) continue;
        context.Add(kLevelError, node.name.View(), u"product id out of range", Key(kTab, node.name.View(), u"Attributes"),
                    Concat({u"The ", part.caption, u" ", part.text.View(), u" is not from 0x0000 to ",
                            Hex(part.largest, 4), u" (", Hex(part.largest + 1, 4), u" is the wildcard)."}));
    }
}

// LIN 2.1, 2.7.3 Reporting to the cluster: response_error is a one-bit signal that the slave
// publishes.
void CheckResponseError(RuleContext& context, const corvdekLINNode& node) {
    const corvString& name = node.responseError;
    if (name.IsEmpty()) return;
    const corvdekLINSignal* signal = context.names.FindSignal(name.View());
    corvString problem;
    if (signal == nullptr) {
        problem = u"does not exist.";
    } else if (const auto bits = WholeNumber(signal->size); !bits || *bits != 1) {
        problem = Concat({u"has ", signal->size.View(), u" bits; it must have 1."});
    } else if (!signal->publisher.Equals(node.name)) {
        problem = Concat({u"is published by ", signal->publisher.View(), u", not by ", node.name.View(), u"."});
    } else {
        return;
    }
    context.Add(kLevelError, node.name.View(), u"response error signal invalid",
                Key(kTab, node.name.View(), u"Attributes"),
                Concat({u"The response_error signal ", name.View(), u" ", problem.View()}));
}

// The details of a fault state signal or a configurable frame that is not the node's.
corvString NotANodesFrameOrSignal(std::u16string_view what, const corvString& name, bool exists,
                                  const corvdekLINNode& node) {
    if (!exists) return Concat({what, name.View(), u" does not exist."});
    return Concat({what, name.View(), u" is neither published nor received by ", node.name.View(), u"."});
}

// LIN 2.1, 9.2.2.2 Node attributes: fault state signals are signals of
// the node.
void CheckFaultStateSignals(RuleContext& context, const corvdekLINNode& node) {
    for (int i = 0; i < node.faultStateSignals.Count(); ++i) {
        const corvString& name = node.faultStateSignals.Item(i);
        const corvdekLINSignal* signal = context.names.FindSignal(name.View());
        if (signal != nullptr && (signal->publisher.Equals(node.name) || signal->subscribers.Contains(node.name))) continue;
        context.Add(kLevelError, node.name.View(), u"fault state signal invalid",
                    Key(kTab, node.name.View(), u"Attributes"),
                    NotANodesFrameOrSignal(u"The fault state signal ", name, signal != nullptr, node));
    }
}

bool TakesPart(const corvdekLINFrame& frame, const corvString& node, const ClusterNameIndex& names) {
    if (frame.publisher.Equals(node)) return true;
    for (int i = 0; i < frame.signalNames.Count(); ++i) {
        const corvdekLINSignal* signal = names.FindSignal(frame.signalNames.Item(i).View());
        if (signal != nullptr && signal->subscribers.Contains(node)) return true;
    }
    return false;
}

// The node publishes or receives the frame, or, for a sporadic or event-triggered frame, one
// of the frames it carries.
bool TakesPart(const RuleContext& context, const FrameRef& frame, const corvString& node) {
    if (frame.kind == FrameKind::kUnconditional) {
        return TakesPart(*context.document.frames.Get(frame.index), node, context.names);
    }
    bool takesPart = false;
    context.ForEachCarriedFrame(frame, [&](const corvdekLINFrame& carried) {
        takesPart = takesPart || TakesPart(carried, node, context.names);
    });
    return takesPart;
}

// LIN 2.1, 9.2.2.2: the configurable frames are frames of the node.
void CheckConfigurableFrames(RuleContext& context, const corvdekLINNode& node) {
    for (int i = 0; i < node.configurableFrameNames.Count(); ++i) {
        const corvString& name = node.configurableFrameNames.Item(i);
        if (context.IsDiagnosticFrame(name.View())) continue;
        const FrameRef* frame = context.FindFrame(name.View());
        if (frame != nullptr && TakesPart(context, *frame, node.name)) continue;
        context.Add(kLevelError, node.name.View(), u"configurable frame invalid",
                    Key(kTab, node.name.View(), u"Attributes"),
                    NotANodesFrameOrSignal(u"The configurable frame ", name, frame != nullptr, node));
    }
}

}  // namespace

void CheckNodeRules(RuleContext& context) {
    const corvdekLINDefinitionFile& document = context.document;
    NameUses names;
    names.Count(document.nodes);
    names.CountNameOnly(document.master.name.View());  // a slave named like the master gets the row
    std::unordered_map<unsigned, const corvdekLINNode*> nads;
    for (int i = 0; i < document.nodes.GetCount(); ++i) {
        const corvdekLINNode& node = *document.nodes.Get(i);
        CheckObjectName(context, kTab, u"nodes", node.name, names, i);
        if (!context.generation.nodeConfiguration) continue;
        if (!node.HasAttributes()) {
            context.Add(kLevelWarning, node.name.View(), u"no node attributes", Key(kTab, node.name.View(), u"Attributes"),
                        Concat({u"LIN 2.0 and later describe every slave in Node_attributes (its NAD and product id); ",
                                node.name.View(), u" has none."}));
            continue;
        }
        CheckNad(context, node, node.configuredNAD, u"configured");
        CheckNad(context, node, node.initialNAD, u"initial");
        CheckJ2602Nad(context, node);
        if (const auto nad = WholeNumber(node.configuredNAD)) {
            const auto [earlier, added] = nads.emplace(*nad, &node);
            if (!added) {
                context.Add(kLevelError, node.name.View(), u"NAD used twice", Key(kTab, node.name.View(), u"Attributes"),
                            Concat({u"The configured NAD ", node.configuredNAD.View(), u" of ", node.name.View(),
                                    u" is also configured for ", earlier->second->name.View(), u"."}));
            }
        }
        CheckProductId(context, node);
        CheckResponseError(context, node);
        CheckFaultStateSignals(context, node);
        CheckConfigurableFrames(context, node);
    }
}
