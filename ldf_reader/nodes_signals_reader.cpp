// Nodes section (Master and Slaves statements), Signals section (scalar signals, the head
// of a byte-array signal and its value list), Diagnostic_signals and Signal_groups.

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

void ReadMasterStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(TrimmedView(SplitAtFirst(document.statement.View(), u":").rest), u",");
    if (fields.Count() < 3) {
        document.ReportStatement("The LIN Master is specified incorrectly.",
                                 u"This line specifies the master incorrectly: ", kLevelError);
        return;
    }
    document.master.name = Trimmed(fields.Item(0));
    // "5 ms" gives 5: the unit letters are dropped wherever they stand.
    document.masterTimebase = WithoutCharacters(fields.Item(1), u"msMS");
    document.masterJitter = WithoutCharacters(fields.Item(2), u"msMS");
    // SAE J2602 adds the header length and the response tolerance: '24 bits, 30 %'.
    if (fields.Count() >= 5) {
        document.masterMaxHeaderLength = WithoutCharacters(fields.Item(3), u"bits");
        document.masterResponseTolerance = WithoutCharacters(fields.Item(4), u"%");
    }
}

void ReadSlavesStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(SplitAtFirst(document.statement.View(), u":").rest, u",");
    for (int i = 0; i < fields.Count(); ++i) {
        const corvString name = Trimmed(fields.Item(i));
        // 'Slaves: ;' (a cluster without slaves as the writer saves it) names no node.
        if (!name.IsEmpty()) document.nodes.Add()->name = name;
    }
}

void ReportByteCountMismatch(corvdekLINDefinitionFile& document) {
    document.ReportStatement(
        "The LIN Signal sizes doesn't match the byte array.",
        u"The number of intial values for this byte array signal should match: ", kLevelWarning);
}

void SetReceivers(corvdekLINSignal& signal, const StatementFields& fields, int first) {
    signal.subscribers.SetAllocated(fields.Count() - first, false);
    for (int i = first; i < fields.Count(); ++i) signal.subscribers.Add(Trimmed(fields.Item(i)));
}

// '1, 2 } , publisher, subscribers': the values stood in braces, so they are told apart
// from the publisher whatever their number. A byte array keeps size / 8 values; a surplus
// is reported.
bool ReadBracedByteValues(corvdekLINDefinitionFile& document, corvdekLINSignal& signal) {
    const StatementFields values(document.blockTail, u",");
    const StatementFields after(document.afterBlock, u",");
    const int first = after.Count() > 1 && TrimmedView(after.Item(0)).empty() ? 1 : 0;
    const int byteCount = signal.size.ToInt() / 8;
    if (byteCount < 0 || values.Count() < byteCount || TrimmedView(after.Item(first)).empty()) {
        ReportByteCountMismatch(document);
        return true;
    }
    for (int i = 0; i < byteCount; ++i) signal.initValues.Add(Trimmed(values.Item(i)));
    signal.publisher = Trimmed(after.Item(first));
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
    const int first = byteCount == 0 && fields.Count() > 1 && Trimmed(fields.Item(0)).IsEmpty();
    for (int i = 0; i < byteCount; ++i) signal->initValues.Add(Trimmed(fields.Item(i)));
    signal->publisher = Trimmed(fields.Item(first + byteCount));
    SetReceivers(*signal, fields, first + byteCount + 1);
    return true;
}

}  // namespace

bool ReadNodesStatement(corvdekLINDefinitionFile& document) {
    if (document.statement.StartsWith(u"Master")) {
        ReadMasterStatement(document);
    } else {
        ReadSlavesStatement(document);
    }
    return true;
}

bool ReadSignalStatement(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement.View(), u":");
    const StatementFields fields(TrimmedView(parts.rest), u",");
    if (!parts.found) return ReadByteArrayValues(document, fields);
    corvdekLINSignal* signal = document.signals.Add();
    signal->name = Trimmed(parts.head);
    signal->size = Trimmed(fields.Item(0));
    if (fields.Count() == 2) return true;  // 'name: size,' cut off by the '{' of a value list
    if (fields.Count() == 1) {
        document.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"This line has less than the required number of parameters: ",
                                 kLevelWarning);
        return true;
    }
    signal->initValue = Trimmed(fields.Item(1));
    signal->publisher = Trimmed(fields.Item(2));
    SetReceivers(*signal, fields, 3);
    return true;
}

// 'name: size, initial value', or a byte array's head and then its values in braces.
bool ReadDiagnosticSignalStatement(corvdekLINDefinitionFile& document) {
    document.hasDiagnosticFrames = true;
    const SplitAtFirst parts(document.statement.View(), u":");
    if (!parts.found) {
        corvdekLINSignal* signal = document.diagnosticSignals.Last();
        if (signal == nullptr || document.blockTailDepth != 2) return false;
        signal->isByteArray = true;
        const StatementFields values(document.blockTail, u",");
        for (int i = 0; i < values.Count(); ++i) signal->initValues.Add(Trimmed(values.Item(i)));
        return true;
    }
    const StatementFields fields(TrimmedView(parts.rest), u",");
    if (fields.Count() != 2) return false;
    corvdekLINSignal* signal = document.diagnosticSignals.Add();
    signal->name = Trimmed(parts.head);
    signal->size = Trimmed(fields.Item(0));
    signal->initValue = Trimmed(fields.Item(1));
    return true;
}

// 'name: size' opens a group; 'signal, offset' inside it.
bool ReadSignalGroupStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        const SplitAtFirst parts(document.statement.View(), u":");
        if (!parts.found) return false;
        corvdekLINSignalGroup* group = document.signalGroups.Add();
        group->name = Trimmed(parts.head);
        group->size = Trimmed(parts.rest);
        return true;
    }
    corvdekLINSignalGroup* group = document.signalGroups.Last();
    const StatementFields fields(document.statement, u",");
    if (depth != 2 || group == nullptr || fields.Count() != 2) return false;
    group->signalNames.Add(Trimmed(fields.Item(0)));
    group->signalOffsets.Add(Trimmed(fields.Item(1)));
    return true;
}
