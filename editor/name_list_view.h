#pragma once
// The object lists of the tabs: the names of a collection, in collection order or (the
// Signals and Frames tabs) in alphabetical order (ignoring case, equal names by position)
// narrowed by a wildcard filter. A list model over the collection feeds a sorting and
// filtering proxy, so a rename changes one row and a filter keystroke refilters without
// rebuilding any row. Each row stands for a position in the collection; the selection
// follows its object when the rows move.

#include <QAbstractListModel>
#include <QSortFilterProxyModel>
#include <QStringList>
#include <functional>
#include <vector>

#include "foundation/corv_string.h"

class QLabel;
class QListView;

class NameListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // `count` objects; `nameAt` gives the name at a position.
    NameListModel(std::function<int()> count, std::function<const corvString*(int)> nameAt, QObject* parent);

    // The collection changed as a whole (added, removed, another document).
    void Reload();
    void NameChanged(int position);
    const corvString& Key(int row) const { return keys_[static_cast<std::size_t>(row)]; }
    const QString& Name(int row) const { return names_[row]; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::function<int()> count_;
    std::function<const corvString*(int)> nameAt_;
    std::vector<corvString> keys_;  // for the filter
    QStringList names_;             // for display and sort
};

class NameFilterProxy : public QSortFilterProxyModel {
    Q_OBJECT
public:
    NameFilterProxy(NameListModel* names, bool sorted, QObject* parent);
    void SetFilterText(const QString& text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    NameListModel* names_;
    corvString pattern_;
};

class NameListView {
public:
    NameListView(QListView* view, std::function<int()> count, std::function<const corvString*(int)> nameAt,
                 bool sorted = true);

    // The operations below select without signalling; callers compare the selected
    // position before and after.
    // Shows the collection anew; the selected position stays selected, else the first row.
    void Reload();
    // Forgets the selection (another document is shown): the next Reload selects the first row.
    void ClearSelection();
    void NameChanged(int position);
    // Narrows the list; the selection stays when its row is still shown, else the first row.
    void SetFilter(const QString& text);
    int SelectedPosition() const;  // -1 without a selection
    void SelectPosition(int position);  // else the first row
    void SelectName(const QString& name);  // the first row showing exactly it, else the first
    int RowCount() const;
    // Runs `change`, shows the row count in `count` with `caption` ("... %1"), and calls
    // `showSelected` when the selection moved to another object.
    void Change(QLabel* count, const char* caption, const std::function<void()>& showSelected,
                const std::function<void()>& change);

private:
    void SelectRow(int row);

    QListView* view_;
    NameListModel* model_;
    NameFilterProxy* proxy_;
};
