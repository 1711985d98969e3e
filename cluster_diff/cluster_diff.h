#pragma once
// What changed between two revisions of a cluster, object by object: objects are matched by
// kind and name, their fields by label, values by meaning; an object that is gone while one
// of another name with the same content came is reported as renamed.

#include <optional>
#include <string>
#include <vector>

class corvdekLINDefinitionFile;

struct FieldChange {
    std::string field;
    std::optional<std::string> oldValue;  // none: the field is new
    std::optional<std::string> newValue;  // none: the field is gone
};

struct ObjectChange {
    enum Change { kAdded, kRemoved, kRenamed, kChanged };
    const char* kind;
    std::string name;
    Change change = kChanged;
    std::string newName;   // renamed only
    std::string identity;  // added or removed: what tells the object apart ("0x21"), or empty
    std::vector<FieldChange> fields;  // changed only
};

// The changes from `before` to `after`; with a `node`, only those that concern it (its own
// attributes, the frames it publishes or receives, their signals and encodings, the schedule
// entries that address it).
std::vector<ObjectChange> CompareClusters(const corvdekLINDefinitionFile& before,
                                          const corvdekLINDefinitionFile& after, const std::string& node = "");

// One line: "~ signal S: size 4 -> 6", "+ frame F (0x21)", "- schedule table T",
// "> frame Old renamed New".
std::string ChangeLine(const ObjectChange& change);
