#include "ncf_from_cluster.h"

#include <algorithm>

#include "cluster_lookup.h"
#include "model/ldf_numbers.h"
#include "model/ldf_tokens.h"
#include "model/name_index.h"

namespace {

void Decide(corvStringArray& decisions, std::initializer_list<std::u16string_view> pieces) {
    decisions.Add(Concat(pieces));
}

class SlaveExport {
public:
    SlaveExport(const corvdekLINDefinitionFile& cluster, const corvdekLINNode& slave, corvStringArray& decisions)
        : cluster_(cluster), slave_(slave), names_(cluster), decisions_(decisions) {}

    NcfDocument Build() {
        NcfDocument document;
        NcfNode& node = document.nodes.emplace_back();
        node.name = slave_.name;
        WriteGeneral(node);
        WriteDiagnostic(node);
        for (const corvdekLINFrame* frame : FramesInConfigurationOrder()) AddFrame(*frame, node);
        WriteStatus(node);
        document.languageVersion = LanguageVersion(node);
        if (IsLin20Language(document.languageVersion)) {
            // LIN 2.0's form (also SAE J2602-3's) has neither statement.
            node.sendsWakeUpSignal = corvString();
            node.diagnosticClass = corvString();
        } else {
            Decide(decisions_, {u"Node '", Slave(), u"': sends_wake_up_signal = \"no\" and diagnostic_class = 1 "
                                                    u"(an LDF says neither)."});
            // Frames are configured by their order from LIN 2.1 on.
            for (NcfFrame& frame : node.frames) frame.messageId = corvString();
        }
        return document;
    }

private:
    std::u16string_view Slave() const { return slave_.name.View(); }

    void WriteGeneral(NcfNode& node) {
        node.protocolVersion = !slave_.protocol.IsEmpty() ? slave_.protocol : cluster_.protocolVersion;
        node.supplier = slave_.supplierId;
        node.function = slave_.functionId;
        node.variant = slave_.variant;
        if (node.supplier.IsEmpty() || node.function.IsEmpty()) {
            node.supplier = u"0x0000";
            node.function = u"0x0000";
            Decide(decisions_, {u"Node '", Slave(), u"': the cluster gives no product id; supplier and function 0x0000 are written."});
        }
        if (node.variant.IsEmpty()) node.variant = u"0";
        node.bitrate.kind = NcfBitrate::Kind::kFixed;
        corvString speed = cluster_.speed;
        speed.Trim();
        if (!IsLdfReal(speed.View())) {
            speed = u"19.2";
            Decide(decisions_, {u"Node '", Slave(), u"': the cluster states no bus speed; 19.2 kbps is written."});
        }
        node.bitrate.rates.Add(speed);
        // An LDF does not say whether a slave sends wake-up signals: none is claimed.
        node.sendsWakeUpSignal = u"no";
    }

    void WriteDiagnostic(NcfNode& node) {
        corvString nad = !slave_.initialNAD.IsEmpty() ? slave_.initialNAD : slave_.configuredNAD;
        for (int i = 0; nad.IsEmpty() && i < cluster_.diagnosticAddresses.GetCount(); ++i) {
            const corvdekLINDiagnosticAddress& address = *cluster_.diagnosticAddresses.Get(i);
            if (address.nodeName.View() == Slave()) nad = address.nad;  // LIN 1.3
        }
        nad.Trim();
        if (nad.IsEmpty()) {
            node.nads.Add(corvString(u"1"));
            node.nads.Add(corvString(u"125"));
            node.nadRange = true;
            Decide(decisions_, {u"Node '", Slave(), u"': the cluster gives it no NAD; its NAD set is 1 to 125."});
        } else {
            node.nads.Add(nad);
        }
        node.diagnosticClass = u"1";  // the least a LIN 2.1 slave offers
        node.p2Min = slave_.p2Min;
        node.stMin = slave_.stMin;
        node.nAsTimeout = slave_.nAsTimeout;
        node.nCrTimeout = slave_.nCrTimeout;
    }

    // Whether the slave receives a signal of `frame`.
    bool Receives(const corvdekLINFrame& frame) const {
        for (int s = 0; s < frame.signalNames.Count(); ++s) {
            const corvdekLINSignal* signal = names_.FindSignal(frame.signalNames.Item(s).View());
            if (signal != nullptr && signal->subscribers.Contains(slave_.name)) return true;
        }
        return false;
    }

    // The frames it publishes or receives: those its configurable frames list first, in
    // their order, as a LIN 2.1 NCF's frame order is the configuration order; then the rest
    // in the cluster's order.
    std::vector<const corvdekLINFrame*> FramesInConfigurationOrder() const {
        std::vector<const corvdekLINFrame*> frames;
        const auto take = [&](const corvdekLINFrame* frame) {
            if (frame == nullptr || std::find(frames.begin(), frames.end(), frame) != frames.end()) return;
            if (frame->publisher.View() == Slave() || Receives(*frame)) frames.push_back(frame);
        };
        for (int i = 0; i < slave_.configurableFrameNames.Count(); ++i) {
            take(Named(cluster_.frames, slave_.configurableFrameNames.Item(i).View()));
        }
        for (int i = 0; i < cluster_.frames.GetCount(); ++i) take(cluster_.frames.Get(i));
        return frames;
    }

    void AddFrame(const corvdekLINFrame& source, NcfNode& node) {
        NcfFrame& frame = node.frames.emplace_back();
        frame.publishes = source.publisher.View() == Slave();
        frame.name = source.name;
        for (int c = 0; c < slave_.configurableFrameNames.Count() && c < slave_.configurableFrameIds.Count(); ++c) {
            if (slave_.configurableFrameNames.Item(c).Equals(source.name)) frame.messageId = slave_.configurableFrameIds.Item(c);
        }
        frame.signalsGiven = true;
        unsigned endBit = 0;
        for (int s = 0; s < source.signalNames.Count(); ++s) {
            const corvdekLINSignal* signal = names_.FindSignal(source.signalNames.Item(s).View());
            // A received frame lists the signals the slave receives of it.
            if (signal == nullptr || (!frame.publishes && !signal->subscribers.Contains(slave_.name))) continue;
            NcfSignal& written = frame.signals.emplace_back();
            written.name = signal->name;
            written.size = signal->size;
            written.offset = s < source.signalOffsets.Count() ? source.signalOffsets.Item(s) : corvString();
            written.isByteArray = signal->isByteArray;
            written.initValue = signal->initValue;
            written.initValues = signal->initValues;
            written.encoding = signal->encoding;
            AddEncoding(signal->encoding, node);
            endBit = std::max(endBit, WholeNumber(written.offset).value_or(0) + WholeNumber(written.size).value_or(0));
        }
        const std::optional<unsigned> length = StatedOrLin13Length(source.length, source.frameId);
        frame.length.SetInt(static_cast<int>(length.value_or(std::max(1U, (endBit + 7) / 8))));
        for (int e = 0; frame.publishes && e < cluster_.eventFrames.GetCount(); ++e) {
            const corvdekLINEventFrame& event = *cluster_.eventFrames.Get(e);
            if (event.Frames().Contains(source.name)) frame.eventTriggeredFrame = event.name;
        }
    }

    void AddEncoding(const corvString& name, NcfNode& node) {
        if (name.IsEmpty()) return;
        for (const NcfEncoding& encoding : node.encodings) {
            if (encoding.name.Equals(name)) return;
        }
        const corvdekLINSignalEncodingTypes* type = Named(cluster_.encodingTypes, name.View());
        if (type == nullptr) return;
        NcfEncoding& encoding = node.encodings.emplace_back();
        encoding.name = type->name;
        for (int p = 0; p < type->items.GetCount(); ++p) encoding.parts.push_back(*type->items.Get(p));
    }

    void WriteStatus(NcfNode& node) {
        node.responseError = slave_.responseError;
        node.faultStateSignals = slave_.faultStateSignals;
        node.faultStateSignalsGiven = slave_.faultStateSignals.Count() > 0;
        if (!node.responseError.IsEmpty()) return;
        // The language requires one: the first one-bit signal the slave publishes, else its first.
        const NcfSignal* chosen = nullptr;
        for (const NcfFrame& frame : node.frames) {
            for (const NcfSignal& signal : frame.signals) {
                if (!frame.publishes) continue;
                if (chosen == nullptr || (!chosen->size.Equals(u"1") && signal.size.Equals(u"1"))) chosen = &signal;
            }
        }
        node.responseError = chosen != nullptr ? chosen->name : corvString(u"response_error");
        Decide(decisions_, {u"Node '", Slave(), u"': the cluster gives it no response_error; '", node.responseError.View(),
                            u"' is written."});
    }

    // The cluster's language version where the NCF language has it; LIN 2.0's form only when
    // every frame has its message id.
    corvString LanguageVersion(const NcfNode& node) {
        const corvString& version = cluster_.languageVersion;
        const bool everyMessageId = std::all_of(node.frames.begin(), node.frames.end(),
                                                [](const NcfFrame& frame) { return !frame.messageId.IsEmpty(); });
        if (version.Equals(u"2.1") || version.Equals(u"2.2")) return version;
        if (IsLin20Language(version) && everyMessageId) return version;
        Decide(decisions_, {u"The cluster's language version '", version.View(),
                            u"' has no NCF of its own (or lacks message ids); the file is written as LIN 2.1."});
        return corvString(u"2.1");
    }

    const corvdekLINDefinitionFile& cluster_;
    const corvdekLINNode& slave_;
    const ClusterNameIndex names_;
    corvStringArray& decisions_;
};

}  // namespace

std::optional<NcfDocument> NcfOfSlave(const corvdekLINDefinitionFile& cluster, std::u16string_view slaveName,
                                      corvStringArray& decisions) {
    const corvdekLINNode* slave = Named(cluster.nodes, slaveName);
    if (slave == nullptr) return std::nullopt;
    return SlaveExport(cluster, *slave, decisions).Build();
}
