#include "definition_file.h"

#include <string>
#include <utility>
#include <vector>

#include "foundation/name_map.h"

void corvdekLINDefinitionFile::Reset() {
    for (corvString* text :
         {&masterTimebase, &masterJitter, &speed, &master.name, &protocolVersion, &languageVersion,
          &channelName, &fileRevision, &signalByteOrder, &masterMaxHeaderLength,
          &masterResponseTolerance}) {
        text->Assign(u"");
    }
    isJ2602 = false;
    hasDiagnosticFrames = false;
    channelNameGiven = false;
    fileRevisionGiven = false;
    comments.Clear();
    nodes.Clear();
    signals.Clear();
    frames.Clear();
    scheduleTables.Clear();
    encodingTypes.Clear();
    representations.Clear();
    sporadicFrames.Clear();
    eventFrames.Clear();
    compositeConfigurations.Clear();
    diagnosticFrames.Clear();
    diagnosticSignals.Clear();
    signalGroups.Clear();
    diagnosticAddresses.Clear();
    dynamicFrames.Clear();
}

void corvdekLINDefinitionFile::AddLoadIssue(const char* type, const corvString& details,
                                            const char* level, SourcePlace place) {
    loadIssueTypes.AddAnsi(type);
    loadIssueDetails.Add(details);
    loadIssueLevels.AddAnsi(level);
    loadIssuePlaces.push_back(place);
}

void corvdekLINDefinitionFile::ResolveSignalEncodings() {
    // The first representation (in collection and list order) that names a signal wins.
    NameList represented(static_cast<std::size_t>(signals.GetCount()));
    std::vector<const corvString*> encodingOf;  // by position in `represented`
    for (int r = 0; r < representations.GetCount(); ++r) {
        const corvdekLINSignalRepresentations* representation = representations.Get(r);
        for (int s = 0; s < representation->signalNames.Count(); ++s) {
            const auto position = static_cast<std::size_t>(represented.Add(representation->signalNames.Item(s).View()));
            if (position == encodingOf.size()) encodingOf.push_back(&representation->encodingName);
        }
    }
    for (int i = 0; i < signals.GetCount(); ++i) {
        corvdekLINSignal* signal = signals.Get(i);
        const int position = represented.Find(signal->name.View());
        signal->encoding = position < 0 ? corvString() : *encodingOf[static_cast<std::size_t>(position)];
    }
}

void corvdekLINDefinitionFile::SetSignalEncoding(corvdekLINSignal& signal,
                                                 const corvString& encodingName) {
    signal.encoding = encodingName;
    for (int r = representations.GetCount() - 1; r >= 0; --r) {
        corvStringArray& names = representations.Get(r)->signalNames;
        const int before = names.Count();
        for (int i = names.Count() - 1; i >= 0; --i) {
            if (names.Item(i).Equals(signal.name)) names.RemoveAt(i);
        }
        if (names.Count() == 0 && before > 0) representations.RemoveAt(r);
    }
    if (encodingName.IsEmpty()) return;
    for (int r = 0; r < representations.GetCount(); ++r) {
        corvdekLINSignalRepresentations* representation = representations.Get(r);
        if (representation->encodingName.Equals(encodingName)) {
            representation->signalNames.Add(signal.name);
            return;
        }
    }
    corvdekLINSignalRepresentations* added = representations.Add();
    added->encodingName = encodingName;
    added->signalNames.Add(signal.name);
}

void corvdekLINDefinitionFile::UpdateJ2602Flag() {
    corvString upper(protocolVersion);
    upper.ToUpper();
    isJ2602 = upper.Find(0, u"J2602") >= 0;
}

void corvdekLINDefinitionFile::AddStandardDiagnostics() {
    if (!diagnosticSignals.IsEmpty() || !diagnosticFrames.IsEmpty()) return;
    const struct {
        const char16_t* name;
        const char16_t* id;
    } kFrames[] = {{u"MasterReq", u"60"}, {u"SlaveResp", u"61"}};
    for (const auto& standard : kFrames) {
        corvdekLINDiagnosticFrame* frame = diagnosticFrames.Add();
        frame->name = standard.name;
        frame->frameId = standard.id;
        frame->isSlaveResponse = frame->name.Equals(u"SlaveResp") ? 1 : 0;
        for (int b = 0; b < 8; ++b) {
            corvdekLINSignal* signal = diagnosticSignals.Add();
            signal->name = corvString(std::u16string(standard.name) + u"B" + static_cast<char16_t>(u'0' + b));
            signal->size = u"8";
            signal->initValue = u"0";
            frame->signalNames.Add(signal->name);
            corvString offset;
            offset.SetInt(8 * b);
            frame->signalOffsets.Add(offset);
        }
    }
}

void corvdekLINDefinitionFile::AddSetupIssue(const char* level, corvString type, corvString sectionKey,
                                             corvString details) {
    setupIssueLevels.AddAnsi(level);
    setupIssueTypes.Add(std::move(type));
    setupIssueSections.Add(std::move(sectionKey));
    setupIssueDetails.Add(std::move(details));
}
