// The window's node capability file commands: File > Import Node Capability File... and the
// Nodes tab's Export NCF....

#include <QFileDialog>
#include <QLabel>
#include <QStatusBar>
#include <optional>
#include <vector>

#include "cluster_diff/cluster_diff.h"
#include "model/definition_file.h"
#include "ncf/ncf_from_cluster.h"
#include "ncf/ncf_to_cluster.h"
#include "ncf/ncf_writer.h"
#include "ncf_import_dialog.h"
#include "qt_text.h"
#include "tabrel_window.h"
#include "widgets.h"

namespace {

constexpr int kDoneMessageMs = 5000;
const char* const kNcfFilter = "NCF Files (*.ncf)";

// Each issue of a file as 'FILE:LINE: TYPE: DETAILS'.
void AddIssues(const QString& path, const NcfDocument& file, QStringList& issues) {
    for (const NcfIssue& issue : file.issues) {
        issues << path + ":" + QString::number(issue.place.line) + ": " + ToQString(issue.type) + ": " +
                      ToQString(issue.details);
    }
}

}  // namespace

QFileDialog* TfrmTabrel::ImportNcfDialog() {
    if (dlgImportNcf_ == nullptr) {
        dlgImportNcf_ = new QFileDialog(this, "Import Node Capability File");
        dlgImportNcf_->setObjectName("dlgImportNcf");
        dlgImportNcf_->setOption(QFileDialog::DontUseNativeDialog);
        dlgImportNcf_->setNameFilters({kNcfFilter, "All Files (*)"});
        dlgImportNcf_->setFileMode(QFileDialog::ExistingFiles);  // the NCFs of several nodes at once
    }
    return dlgImportNcf_;
}

void TfrmTabrel::mnuFileImportNcfClick() {
    const QStringList chosen = ChoosePaths(ImportNcfDialog(), "ncf");
    if (chosen.isEmpty()) return;
    std::vector<NcfDocument> files(static_cast<std::size_t>(chosen.size()));
    std::vector<const NcfDocument*> given;
    TfrmNcfImport::Outcome outcome;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const QString& path = chosen[static_cast<qsizetype>(i)];
        if (!files[i].LoadFromFile(FromQString(path))) {
            ShowError(this, "msgImportFailed", "Problem loading " + path + "\n" + ToQString(files[i].lastLoadError));
            return;
        }
        AddIssues(path, files[i], outcome.issues);
        given.push_back(&files[i]);
    }
    // The import is made on a copy, shown, and only then taken into the document.
    const std::unique_ptr<corvdekLINDefinitionFile> built = editor_->CopyOfDocument();
    const NcfAddReport report = AddNodeCapabilities(*built, given);
    outcome.conflicts = ToQStrings(report.conflicts);
    outcome.decisions = ToQStrings(report.decisions);
    for (const ObjectChange& change : CompareClusters(*document_, *built, {})) {
        outcome.changes << QString::fromStdString(ChangeLine(change));
    }
    TfrmNcfImport dialog(this);
    dialog.Fill(outcome);
    if (dialog.exec() != QDialog::Accepted || report.conflicts.Count() > 0) return;
    editor_->TakeParts({"Import Node Capability Files", DocumentPart::kAll}, *built);
    RefreshAllTabs();
    statusBar()->showMessage("Imported " + QString::number(chosen.size()) + (chosen.size() == 1 ? " file" : " files"),
                             kDoneMessageMs);
}

void TfrmTabrel::ExportNodeCapabilityFile(int slaveIndex) {
    const corvdekLINNode* slave = document_->nodes.Get(slaveIndex);
    if (slave == nullptr) return;
    corvStringArray decisions;
    std::optional<NcfDocument> ncf = NcfOfSlave(*document_, slave->name.View(), decisions);
    if (!ncf) return;
    dlgSave_->setNameFilter(kNcfFilter);
    dlgSave_->setDefaultSuffix("ncf");
    const QString chosen = ChoosePath(dlgSave_, "ncf", ToQString(slave->name) + ".ncf");
    if (chosen.isEmpty()) return;
    corvStringArray leftOut;
    if (!WriteNCF(*ncf, FromQString(chosen), &leftOut)) {
        ShowError(this, "msgNcfExportFailed", "Problem saving file\n" + chosen + "\n" + ToQString(ncf->lastLoadError));
        return;
    }
    // What the cluster left open was decided, and what could not be written left out: the
    // status says which.
    QStringList notes = ToQStrings(decisions);
    if (leftOut.Count() > 0) notes << "Not written: " + ToQStrings(leftOut).join(" ");
    lblResult_->setText(notes.isEmpty() ? "-" : "Exported with: " + notes.join(" "));
    statusBar()->showMessage("Exported " + chosen, kDoneMessageMs);
}
