#pragma once
// Objects of an LDF cluster refer to each other by name. Renaming an object renames the
// references to it, so that a renamed signal stays in its frames and keeps its encoding.

#include <functional>
#include <string>
#include <vector>

#include "foundation/corv_string.h"

class corvdekLINDefinitionFile;

enum class NamedKind { kNode, kSignal, kFrame, kScheduleTable, kEncodingType, kDiagnosticSignal };

// How many objects of `kind` carry `name`: the master and the slaves for nodes; the
// unconditional, sporadic and event-triggered frames for frames (schedule entries and
// frame lists name all three).
int CountNamed(const corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name);

// A place in the document that names an object: what holds it ("Frame Door_1"), the name
// it carries, and how to take the entry out of its holder. `remove` is empty where taking
// the entry out would lose more than the reference (a publisher keeps its signals).
struct Reference {
    std::u16string holder;
    corvString* name;
    std::function<void()> remove;
};

// The references to the object of `kind` named `name`: publishers and subscribers, frame
// signal lists, representations, response_error and fault state signals, signal groups,
// configurable frames, sporadic and event-triggered frame lists, collision tables,
// schedule entries, composite node lists, diagnostic addresses; a diagnostic signal's in
// the diagnostic frames. They come in document order, so taking them out back to front
// keeps the positions of the others.
std::vector<Reference> FindReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name);

// Takes out every reference that can be taken out, back to front.
void RemoveReferences(std::vector<Reference>& references);

// Turns every reference to an object of `kind` named `from` into `to`.
void RenameReferences(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& from,
                      const corvString& to);

// Follows the renames of one object while its name is typed, one keystroke at a time. The
// references it had when the rename began follow every name the text passes through, even
// one that another object carries for a moment. An object whose name was shared when the
// rename began takes no references along: they cannot be told apart from the other's.
class ReferenceRename {
public:
    ReferenceRename(corvdekLINDefinitionFile& document, NamedKind kind, const corvString& name);
    // Called after the object took `name`. An empty name moves nothing.
    void Follow(corvdekLINDefinitionFile& document, const corvString& name);
    // The name the references carry now.
    const corvString& Referenced() const { return referenced_; }

private:
    NamedKind kind_;
    corvString referenced_;  // the name the references carry now
    // The texts of the references followed. Only compared with the texts found anew on each
    // keystroke, never read: an edit elsewhere may have moved them since.
    std::vector<const corvString*> followed_;
};
