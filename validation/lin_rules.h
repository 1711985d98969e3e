#pragma once
// The setup rules of the LIN specifications that come after the checks of names and sizes:
// identifiers, frame layout, values, event-triggered and sporadic frames, schedule tables,
// node configuration and the bus load. Each rule names the chapter it comes from.

#include <optional>
#include <vector>

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

// One entry of a schedule table on the bus: its delay and the nominal time of what it sends
// (unknown without a speed or for a name that is no frame); it fits when the delay holds the
// longest time of the frame, rounded up to the time base.
struct ScheduleSlot {
    double delayMs = 0.0;  // 0 for a delay that is no positive number
    std::optional<double> frameMs;
    bool fits = true;
};

struct ScheduleTiming {
    std::vector<ScheduleSlot> slots;  // one per entry
    ScheduleLoad load;
};

// The slots and the load of the table at `tableIndex`, found together.
ScheduleTiming ScheduleTableTiming(corvdekLINDefinitionFile& document, int tableIndex);
