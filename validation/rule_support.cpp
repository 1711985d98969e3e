#include "rule_support.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "foundation/name_map.h"
#include "model/ldf_numbers.h"
#include "model/ldf_tokens.h"

namespace {

// LIN 1.2 and 1.3, 2.0, 2.1 to 2.3 by number; SAE J2602 builds on LIN 2.0 and ISO 17987 on
// LIN 2.2A.
std::optional<LinGeneration> GenerationOf(const corvString& version) {
    corvString upper(version);
    upper.Trim();
    upper.ToUpper();
    if (upper.Equals(u"1.2") || upper.Equals(u"1.3")) return LinGeneration{true, false, false};
    if (upper.Equals(u"2.0") || upper.Find(0, u"J2602") >= 0) return LinGeneration{false, true, false};
    if (upper.Equals(u"2.1") || upper.Equals(u"2.2") || upper.Equals(u"2.3") || upper.StartsWith(u"ISO17987")) {
        return LinGeneration{false, true, true};
    }
    return std::nullopt;
}

std::optional<double> Positive(const corvString& text) {
    const auto value = RealNumber(text);
    return value && *value > 0.0 ? value : std::nullopt;
}

std::vector<FrameRef> FrameRefsOf(const corvdekLINDefinitionFile& document) {
    std::vector<FrameRef> refs;
    refs.reserve(static_cast<std::size_t>(document.frames.GetCount() + document.sporadicFrames.GetCount() +
                                          document.eventFrames.GetCount()));
    for (int i = 0; i < document.frames.GetCount(); ++i) refs.push_back({FrameKind::kUnconditional, i});
    for (int i = 0; i < document.sporadicFrames.GetCount(); ++i) refs.push_back({FrameKind::kSporadic, i});
    for (int i = 0; i < document.eventFrames.GetCount(); ++i) refs.push_back({FrameKind::kEventTriggered, i});
    return refs;
}

}  // namespace

RuleContext::RuleContext(corvdekLINDefinitionFile& checked, const ClusterNameIndex& lookups)
    : document(checked),
      names(lookups),
      frameRefs_(FrameRefsOf(checked)),
      frames_(static_cast<int>(frameRefs_.size()), FrameName{this}),
      slaves_(checked.nodes.GetCount(), SlaveName{&checked}) {
    generation = GenerationOf(document.protocolVersion)
                     .value_or(GenerationOf(document.languageVersion).value_or(LinGeneration{}));
    // The speed is written with its unit ("19.2 kbps") in files; the number comes first.
    const double kbps = document.speed.ToDouble();
    if (kbps > 0.0 && kbps < 1e6) speed = kbps;
    timebase = Positive(document.masterTimebase);
    for (int i = 0; i < document.diagnosticFrames.GetCount(); ++i) {
        diagnosticFrames_.Add(document.diagnosticFrames.Get(i)->name.View());
    }
    // The standard ones: LIN 2.x defines them, and the writer adds them when asked to.
    if (!generation.lin13 || (document.hasDiagnosticFrames && document.diagnosticFrames.IsEmpty())) {
        diagnosticFrames_.Add(u"MasterReq");
        diagnosticFrames_.Add(u"SlaveResp");
    }
}

std::u16string_view RuleContext::FrameName::operator()(int position) const {
    const FrameRef& frame = context->frameRefs_[static_cast<std::size_t>(position)];
    const corvdekLINDefinitionFile& document = context->document;
    switch (frame.kind) {
        case FrameKind::kUnconditional: return document.frames.Get(frame.index)->name.View();
        case FrameKind::kSporadic: return document.sporadicFrames.Get(frame.index)->name.View();
        case FrameKind::kEventTriggered: break;
    }
    return document.eventFrames.Get(frame.index)->name.View();
}

std::u16string_view RuleContext::SlaveName::operator()(int position) const {
    return document->nodes.Get(position)->name.View();
}

const FrameRef* RuleContext::FindFrame(std::u16string_view name) const {
    const int position = frames_.Find(name);
    return position < 0 ? nullptr : &frameRefs_[static_cast<std::size_t>(position)];
}

const corvdekLINFrame* RuleContext::FindUnconditional(std::u16string_view name) const {
    const FrameRef* frame = FindFrame(name);
    return frame != nullptr && frame->kind == FrameKind::kUnconditional ? document.frames.Get(frame->index) : nullptr;
}

const corvdekLINNode* RuleContext::FindSlave(std::u16string_view name) const {
    const int position = slaves_.Find(name);
    return position < 0 ? nullptr : document.nodes.Get(position);
}

bool RuleContext::IsDiagnosticFrame(std::u16string_view name) const { return diagnosticFrames_.Contains(name); }

std::optional<int> RuleContext::DataBytes(const corvdekLINFrame& frame) const {
    const auto bytes = StatedOrLin13Length(frame.length, frame.frameId);
    return bytes && *bytes >= 1 && *bytes <= 8 ? std::optional<int>(static_cast<int>(*bytes)) : std::nullopt;
}

std::optional<int> RuleContext::SlotDataBytes(std::u16string_view frameName) const {
    const FrameRef* frame = FindFrame(frameName);
    if (frame == nullptr) return IsDiagnosticFrame(frameName) ? std::optional<int>(8) : std::nullopt;
    if (frame->kind == FrameKind::kUnconditional) return DataBytes(*document.frames.Get(frame->index));
    std::optional<int> longest;
    ForEachCarriedFrame(*frame, [&](const corvdekLINFrame& carried) {
        const std::optional<int> bytes = DataBytes(carried);
        if (bytes && (!longest || *bytes > *longest)) longest = bytes;
    });
    return longest;
}

void RuleContext::Add(const char* level, std::u16string_view object, std::u16string_view title, corvString section,
                      corvString details) {
    document.AddSetupIssue(level, Concat({object, u" - ", title}), std::move(section), std::move(details));
}

corvString Key(std::u16string_view tab, std::u16string_view object, std::u16string_view field) {
    return Concat({tab, u"-", object, u"-", field});
}

std::u16string_view OrBlank(const corvString& text) { return text.IsEmpty() ? u"(blank)" : text.View(); }

namespace {
std::u16string Widened(const char* ascii) { return std::u16string(ascii, ascii + std::char_traits<char>::length(ascii)); }
}  // namespace

std::u16string Decimal(long long value) { return Widened(std::to_string(value).c_str()); }

std::u16string Decimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", RoundHalfAway(value, 3));
    std::string trimmed(text);
    while (trimmed.back() == '0') trimmed.pop_back();
    if (trimmed.back() == '.') trimmed.pop_back();
    return Widened(trimmed.c_str());
}

std::u16string Bytes(long long count) { return Decimal(count) + (count == 1 ? u" byte" : u" bytes"); }

std::u16string Hex(unsigned value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return Widened(text);
}

void NameUses::CountSignals(const ClusterNameIndex& names, int count) {
    byPosition_.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const int first = names.FirstSignalOfName(i);
        if (first == i) uses_.push_back(NameUse{0, i});
        // A repeated name takes the entry of its first signal, counted before it.
        const std::size_t entry = first == i ? uses_.size() - 1 : byPosition_[static_cast<std::size_t>(first)];
        ++uses_[entry].count;
        byPosition_.push_back(entry);
    }
}

void RuleContext::CountSignalNames() {
    signalNames.CountSignals(names, document.signals.GetCount());
    for (int i = 0; i < document.signals.GetCount(); ++i) {
        const corvdekLINSignal& signal = *document.signals.Get(i);
        if (signalNames.At(i).count < 2) continue;
        unsigned& largest = repeatedSignalBits_[signal.name.View()];
        largest = std::max(largest, WholeNumber(signal.size).value_or(0));
    }
}

unsigned RuleContext::SignalBits(const corvdekLINSignal& signal) const {
    if (!repeatedSignalBits_.empty()) {
        if (const auto repeated = repeatedSignalBits_.find(signal.name.View()); repeated != repeatedSignalBits_.end()) {
            return repeated->second;
        }
    }
    return WholeNumber(signal.size).value_or(0);
}

void CheckObjectName(RuleContext& context, std::u16string_view tab, std::u16string_view kind,
                     const corvString& name, const NameUses& uses, int position) {
    // Words a tab or line break kept apart, or characters no identifier has: LDF cannot
    // carry the name, and a save leaves the object out.
    if (!name.IsEmpty() && !IsLdfName(name.View())) {
        context.Add(kLevelError, name.View(), u"name is no identifier", Key(tab, name.View(), u"Name"),
                    Concat({u"The name ", name.View(), u" is no LDF identifier (letters, digits and '_', not a "
                            u"keyword); a save leaves it out."}));
    }
    const NameUse& use = uses.At(position);
    const int count = use.count;
    if (count < 2 || use.first != position || name.IsEmpty()) return;
    context.Add(kLevelError, name.View(), u"name used twice", Key(tab, name.View(), u"Name"),
                Concat({u"The name ", name.View(), u" is carried by ", Decimal(static_cast<long long>(count)), u" ",
                        kind, u"; references to it cannot tell them apart."}));
}
