// The current setup checks: general rules on the bus settings and nodes, then every frame,
// then every signal, then the rules of the LIN specifications on every kind of object. Each finding becomes one setup issue (level, type, section key,
// details); the order of the findings is the order of the rows the editor shows.

#include <cmath>
#include <initializer_list>
#include <optional>
#include <string_view>

#include "lin_rules.h"
#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/name_index.h"

namespace {

constexpr const char16_t* kVersionTail =
    u" is not understood by the Tabrel. This value should be \"1.2\", \"1.3\", or \"J2602\". ";

bool IsKnownVersion(const corvString& version) {
    for (const char16_t* known : {u"1.2", u"1.3", u"2.0", u"2.1", u"2.2", u"2.3"}) {
        if (version.Equals(known)) return true;
    }
    // SAE J2602 and ISO 17987 name themselves with a year or a revision after the standard.
    corvString upper(version);
    upper.ToUpper();
    return upper.Find(0, u"J2602") >= 0 || upper.StartsWith(u"ISO17987:");
}

// A version is judged without the spaces around it; the check leaves it as written. `what`
// is "Protocol" or "Language".
void CheckVersion(corvdekLINDefinitionFile& document, const corvString& written, std::u16string_view what) {
    corvString version = written;
    version.Trim();
    if (IsKnownVersion(version)) return;
    document.AddSetupIssue(kLevelError, Concat({u"Unknown LIN ", what, u" version"}), Concat({u"General-", what}),
                           Concat({u"The LIN ", what, u" version ", version.View(), kVersionTail}));
}

void CheckVersions(corvdekLINDefinitionFile& document) {
    CheckVersion(document, document.protocolVersion, u"Protocol");
    CheckVersion(document, document.languageVersion, u"Language");
}

void CheckBusTiming(corvdekLINDefinitionFile& document) {
    // Written so that a value that is no finite number ('nan', 'inf') is out of range too.
    const double speed = document.speed.ToDouble();
    if (!(speed >= 1.0 && speed <= 20.0)) {
        document.AddSetupIssue(
            kLevelWarning, corvString(u"Baudrate is out of range"), corvString(u"General-LINBaudRate"),
            Concat({u"The LIN Baud Rate: ", document.speed.View(),
                    u" is out of the range. This value should be between 1.0 and 20.0 KBaud. "}));
    }
    const double timebase = document.masterTimebase.ToDouble();
    // LIN sets no lower limit above zero: a master without jitter is common. A jitter that
    // is no number is out of every range.
    const std::optional<double> jitterValue = RealNumber(document.masterJitter);
    const bool jitterInRange = jitterValue && *jitterValue >= 0.0 && *jitterValue < timebase;
    if (!jitterInRange) {
        document.AddSetupIssue(
            kLevelWarning, corvString(u"Jitter is out of range"), corvString(u"General-LINJitter"),
            Concat({u"The jitter: ", document.masterJitter.View(),
                    u" is out of the range. This value should be be greater than 0 and less than "
                    u"the timebase."}));
    }
    if (timebase == 0.0 || !std::isfinite(timebase)) {
        document.AddSetupIssue(
            kLevelWarning, corvString(u"TimeBase is out of range"), corvString(u"General-LINTimeBase"),
            Concat({u"The timebase: ", document.masterTimebase.View(),
                    u" is out of the range. This value should be be greater than 0."}));
    }
}

void CheckNodes(corvdekLINDefinitionFile& document) {
    if (corvString(document.master.name).Trim().IsEmpty()) {
        document.AddSetupIssue(kLevelWarning, corvString(u"The master node is blank"),
                               corvString(u"Nodes-Master"),
                               corvString(u"The master node cannot be undefined."));
    }
    if (document.nodes.GetCount() == 0) {
        document.AddSetupIssue(kLevelWarning, corvString(u"No slave nodes"), corvString(u"Nodes-Slaves"),
                               corvString(u"There must be at least one slave node."));
    }
}

// Rows for a blank or undefined source node of a frame or a signal ("Frames-" / "Signals-").
void CheckSourceNode(corvdekLINDefinitionFile& document, const ClusterNameIndex& names,
                     std::u16string_view tab, const corvString& name, const corvString& publisher) {
    // The texts are made only for a row: most objects give none.
    const auto section = [&] { return Concat({tab, name.View(), u"-SourceNode"}); };
    if (publisher.IsEmpty()) {
        document.AddSetupIssue(kLevelWarning, Concat({name.View(), u" - source node blank"}), section(),
                               corvString(u"The source node: (blank) is not a defined node."));
    } else if (!names.IsDefinedNode(publisher.View())) {
        document.AddSetupIssue(
            kLevelWarning, Concat({name.View(), u" - source node missing"}), section(),
            Concat({u"The source node: ", publisher.View(), u" is not a defined node."}));
    }
}

bool IsByteArraySize(int size) { return size >= 8 && size <= 64 && size % 8 == 0; }

}  // namespace

bool corvdekLINDefinitionFile::CheckSetup() {
    setupIssueLevels.Clear();
    setupIssueTypes.Clear();
    setupIssueSections.Clear();
    setupIssueDetails.Clear();
    CheckVersions(*this);
    CheckBusTiming(*this);
    CheckNodes(*this);
    // Built after the master's name was trimmed; every lookup below goes through it.
    const ClusterNameIndex names(*this);
    for (int i = 0; i < frames.GetCount(); ++i) {
        corvdekLINFrame* frame = frames.Get(i);
        frame->owner = this;
        frame->CheckSetup(names);
    }
    for (int i = 0; i < signals.GetCount(); ++i) {
        corvdekLINSignal* signal = signals.Get(i);
        signal->owner = this;
        signal->CheckSetup(names);
    }
    CheckLinRules(*this, names);
    return true;
}

corvdekLINSignal* corvdekLINFrame::GetSignal(int index) const {
    if (owner == nullptr) return nullptr;
    return GetSignal(index, ClusterNameIndex(*owner));
}

corvdekLINSignal* corvdekLINFrame::GetSignal(int index, const ClusterNameIndex& names) const {
    if (index < 0 || index >= signalNames.Count()) return nullptr;
    return names.FindSignal(signalNames.Item(index).View());
}

void corvdekLINFrame::CheckSetup() {
    if (owner != nullptr) CheckSetup(ClusterNameIndex(*owner));
}

void corvdekLINFrame::CheckSetup(const ClusterNameIndex& names) {
    if (owner == nullptr) return;
    for (int i = 0; i < signalNames.Count(); ++i) {
        const corvString& entry = signalNames.Item(i);
        if (names.FindSignal(entry.View()) != nullptr) continue;
        owner->AddSetupIssue(
            kLevelWarning, Concat({u"Signal does not exist for frame: ", name.View()}),
            Concat({u"Frames-", name.View(), u"-Signals"}),
            Concat({u"The signal: ", entry.View(), u" is not available in the signal list."}));
    }
    CheckSourceNode(*owner, names, u"Frames-", name, publisher);
}

void corvdekLINSignal::CheckSetup() {
    if (owner != nullptr) CheckSetup(ClusterNameIndex(*owner));
}

void corvdekLINSignal::CheckSetup(const ClusterNameIndex& names) {
    if (owner == nullptr) return;
    corvdekLINDefinitionFile& document = *owner;
    const std::u16string_view signal = name.View();
    const auto rxSection = [signal] { return Concat({u"Signals-", signal, u"-RxNodes"}); };

    if (!encoding.IsEmpty() && !names.IsEncodingType(encoding.View())) {
        document.AddSetupIssue(kLevelWarning, Concat({signal, u" - signal encoding missing"}),
                               Concat({u"Signals-", signal, u"-Encoding"}),
                               Concat({u"The signal encoding: ", encoding.View(),
                                       u" is not available in the signal encoding list."}));
    }
    CheckSourceNode(document, names, u"Signals-", name, publisher);
    for (int i = 0; i < subscribers.Count(); ++i) {
        const corvString& receiver = subscribers.Item(i);
        if (names.IsDefinedNode(receiver.View())) continue;
        document.AddSetupIssue(
            kLevelWarning, Concat({signal, u" - receiver node missing"}), rxSection(),
            Concat({u"The receviver node: ", receiver.View(), u" is not a defined node."}));
    }
    const corvString& masterName = document.master.name;
    const bool sentBySlave = !publisher.IsEmpty() && !publisher.Equals(masterName);
    const bool reachesASlave = subscribers.Count() > 1 ||
                               (subscribers.Count() == 1 && !subscribers.Item(0).Equals(masterName));
    if (document.isJ2602 && sentBySlave && reachesASlave) {
        document.AddSetupIssue(kLevelWarning, Concat({signal, u" - slave to slave communications"}),
                               rxSection(),
                               corvString(u"J2602 probhits slave to slave communications where a "
                                          u"source slave communicates to another slave."));
    }
    if (!publisher.IsEmpty() && subscribers.Contains(publisher)) {
        document.AddSetupIssue(
            kLevelWarning, Concat({signal, u" - transmitted and received by the same node"}),
            Concat({u"Signals-", signal, u"-SourceNode"}),
            Concat({u"The source node: ", publisher.View(), u" is included in the receive list."}));
    }
    const int bits = size.ToInt();
    if (isByteArray ? !IsByteArraySize(bits) : (bits < 1 || bits > 16)) {
        corvString bitsText;
        bitsText.SetInt(bits);
        document.AddSetupIssue(
            kLevelWarning, Concat({signal, u" - signal size out of range"}),
            Concat({u"Signals-", signal, u"-SignalSize"}),
            Concat({u"The signal size: ", bitsText.View(),
                    isByteArray ? u" must be 8,16,24,32,40,48,56, and 64 for byte array signals."
                                : u" must be from 1 to 16 for scalar signals."}));
    }
    if (subscribers.Count() == 0) {
        document.AddSetupIssue(kLevelWarning, Concat({signal, u" - no Rx Nodes"}), rxSection(),
                               corvString(u"There are no rx nodes defined for this signal."));
    }
}
