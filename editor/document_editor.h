#pragma once
// The one way the editor changes the cluster. Every edit is a document operation: it
// names what it changes, becomes one step of the undo stack, and is announced by
// `Changed`, which the tabs, lists and the issue check follow. A step keeps a copy of the
// parts of the document the edit may change, taken just before it; undo and redo exchange
// that copy with the document's parts, so the document object itself stays the same.
// The stack's clean state is the one "modified" flag.

#include <QElapsedTimer>
#include <QFlags>
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "model/references.h"

class QUndoStack;
class corvdekLINDefinitionFile;

// The parts of a document an edit may change.
enum class DocumentPart : unsigned {
    kBus = 1U << 0,  // the header statements, the master and the document's comments
    kNodes = 1U << 1,
    kSignals = 1U << 2,
    kFrames = 1U << 3,  // unconditional, sporadic and event-triggered frames
    kScheduleTables = 1U << 4,
    kEncodings = 1U << 5,  // encodings and the representations that use them
    kComposites = 1U << 6,
    kDiagnostics = 1U << 7,
    kSignalGroups = 1U << 8,
    kAll = (1U << 9) - 1,
};
Q_DECLARE_FLAGS(DocumentParts, DocumentPart)
Q_DECLARE_OPERATORS_FOR_FLAGS(DocumentParts)

// One edit: what it is called, what it may change, and the object and field it is about.
struct DocumentChange {
    QString label;  // the undo step's name: "Rename Signal"
    DocumentParts parts;
    QString object = {};  // the name of the object edited; empty for the bus settings
    QString field = {};   // the field edited; empty when the edit is about the whole object
    // For a keystroke in a text field, the object typed into: a burst of keystrokes into
    // one field of one object is one step.
    const void* typedInto = nullptr;
    // The part the edited object belongs to, where `parts` holds more (a rename or removal
    // that takes references along).
    DocumentParts kind = {};

    DocumentParts KindOfObject() const { return kind ? kind : parts; }
    // An addition, removal or rename: lists of names of the object's kind change.
    bool ChangesNames() const { return field.isEmpty() || field == "Name"; }
};

// The part that holds the objects of `kind`.
DocumentPart PartOf(NamedKind kind);

// Where the user was: the tab and the object it showed. Undo and redo go back there.
struct ViewPlace {
    int tab = 0;
    QString selected;
};

class DocumentEditor : public QObject {
    Q_OBJECT
public:
    DocumentEditor(QObject* parent, std::function<ViewPlace()> place);

    QUndoStack* Stack() const { return stack_; }
    corvdekLINDefinitionFile* Document() const { return document_; }
    // Edits `document` from now on, with an empty history in which it counts as saved. A
    // step may copy the whole document: a very large one keeps fewer steps (`sizeBytes` is
    // its size as LDF text), within 512 MB.
    void Bind(corvdekLINDefinitionFile* document, std::size_t sizeBytes);
    bool IsModified() const;
    // The document was saved as it is now; typing on starts a step of its own.
    void MarkSaved();

    // Runs `edit` on the document as one undoable step.
    void Apply(const DocumentChange& change, const std::function<void(corvdekLINDefinitionFile&)>& edit);
    // A copy of the document to prepare a large edit on, shown before it is made.
    std::unique_ptr<corvdekLINDefinitionFile> CopyOfDocument() const;
    // The parts `change` names, taken from `edited` (a copy the edit was prepared on) into the
    // document as one step; `edited` is left with the parts the document had.
    void TakeParts(const DocumentChange& change, corvdekLINDefinitionFile& edited);
    // The same for an edit that may decide to change nothing (a question answered No, a
    // dialog closed without an edit): it returns whether it changed the document.
    bool TryApply(const DocumentChange& change, const std::function<bool(corvdekLINDefinitionFile&)>& edit);

Q_SIGNALS:
    // The document changed by an edit, an undo or a redo.
    void Changed(const DocumentChange& change);
    // An undo or redo changed the document: the window shows `place` again.
    void Restored(const ViewPlace& place);

private:
    friend class EditStep;

    QUndoStack* stack_;
    corvdekLINDefinitionFile* document_ = nullptr;
    std::function<ViewPlace()> place_;
    QElapsedTimer sinceLastEdit_;
};
