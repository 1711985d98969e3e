#pragma once
// The short list widgets of names (slaves, composite configurations and nodes): in
// collection order, the row being the position. And the drop-down lists of names.

#include <QString>
#include <QStringList>

#include "foundation/corv_string.h"
#include "qt_text.h"

class QComboBox;
class QListWidget;
class corvdekLINDefinitionFile;

// Refills `list` with `names` in their order and selects the row that was selected when
// it still exists, else the first, without signalling the change.
void RefillKeepingRow(QListWidget* list, const QStringList& names);

// Lets every row of `list` be renamed in place, without signalling a change.
void MakeRowsEditable(QListWidget* list);

// Refills the items of a drop-down list; its text stays, and nothing is signalled.
void RefillChoices(QComboBox* choice, const QStringList& items);

// The names of the unconditional, the sporadic and the event-triggered frames.
QStringList FrameNamesOfEveryKind(const corvdekLINDefinitionFile& document);

template <typename Collection>
QStringList NameTexts(const Collection& collection) {
    QStringList texts;
    texts.reserve(collection.GetCount());
    for (int i = 0; i < collection.GetCount(); ++i) texts << ToQString(collection.Get(i)->name);
    return texts;
}

// "a", "a and b", "a, b and c".
QString InWords(const QStringList& items);
