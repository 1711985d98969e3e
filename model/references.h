#pragma once
// Objects of an LDF cluster refer to each other by name. Renaming an object renames the
// references to it, so that a renamed signal stays in its frames and keeps its encoding.

#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;

enum class NamedKind { kNode, kSignal, kFrame, kScheduleTable, kEncodingType, kDiagnosticSignal };

// How many objects of `kind` carry `name`: the master and the slaves for nodes; the
// unconditional, sporadic and event-triggered frames for frames (schedule entries and
// frame lists name all three).
int CountNamed(const corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name);

// Turns every reference to an object of `kind` named `from` into `to`: publishers and
// subscribers, frame signal lists, representations, sporadic and event-triggered frame
// lists, schedule entries, node attributes, composite node lists, signal groups; a
// diagnostic signal's in the diagnostic frames.
void RenameReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& from,
                      const corvString& to);

// Follows the renames of one object while its name is typed, one keystroke at a time. The
// references move with the name unless that would mix them up with another object's: a
// name that another object of the kind carries keeps them where they are until the name
// is unique again, references to a name another object still carries stay with it, and
// an emptied name keeps them until a name is typed.
class ReferenceRename {
public:
    ReferenceRename(NamedKind kind, const corvString& name) : kind_(kind), referenced_(name) {}
    // Called after the object took `name`.
    void Follow(corvdekLINDefinitionFile& document, const corvString& name);

private:
    NamedKind kind_;
    corvString referenced_;  // the name the references carry now
};
