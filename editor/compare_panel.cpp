#include "compare_panel.h"

#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "cluster_diff/cluster_diff.h"
#include "model/definition_file.h"
#include "qt_text.h"

namespace {

constexpr int kSectionRole = Qt::UserRole;

// The tab each kind of object is shown on, as the setup issues name it.
QString TabOf(const QString& kind) {
    if (kind == "signal") return "Signals";
    if (kind == "frame" || kind == "sporadic frame" || kind == "event-triggered frame") return "Frames";
    if (kind == "schedule table") return "ScheduleTables";
    if (kind == "encoding type" || kind == "representation") return "Encodings";
    if (kind == "node" || kind == "master" || kind == "composite configuration") return "Nodes";
    return "General";
}

// The section that leads to `name` of `kind` in the document, and to a schedule entry.
QString SectionOf(const QString& kind, const QString& name, const QString& field = QString()) {
    const QString tab = TabOf(kind);
    if (tab == "General" || kind == "master" || kind == "composite configuration") return tab + "-";
    QString last;
    if (kind == "schedule table" && field.startsWith("entry ")) last = "Entry" + field.mid(6);
    return tab + "-" + name + "-" + last;
}

QString Side(const std::optional<std::string>& value) {
    return value ? QString::fromStdString(*value) : QStringLiteral("(none)");
}

constexpr const char* kMarks[] = {"+", "-", ">", "~"};

}  // namespace

ComparePanel::ComparePanel(QWidget* parent) : QDockWidget("Compare", parent) {
    setObjectName("dockCompare");
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    lblCompareFile_ = new QLabel;
    lblCompareFile_->setObjectName("lblCompareFile");
    lstCompare_ = new QTreeWidget;
    lstCompare_->setObjectName("lstCompare");
    lstCompare_->setHeaderLabels({"Difference", "Other file", "This document"});
    lstCompare_->header()->setSectionResizeMode(QHeaderView::Interactive);
    lstCompare_->setColumnWidth(0, 320);
    lstCompare_->setColumnWidth(1, 320);
    layout->addWidget(lblCompareFile_);
    layout->addWidget(lstCompare_, 1);
    setWidget(body);
    connect(lstCompare_, &QTreeWidget::itemDoubleClicked, this, &ComparePanel::ItemDoubleClicked);
}

ComparePanel::~ComparePanel() = default;

bool ComparePanel::CompareWith(const QString& path, QString& why) {
    auto other = std::make_unique<corvdekLINDefinitionFile>();
    if (!other->LoadFromFile(FromQString(path))) {
        why = ToQString(other->lastLoadError);
        return false;
    }
    other_ = std::move(other);
    otherPath_ = path;
    return true;
}

void ComparePanel::Refresh(const corvdekLINDefinitionFile& document) {
    if (other_ == nullptr || isHidden()) return;  // a closed panel compares again when opened
    const std::vector<ObjectChange> changes = CompareClusters(*other_, document);
    lblCompareFile_->setText(QString("%1 difference(s) from %2")
                                 .arg(changes.size())
                                 .arg(QFileInfo(otherPath_).fileName()));
    lblCompareFile_->setToolTip(otherPath_);
    lstCompare_->setUpdatesEnabled(false);
    lstCompare_->clear();
    QTreeWidgetItem* kindItem = nullptr;
    for (const ObjectChange& change : changes) {
        const QString kind = QString::fromUtf8(change.kind);
        if (kindItem == nullptr || kindItem->text(0) != kind) kindItem = new QTreeWidgetItem(lstCompare_, {kind});
        const QString name = QString::fromStdString(change.name);
        const QString newName = QString::fromStdString(change.newName);
        QString text = QString(kMarks[change.change]) + " " + name;
        if (change.change == ObjectChange::kRenamed) text += " renamed " + newName;
        if (!change.identity.empty()) text += " (" + QString::fromStdString(change.identity) + ")";
        auto* objectItem = new QTreeWidgetItem(kindItem, {text});
        // What is only in the other file cannot be shown in this document.
        if (change.change != ObjectChange::kRemoved) {
            objectItem->setData(0, kSectionRole, SectionOf(kind, change.change == ObjectChange::kRenamed ? newName : name));
        }
        for (const FieldChange& field : change.fields) {
            const QString label = QString::fromStdString(field.field);
            auto* fieldItem = new QTreeWidgetItem(objectItem, {label, Side(field.oldValue), Side(field.newValue)});
            fieldItem->setData(0, kSectionRole, SectionOf(kind, name, label));
            fieldItem->setToolTip(1, fieldItem->text(1));
            fieldItem->setToolTip(2, fieldItem->text(2));
        }
    }
    lstCompare_->expandAll();
    lstCompare_->setUpdatesEnabled(true);
}

void ComparePanel::ItemDoubleClicked(QTreeWidgetItem* item) {
    const QString section = item->data(0, kSectionRole).toString();
    if (!section.isEmpty()) Q_EMIT NavigateTo(section);
}
