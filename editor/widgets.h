#pragma once
// Small factories for the controls the tabs and dialogs share; each control gets its name.

#include <QString>
#include <QStringList>
#include <functional>

#include "model/references.h"

class DocumentEditor;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QToolButton;
class QWidget;
class corvdekLINDefinitionFile;

// A drop-down list that also takes typed text; the items are suggestions.
QComboBox* EditableChoice(const char* name, const QStringList& items = {});
// A red frame on `panel`, hidden, placed around a control by the issue navigation.
QFrame* HighlightFrame(const char* name, QWidget* panel);
QPushButton* Button(const char* name, const QString& caption);
// Asks a yes-or-no question (the remove confirmations); true for yes.
bool AskYesNo(QWidget* parent, const QString& question, const QString& title = "Confirm Remove");
// Asks `question` about removing the object of `kind` named `name`, naming what refers to
// it; yes removes the object through `remove` together with those references, as one step
// of `editor` named `label`. True when it was removed.
bool RemoveWithReferences(QWidget* parent, DocumentEditor& editor, const QString& label, const QString& question,
                          NamedKind kind, const corvString& name,
                          const std::function<void(corvdekLINDefinitionFile&)>& remove);

// Runs `dialog` modally, centred over the window of `over`.
void ShowModalOver(QWidget* over, QDialog* dialog);

// A warning message box named `name`.
void ShowWarning(QWidget* parent, const char* name, const QString& text);
// The same for a command that failed.
void ShowError(QWidget* parent, const char* name, const QString& text);

// Marks the details of a tab as being filled from the model; change handlers write
// nothing meanwhile.
class FillingScope {
public:
    explicit FillingScope(bool& filling) : filling_(filling), previous_(filling) { filling = true; }
    ~FillingScope() { filling_ = previous_; }
    FillingScope(const FillingScope&) = delete;
    FillingScope& operator=(const FillingScope&) = delete;

private:
    bool& filling_;
    bool previous_;
};
QLineEdit* TextField(const char* name);
// A field and a drop-down list for LDF names: a space becomes "_".
QLineEdit* NameField(const char* name);
QComboBox* NameChoice(const char* name);
// A field for an integer (decimal or "0x" hexadecimal) or a real number.
QLineEdit* IntegerField(const char* name);
QLineEdit* RealField(const char* name);
// The list column of a tab beside its details, which may be hidden, in `panel`.
void PlaceListAndDetails(QWidget* panel, QWidget* list, QWidget* details);

// Sets the Tab key's order through `panel`'s controls to the order they are seen in: by
// rows from the top, left to right in a row. Call it once the panel has its layout.
void OrderTabsAsSeen(QWidget* panel);

// The Delete key in `list` clicks `remove` (which asks before it removes).
void RemoveOnDelete(QWidget* list, QPushButton* remove);

// The left column of a list tab: Add and Remove, optionally a filter with its magnifier
// button, the list, and optionally a blue count label. Absent parts are null.
struct ListColumn {
    QWidget* column = nullptr;
    QPushButton* add = nullptr;
    QPushButton* remove = nullptr;
    QLineEdit* filter = nullptr;
    QToolButton* find = nullptr;
    QListView* view = nullptr;  // for a model over the tab's collection
    QLabel* count = nullptr;
};

struct ListColumnNames {
    const char* add;
    const char* remove;
    const char* list;
    const char* filter = nullptr;
    const char* find = nullptr;
    const char* count = nullptr;
};

ListColumn BuildListColumn(const ListColumnNames& names);
