#include "issue_model.h"

#include "artwork.h"
#include "qt_text.h"

IssueModel::IssueModel(const QStringList& captions, QObject* parent)
    : QAbstractTableModel(parent), captions_(captions), columns_(static_cast<std::size_t>(captions.size())) {}

bool IssueModel::SetIssues(const corvStringArray& levels, const std::vector<const corvStringArray*>& columns) {
    bool same = levels == levels_;
    for (std::size_t c = 0; same && c < columns_.size(); ++c) same = *columns[c] == columns_[c];
    if (same) return false;
    beginResetModel();
    levels_ = levels;
    for (std::size_t c = 0; c < columns_.size(); ++c) columns_[c] = *columns[c];
    endResetModel();
    return true;
}

int IssueModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : levels_.Count(); }

int IssueModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(captions_.size());
}

QVariant IssueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const corvStringArray& column = columns_[static_cast<std::size_t>(index.column())];
    if (role == Qt::DisplayRole && index.row() < column.Count()) return ToQString(column.Item(index.row()));
    if (role == Qt::DecorationRole && index.column() == 0) {
        return levels_.Item(index.row()).ToInt() != 0 ? ErrorIcon() : WarningIcon();
    }
    return {};
}

QVariant IssueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return captions_.value(section);
}
