#pragma once
// Small factories for the controls the tabs and dialogs share; each control gets its name.

#include <QStringList>

class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QWidget;

// A drop-down list that also takes typed text; the items are suggestions.
QComboBox* EditableChoice(const char* name, const QStringList& items = {});
// A red frame on `panel`, hidden, placed around a control by the issue navigation.
QFrame* HighlightFrame(const char* name, QWidget* panel);
QPushButton* Button(const char* name, const QString& caption);
QLineEdit* TextField(const char* name);
// The list column of a tab beside its details, which may be hidden, in `panel`.
void PlaceListAndDetails(QWidget* panel, QWidget* list, QWidget* details);
