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

QString IssueModel::CaptionWithCounts(const QString& caption) const {
    int errors = 0;
    for (int i = 0; i < levels_.Count(); ++i) errors += levels_.Item(i).ToInt() != 0 ? 1 : 0;
    const int warnings = levels_.Count() - errors;
    if (levels_.Count() == 0) return caption;
    return QString("%1 (%2 %3, %4 %5)")
        .arg(caption)
        .arg(errors)
        .arg(errors == 1 ? "error" : "errors")
        .arg(warnings)
        .arg(warnings == 1 ? "warning" : "warnings");
}

QVariant IssueModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const corvStringArray& column = columns_[static_cast<std::size_t>(index.column())];
    if (index.row() >= column.Count()) return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return ToQString(column.Item(index.row()));
    if (role == Qt::UserRole) {
        const QString text = ToQString(column.Item(index.row()));
        bool number = false;
        const int value = text.toInt(&number);
        return number ? QVariant(value) : QVariant(text.toLower());
    }
    if (role == Qt::DecorationRole && index.column() == 0) {
        return levels_.Item(index.row()).ToInt() != 0 ? ErrorIcon() : WarningIcon();
    }
    return {};
}

QVariant IssueModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return captions_.value(section);
}
