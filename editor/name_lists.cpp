#include "name_lists.h"

#include <QListWidget>
#include <QSignalBlocker>
#include <algorithm>

namespace {

constexpr int kPositionRole = Qt::UserRole;

}  // namespace

void FillSortedNames(QListWidget* list, const std::vector<NamedPosition>& names,
                     const QString& filterText, int keepPosition) {
    corvString pattern = FromQString(filterText);
    pattern.MakeFilterPattern();
    const bool filtering = !pattern.IsEmpty();

    std::vector<std::pair<QString, int>> rows;
    rows.reserve(names.size());
    for (const NamedPosition& entry : names) {
        if (!filtering || entry.name->Matches(pattern)) rows.emplace_back(ToQString(*entry.name), entry.position);
    }
    // Alphabetical as a sorted list box keeps them: ignoring case, equal names by position.
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });

    const QSignalBlocker quiet(list);
    list->setUpdatesEnabled(false);
    list->clear();
    for (const auto& [name, position] : rows) {
        auto* item = new QListWidgetItem(name);
        item->setData(kPositionRole, position);
        list->addItem(item);
    }
    SelectPosition(list, keepPosition);
    list->setUpdatesEnabled(true);
}

int SelectedPosition(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item == nullptr ? -1 : item->data(kPositionRole).toInt();
}

void SelectPosition(QListWidget* list, int position) {
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->data(kPositionRole).toInt() == position) {
            list->setCurrentRow(row);
            return;
        }
    }
    if (list->count() > 0) list->setCurrentRow(0);
}

void SelectName(QListWidget* list, const QString& name) {
    const auto found = list->findItems(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (!found.isEmpty()) {
        list->setCurrentItem(found.first());
    } else if (list->count() > 0) {
        list->setCurrentRow(0);
    }
}

void RefillKeepingRow(QListWidget* list, const QStringList& names) {
    const QSignalBlocker quiet(list);
    const int selected = list->currentRow();
    list->clear();
    list->addItems(names);
    if (!names.isEmpty()) list->setCurrentRow(selected >= 0 && selected < names.size() ? selected : 0);
}
