#include "followed_rename.h"

#include "document_editor.h"
#include "name_field.h"
#include "qt_text.h"

bool FollowedRename::TakeTypedName(DocumentEditor& editor, const QString& label, QLineEdit* field, corvString& name,
                                   const void* object) {
    return editor.TryApply({label, DocumentPart::kAll, ToQString(name), "Name", object, PartOf(kind_)},
                           [&](corvdekLINDefinitionFile& document) {
                               if (!TakeName(field, name)) return false;
                               Follow(document, name);
                               return true;
                           });
}
