#include "ncf_import_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "widgets.h"

namespace {

QString Counted(qsizetype count, const char* one, const char* many) {
    return QString::number(count) + " " + (count == 1 ? one : many);
}

}  // namespace

TfrmNcfImport::TfrmNcfImport(QWidget* parent) : QDialog(parent) {
    setObjectName("frmNcfImport");
    setWindowTitle("Import Node Capability Files");
    resize(900, 480);
    lblNcfImport_ = new QLabel;
    lblNcfImport_->setObjectName("lblNcfImport");
    lblNcfImport_->setWordWrap(true);
    lstNcfImport_ = new QTreeWidget;
    lstNcfImport_->setObjectName("lstNcfImport");
    lstNcfImport_->setHeaderLabels({"Kind", "Details"});
    lstNcfImport_->setRootIsDecorated(false);
    lstNcfImport_->setUniformRowHeights(true);
    lstNcfImport_->setWordWrap(false);
    lstNcfImport_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    cmdNcfImport_ = Button("cmdNcfImport", "Import");
    cmdNcfImportCancel_ = Button("cmdNcfImportCancel", "Cancel");
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(cmdNcfImport_, QDialogButtonBox::AcceptRole);
    buttons->addButton(cmdNcfImportCancel_, QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNcfImport_);
    layout->addWidget(lstNcfImport_, 1);
    layout->addWidget(buttons);
}

void TfrmNcfImport::Fill(const Outcome& outcome) {
    lstNcfImport_->clear();
    const struct {
        const char* kind;
        const QStringList& texts;
    } groups[] = {{"Conflict", outcome.conflicts},
                  {"File issue", outcome.issues},
                  {"Decided", outcome.decisions},
                  {"Change", outcome.changes}};
    QList<QTreeWidgetItem*> rows;
    for (const auto& group : groups) {
        for (const QString& text : group.texts) {
            auto* row = new QTreeWidgetItem({group.kind, text});
            row->setToolTip(1, text);
            rows << row;
        }
    }
    lstNcfImport_->addTopLevelItems(rows);
    const bool conflicts = !outcome.conflicts.isEmpty();
    cmdNcfImport_->setEnabled(!conflicts);
    (conflicts ? cmdNcfImportCancel_ : cmdNcfImport_)->setDefault(true);
    lblNcfImport_->setText(
        conflicts ? Counted(outcome.conflicts.size(), "conflict", "conflicts") +
                        " with the cluster: nothing can be imported. Change the cluster or the files, then import again."
                  : Counted(outcome.changes.size(), "change", "changes") + " and " +
                        Counted(outcome.decisions.size(), "decision", "decisions") +
                        ". Import makes them as one step, which Undo takes back.");
}
