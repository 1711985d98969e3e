#include "model_equality.h"

#include <functional>
#include <string>

#include "model/definition_file.h"

namespace {

class Comparison {
public:
    std::vector<std::string> differences;

    void Text(const std::string& field, const corvString& a, const corvString& b) {
        if (!a.Equals(b)) differences.push_back(field + ": " + a.ToUtf8() + " != " + b.ToUtf8());
    }
    void Number(const std::string& field, double a, double b) {
        if (a != b) {
            differences.push_back(field + ": " + std::to_string(a) + " != " + std::to_string(b));
        }
    }
    void List(const std::string& field, const corvStringArray& a, const corvStringArray& b) {
        Number(field + ".count", a.Count(), b.Count());
        for (int i = 0; i < a.Count() && i < b.Count(); ++i) {
            Text(field + "[" + std::to_string(i) + "]", a.Item(i), b.Item(i));
        }
    }
    template <typename T>
    void Collection(const std::string& field, const corvCollectionTemplate<T>& a,
                    const corvCollectionTemplate<T>& b,
                    const std::function<void(const std::string&, const T&, const T&)>& element) {
        Number(field + ".count", a.GetCount(), b.GetCount());
        for (int i = 0; i < a.GetCount() && i < b.GetCount(); ++i) {
            const std::string place = field + "[" + std::to_string(i) + "]";
            element(place, *a.Get(i), *b.Get(i));
            Comments(place, a.Get(i)->comments, b.Get(i)->comments);
        }
    }
    void Comments(const std::string& field, const LdfComments& a, const LdfComments& b) {
        const auto& x = a.Entries();
        const auto& y = b.Entries();
        Number(field + ".comments.count", static_cast<double>(x.size()), static_cast<double>(y.size()));
        for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
            const std::string entry = field + ".comments[" + std::to_string(i) + "]";
            Text(entry + ".slot", x[i].slot, y[i].slot);
            Number(entry + ".place", static_cast<int>(x[i].place), static_cast<int>(y[i].place));
            Text(entry + ".text", x[i].text, y[i].text);
        }
    }
};

}  // namespace

std::vector<std::string> ModelDifferences(const corvdekLINDefinitionFile& expected,
                                          const corvdekLINDefinitionFile& actual) {
    using Doc = corvdekLINDefinitionFile;
    Comparison c;
    const Doc& a = expected;
    const Doc& b = actual;
    c.Text("protocolVersion", a.protocolVersion, b.protocolVersion);
    c.Text("languageVersion", a.languageVersion, b.languageVersion);
    c.Text("speed", a.speed, b.speed);
    c.Number("isJ2602", a.isJ2602, b.isJ2602);
    c.Text("master.name", a.master.name, b.master.name);
    c.Text("masterTimebase", a.masterTimebase, b.masterTimebase);
    c.Text("masterJitter", a.masterJitter, b.masterJitter);
    c.Text("masterMaxHeaderLength", a.masterMaxHeaderLength, b.masterMaxHeaderLength);
    c.Text("masterResponseTolerance", a.masterResponseTolerance, b.masterResponseTolerance);
    c.Text("channelName", a.channelName, b.channelName);
    c.Text("fileRevision", a.fileRevision, b.fileRevision);
    c.Text("signalByteOrder", a.signalByteOrder, b.signalByteOrder);
    c.Number("hasDiagnosticFrames", a.hasDiagnosticFrames, b.hasDiagnosticFrames);
    c.Number("channelNameGiven", a.channelNameGiven, b.channelNameGiven);
    c.Number("fileRevisionGiven", a.fileRevisionGiven, b.fileRevisionGiven);
    c.List("dynamicFrames", a.dynamicFrames, b.dynamicFrames);
    c.Comments("document", a.comments, b.comments);

    c.Collection<corvdekLINNode>("nodes", a.nodes, b.nodes, [&](auto& f, auto& x, auto& y) {
        c.Text(f + ".name", x.name, y.name);
        c.Text(f + ".protocol", x.protocol, y.protocol);
        c.Text(f + ".configuredNAD", x.configuredNAD, y.configuredNAD);
        c.Text(f + ".responseError", x.responseError, y.responseError);
        c.Text(f + ".p2Min", x.p2Min, y.p2Min);
        c.Text(f + ".stMin", x.stMin, y.stMin);
        c.Text(f + ".supplierId", x.supplierId, y.supplierId);
        c.Text(f + ".functionId", x.functionId, y.functionId);
        c.Text(f + ".responseTolerance", x.responseTolerance, y.responseTolerance);
        c.Text(f + ".variant", x.variant, y.variant);
        c.Text(f + ".initialNAD", x.initialNAD, y.initialNAD);
        c.List(f + ".faultStateSignals", x.faultStateSignals, y.faultStateSignals);
        c.Text(f + ".nAsTimeout", x.nAsTimeout, y.nAsTimeout);
        c.Text(f + ".nCrTimeout", x.nCrTimeout, y.nCrTimeout);
        c.Text(f + ".wakeupTime", x.wakeupTime, y.wakeupTime);
        c.Text(f + ".poweronTime", x.poweronTime, y.poweronTime);
        c.List(f + ".configurableFrameNames", x.configurableFrameNames, y.configurableFrameNames);
        c.List(f + ".configurableFrameIds", x.configurableFrameIds, y.configurableFrameIds);
    });
    const auto signal = [&](auto& f, auto& x, auto& y) {
        c.Text(f + ".name", x.name, y.name);
        c.Text(f + ".size", x.size, y.size);
        c.Text(f + ".publisher", x.publisher, y.publisher);
        c.Text(f + ".initValue", x.initValue, y.initValue);
        c.List(f + ".subscribers", x.subscribers, y.subscribers);
        c.Text(f + ".encoding", x.encoding, y.encoding);
        c.Number(f + ".isByteArray", x.isByteArray, y.isByteArray);
        c.List(f + ".initValues", x.initValues, y.initValues);
    };
    c.Collection<corvdekLINSignal>("signals", a.signals, b.signals, signal);
    c.Collection<corvdekLINSignal>("diagnosticSignals", a.diagnosticSignals, b.diagnosticSignals,
                                   signal);
    c.Collection<corvdekLINSignalGroup>(
        "signalGroups", a.signalGroups, b.signalGroups, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.Text(f + ".size", x.size, y.size);
            c.List(f + ".signalNames", x.signalNames, y.signalNames);
            c.List(f + ".signalOffsets", x.signalOffsets, y.signalOffsets);
        });
    c.Collection<corvdekLINDiagnosticFrame>(
        "diagnosticFrames", a.diagnosticFrames, b.diagnosticFrames, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.Text(f + ".frameId", x.frameId, y.frameId);
            c.List(f + ".signalNames", x.signalNames, y.signalNames);
            c.List(f + ".signalOffsets", x.signalOffsets, y.signalOffsets);
        });
    c.Collection<corvdekLINDiagnosticAddress>(
        "diagnosticAddresses", a.diagnosticAddresses, b.diagnosticAddresses,
        [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".nodeName", x.nodeName, y.nodeName);
            c.Text(f + ".nad", x.nad, y.nad);
        });
    c.Collection<corvdekLINFrame>("frames", a.frames, b.frames, [&](auto& f, auto& x, auto& y) {
        c.Text(f + ".name", x.name, y.name);
        c.Text(f + ".frameId", x.frameId, y.frameId);
        c.Text(f + ".publisher", x.publisher, y.publisher);
        c.Text(f + ".length", x.length, y.length);
        c.List(f + ".signalNames", x.signalNames, y.signalNames);
        c.List(f + ".signalOffsets", x.signalOffsets, y.signalOffsets);
    });
    c.Collection<corvdekLINSporadicFrame>(
        "sporadicFrames", a.sporadicFrames, b.sporadicFrames, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.List(f + ".frameList", x.frameList, y.frameList);
        });
    c.Collection<corvdekLINEventFrame>(
        "eventFrames", a.eventFrames, b.eventFrames, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.List(f + ".frameList", x.frameList, y.frameList);
        });
    c.Collection<corvdekLINScheduleTable>(
        "scheduleTables", a.scheduleTables, b.scheduleTables, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.Collection<corvdekLINScheduleTableItem>(
                f + ".items", x.items, y.items, [&](auto& g, auto& p, auto& q) {
                    c.Number(g + ".kind", p.kind, q.kind);
                    c.Text(g + ".frameName", p.frameName, q.frameName);
                    c.Text(g + ".delay", p.delay, q.delay);
                    c.Text(g + ".freeFormatData", p.freeFormatData, q.freeFormatData);
                    c.Text(g + ".nodeName", p.nodeName, q.nodeName);
                    c.Text(g + ".nadInitial", p.nadInitial, q.nadInitial);
                    c.Text(g + ".nadSupplierId", p.nadSupplierId, q.nadSupplierId);
                    c.Text(g + ".nadFunctionId", p.nadFunctionId, q.nadFunctionId);
                    c.Text(g + ".nadNew", p.nadNew, q.nadNew);
                    c.List(g + ".arguments", p.arguments, q.arguments);
                });
        });
    c.Collection<corvdekLINSignalEncodingTypes>(
        "encodingTypes", a.encodingTypes, b.encodingTypes, [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.Collection<corvdekLINSignalEncodingTypeItem>(
                f + ".items", x.items, y.items, [&](auto& g, auto& p, auto& q) {
                    c.Number(g + ".kind", p.kind, q.kind);
                    c.Number(g + ".minValue", p.minValue, q.minValue);
                    c.Number(g + ".maxValue", p.maxValue, q.maxValue);
                    c.Text(g + ".text", p.text, q.text);
                    c.Number(g + ".textGiven", p.textGiven, q.textGiven);
                    c.Number(g + ".scale", p.scale, q.scale);
                    c.Number(g + ".offset", p.offset, q.offset);
                });
        });
    c.Collection<corvdekLINSignalRepresentations>(
        "representations", a.representations, b.representations,
        [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".encodingName", x.encodingName, y.encodingName);
            c.List(f + ".signalNames", x.signalNames, y.signalNames);
        });
    c.Collection<corvdekLINCompositeConfiguration>(
        "compositeConfigurations", a.compositeConfigurations, b.compositeConfigurations,
        [&](auto& f, auto& x, auto& y) {
            c.Text(f + ".name", x.name, y.name);
            c.Collection<corvdekLINCompositeNode>(
                f + ".compositeNodes", x.compositeNodes, y.compositeNodes,
                [&](auto& g, auto& p, auto& q) {
                    c.Text(g + ".name", p.name, q.name);
                    c.List(g + ".nodeNames", p.nodeNames, q.nodeNames);
                });
        });
    return c.differences;
}
