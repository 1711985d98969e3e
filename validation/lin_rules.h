#pragma once
// The setup rules of the LIN specifications that come after the checks of names and sizes:
// identifiers, frame layout, values, event-triggered and sporadic frames, schedule tables,
// node configuration and the bus load. Each rule names the chapter it comes from.

class ClusterNameIndex;
class corvdekLINDefinitionFile;

// Appends the findings to the document's setup issues: nodes, signals, frames, schedule
// tables, encoding types, each object's rows together, in collection order.
void CheckLinRules(corvdekLINDefinitionFile& document, const ClusterNameIndex& names);

// How much of a schedule table's cycle its frames occupy on the bus.
struct ScheduleLoad {
    bool known = false;  // false without a speed or without a cycle to compare with
    double cycleMs = 0.0;
    double busyMs = 0.0;  // the nominal times of the frames and commands it sends
    bool slotOverflows = false;  // a slot is shorter than the longest time of its frame
    double Percent() const { return cycleMs > 0.0 ? 100.0 * busyMs / cycleMs : 0.0; }
};

ScheduleLoad ScheduleTableLoad(corvdekLINDefinitionFile& document, int tableIndex);
