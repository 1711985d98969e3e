// Nodes section (Master and Slaves statements), Signals section (scalar signals, the head
// of a byte-array signal and its value list), Diagnostic_signals and Signal_groups.

#include <algorithm>

#include "foundation/corv_arrays.h"
#include "load_context.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

void ReadMasterStatement(LoadContext& load) {
    const StatementFields fields(TrimmedView(SplitAtFirst(load.statement, ':').rest), ",");
    if (fields.Count() < 3) {
        load.ReportStatement("The LIN Master is specified incorrectly.",
                                 u"This line specifies the master incorrectly: ", kLevelError);
        return;
    }
    load.document.master.name = Trimmed(fields.Item(0));
    // "5 ms" gives 5: the unit letters are dropped wherever they stand.
    load.document.masterTimebase = WithoutCharacters(fields.Item(1), "msMS");
    load.document.masterJitter = WithoutCharacters(fields.Item(2), "msMS");
    // SAE J2602 adds the header length and the response tolerance: '24 bits, 30 %'.
    if (fields.Count() >= 5) {
        load.document.masterMaxHeaderLength = WithoutCharacters(fields.Item(3), "bits");
        load.document.masterResponseTolerance = WithoutCharacters(fields.Item(4), "%");
    }
}

void ReadSlavesStatement(LoadContext& load) {
    const StatementFields fields(SplitAtFirst(load.statement, ':').rest, ",");
    for (int i = 0; i < fields.Count(); ++i) {
        const std::string_view name = TrimmedView(fields.Item(i));
        // 'Slaves: ;' (a cluster without slaves as the writer saves it) names no node.
        if (!name.empty()) load.document.nodes.Add()->name.AssignCodePage(name);
    }
}

// The statement holds only the values after the '{': the details name the signal too.
void ReportByteCountMismatch(LoadContext& load, const corvdekLINSignal& signal) {
    corvString details(u"The number of intial values for this byte array signal should match: ");
    details.Append(Converted(load.statement));
    details.Append(u" (signal ");
    details.Append(signal.name);
    details.Append(u")");
    load.AddLoadIssue("The LIN Signal sizes doesn't match the byte array.", details, kLevelWarning);
}

void SetReceivers(corvdekLINSignal& signal, const StatementFields& fields, int first) {
    signal.subscribers.Clear();
    AddTrimmedFields(signal.subscribers, fields, first);
}

// '1, 2 } , publisher, subscribers': the values stood in braces, so they are told apart
// from the publisher whatever their number. A byte array keeps at most size / 8 values, but
// always its first one (a value list is never empty, whatever the size says); a number of
// values other than size / 8 is reported, and the publisher and subscribers are kept all the
// same (a save writes the missing values as 0).
bool ReadBracedByteValues(LoadContext& load, corvdekLINSignal& signal) {
    const StatementFields values(load.blockTail, ",");
    const StatementFields after(load.afterBlock, ",");
    const int first = after.Count() > 1 && TrimmedView(after.Item(0)).empty() ? 1 : 0;
    const int byteCount = signal.size.ToInt() / 8;
    if (TrimmedView(after.Item(first)).empty()) {
        ReportByteCountMismatch(load, signal);
        return true;
    }
    AddTrimmedFields(signal.initValues, values, 0, std::max(byteCount, 1));
    AssignTrimmed(signal.publisher, after.Item(first));
    SetReceivers(signal, after, first + 1);
    if (values.Count() != byteCount) ReportByteCountMismatch(load, signal);
    return true;
}

// The value list of the byte-array signal defined last: b byte values, the publisher and
// the subscribers.
bool ReadByteArrayValues(LoadContext& load, const StatementFields& fields) {
    corvdekLINSignal* signal = load.document.signals.Last();
    if (signal == nullptr) {
        load.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"There must be at lease one signal for byte array data: ",
                                 kLevelWarning);
        return true;
    }
    signal->isByteArray = true;
    load.AnchorAt(signal->comments);
    if (load.blockTailDepth == 2) return ReadBracedByteValues(load, *signal);
    const int byteCount = signal->size.ToInt() / 8;
    // Values and publisher are needed; subscribers may be absent, as for scalar signals.
    if (byteCount < 0 || fields.Count() < byteCount + 1) {
        ReportByteCountMismatch(load, *signal);
        return true;
    }
    // Without byte values ('{ } , CEM', as written for a signal of fewer than 8 bits) the
    // empty braces leave an empty first field that is no publisher.
    const int first = byteCount == 0 && fields.Count() > 1 && TrimmedView(fields.Item(0)).empty();
    AddTrimmedFields(signal->initValues, fields, 0, byteCount);
    AssignTrimmed(signal->publisher, fields.Item(first + byteCount));
    SetReceivers(*signal, fields, first + byteCount + 1);
    return true;
}

}  // namespace

bool ReadNodesStatement(LoadContext& load) {
    const bool master = load.statement.starts_with("Master");
    if (master) {
        ReadMasterStatement(load);
    } else {
        ReadSlavesStatement(load);
    }
    load.AnchorAt(load.document.comments, master ? u"Master" : u"Slaves");
    return true;
}

bool ReadSignalStatement(LoadContext& load) {
    const SplitAtFirst parts(load.statement, ':');
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (!parts.found) return ReadByteArrayValues(load, fields);
    corvdekLINSignal* signal = load.document.signals.Add();
    load.AnchorAt(signal->comments);
    AssignTrimmed(signal->name, parts.head);
    AssignTrimmed(signal->size, fields.Item(0));
    if (fields.Count() == 2) return true;  // 'name: size,' cut off by the '{' of a value list
    if (fields.Count() == 1) {
        load.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"This line has less than the required number of parameters: ",
                                 kLevelWarning);
        return true;
    }
    AssignTrimmed(signal->initValue, fields.Item(1));
    AssignTrimmed(signal->publisher, fields.Item(2));
    SetReceivers(*signal, fields, 3);
    return true;
}

// 'name: size, initial value', or a byte array's head and then its values in braces.
bool ReadDiagnosticSignalStatement(LoadContext& load) {
    load.document.hasDiagnosticFrames = true;
    const SplitAtFirst parts(load.statement, ':');
    if (!parts.found) {
        corvdekLINSignal* signal = load.document.diagnosticSignals.Last();
        if (signal == nullptr || load.blockTailDepth != 2) return false;
        signal->isByteArray = true;
        load.AnchorAt(signal->comments);
        const StatementFields values(load.blockTail, ",");
        AddTrimmedFields(signal->initValues, values);
        return true;
    }
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (fields.Count() != 2) return false;
    corvdekLINSignal* signal = load.document.diagnosticSignals.Add();
    load.AnchorAt(signal->comments);
    AssignTrimmed(signal->name, parts.head);
    AssignTrimmed(signal->size, fields.Item(0));
    AssignTrimmed(signal->initValue, fields.Item(1));
    return true;
}

// 'name: size' opens a group; 'signal, offset' inside it.
bool ReadSignalGroupStatement(LoadContext& load, int depth) {
    if (depth == 1) {
        const SplitAtFirst parts(load.statement, ':');
        if (!parts.found) return false;
        corvdekLINSignalGroup* group = load.document.signalGroups.Add();
        load.AnchorAt(group->comments);
        AssignTrimmed(group->name, parts.head);
        AssignTrimmed(group->size, parts.rest);
        return true;
    }
    corvdekLINSignalGroup* group = load.document.signalGroups.Last();
    const StatementFields fields(load.statement, ",");
    if (depth != 2 || group == nullptr || fields.Count() != 2) return false;
    AddTrimmed(group->signalNames, fields.Item(0));
    AddTrimmed(group->signalOffsets, fields.Item(1));
    load.AnchorAtEntry(group->comments, u"signal", group->signalNames.Item(group->signalNames.Count() - 1).View());
    return true;
}
