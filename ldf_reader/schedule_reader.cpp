// Schedule_tables: table headers at depth 1, entries inside them. A command with an
// argument list arrives as two statements: the command word at its '{', then the
// arguments with the delay at the ';'.

#include "foundation/corv_arrays.h"
#include "model/definition_file.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

using Item = corvdekLINScheduleTableItem;

constexpr const char* kFrameInvalid = "Schedule Table Frame Invalid.";
constexpr const char16_t* kFrameInvalidAt = u"This Schedule Table frame is invalid at line: ";

// An entry split at "delay": the text before it, and the delay in ms when the entry has
// exactly one "delay" part.
struct ScheduleEntry {
    explicit ScheduleEntry(const corvString& statement) {
        const StatementFields parts(statement.View(), u"delay");
        head = Trimmed(parts.Item(0));
        hasDelay = parts.Count() == 2;
        if (hasDelay) {
            const StatementFields delayParts(parts.Item(1), u"ms");
            delay = Trimmed(delayParts.Item(0));
        }
    }

    corvString head;
    corvString delay;
    bool hasDelay = false;
};

void AddItem(corvdekLINScheduleTable& table, int kind, const ScheduleEntry* entry) {
    Item* item = table.items.Add();
    item->kind = kind;
    if (entry != nullptr) item->delay = entry->delay;
}

// Stores the fields of a command's argument list; false when their number is wrong.
bool ReadArguments(Item& item, const corvString& head) {
    const StatementFields fields(head.View(), u",");
    switch (item.kind) {
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            if (fields.Count() != 2) return false;
            item.nodeName = Trimmed(fields.Item(0));
            item.frameName = Trimmed(fields.Item(1));
            return true;
        case Item::kAssignNAD:
            if (fields.Count() != 4) return false;
            item.nadInitial = Trimmed(fields.Item(0));
            item.nadSupplierId = Trimmed(fields.Item(1));
            item.nadFunctionId = Trimmed(fields.Item(2));
            item.nadNew = Trimmed(fields.Item(3));
            return true;
        case Item::kFreeFormat: item.freeFormatData = head; return true;
        default: return true;  // other entries take no arguments, only the delay
    }
}

void ReportArgumentProblem(corvdekLINDefinitionFile& document, int kind) {
    switch (kind) {
        case Item::kAssignFrameId:
            document.ReportStatement("Schedule Table AssignFrameId Invalid.",
                                     u"This Schedule Table AssignFrameId is invalid at line: ",
                                     kLevelWarning);
            break;
        case Item::kUnassignFrameId:
            document.ReportStatement("Schedule Table UnassignFrameId Invalid.",
                                     u"This Schedule Table UnassignFrameId is invalid at line: ",
                                     kLevelWarning);
            break;
        default:
            document.ReportStatement("Schedule Table AssignNAD Invalid.",
                                     u"This Schedule Table AssignNAD is invalid at line: ",
                                     kLevelWarning);
            break;
    }
}

void ReadArgumentList(corvdekLINDefinitionFile& document, corvdekLINScheduleTable& table,
                      const ScheduleEntry& entry) {
    Item* item = table.items.Last();
    if (item == nullptr) {
        document.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
        return;
    }
    if (!ReadArguments(*item, entry.head)) ReportArgumentProblem(document, item->kind);
    if (entry.hasDelay) {
        item->delay = entry.delay;
    } else {
        document.ReportStatement("Schedule Table Delay Spec Invalid.", kFrameInvalidAt,
                                 kLevelWarning);
    }
}

void ReadEntry(corvdekLINDefinitionFile& document, corvdekLINScheduleTable& table,
               const ScheduleEntry& entry, int depth) {
    if (entry.head.Equals(u"MasterReq") || entry.head.Equals(u"SlaveResp")) {
        const bool master = entry.head.Equals(u"MasterReq");
        if (entry.hasDelay) {
            AddItem(table, master ? Item::kMasterReq : Item::kSlaveResp, &entry);
        } else {
            document.ReportStatement(master ? "Schedule Table MasterReq Invalid."
                                            : "Schedule Table SlaveRsp Invalid.",
                                     kFrameInvalidAt, kLevelWarning);
        }
    } else if (entry.head.Equals(u"AssignFrameId")) {
        AddItem(table, Item::kAssignFrameId, nullptr);
    } else if (entry.head.Equals(u"UnassignFrameId")) {
        AddItem(table, Item::kUnassignFrameId, nullptr);
    } else if (entry.head.Equals(u"AssignNAD")) {
        AddItem(table, Item::kAssignNAD, nullptr);
    } else if (document.statement.Equals(u"FreeFormat")) {
        AddItem(table, Item::kFreeFormat, nullptr);
    } else if (depth == 2) {
        // An entry needs a frame name: ' delay 10 ms' alone (what remains of an empty
        // FreeFormat list) names none.
        if (entry.hasDelay && !entry.head.IsEmpty()) {
            AddItem(table, Item::kFrame, &entry);
            table.items.Last()->frameName = entry.head;
        } else {
            document.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
        }
    }
}

}  // namespace

void ReadScheduleTableStatement(corvdekLINDefinitionFile& document, int depth) {
    if (depth == 1) {
        document.scheduleTables.Add()->name = document.statement;
        return;
    }
    corvdekLINScheduleTable* table = document.scheduleTables.Last();
    if (table == nullptr) {
        document.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
        return;
    }
    const ScheduleEntry entry(document.statement);
    if (document.statement.Find(0, u",") >= 0) {
        ReadArgumentList(document, *table, entry);
    } else {
        ReadEntry(document, *table, entry, depth);
    }
}
