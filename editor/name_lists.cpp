#include "name_lists.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "model/definition_file.h"

void RefillKeepingRow(QListWidget* list, const QStringList& names) {
    const QSignalBlocker quiet(list);
    const int selected = list->currentRow();
    list->clear();
    list->addItems(names);
    if (!names.isEmpty()) list->setCurrentRow(selected >= 0 && selected < names.size() ? selected : 0);
}

void MakeRowsEditable(QListWidget* list) {
    const QSignalBlocker quiet(list);
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
}

void RefillChoices(QComboBox* choice, const QStringList& items) {
    const QSignalBlocker quiet(choice);
    const QString text = choice->currentText();
    choice->clear();
    choice->addItems(items);
    choice->setCurrentText(text);
}

QStringList FrameNamesOfEveryKind(const corvdekLINDefinitionFile& document) {
    return NameTexts(document.frames) + NameTexts(document.sporadicFrames) + NameTexts(document.eventFrames);
}

QString InWords(const QStringList& items) {
    if (items.size() < 2) return items.value(0);
    return QStringList(items.begin(), items.end() - 1).join(", ") + " and " + items.back();
}
