#include "diagnostics_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "field_table_model.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "model/references.h"
#include "name_field.h"
#include "qt_text.h"
#include "widgets.h"

namespace {

QTableView* FieldTable(const char* name, FieldTableModel* model,
                       std::initializer_list<RuleItemDelegate::Rule> rules) {
    auto* table = new QTableView;
    table->setObjectName(name);
    table->setModel(model);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    int column = 0;
    for (RuleItemDelegate::Rule rule : rules) table->setItemDelegateForColumn(column++, new RuleItemDelegate(rule, table));
    return table;
}

QString ValueText(const corvdekLINSignal& signal) {
    return ToQString(signal.isByteArray ? corvString(signal.initValues.Joined(u", ")) : signal.initValue);
}

// A byte array takes the list as typed; a scalar signal one value.
void StoreValue(corvdekLINSignal& signal, const QString& text) {
    const QStringList values = text.split(',', Qt::SkipEmptyParts);
    if (signal.isByteArray) {
        signal.initValues.Clear();
        for (const QString& value : values) {
            if (!value.trimmed().isEmpty()) signal.initValues.Add(FromQString(value.trimmed()));
        }
    } else if (values.size() == 1) {
        signal.initValue = FromQString(values.front().trimmed());
    }
}

}  // namespace

TfrmDiagnostics::TfrmDiagnostics(QWidget* parent) : QDialog(parent) {
    setObjectName("frmDiagnostics");
    setWindowTitle("Diagnostic Frames");
    using Rule = RuleItemDelegate::Rule;
    tblDiagnosticSignals_ = FieldTable("tblDiagnosticSignals", SignalsModel(),
                                       {Rule::kName, Rule::kInteger, Rule::kIntegerList});
    tblDiagnosticFrames_ = FieldTable("tblDiagnosticFrames", FramesModel(), {Rule::kName, Rule::kInteger});
    tblDiagnosticFrameSignals_ =
        FieldTable("tblDiagnosticFrameSignals", FrameSignalsModel(), {Rule::kName, Rule::kInteger});
    QPushButton* ok = Button("cmdOk", "OK");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Diagnostic Signals"));
    layout->addWidget(tblDiagnosticSignals_);
    layout->addWidget(new QLabel("Diagnostic Frames"));
    layout->addWidget(tblDiagnosticFrames_);
    layout->addWidget(new QLabel("Signals of the Selected Frame"));
    layout->addWidget(tblDiagnosticFrameSignals_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    setMinimumSize(480, 600);  // every column in sight without scrolling sideways

    connect(tblDiagnosticFrames_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { ShowSelectedFrame(); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

FieldTableModel* TfrmDiagnostics::SignalsModel() {
    auto signal = [this](int row) -> corvdekLINSignal& { return *document_->diagnosticSignals.Get(row); };
    return new FieldTableModel(
        [this] { return document_ == nullptr ? 0 : document_->diagnosticSignals.GetCount(); },
        {{"Name", [signal](int row) { return ToQString(signal(row).name); },
          [this, signal](int row, const QString& text) {
              Store("SignalName", [&] {
                  corvdekLINSignal& renamed = signal(row);
                  ReferenceRename rename(*document_, NamedKind::kDiagnosticSignal, renamed.name);
                  renamed.name = FromQString(text);
                  rename.Follow(*document_, renamed.name);
              });
              ShowSelectedFrame();
          }},
         {"Size", [signal](int row) { return ToQString(signal(row).size); },
          [this, signal](int row, const QString& text) {
              Store("SignalSize", [&] { signal(row).size = FromQString(text); });
          }},
         {"Initial Value", [signal](int row) { return ValueText(signal(row)); },
          [this, signal](int row, const QString& text) { Store("InitValue", [&] { StoreValue(signal(row), text); }); }}},
        this);
}

FieldTableModel* TfrmDiagnostics::FramesModel() {
    auto frame = [this](int row) -> corvdekLINDiagnosticFrame& { return *document_->diagnosticFrames.Get(row); };
    return new FieldTableModel(
        [this] { return document_ == nullptr ? 0 : document_->diagnosticFrames.GetCount(); },
        {{"Name", [frame](int row) { return ToQString(frame(row).name); },
          [this, frame](int row, const QString& text) {
              Store("FrameName", [&] { frame(row).name = FromQString(text); });
          }},
         {"Identifier", [frame](int row) { return ToQString(frame(row).frameId); },
          [this, frame](int row, const QString& text) {
              Store("FrameId", [&] { frame(row).frameId = FromQString(text); });
          }}},
        this);
}

FieldTableModel* TfrmDiagnostics::FrameSignalsModel() {
    return new FieldTableModel(
        [this] {
            const corvdekLINDiagnosticFrame* frame = SelectedFrame();
            return frame == nullptr ? 0 : frame->signalNames.Count();
        },
        {{"Signal", [this](int row) { return ToQString(SelectedFrame()->signalNames.Item(row)); },
          [this](int row, const QString& text) {
              Store("FrameSignals", [&] { SelectedFrame()->signalNames.Item(row) = FromQString(text); });
          }},
         {"Offset", [this](int row) { return ToQString(SelectedFrame()->signalOffsets.Item(row)); },
          [this](int row, const QString& text) {
              Store("FrameSignals", [&] { SelectedFrame()->signalOffsets.Item(row) = FromQString(text); });
          }}},
        this);
}

corvdekLINDiagnosticFrame* TfrmDiagnostics::SelectedFrame() const {
    const QModelIndex current = tblDiagnosticFrames_->currentIndex();
    return document_ == nullptr || !current.isValid() ? nullptr : document_->diagnosticFrames.Get(current.row());
}

void TfrmDiagnostics::ShowSelectedFrame() {
    static_cast<FieldTableModel*>(tblDiagnosticFrameSignals_->model())->Reload();
}

void TfrmDiagnostics::Store(const QString& field, const std::function<void()>& edit) {
    editor_->Apply({"Edit Diagnostic Frames", DocumentPart::kDiagnostics, QString(), field},
                   [&](corvdekLINDefinitionFile&) { edit(); });
}

void TfrmDiagnostics::Fill(DocumentEditor* editor) {
    editor_ = editor;
    document_ = editor->Document();
    // Only a document without any diagnostic signal or frame changes.
    editor_->TryApply({"Add Standard Diagnostic Frames", DocumentPart::kDiagnostics},
                      [](corvdekLINDefinitionFile& document) {
                          if (!document.diagnosticSignals.IsEmpty() || !document.diagnosticFrames.IsEmpty()) {
                              return false;
                          }
                          document.AddStandardDiagnostics();
                          return true;
                      });
    for (QTableView* table : {tblDiagnosticSignals_, tblDiagnosticFrames_}) {
        static_cast<FieldTableModel*>(table->model())->Reload();
    }
    tblDiagnosticFrames_->setCurrentIndex(tblDiagnosticFrames_->model()->index(0, 0));
    ShowSelectedFrame();
}
