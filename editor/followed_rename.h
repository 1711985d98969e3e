#pragma once
// The rename of the object a tab shows. It starts anew only when another object is shown
// (or another document), so that the references stay with the object however often the
// tab fills its details again, even while the object carries another object's name.

#include <optional>

#include "model/references.h"

class DocumentEditor;
class QLineEdit;
class QString;

class FollowedRename {
public:
    void Show(corvdekLINDefinitionFile& document, NamedKind kind, const void* object, const corvString& name) {
        // An object made where a removed one was carries another name.
        if (rename_ && object_ == object && rename_->Referenced().Equals(name)) return;
        object_ = object;
        kind_ = kind;
        rename_.emplace(document, kind, name);
    }
    void Follow(corvdekLINDefinitionFile& document, const corvString& name) {
        if (rename_) rename_->Follow(document, name);
    }
    // Takes the name typed into `field` into `name`, the name of `object`, as a keystroke
    // step of `editor` named `label`; the references follow through every keystroke, whatever
    // names the text passes through. False when the field holds no name.
    bool TakeTypedName(DocumentEditor& editor, const QString& label, QLineEdit* field, corvString& name,
                       const void* object);
    // A document was loaded or restored: its objects are new ones.
    void Forget() {
        object_ = nullptr;
        rename_.reset();
    }

private:
    const void* object_ = nullptr;  // compared only
    NamedKind kind_ = NamedKind::kSignal;
    std::optional<ReferenceRename> rename_;
};
