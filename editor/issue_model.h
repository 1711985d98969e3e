#pragma once
// The rows of the "File Load Issues" and "Current Setup Issues" lists: a table model over
// copies of the document's parallel issue lists, with the level's icon in the first
// column and each cell's whole text as its tooltip; `Qt::UserRole` sorts numbers as numbers. A new set of issues resets the model only when it differs from the shown one, and
// costs no item objects: the view asks for the rows it paints.

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

#include "foundation/corv_arrays.h"

class IssueModel : public QAbstractTableModel {
    Q_OBJECT
public:
    IssueModel(const QStringList& captions, QObject* parent);

    // `columns` holds one list per caption, parallel to `levels`. False when these are
    // the issues shown already (nothing changes then).
    bool SetIssues(const corvStringArray& levels, const std::vector<const corvStringArray*>& columns);

    // "File Load Issues (2 errors, 1 warning)": `caption` with the counts of the shown issues.
    QString CaptionWithCounts(const QString& caption) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList captions_;
    corvStringArray levels_;
    std::vector<corvStringArray> columns_;
};
