#pragma once
// A small table of the document's fields, each cell read and written through its column's
// functions, so that one model serves every table of plain fields. A cell takes no empty
// text: every field it edits needs a value in the written file.

#include <QAbstractTableModel>
#include <functional>
#include <vector>

class FieldTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        QString caption;
        std::function<QString(int row)> text;
        std::function<void(int row, const QString& text)> store;  // gets trimmed text
    };

    FieldTableModel(std::function<int()> rows, std::vector<Column> columns, QObject* parent);

    // Shows the rows anew, after the object behind them changed.
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

private:
    std::function<int()> rows_;
    std::vector<Column> columns_;
};
