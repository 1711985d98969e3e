#include "node_attributes_dialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <utility>

#include "detail_form.h"
#include "document_editor.h"
#include "model/definition_file.h"
#include "name_lists.h"
#include "qt_text.h"
#include "name_field.h"
#include "widgets.h"

const QStringList& TfrmNodeAttributes::SupplierList() {
    // Texts as the LIN consortium's list gave them, trailing spaces included.
    static const QStringList kSuppliers = {
        "0x001B Opel ", "0x001C Infineon ", "0x001D AMI Semiconductor  ", "0x001E Vector Informatik ",
        "0x001F Brose ", "0x0020 ZMD ", "0x0021 ihr ", "0x0022 Visteon ", "0x0023 ELMOS ",
        "0x0024 ON Semi ", "0x0025 Denso ", "0x0026 c&s ", "0x0027 Renault",
        "0x0028 Renesas Technology Europe Limited", "0x0029 Yazaki", "0x002A Trinamic Microchips ",
        "0x002B Allegro Microsystems", "0x002C Toyota", "0x002D PSA Peugeot Citro\u00EBn",
        "0x002E Wests\u00E4chsische Hochschule Zwickau", "0x002F Micron AG",
        "0x0030 Delphi Deutschland GmbH", "0x0031 Texas Instruments Deutschland GmbH",
        "0x0032 Maxim Integrated Products", "0x0033 Bertrandt Ingenierb\u00FCro GmbH",
        "0x0034 PKC Group Oyi", "0x0035 BayTech IKs", "0x0036 Hella KGaA Hueck & Co.",
        "0x0037 Continental Temic microelectronic GmbH ", "0x0038 Johnson Controls GmbH",
        "0x0039 Toshiba Electronics Europe GmbH", "0x003A Analog Devices",
        "0x003B TRW Automotive Electronics & Components GmbH & Co. KG ",
        "0x003C Advanced Data Controls, Corp. ", "0x003D G\u00D6PEL electronic GmbH",
        "0x003E Dr. Ing. h.c. F. Porsche AG", "0x003F Marquardt GmbH", "0x0040 ETAS GmbH",
        "0x0041 Micronas GmbH", "0x0042 Preh GmbH", "0x0043 GENTEX CORPORATION",
        "0x0044 ZF Lenksysteme GmbH", "0x0045 Nagares S.A.", "0x0046 MAN Nutzfahrzeuge AG",
        "0x0047 BITRON SpA BU Grugliasco", "0x0048 Pierburg GmbH ", "0x004B Paragon AG"};
    return kSuppliers;
}

TfrmNodeAttributes::TfrmNodeAttributes(QWidget* parent) : QDialog(parent) {
    setObjectName("frmNodeAttributes");
    setWindowTitle("Node Attributes");
    lstNodeLINProtocol_ = EditableChoice("lstNodeLINProtocol", {"1.2", "1.3", "2.0"});
    lstNodeLINConfiguredNAD_ = EditableChoice("lstNodeLINConfiguredNAD");
    NumberValidator::Install(lstNodeLINConfiguredNAD_, NumberValidator::kInteger);
    txtSupplierID_ = EditableChoice("txtSupplierID", SupplierList());
    txtFunctionID_ = IntegerField("txtFunctionID");
    txtVariant_ = IntegerField("txtVariant");
    txtP2MinMs_ = RealField("txtP2MinMs");
    txtSTMinMs_ = RealField("txtSTMinMs");
    txtResponseTolerance_ = RealField("txtResponseTolerance");
    txtInitialNAD_ = IntegerField("txtInitialNAD");
    lstResponseError_ = NameChoice("lstResponseError");
    txtFaultStateSignals_ = TextField("txtFaultStateSignals");
    txtNAsTimeout_ = RealField("txtNAsTimeout");
    txtNCrTimeout_ = RealField("txtNCrTimeout");
    txtWakeupTime_ = RealField("txtWakeupTime");
    txtPoweronTime_ = RealField("txtPoweronTime");
    lstConfigurableFrameNames_ = NameChoice("lstConfigurableFrameNames");
    txtConfigurableFrameID_ = IntegerField("txtConfigurableFrameID");
    lviewConfigurableFrames_ = new QTreeWidget;
    lviewConfigurableFrames_->setObjectName("lviewConfigurableFrames");
    lviewConfigurableFrames_->setRootIsDecorated(false);
    lviewConfigurableFrames_->setHeaderLabels({"Frame Name", "ID"});
    lviewConfigurableFrames_->setColumnWidth(0, 200);
    lviewConfigurableFrames_->setColumnWidth(1, 100);
    QPushButton* add = Button("cmdScheduleTableFrameAdd", "Add");
    QPushButton* remove = Button("cmdScheduleTableFrameRemove", "Remove");
    QPushButton* clear = Button("cmdScheduleTableFrameClearAll", "Clear");
    QPushButton* up = Button("cmdConfigurableFrameUp", "Up");
    QPushButton* down = Button("cmdConfigurableFrameDown", "Down");
    QPushButton* ok = Button("cmdOk", "OK");

    auto* form = new QFormLayout;
    form->addRow("LIN Protocol", lstNodeLINProtocol_);
    form->addRow("Configured NAD", lstNodeLINConfiguredNAD_);
    form->addRow("Supplier ID (Hex)", txtSupplierID_);
    form->addRow("Function ID (Hex)", txtFunctionID_);
    form->addRow("Variant", txtVariant_);
    form->addRow("P2 min (ms)", txtP2MinMs_);
    form->addRow("ST min (ms)", txtSTMinMs_);
    form->addRow("J2602 Response Tolerance (%)", txtResponseTolerance_);
    form->addRow("Initial NAD", txtInitialNAD_);
    form->addRow("Response Error Signal", lstResponseError_);
    form->addRow("Fault State Signals (a, b, ...)", txtFaultStateSignals_);
    form->addRow("N_As timeout (ms)", txtNAsTimeout_);
    form->addRow("N_Cr timeout (ms)", txtNCrTimeout_);
    form->addRow("J2602 Wakeup Time (ms)", txtWakeupTime_);
    form->addRow("J2602 Power-on Time (ms)", txtPoweronTime_);
    auto* group = new QGroupBox("Configurable Frames ");
    auto* frames = new QGridLayout(group);
    frames->addWidget(new QLabel("Frames"), 0, 0);
    frames->addWidget(lstConfigurableFrameNames_, 0, 1);
    frames->addWidget(new QLabel("ID (LIN 2.0; none from 2.1)"), 0, 2);
    frames->addWidget(txtConfigurableFrameID_, 0, 3);
    frames->addWidget(add, 0, 4);
    frames->addWidget(lviewConfigurableFrames_, 1, 0, 5, 4);
    frames->addWidget(remove, 1, 4);
    frames->addWidget(clear, 2, 4);
    frames->addWidget(up, 3, 4);
    frames->addWidget(down, 4, 4);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(ok, 0, Qt::AlignRight);

    connect(add, &QPushButton::clicked, this, &TfrmNodeAttributes::AddConfigurableFrame);
    connect(remove, &QPushButton::clicked, this, &TfrmNodeAttributes::RemoveConfigurableFrame);
    connect(clear, &QPushButton::clicked, this, &TfrmNodeAttributes::ClearConfigurableFrames);
    connect(up, &QPushButton::clicked, this, [this] { MoveConfigurableFrame(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveConfigurableFrame(1); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// The fields of the node, bound to it once the dialog knows the document editor.
void TfrmNodeAttributes::BindFields() {
    form_ = new DetailForm(editor_, [this]() -> std::optional<FormSubject> {
        const corvdekLINNode* node = Node();
        if (node == nullptr) return std::nullopt;
        return FormSubject{ToQString(node->name), node};
    }, this);
    const auto bind = [this](QWidget* control, std::function<QString(const corvdekLINNode&)> read,
                             std::function<void(corvdekLINNode&, const QString&)> write) {
        form_->Bind(control, {control->objectName(), "Edit Node Attributes", [this, read] { return QVariant(read(*Node())); },
                              [this, write](const QVariant& value) { write(*Node(), value.toString()); },
                              DocumentPart::kNodes});
    };
    for (const auto& [control, member] : std::initializer_list<std::pair<QWidget*, corvString corvdekLINNode::*>>{
             {lstNodeLINProtocol_, &corvdekLINNode::protocol},
             {lstNodeLINConfiguredNAD_, &corvdekLINNode::configuredNAD},
             {txtFunctionID_, &corvdekLINNode::functionId},
             {txtVariant_, &corvdekLINNode::variant},
             {txtP2MinMs_, &corvdekLINNode::p2Min},
             {txtSTMinMs_, &corvdekLINNode::stMin},
             {txtResponseTolerance_, &corvdekLINNode::responseTolerance},
             {txtInitialNAD_, &corvdekLINNode::initialNAD},
             {lstResponseError_, &corvdekLINNode::responseError},
             {txtNAsTimeout_, &corvdekLINNode::nAsTimeout},
             {txtNCrTimeout_, &corvdekLINNode::nCrTimeout},
             {txtWakeupTime_, &corvdekLINNode::wakeupTime},
             {txtPoweronTime_, &corvdekLINNode::poweronTime}}) {
        bind(control, [member](const corvdekLINNode& node) { return ToQString(node.*member); },
             [member](corvdekLINNode& node, const QString& text) { node.*member = FromQString(text).Trim(); });
    }
    bind(txtFaultStateSignals_,
         [](const corvdekLINNode& node) { return ToQString(corvString(node.faultStateSignals.Joined(u", "))); },
         [](corvdekLINNode& node, const QString& text) {
             node.faultStateSignals.Clear();
             for (const QString& name : text.split(',', Qt::SkipEmptyParts)) {
                 if (!name.trimmed().isEmpty()) node.faultStateSignals.Add(FromQString(name.trimmed()));
             }
         });
    bind(txtSupplierID_, [](const corvdekLINNode& node) { return ToQString(node.supplierId); },
         [](corvdekLINNode& node, const QString& text) {
             // A picked item is the identifier, a space and the supplier's name: keep the identifier.
             corvString supplier = FromQString(text).Trim();
             const int space = supplier.Find(0, u" ");
             if (space >= 2) supplier.Truncate(space);
             node.supplierId = supplier;
         });
}

void TfrmNodeAttributes::EditNode(const QString& field, const std::function<void(corvdekLINNode&)>& edit) {
    corvdekLINNode* node = Node();
    if (node == nullptr) return;
    editor_->Apply({"Edit Node Attributes", DocumentPart::kNodes, ToQString(node->name), field},
                   [&](corvdekLINDefinitionFile&) { edit(*node); });
}

corvdekLINNode* TfrmNodeAttributes::Node() const {
    return document_ == nullptr ? nullptr : document_->nodes.Get(nodeIndex_);
}

void TfrmNodeAttributes::Fill(DocumentEditor* editor, int nodeIndex) {
    editor_ = editor;
    document_ = editor->Document();
    corvdekLINDefinitionFile* document = document_;
    nodeIndex_ = nodeIndex;
    const corvdekLINNode* node = Node();
    if (node == nullptr) return;
    if (form_ == nullptr) BindFields();
    setWindowTitle("Node Attributes for: " + ToQString(node->name));
    RefillChoices(lstResponseError_, NameTexts(document->signals));
    form_->Show();
    RefillChoices(lstConfigurableFrameNames_, FrameNamesOfEveryKind(*document));
    lstConfigurableFrameNames_->setCurrentText(QString());
    RefillConfigurableFrames();
}

void TfrmNodeAttributes::RefillConfigurableFrames() {
    lviewConfigurableFrames_->clear();
    const corvdekLINNode* node = Node();
    if (node == nullptr) return;
    for (int i = 0; i < node->configurableFrameNames.Count(); ++i) {
        const QString id = i < node->configurableFrameIds.Count()
                               ? ToQString(node->configurableFrameIds.Item(i))
                               : QString();
        lviewConfigurableFrames_->addTopLevelItem(
            new QTreeWidgetItem({ToQString(node->configurableFrameNames.Item(i)), id}));
    }
}

void TfrmNodeAttributes::AddConfigurableFrame() {
    corvdekLINNode* node = Node();
    const corvString name = FromQString(lstConfigurableFrameNames_->currentText()).Trim();
    if (node == nullptr || name.IsEmpty()) return;
    EditNode("ConfigurableFrames", [&](corvdekLINNode& edited) {
        edited.configurableFrameNames.Add(name);
        edited.configurableFrameIds.Add(FromQString(txtConfigurableFrameID_->text()).Trim());
    });
    RefillConfigurableFrames();
}

// The order of the configurable frames is the order AssignFrameIdRange counts them in.
void TfrmNodeAttributes::MoveConfigurableFrame(int step) {
    corvdekLINNode* node = Node();
    QTreeWidgetItem* row = lviewConfigurableFrames_->currentItem();
    if (node == nullptr || row == nullptr || !row->isSelected()) return;
    const int index = lviewConfigurableFrames_->indexOfTopLevelItem(row);
    const int target = index + step;
    if (target < 0 || target >= node->configurableFrameNames.Count()) return;
    EditNode("ConfigurableFrames", [&](corvdekLINNode& edited) {
        std::swap(edited.configurableFrameNames.Item(index), edited.configurableFrameNames.Item(target));
        if (target < edited.configurableFrameIds.Count() && index < edited.configurableFrameIds.Count()) {
            std::swap(edited.configurableFrameIds.Item(index), edited.configurableFrameIds.Item(target));
        }
    });
    RefillConfigurableFrames();
    lviewConfigurableFrames_->setCurrentItem(lviewConfigurableFrames_->topLevelItem(target));
}

void TfrmNodeAttributes::RemoveConfigurableFrame() {
    corvdekLINNode* node = Node();
    QTreeWidgetItem* row = lviewConfigurableFrames_->currentItem();
    if (node == nullptr || row == nullptr || !row->isSelected()) return;
    const int index = lviewConfigurableFrames_->indexOfTopLevelItem(row);
    EditNode("ConfigurableFrames", [&](corvdekLINNode& edited) {
        edited.configurableFrameNames.RemoveAt(index);
        edited.configurableFrameIds.RemoveAt(index);
    });
    RefillConfigurableFrames();
}

void TfrmNodeAttributes::ClearConfigurableFrames() {
    corvdekLINNode* node = Node();
    if (node == nullptr) return;
    EditNode("ConfigurableFrames", [](corvdekLINNode& edited) {
        edited.configurableFrameNames.Clear();
        edited.configurableFrameIds.Clear();
    });
    RefillConfigurableFrames();
}
