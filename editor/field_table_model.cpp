#include "field_table_model.h"

FieldTableModel::FieldTableModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(std::move(rows)), columns_(std::move(columns)) {}

void FieldTableModel::Reload() {
    beginResetModel();
    endResetModel();
}

int FieldTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_(); }

int FieldTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant FieldTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return columns_[static_cast<std::size_t>(index.column())].text(index.row());
}

QVariant FieldTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    return columns_[static_cast<std::size_t>(section)].caption;
}

Qt::ItemFlags FieldTableModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool FieldTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const QString text = value.toString().trimmed();
    if (!index.isValid() || role != Qt::EditRole || text.isEmpty()) return false;
    columns_[static_cast<std::size_t>(index.column())].store(index.row(), text);
    Q_EMIT dataChanged(index, index);
    return true;
}
