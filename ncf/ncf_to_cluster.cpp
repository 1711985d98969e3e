#include "ncf_to_cluster.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "cluster_lookup.h"
#include "model/ldf_numbers.h"

namespace {

using Part = corvdekLINSignalEncodingTypeItem;

corvString HexByte(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    corvString hex;
    hex.AssignAnsi(text);
    return hex;
}

bool SameParts(const corvdekLINSignalEncodingTypes& type, const NcfEncoding& encoding) {
    if (type.items.GetCount() != static_cast<int>(encoding.parts.size())) return false;
    for (int p = 0; p < type.items.GetCount(); ++p) {
        const Part& a = *type.items.Get(p);
        const Part& b = encoding.parts[static_cast<std::size_t>(p)];
        if (a.kind != b.kind || a.minValue != b.minValue || a.maxValue != b.maxValue || !a.text.Equals(b.text) ||
            a.scale != b.scale || a.offset != b.offset) {
            return false;
        }
    }
    return true;
}

class ClusterBuild {
public:
    ClusterBuild(corvdekLINDefinitionFile& cluster, NcfAddReport& report) : cluster_(cluster), report_(report) {}

    void Run(const std::vector<const NcfNode*>& nodes) {
        for (const NcfNode* node : nodes) PrepareNode(*node);
        for (const NcfNode* node : nodes) AddEncodings(*node);
        for (const NcfNode* node : nodes) {
            for (const NcfFrame& frame : node->frames) {
                if (frame.publishes && !StandsForEventFrame(*node, frame)) Publish(*node, frame);
            }
        }
        for (const NcfNode* node : nodes) {
            for (const NcfFrame& frame : node->frames) {
                if (!frame.publishes && !StandsForEventFrame(*node, frame)) Subscribe(*node, frame);
            }
        }
        for (const NcfNode* node : nodes) AddEventFrames(*node);
        for (const NcfNode* node : nodes) SetAttributes(*node);
    }

private:
    void Decide(std::initializer_list<std::u16string_view> pieces) { report_.decisions.Add(Concat(pieces)); }
    void Conflict(std::initializer_list<std::u16string_view> pieces) { report_.conflicts.Add(Concat(pieces)); }

    bool IsMaster(const NcfNode& node) const { return node.name.Equals(cluster_.master.name); }

    static void RemoveName(corvStringArray& names, const corvString& name) {
        for (int i = names.Count() - 1; i >= 0; --i) {
            if (names.Item(i).Equals(name)) names.RemoveAt(i);
        }
    }

    // A frame without signals that another frame of the node names as its event-triggered
    // frame: the place of that event-triggered frame among the node's frames.
    static bool StandsForEventFrame(const NcfNode& node, const NcfFrame& frame) {
        if (!frame.signals.empty()) return false;
        return std::any_of(node.frames.begin(), node.frames.end(),
                           [&](const NcfFrame& other) { return other.eventTriggeredFrame.Equals(frame.name); });
    }

    void PrepareNode(const NcfNode& node) {
        CheckSpeed(node);
        if (IsMaster(node)) return;
        corvdekLINNode* slave = Named(cluster_.nodes, node.name.View());
        if (slave == nullptr) {
            slave = cluster_.nodes.Add();
            slave->name = node.name;
        } else {
            Forget(node.name);
        }
    }

    // An update starts from the cluster without what the node's last NCF brought: the
    // frames it published (their identifiers are kept for them, and the other nodes'
    // receptions for its signals) and its receptions.
    void Forget(const corvString& name) {
        for (int i = cluster_.frames.GetCount() - 1; i >= 0; --i) {
            const corvdekLINFrame& frame = *cluster_.frames.Get(i);
            if (!frame.publisher.Equals(name)) continue;
            keptIds_.emplace_back(frame.name, frame.frameId);
            cluster_.frames.RemoveAt(i);
        }
        for (int i = cluster_.signals.GetCount() - 1; i >= 0; --i) {
            corvdekLINSignal& signal = *cluster_.signals.Get(i);
            if (signal.publisher.Equals(name)) {
                keptReceivers_.emplace_back(signal.name, signal.subscribers);
                cluster_.SetSignalEncoding(signal, corvString());
                cluster_.signals.RemoveAt(i);
                continue;
            }
            RemoveName(signal.subscribers, name);
        }
    }

    // The bus speed the node accepts, in kbps.
    static bool Accepts(const NcfBitrate& bitrate, double speed) {
        const auto same = [speed](const corvString& rate) { return RealNumber(rate) == speed; };
        switch (bitrate.kind) {
            case NcfBitrate::Kind::kNotGiven: return true;
            case NcfBitrate::Kind::kFixed:
            case NcfBitrate::Kind::kSelect:
                for (int i = 0; i < bitrate.rates.Count(); ++i) {
                    if (same(bitrate.rates.Item(i))) return true;
                }
                return false;
            case NcfBitrate::Kind::kAutomatic:
                return (bitrate.min.IsEmpty() || RealNumber(bitrate.min).value_or(0) <= speed) &&
                       (bitrate.max.IsEmpty() || RealNumber(bitrate.max).value_or(0) >= speed);
        }
        return true;
    }

    void CheckSpeed(const NcfNode& node) {
        const std::optional<double> speed = RealNumber(cluster_.speed);
        if (speed) {
            if (!Accepts(node.bitrate, *speed)) {
                Conflict({u"Node '", node.name.View(), u"' does not accept the cluster's bus speed of ",
                          cluster_.speed.View(), u" kbps."});
            }
            return;
        }
        corvString rate(u"19.2");
        const NcfBitrate& bitrate = node.bitrate;
        if (bitrate.kind == NcfBitrate::Kind::kAutomatic && !bitrate.max.IsEmpty()) rate = bitrate.max;
        for (int i = 0; bitrate.kind != NcfBitrate::Kind::kAutomatic && i < bitrate.rates.Count(); ++i) {
            if (RealNumber(bitrate.rates.Item(i)).value_or(0) > RealNumber(rate).value_or(0) || i == 0) {
                rate = bitrate.rates.Item(i);
            }
        }
        cluster_.speed = rate;
        Decide({u"The cluster states no bus speed: ", rate.View(), u" kbps, which node '", node.name.View(),
                u"' accepts."});
    }

    void AddEncodings(const NcfNode& node) {
        for (const NcfEncoding& encoding : node.encodings) {
            const corvdekLINSignalEncodingTypes* type = Named(cluster_.encodingTypes, encoding.name.View());
            if (type != nullptr) {
                if (!SameParts(*type, encoding)) {
                    Conflict({u"Encoding '", encoding.name.View(), u"' of node '", node.name.View(),
                              u"': the cluster has it with other values."});
                }
                continue;
            }
            corvdekLINSignalEncodingTypes* added = cluster_.encodingTypes.Add();
            added->name = encoding.name;
            for (const Part& part : encoding.parts) *added->items.Add() = part;
        }
    }

    // The lowest identifier no frame or event-triggered frame uses; none when all are taken.
    std::optional<unsigned> FreeId() const {
        std::set<unsigned> used;
        for (int i = 0; i < cluster_.frames.GetCount(); ++i) {
            if (const auto id = WholeNumber(cluster_.frames.Get(i)->frameId)) used.insert(*id);
        }
        for (int i = 0; i < cluster_.eventFrames.GetCount(); ++i) {
            if (const auto id = WholeNumber(cluster_.eventFrames.Get(i)->Id())) used.insert(*id);
        }
        for (const auto& kept : keptIds_) {
            if (const auto id = WholeNumber(kept.second)) used.insert(*id);
        }
        for (unsigned id = 0; id <= 0x3B; ++id) {
            if (!used.contains(id)) return id;
        }
        return std::nullopt;
    }

    // The identifier of a frame the node published before its update, or a free one.
    std::optional<corvString> IdFor(const corvString& frame, std::u16string_view what) {
        for (auto kept = keptIds_.begin(); kept != keptIds_.end(); ++kept) {
            if (!kept->first.Equals(frame)) continue;
            corvString id = kept->second;
            keptIds_.erase(kept);
            return id;
        }
        const std::optional<unsigned> id = FreeId();
        if (!id) {
            Conflict({what, u" '", frame.View(), u"': every frame identifier is taken."});
            return std::nullopt;
        }
        Decide({what, u" '", frame.View(), u"': identifier ", HexByte(*id).View(), u", the lowest free one."});
        return HexByte(*id);
    }

    // The nodes that received a signal of that name before its publisher's update.
    corvStringArray KeptReceivers(const corvString& signal) const {
        for (const auto& [name, receivers] : keptReceivers_) {
            if (name.Equals(signal)) return receivers;
        }
        return {};
    }

    // Whether the NCF frame's signals lie in the cluster's frame as it describes them, and
    // both have one length; `whole`: and the frame has no other signals.
    bool SameLayout(const corvdekLINFrame& frame, const NcfFrame& described, bool whole = true) const {
        // A LIN 1.3 frame without a length has the one its identifier gives.
        if (StatedOrLin13Length(frame.length, frame.frameId) != WholeNumber(described.length) ||
            (whole && frame.signalNames.Count() != static_cast<int>(described.signals.size()))) {
            return false;
        }
        for (const NcfSignal& signal : described.signals) {
            const corvdekLINSignal* known = Named(cluster_.signals, signal.name.View());
            if (known == nullptr || WholeNumber(known->size) != WholeNumber(signal.size)) return false;
            bool found = false;
            for (int s = 0; s < frame.signalNames.Count() && !found; ++s) {
                found = frame.signalNames.Item(s).Equals(signal.name) && s < frame.signalOffsets.Count() &&
                        WholeNumber(frame.signalOffsets.Item(s)) == WholeNumber(signal.offset);
            }
            if (!found) return false;
        }
        return true;
    }

    // A frame `publisher` sends with the NCF frame's signals; a signal the cluster has with
    // another publisher or size is a conflict, and the frame is not made.
    void CreateFrame(const NcfFrame& described, const corvString& publisher, std::u16string_view what) {
        for (const NcfSignal& signal : described.signals) {
            const corvdekLINSignal* known = Named(cluster_.signals, signal.name.View());
            if (known != nullptr && (!known->publisher.Equals(publisher) || WholeNumber(known->size) != WholeNumber(signal.size))) {
                Conflict({u"Signal '", signal.name.View(), u"' of frame '", described.name.View(),
                          u"': the cluster has it published by '", known->publisher.View(), u"' with size ",
                          known->size.View(), u"."});
                return;
            }
        }
        const std::optional<corvString> id = IdFor(described.name, what);
        if (!id) return;
        corvdekLINFrame* frame = cluster_.frames.Add();
        frame->name = described.name;
        frame->frameId = *id;
        frame->publisher = publisher;
        frame->length = described.length;
        for (const NcfSignal& signal : described.signals) {
            frame->signalNames.Add(signal.name);
            frame->signalOffsets.Add(signal.offset);
            if (Named(cluster_.signals, signal.name.View()) != nullptr) continue;
            corvdekLINSignal* added = cluster_.signals.Add();
            added->name = signal.name;
            added->size = signal.size;
            added->publisher = publisher;
            added->isByteArray = signal.isByteArray;
            added->initValue = signal.initValue;
            added->initValues = signal.initValues;
            added->subscribers = KeptReceivers(signal.name);
            if (!signal.encoding.IsEmpty()) cluster_.SetSignalEncoding(*added, signal.encoding);
        }
    }

    void Publish(const NcfNode& node, const NcfFrame& described) {
        const corvString& publisher = node.name;
        corvdekLINFrame* frame = Named(cluster_.frames, described.name.View());
        if (frame == nullptr) {
            CreateFrame(described, publisher, u"Frame");
            return;
        }
        // The frame as the cluster had it for the node before its file came.
        if (frame->publisher.Equals(publisher) && SameLayout(*frame, described)) return;
        // A frame the master sent for receivers, until its publisher came: taken over.
        if (frame->publisher.Equals(cluster_.master.name) && !IsMaster(node) && SameLayout(*frame, described)) {
            frame->publisher = publisher;
            for (const NcfSignal& signal : described.signals) {
                corvdekLINSignal* known = Named(cluster_.signals, signal.name.View());
                known->publisher = publisher;
                RemoveName(known->subscribers, publisher);
            }
            Decide({u"Frame '", described.name.View(), u"': published by '", publisher.View(),
                    u"' now, no longer by the master."});
            return;
        }
        Conflict({u"Frame '", described.name.View(), u"' of node '", node.name.View(), u"': the cluster has it published by '",
                  frame->publisher.View(), u"'", SameLayout(*frame, described) ? u"." : u" with another layout."});
    }

    void Subscribe(const NcfNode& node, const NcfFrame& described) {
        const corvString& receiver = node.name;
        corvdekLINFrame* frame = Named(cluster_.frames, described.name.View());
        if (frame == nullptr && cluster_.master.name.IsEmpty()) {
            Conflict({u"Frame '", described.name.View(), u"' received by node '", node.name.View(),
                      u"': no node publishes it, and the cluster has no master to publish it."});
            return;
        }
        if (frame == nullptr) {
            Decide({u"Frame '", described.name.View(), u"': no node publishes it; the master does."});
            CreateFrame(described, cluster_.master.name, u"Frame");
            frame = Named(cluster_.frames, described.name.View());
            if (frame == nullptr) return;
        } else if (!SameLayout(*frame, described, false)) {
            Conflict({u"Frame '", described.name.View(), u"' received by node '", node.name.View(),
                      u"': the cluster has it with another layout."});
            return;
        }
        // The node receives the signals its file lists, which may be some of the frame's.
        for (const NcfSignal& listed : described.signals) {
            corvdekLINSignal* signal = Named(cluster_.signals, listed.name.View());
            if (signal != nullptr && !signal->publisher.Equals(receiver) && !signal->subscribers.Contains(receiver)) {
                signal->subscribers.Add(receiver);
            }
        }
    }

    void AddEventFrames(const NcfNode& node) {
        for (const NcfFrame& described : node.frames) {
            if (described.eventTriggeredFrame.IsEmpty()) continue;
            const corvdekLINFrame* carried = Named(cluster_.frames, described.name.View());
            if (carried == nullptr || carried->publisher.Equals(cluster_.master.name)) continue;
            corvdekLINEventFrame* event = Named(cluster_.eventFrames, described.eventTriggeredFrame.View());
            if (event == nullptr) {
                const std::optional<corvString> id = IdFor(described.eventTriggeredFrame, u"Event-triggered frame");
                if (!id) continue;
                event = cluster_.eventFrames.Add();
                event->name = described.eventTriggeredFrame;
                event->Assign(corvString(), *id, corvStringArray());
                Decide({u"Event-triggered frame '", event->name.View(), u"': no collision-resolving table; the schedule "
                                                                        u"tables are the integrator's."});
            }
            corvStringArray frames = event->Frames();
            if (frames.Contains(described.name)) continue;
            frames.Add(described.name);
            event->Assign(event->CollisionTable(), event->Id(), frames);
        }
    }

    // The configured NAD: the first of the set no other slave uses.
    void SetNad(const NcfNode& node, corvdekLINNode& slave) {
        std::vector<corvString> candidates;
        if (node.nadRange && node.nads.Count() == 2) {
            const unsigned first = WholeNumber(node.nads.Item(0)).value_or(1);
            const unsigned last = std::min(WholeNumber(node.nads.Item(1)).value_or(0), 0xFFU);
            for (unsigned nad = first; nad <= last; ++nad) candidates.push_back(HexByte(nad));
        } else {
            for (int i = 0; i < node.nads.Count(); ++i) candidates.push_back(node.nads.Item(i));
        }
        const auto used = [&](const corvString& nad) {
            for (int i = 0; i < cluster_.nodes.GetCount(); ++i) {
                const corvdekLINNode& other = *cluster_.nodes.Get(i);
                if (&other != &slave && WholeNumber(other.configuredNAD) == WholeNumber(nad)) return true;
            }
            return false;
        };
        const auto free = std::find_if(candidates.begin(), candidates.end(), [&](const corvString& nad) { return !used(nad); });
        if (free == candidates.end()) {
            Conflict({u"Node '", node.name.View(), u"': every NAD of its set is another slave's."});
            return;
        }
        slave.configuredNAD = *free;
        if (candidates.size() > 1) slave.initialNAD = candidates.front();
        Decide({u"Node '", node.name.View(), u"': configured NAD ", free->View(), u", the first of its set no other slave uses",
                candidates.size() > 1 ? u"; its initial NAD is the set's first." : u"."});
    }

    void SetAttributes(const NcfNode& node) {
        corvdekLINNode* slave = IsMaster(node) ? nullptr : Named(cluster_.nodes, node.name.View());
        if (slave == nullptr) return;
        slave->protocol = node.protocolVersion;
        slave->supplierId = node.supplier;
        slave->functionId = node.function;
        slave->variant = node.variant;
        SetNad(node, *slave);
        slave->p2Min = node.p2Min;
        slave->stMin = node.stMin;
        slave->nAsTimeout = node.nAsTimeout;
        slave->nCrTimeout = node.nCrTimeout;
        slave->responseError = node.responseError;
        slave->faultStateSignals = node.faultStateSignals;
        slave->configurableFrameNames.Clear();
        slave->configurableFrameIds.Clear();
        const bool messageIds = std::all_of(node.frames.begin(), node.frames.end(),
                                            [](const NcfFrame& frame) { return !frame.messageId.IsEmpty(); });
        for (const NcfFrame& frame : node.frames) {
            slave->configurableFrameNames.Add(frame.name);
            slave->configurableFrameIds.Add(messageIds ? frame.messageId : corvString());
        }
        ConfigureEventFrames(node, *slave, messageIds);
    }

    // The event-triggered frames that carry the node's frames are configurable frames of it
    // too: after its frames, where the file gives them no place of their own.
    void ConfigureEventFrames(const NcfNode& node, corvdekLINNode& slave, bool messageIds) {
        for (const NcfFrame& frame : node.frames) {
            const corvString& event = frame.eventTriggeredFrame;
            if (!frame.publishes || event.IsEmpty() || slave.configurableFrameNames.Contains(event) ||
                Named(cluster_.eventFrames, event.View()) == nullptr) {
                continue;
            }
            if (messageIds) {
                Decide({u"Node '", node.name.View(), u"': the event-triggered frame '", event.View(),
                        u"' is not among its configurable frames: the file gives it no message id."});
                continue;
            }
            slave.configurableFrameNames.Add(event);
            slave.configurableFrameIds.Add(corvString());
            Decide({u"Node '", node.name.View(), u"': the event-triggered frame '", event.View(),
                    u"' is configured after its frames."});
        }
    }

    corvdekLINDefinitionFile& cluster_;
    NcfAddReport& report_;
    std::vector<std::pair<corvString, corvString>> keptIds_;  // frame name, identifier
    std::vector<std::pair<corvString, corvStringArray>> keptReceivers_;  // signal name, receivers
};

}  // namespace

NcfAddReport AddNodeCapabilities(corvdekLINDefinitionFile& cluster, const std::vector<const NcfDocument*>& documents) {
    NcfAddReport report;
    std::vector<const NcfNode*> nodes;
    for (const NcfDocument* document : documents) {
        for (const NcfNode& node : document->nodes) nodes.push_back(&node);
    }
    ClusterBuild(cluster, report).Run(nodes);
    return report;
}
