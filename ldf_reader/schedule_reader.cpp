// Schedule_tables: table headers at depth 1, entries inside them. A command with an
// argument list arrives as two statements: the command word at its '{', then the
// arguments with the delay at the ';'.

#include "foundation/corv_arrays.h"
#include "load_context.h"
#include "section_readers.h"
#include "statement_text.h"

namespace {

using Item = corvdekLINScheduleTableItem;

constexpr const char* kFrameInvalid = "Schedule Table Frame Invalid.";
constexpr const char16_t* kFrameInvalidAt = u"This Schedule Table frame is invalid at line: ";

// The commands that take an argument list in braces, with the load issue of a wrong list.
struct Command {
    const char* word;
    int kind;
    const char* invalid;
    const char16_t* invalidAt;
};

constexpr Command kCommands[] = {
    {"AssignFrameId", Item::kAssignFrameId, "Schedule Table AssignFrameId Invalid.",
     u"This Schedule Table AssignFrameId is invalid at line: "},
    {"UnassignFrameId", Item::kUnassignFrameId, "Schedule Table UnassignFrameId Invalid.",
     u"This Schedule Table UnassignFrameId is invalid at line: "},
    {"AssignNAD", Item::kAssignNAD, "Schedule Table AssignNAD Invalid.",
     u"This Schedule Table AssignNAD is invalid at line: "},
    {"FreeFormat", Item::kFreeFormat, "Schedule Table FreeFormat Invalid.",
     u"This Schedule Table FreeFormat is invalid at line: "},
    {"ConditionalChangeNAD", Item::kConditionalChangeNAD,
     "Schedule Table ConditionalChangeNAD Invalid.",
     u"This Schedule Table ConditionalChangeNAD is invalid at line: "},
    {"DataDump", Item::kDataDump, "Schedule Table DataDump Invalid.",
     u"This Schedule Table DataDump is invalid at line: "},
    {"SaveConfiguration", Item::kSaveConfiguration, "Schedule Table SaveConfiguration Invalid.",
     u"This Schedule Table SaveConfiguration is invalid at line: "},
    {"AssignFrameIdRange", Item::kAssignFrameIdRange,
     "Schedule Table AssignFrameIdRange Invalid.",
     u"This Schedule Table AssignFrameIdRange is invalid at line: "},
};

const Command* CommandOfWord(std::string_view word) {
    for (const Command& command : kCommands) {
        if (word == command.word) return &command;
    }
    return nullptr;
}

const Command* CommandOfKind(int kind) {
    for (const Command& command : kCommands) {
        if (command.kind == kind) return &command;
    }
    return nullptr;
}

bool IsNameCharacter(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_';
}

// Where the keyword "delay" stands as a word of its own; a frame may carry the word in its
// name ('Wiper_delay delay 10 ms'). npos unless it stands exactly once.
constexpr std::string_view kDelay = "delay";

std::size_t FindDelayKeyword(std::string_view text) {
    std::size_t found = std::string_view::npos;
    for (std::size_t at = text.find(kDelay); at != std::string_view::npos;
         at = text.find(kDelay, at + 1)) {
        const std::size_t end = at + kDelay.size();
        const bool word = (at == 0 || !IsNameCharacter(text[at - 1])) &&
                          (end == text.size() || !IsNameCharacter(text[end]));
        if (!word) continue;
        if (found != std::string_view::npos) return std::string_view::npos;
        found = at;
    }
    return found;
}

// An entry split at its "delay": the text before it, and the delay in ms, both trimmed.
struct ScheduleEntry {
    explicit ScheduleEntry(std::string_view text) {
        const std::size_t at = FindDelayKeyword(text);
        hasDelay = at != std::string_view::npos;
        head = TrimmedView(hasDelay ? text.substr(0, at) : text);
        if (hasDelay) {
            const StatementFields delayParts(text.substr(at + kDelay.size()), "ms");
            delay = TrimmedView(delayParts.Item(0));
        }
    }

    std::string_view head;
    std::string_view delay;
    bool hasDelay = false;
};

void AddItem(LoadContext& load, corvdekLINScheduleTable& table, int kind, const ScheduleEntry* entry) {
    Item* item = table.items.Add();
    load.AnchorAt(item->comments);
    item->kind = kind;
    if (entry != nullptr) item->delay.AssignCodePage(entry->delay);
}

// The node first, then the values after it.
void SetNodeAndArguments(Item& item, const StatementFields& fields) {
    item.nodeName = Trimmed(fields.Item(0));
    AddTrimmedFields(item.arguments, fields, 1);
}

// Stores the fields of a command's argument list; false when their number is wrong.
bool ReadArguments(Item& item, std::string_view head) {
    const StatementFields fields(head, ",");
    const int count = fields.Count();
    switch (item.kind) {
        case Item::kAssignFrameId:
        case Item::kUnassignFrameId:
            if (count != 2) return false;
            item.nodeName = Trimmed(fields.Item(0));
            item.frameName = Trimmed(fields.Item(1));
            return true;
        case Item::kAssignNAD:
            if (count == 1) {  // LIN 2.1: the node alone
                item.nodeName = Trimmed(fields.Item(0));
                return true;
            }
            if (count != 4) return false;
            item.nadInitial = Trimmed(fields.Item(0));
            item.nadSupplierId = Trimmed(fields.Item(1));
            item.nadFunctionId = Trimmed(fields.Item(2));
            item.nadNew = Trimmed(fields.Item(3));
            return true;
        case Item::kConditionalChangeNAD:
            if (count != 6) return false;
            AddTrimmedFields(item.arguments, fields);
            return true;
        case Item::kDataDump:
            if (count != 6) return false;
            SetNodeAndArguments(item, fields);
            return true;
        case Item::kSaveConfiguration:
            if (count != 1) return false;
            item.nodeName = Trimmed(fields.Item(0));
            return true;
        case Item::kAssignFrameIdRange:
            if (count != 2 && count != 6) return false;
            SetNodeAndArguments(item, fields);
            return true;
        case Item::kFreeFormat: item.freeFormatData.AssignCodePage(head); return true;
        default: return true;  // other entries take no arguments, only the delay
    }
}

// 'arguments } delay 10 ms' after the '{' of a command. A statement with commas but no
// brace before it is taken as the arguments of the entry before it too.
void ReadArgumentList(LoadContext& load, corvdekLINScheduleTable& table,
                      std::string_view arguments, const ScheduleEntry& entry) {
    Item* item = table.items.Last();
    if (item == nullptr) {
        load.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
        return;
    }
    load.AnchorAt(item->comments);
    if (!ReadArguments(*item, arguments)) {
        const Command* command = CommandOfKind(item->kind);
        load.ReportStatement(command->invalid, command->invalidAt, kLevelWarning);
    }
    if (entry.hasDelay) {
        item->delay.AssignCodePage(entry.delay);
    } else {
        load.ReportStatement("Schedule Table Delay Invalid.", kFrameInvalidAt,
                                 kLevelWarning);
    }
}

bool ReadEntry(LoadContext& load, corvdekLINScheduleTable& table,
               const ScheduleEntry& entry, int depth) {
    if (entry.head == "MasterReq" || entry.head == "SlaveResp") {
        const bool master = entry.head == "MasterReq";
        if (entry.hasDelay) {
            AddItem(load, table, master ? Item::kMasterReq : Item::kSlaveResp, &entry);
        } else {
            load.ReportStatement(master ? "Schedule Table MasterReq Invalid."
                                            : "Schedule Table SlaveRsp Invalid.",
                                     kFrameInvalidAt, kLevelWarning);
        }
        return true;
    }
    if (const Command* command = CommandOfWord(entry.head)) {
        AddItem(load, table, command->kind, nullptr);
        return true;
    }
    if (depth != 2) return false;
    // An entry needs a frame name: ' delay 10 ms' alone (what remains of an empty
    // FreeFormat list) names none.
    if (entry.hasDelay && !entry.head.empty()) {
        AddItem(load, table, Item::kFrame, &entry);
        table.items.Last()->frameName.AssignCodePage(entry.head);
    } else {
        load.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
    }
    return true;
}

}  // namespace

bool ReadScheduleTableStatement(LoadContext& load, int depth) {
    if (depth == 1) {
        corvdekLINScheduleTable* table = load.document.scheduleTables.Add();
        table->name.AssignCodePage(load.statement);
        load.AnchorAt(table->comments);
        return true;
    }
    corvdekLINScheduleTable* table = load.document.scheduleTables.Last();
    if (table == nullptr) {
        load.ReportStatement(kFrameInvalid, kFrameInvalidAt, kLevelWarning);
        return true;
    }
    if (depth == 2 && load.blockTailDepth == 3) {
        ReadArgumentList(load, *table, load.blockTail, ScheduleEntry(load.afterBlock));
        return true;
    }
    const ScheduleEntry entry(load.statement);
    if (load.statement.find(',') != std::string_view::npos) {
        ReadArgumentList(load, *table, entry.head, entry);
        return true;
    }
    return ReadEntry(load, *table, entry, depth);
}
