#pragma once
// The lists of names of the tabs. Signals and frames: in alphabetical order, narrowed by a
// wildcard filter, each row carrying the position of its object in the collection. The
// other lists: in collection order, the row being the position.

#include <QString>
#include <QStringList>
#include <vector>

#include "foundation/corv_string.h"
#include "qt_text.h"

class QListWidget;

struct NamedPosition {
    const corvString* name;
    int position;
};

// Refills `list` with the names that match the filter text (all when it is blank), in
// alphabetical order, and selects the row of `keepPosition` or else the first row. The
// list signals no change meanwhile: the caller compares the selection before and after.
void FillSortedNames(QListWidget* list, const std::vector<NamedPosition>& names,
                     const QString& filterText, int keepPosition);

// The collection position stored in the selected row, or -1.
int SelectedPosition(const QListWidget* list);

// Selects the row carrying `position`, else the first row.
void SelectPosition(QListWidget* list, int position);

// Selects the first row showing exactly `name`, else the first row.
void SelectName(QListWidget* list, const QString& name);

// Refills `list` with `names` in their order and selects the row that was selected when
// it still exists, else the first, without signalling the change.
void RefillKeepingRow(QListWidget* list, const QStringList& names);

template <typename Collection>
QStringList NameTexts(const Collection& collection) {
    QStringList texts;
    texts.reserve(collection.GetCount());
    for (int i = 0; i < collection.GetCount(); ++i) texts << ToQString(collection.Get(i)->name);
    return texts;
}

template <typename Collection>
std::vector<NamedPosition> NamesOf(const Collection& collection) {
    std::vector<NamedPosition> names;
    names.reserve(static_cast<std::size_t>(collection.GetCount()));
    for (int i = 0; i < collection.GetCount(); ++i) names.push_back({&collection.Get(i)->name, i});
    return names;
}
