// Nodes section (Master and Slaves statements) and Signals section (scalar signals, the
// head of a byte-array signal and its value list).

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
}

void ReadSlavesStatement(corvdekLINDefinitionFile& document) {
    const StatementFields fields(SplitAtFirst(document.statement.View(), u":").rest, u",");
    for (int i = 0; i < fields.Count(); ++i) {
        const corvString name = Trimmed(fields.Item(i));
        // 'Slaves: ;' (a cluster without slaves as the writer saves it) names no node.
        if (!name.IsEmpty()) document.nodes.Add()->name = name;
    }
}

// The value list of the byte-array signal defined last: b byte values, the publisher and
// the subscribers.
void ReadByteArrayValues(corvdekLINDefinitionFile& document, const StatementFields& fields) {
    corvdekLINSignal* signal = document.signals.Last();
    if (signal == nullptr) {
        document.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"There must be at lease one signal for byte array data: ",
                                 kLevelWarning);
        return;
    }
    signal->isByteArray = true;
    const int byteCount = signal->size.ToInt() / 8;
    // Values and publisher are needed; subscribers may be absent, as for scalar signals.
    if (byteCount < 0 || fields.Count() < byteCount + 1) {
        document.ReportStatement(
            "The LIN Signal sizes doesn't match the byte array.",
            u"The number of intial values for this byte array signal should match: ",
            kLevelWarning);
        return;
    }
    // Without byte values ('{ } , CEM', as written for a signal of fewer than 8 bits) the
    // empty braces leave an empty first field that is no publisher.
    const int first = byteCount == 0 && fields.Count() > 1 && Trimmed(fields.Item(0)).IsEmpty();
    for (int i = 0; i < byteCount; ++i) signal->initValues.Add(Trimmed(fields.Item(i)));
    signal->publisher = Trimmed(fields.Item(first + byteCount));
    signal->subscribers.Clear();
    for (int i = first + byteCount + 1; i < fields.Count(); ++i) {
        signal->subscribers.Add(Trimmed(fields.Item(i)));
    }
}

}  // namespace

void ReadNodesStatement(corvdekLINDefinitionFile& document) {
    if (document.statement.StartsWith(u"Master")) {
        ReadMasterStatement(document);
    } else {
        ReadSlavesStatement(document);
    }
}

void ReadSignalStatement(corvdekLINDefinitionFile& document) {
    const SplitAtFirst parts(document.statement.View(), u":");
    const StatementFields fields(TrimmedView(parts.rest), u",");
    if (!parts.found) {
        ReadByteArrayValues(document, fields);
        return;
    }
    corvdekLINSignal* signal = document.signals.Add();
    signal->name = Trimmed(parts.head);
    signal->size = Trimmed(fields.Item(0));
    if (fields.Count() == 2) return;  // 'name: size,' cut off by the '{' of a value list
    if (fields.Count() == 1) {
        document.ReportStatement("The LIN Signal is specified incorrectly.",
                                 u"This line has less than the required number of parameters: ",
                                 kLevelWarning);
        return;
    }
    signal->initValue = Trimmed(fields.Item(1));
    signal->publisher = Trimmed(fields.Item(2));
    signal->subscribers.Clear();
    for (int i = 3; i < fields.Count(); ++i) signal->subscribers.Add(Trimmed(fields.Item(i)));
}
