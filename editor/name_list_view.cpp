#include "name_list_view.h"

#include <QLabel>
#include <QListView>
#include <QSignalBlocker>

#include "qt_text.h"

NameListModel::NameListModel(std::function<int()> count, std::function<const corvString*(int)> nameAt,
                             QObject* parent)
    : QAbstractListModel(parent), count_(std::move(count)), nameAt_(std::move(nameAt)) {}

void NameListModel::Reload() {
    beginResetModel();
    const int count = count_();
    keys_.clear();
    keys_.reserve(static_cast<std::size_t>(count));
    names_.clear();
    names_.reserve(count);
    for (int position = 0; position < count; ++position) {
        keys_.push_back(*nameAt_(position));
        names_.append(ToQString(keys_.back()));
    }
    endResetModel();
}

void NameListModel::NameChanged(int position) {
    if (position < 0 || position >= static_cast<int>(keys_.size())) return;
    keys_[static_cast<std::size_t>(position)] = *nameAt_(position);
    names_[position] = ToQString(keys_[static_cast<std::size_t>(position)]);
    const QModelIndex changed = index(position);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole});
}

int NameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant NameListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    return names_[index.row()];
}

NameFilterProxy::NameFilterProxy(NameListModel* names, bool sorted, QObject* parent)
    : QSortFilterProxyModel(parent), names_(names) {
    setSourceModel(names);
    setDynamicSortFilter(true);
    if (sorted) sort(0);
}

void NameFilterProxy::SetFilterText(const QString& text) {
    pattern_ = FromQString(text);
    pattern_.MakeFilterPattern();
    invalidateFilter();
}

bool NameFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& /*sourceParent*/) const {
    return pattern_.IsEmpty() || names_->Key(sourceRow).Matches(pattern_);
}

bool NameFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    const int order = names_->Name(left.row()).compare(names_->Name(right.row()), Qt::CaseInsensitive);
    return order != 0 ? order < 0 : left.row() < right.row();
}

NameListView::NameListView(QListView* view, std::function<int()> count,
                           std::function<const corvString*(int)> nameAt, bool sorted)
    : view_(view),
      model_(new NameListModel(std::move(count), std::move(nameAt), view)),
      proxy_(new NameFilterProxy(model_, sorted, view)) {
    view->setModel(proxy_);
}

void NameListView::Reload() {
    const int selected = SelectedPosition();
    const QSignalBlocker quiet(view_->selectionModel());
    model_->Reload();
    if (selected < 0) {
        SelectRow(0);
    } else {
        SelectPosition(selected);
    }
}

void NameListView::ClearSelection() {
    const QSignalBlocker quiet(view_->selectionModel());
    view_->setCurrentIndex(QModelIndex());
}

void NameListView::NameChanged(int position) {
    const QSignalBlocker quiet(view_->selectionModel());
    model_->NameChanged(position);
    if (!view_->currentIndex().isValid()) SelectRow(0);  // the renamed object left the filter
}

void NameListView::SetFilter(const QString& text) {
    const int selected = SelectedPosition();
    const QSignalBlocker quiet(view_->selectionModel());
    proxy_->SetFilterText(text);
    SelectPosition(selected);
}

int NameListView::SelectedPosition() const {
    const QModelIndex current = view_->currentIndex();
    return current.isValid() ? proxy_->mapToSource(current).row() : -1;
}

void NameListView::SelectPosition(int position) {
    const QSignalBlocker quiet(view_->selectionModel());
    const QModelIndex shown = proxy_->mapFromSource(model_->index(position));
    if (shown.isValid()) {
        view_->setCurrentIndex(shown);
    } else {
        SelectRow(0);
    }
}

void NameListView::SelectName(const QString& name) {
    const QSignalBlocker quiet(view_->selectionModel());
    const QModelIndexList found =
        proxy_->match(proxy_->index(0, 0), Qt::DisplayRole, name, 1, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found.isEmpty()) {
        SelectRow(0);
    } else {
        view_->setCurrentIndex(found.first());
    }
}

int NameListView::RowCount() const { return proxy_->rowCount(); }

void NameListView::SelectRow(int row) {
    const QModelIndex index = proxy_->index(row, 0);
    if (index.isValid()) view_->setCurrentIndex(index);
}

void NameListView::Change(QLabel* count, const char* caption, const std::function<void()>& showSelected,
                            const std::function<void()>& change) {
    const int selected = SelectedPosition();
    change();
    count->setText(QString(caption).arg(RowCount()));
    count->show();
    if (SelectedPosition() != selected) showSelected();
}
