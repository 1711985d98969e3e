// Nodes section (Master and Slaves statements), Signals section (scalar signals, the head
// of a byte-array signal and its value list), Diagnostic_signals and Signal_groups.

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

void ReadMasterStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(TrimmedView(SplitAtFirst(document.statement, ':').rest), ",");
    if (fields.Count() < 3) {
        document.ReportStatement("The LIN Master is specified incorrectly.",
                                 u"This line specifies the master incorrectly: ", kLevelError);
        return;
    }
    document.master.name = Trimmed(fields.Item(0));
    // "5 ms" gives 5: the unit letters are dropped wherever they stand.
    document.masterTimebase = WithoutCharacters(fields.Item(1), "msMS");
    document.masterJitter = WithoutCharacters(fields.Item(2), "msMS");
    // SAE J2602 adds the header length and the response tolerance: '24 bits, 30 %'.
    if (fields.Count() >= 5) {
        document.masterMaxHeaderLength = WithoutCharacters(fields.Item(3), "bits");
        document.masterResponseTolerance = WithoutCharacters(fields.Item(4), "%");
    }
}

void ReadSlavesStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(SplitAtFirst(document.statement, ':').rest, ",");
    for (int i = 0; i < fields.Count(); ++i) {
        const std::string_view name = TrimmedView(fields.Item(i));
        // 'Slaves: ;' (a cluster without slaves as the writer saves it) names no node.
        if (!name.empty()) document.nodes.Add()->name.AssignCodePage(name);
    }
}

void ReportByteCountMismatch(corvdekLINDefinitionFile& document) {
    document.ReportStatement(
        "The LIN Signal sizes doesn't match the byte array.",
        u"The number of intial values for this byte array signal should match: ", kLevelWarning);
}

void SetReceivers(corvdekLINSignal& signal, const StatementFields& fields, int first) {
    signal.subscribers.Clear();
    AddTrimmedFields(signal.subscribers, fields, first);
}

// '1, 2 } , publisher, subscribers': the values stood in braces, so they are told apart
// from the publisher whatever their number. A byte array keeps size / 8 values; a surplus
// is reported.
bool ReadBracedByteValues(corvdekLINDefinitionFile& document, corvdekLINSignal& signal) {
    const StatementFields values(document.blockTail, ",");
    const StatementFields after(document.afterBlock, ",");
    const int first = after.Count() > 1 && TrimmedView(after.Item(0)).empty() ? 1 : 0;
    const int byteCount = signal.size.ToInt() / 8;
    if (byteCount < 0 || values.Count() < byteCount || TrimmedView(after.Item(first)).empty()) {
        ReportByteCountMismatch(document);
        return true;
    }
    AddTrimmedFields(signal.initValues, values, 0, byteCount);
    AssignTrimmed(signal.publisher, after.Item(first));
    SetReceivers(signal, after, first + 1);
    if (values.Count() > byteCount) ReportByteCountMismatch(document);
    return true;
}

// The value list of the byte-array signal defined last: b byte values, the publisher and
// the subscribers.
bool ReadByteArrayValues(corvdekLINDefinitionFile& document, const StatementFields& fields) {
    corvdekLINSignal* signal = document.signals.Last();
    if (signal == nullptr) {
        document.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"There must be at lease one signal for byte array data: ",
                                 kLevelWarning);
        return true;
    }
    signal->isByteArray = true;
    if (document.blockTailDepth == 2) return ReadBracedByteValues(document, *signal);
    const int byteCount = signal->size.ToInt() / 8;
    // Values and publisher are needed; subscribers may be absent, as for scalar signals.
    if (byteCount < 0 || fields.Count() < byteCount + 1) {
        ReportByteCountMismatch(document);
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

bool ReadNodesStatement(corvdekLINDefinitionFile& document) {
    if (document.statement.starts_with("Master")) {
        ReadMasterStatement(document);
    } else {
        ReadSlavesStatement(document);
    }
    return true;
}

bool ReadSignalStatement(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement, ':');
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (!parts.found) return ReadByteArrayValues(document, fields);
    corvdekLINSignal* signal = document.signals.Add();
    AssignTrimmed(signal->name, parts.head);
    AssignTrimmed(signal->size, fields.Item(0));
    if (fields.Count() == 2) return true;  // 'name: size,' cut off by the '{' of a value list
    if (fields.Count() == 1) {
        document.ReportStatement("The LIN Signal is specified incorrectly.",
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
bool ReadDiagnosticSignalStatement(corvdekLINDefinitionFile& document) {
    document.hasDiagnosticFrames = true;
    const SplitAtFirst parts(document.statement, ':');
    if (!parts.found) {
        corvdekLINSignal* signal = document.diagnosticSignals.Last();
        if (signal == nullptr || document.blockTailDepth != 2) return false;
        signal->isByteArray = true;
        const StatementFields values(document.blockTail, ",");
        AddTrimmedFields(signal->initValues, values);
        return true;
    }
    const StatementFields fields(TrimmedView(parts.rest), ",");
    if (fields.Count() != 2) return false;
    corvdekLINSignal* signal = document.diagnosticSignals.Add();
    AssignTrimmed(signal->name, parts.head);
    AssignTrimmed(signal->size, fields.Item(0));
    AssignTrimmed(signal->initValue, fields.Item(1));
    return true;
}

// 'name: size' opens a group; 'signal, offset' inside it.
bool ReadSignalGroupStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        const SplitAtFirst parts(document.statement, ':');
        if (!parts.found) return false;
        corvdekLINSignalGroup* group = document.signalGroups.Add();
        AssignTrimmed(group->name, parts.head);
        AssignTrimmed(group->size, parts.rest);
        return true;
    }
    corvdekLINSignalGroup* group = document.signalGroups.Last();
    const StatementFields fields(document.statement, ",");
    if (depth != 2 || group == nullptr || fields.Count() != 2) return false;
    AddTrimmed(group->signalNames, fields.Item(0));
    AddTrimmed(group->signalOffsets, fields.Item(1));
    return true;
}
