#include "name_lists.h"

#include <QListWidget>
#include <QSignalBlocker>

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
