// The Frames tab: the sorted, filtered list of unconditional frames and the details of the
// selected one (name, identifier, source node, signals with their offsets, frame time).

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "artwork.h"
#include "codegen/frame_layout.h"
#include "model/definition_file.h"
#include "model/name_index.h"
#include "name_field.h"
#include "qt_text.h"
#include "name_lists.h"
#include "tabrel_window.h"
#include "widgets.h"

void TfrmTabrel::BuildFramesPanel(QWidget* panel) {
    const ListColumn left = BuildListColumn(
        {"cmdFramesAdd", "cmdFramesRemove", "lstFrames", "txtFilterFrame", "cmdFindFrame", "lblFrameCount"},
        192);
    txtFilterFrame_ = left.filter;
    lstFrames_ = left.list;
    lblFrameCount_ = left.count;

    pnlFrameDetails_ = new QWidget;
    pnlFrameDetails_->setObjectName("pnlFrameDetails");
    txtFrameDescription_ = TextField("txtFrameDescription");
    SpaceToUnderscore::Install(txtFrameDescription_);
    auto* frameType = new QComboBox;
    frameType->setObjectName("lstFrameType");
    frameType->addItem("Unconditional");
    QStringList identifiers;
    for (unsigned id = 0; id < 64; ++id) {
        corvString hex;
        identifiers << "0x" + ToQString(hex.SetHex(id));
    }
    lstFrameID_ = EditableChoice("lstFrameID", identifiers);
    lstFrameLength_ = new QComboBox;
    lstFrameLength_->setObjectName("lstFrameLength");
    for (int bytes = 1; bytes <= 8; ++bytes) lstFrameLength_->addItem(QString::number(bytes));
    lstFrameSourceECU_ = EditableChoice("lstFrameSourceECU");
    lstFrameSignals_ = EditableChoice("lstFrameSignals");
    txtFrameSignalOffset_ = TextField("txtFrameSignalOffset");
    QPushButton* addSignal = Button("cmdFrameSignalsAdd", "Add");
    lviewFrameSignals_ = new QTreeWidget;
    lviewFrameSignals_->setObjectName("lviewFrameSignals");
    lviewFrameSignals_->setRootIsDecorated(false);
    lviewFrameSignals_->setHeaderLabels({"Signal Name", "Signal Offset"});
    lviewFrameSignals_->setColumnWidth(0, 200);
    lviewFrameSignals_->setColumnWidth(1, 100);
    QPushButton* removeSignal = Button("cmdFrameSignalsRemove", "Remove");
    QPushButton* clearSignals = Button("cmdFrameSignalsClear", "Clear");
    lblFrameTime_ = new QLabel;
    lblFrameTime_->setObjectName("lblFrameTime");

    // The fields from the identifier down lie on their own panel, with the highlight frame.
    auto* unconditional = new QWidget;
    unconditional->setObjectName("pnlUnconditional");
    auto* inner = new QGridLayout(unconditional);
    inner->addWidget(new QLabel("Frame Id"), 0, 0);
    inner->addWidget(lstFrameID_, 0, 1);
    inner->addWidget(new QLabel("Length (bytes)"), 0, 2);
    inner->addWidget(lstFrameLength_, 0, 3);
    inner->addWidget(new QLabel("Source ECU"), 1, 0);
    inner->addWidget(lstFrameSourceECU_, 1, 1);
    inner->addWidget(new QLabel("Signals"), 2, 0);
    inner->addWidget(lstFrameSignals_, 2, 1);
    inner->addWidget(new QLabel("Offset in bits"), 2, 2);
    inner->addWidget(txtFrameSignalOffset_, 2, 3);
    inner->addWidget(addSignal, 2, 4);
    inner->addWidget(lviewFrameSignals_, 3, 1, 3, 3);
    inner->addWidget(removeSignal, 3, 4);
    inner->addWidget(clearSignals, 4, 4);
    inner->addWidget(lblFrameTime_, 6, 1, 1, 3);
    inner->setColumnStretch(5, 1);
    inner->setRowStretch(5, 1);
    shapeFrameConditional_ = HighlightFrame("shapeFrameConditional", unconditional);

    auto* details = new QGridLayout(pnlFrameDetails_);
    details->addWidget(new QLabel("Description"), 0, 0);
    details->addWidget(txtFrameDescription_, 0, 1);
    details->addWidget(new QLabel("Frame Type"), 1, 0);
    details->addWidget(frameType, 1, 1);
    details->addWidget(unconditional, 2, 0, 1, 3);
    details->setColumnStretch(2, 1);

    PlaceListAndDetails(panel, left.column, pnlFrameDetails_);

    connect(left.add, &QPushButton::clicked, this, &TfrmTabrel::cmdFramesAddClick);
    connect(left.remove, &QPushButton::clicked, this, &TfrmTabrel::cmdFramesRemoveClick);
    connect(txtFilterFrame_, &QLineEdit::textChanged, this, [this] { RefreshFrameList(); });
    connect(left.find, &QToolButton::clicked, this, [this] { RefreshFrameList(); });
    connect(lstFrames_, &QListWidget::currentRowChanged, this, [this] { lstFramesClick(); });
    connect(addSignal, &QPushButton::clicked, this, &TfrmTabrel::cmdFrameSignalsAddClick);
    connect(removeSignal, &QPushButton::clicked, this, &TfrmTabrel::cmdFrameSignalsRemoveClick);
    connect(clearSignals, &QPushButton::clicked, this, &TfrmTabrel::cmdFrameSignalsClearClick);

    auto edit = [this](auto* control, auto changed, auto apply) {
        connect(control, changed, this, [this, apply](const QString& text) {
            corvdekLINFrame* frame = CurrentFrame();
            if (!filling_ && frame != nullptr) apply(*frame, FromQString(text));
        });
    };
    edit(txtFrameDescription_, &QLineEdit::textChanged, [this](corvdekLINFrame& frame, const corvString& text) {
        frame.name = text;
        if (frameRename_) frameRename_->Follow(*document_, frame.name);
        RefreshFrameList();
        RefreshScheduleFrameChoices();
    });
    edit(lstFrameID_, &QComboBox::currentTextChanged, [this](corvdekLINFrame& frame, const corvString& text) {
        FollowSuggestedLength(frame, [&] { frame.frameId = text; });
    });
    edit(lstFrameLength_, &QComboBox::textActivated,
         [](corvdekLINFrame& frame, const corvString& text) { frame.length = text; });
    edit(lstFrameSourceECU_, &QComboBox::currentTextChanged,
         [](corvdekLINFrame& frame, const corvString& text) { frame.publisher = text; });
}

corvdekLINFrame* TfrmTabrel::CurrentFrame() const {
    return document_ ? document_->frames.Get(SelectedPosition(lstFrames_)) : nullptr;
}

void TfrmTabrel::RefreshFrameList() {
    const int selected = SelectedPosition(lstFrames_);
    FillSortedNames(lstFrames_, NamesOf(document_->frames), txtFilterFrame_->text(),
                    selected < 0 ? 0 : selected);
    lblFrameCount_->setText(QString("Frame Count %1").arg(lstFrames_->count()));
    lblFrameCount_->show();
    // A filter or a refill that moves the selection to another frame shows that one.
    if (SelectedPosition(lstFrames_) != selected) lstFramesClick();
}

void TfrmTabrel::lstFramesClick() {
    const corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) {
        pnlFrameDetails_->hide();
        return;
    }
    FillingScope filling(filling_);
    pnlFrameDetails_->show();
    txtFrameDescription_->setText(ToQString(frame->name));
    frameRename_.emplace(NamedKind::kFrame, frame->name);
    lstFrameSourceECU_->setCurrentText(ToQString(frame->publisher));
    lstFrameID_->setCurrentText(ToQString(frame->frameId));
    ShowFrameLength(*frame);
    lstFrameSignals_->setCurrentText(QString());
    txtFrameSignalOffset_->clear();
    FillFrameSignals();
    ShowFrameTime();
}

namespace {

// What a frame needs: the bytes its signals span, at least the length LIN 1.3 gives its
// identifier, at least one byte and at most eight.
int SuggestedFrameBytes(const corvdekLINFrame& frame, const ClusterNameIndex& names) {
    long long bytes = std::min<long long>(8, (frame.SignalEndBit(names) + 7) / 8);
    if (const auto id = WholeNumber(frame.frameId); id && *id <= 63) {
        bytes = std::max<long long>(bytes, *id < 32 ? 2 : *id < 48 ? 4 : 8);
    }
    return static_cast<int>(std::max<long long>(bytes, 1));
}

corvString LengthText(int bytes) {
    corvString text;
    return text.AppendInt(bytes);
}

}  // namespace

// A length that was the suggested one follows the suggestion through `change`; another
// stated length only grows to fit the signals. A length left unstated stays so.
void TfrmTabrel::FollowSuggestedLength(corvdekLINFrame& frame, const std::function<void()>& change) {
    const ClusterNameIndex names(*document_);  // `change` touches no signal
    const int before = SuggestedFrameBytes(frame, names);
    change();
    if (frame.length.IsEmpty()) return;
    const int after = SuggestedFrameBytes(frame, names);
    const auto stated = WholeNumber(frame.length);
    if (frame.length.Equals(LengthText(before)) || (stated && *stated < static_cast<unsigned>(after))) {
        frame.length = LengthText(after);
    }
    ShowFrameLength(frame);
}

void TfrmTabrel::ShowFrameLength(const corvdekLINFrame& frame) {
    FillingScope filling(filling_);
    lstFrameLength_->setCurrentIndex(lstFrameLength_->findText(ToQString(frame.length)));
}

void TfrmTabrel::FillFrameSignals() {
    const corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    lviewFrameSignals_->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < frame->signalNames.Count(); ++i) {
        const QString offset = i < frame->signalOffsets.Count() ? ToQString(frame->signalOffsets.Item(i)) : QString();
        rows.append(new QTreeWidgetItem({ToQString(frame->signalNames.Item(i)), offset}));
    }
    lviewFrameSignals_->addTopLevelItems(rows);
}

void TfrmTabrel::ShowFrameTime() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    frame->owner = document_.get();
    corvString time;
    frame->FormatFrameTime(time);
    lblFrameTime_->setText(ToQString(time));
}

void TfrmTabrel::cmdFrameSignalsAddClick() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    FollowSuggestedLength(*frame, [&] {
        frame->signalNames.Add(FromQString(lstFrameSignals_->currentText()));
        frame->signalOffsets.Add(FromQString(txtFrameSignalOffset_->text()));
    });
    frame->SortSignalsByOffset();
    FillFrameSignals();
    ShowFrameTime();
}

void TfrmTabrel::cmdFrameSignalsRemoveClick() {
    corvdekLINFrame* frame = CurrentFrame();
    QTreeWidgetItem* row = lviewFrameSignals_->currentItem();
    if (frame == nullptr || row == nullptr || !row->isSelected()) return;
    if (!AskYesNo("Are you sure you want to remove this frame signal?")) return;
    const int index = lviewFrameSignals_->indexOfTopLevelItem(row);
    if (index < frame->signalNames.Count()) {
        frame->signalNames.RemoveAt(index);
        frame->signalOffsets.RemoveAt(index);
    }
    FillFrameSignals();  // the frame time stays until the frame is shown again
}

void TfrmTabrel::cmdFrameSignalsClearClick() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    frame->signalNames.Clear();
    frame->signalOffsets.Clear();
    FillFrameSignals();
}

void TfrmTabrel::cmdFramesAddClick() {
    corvdekLINFrame* frame = document_->frames.Add();
    txtFilterFrame_->clear();
    frame->name.Assign(u"NewFrame").AppendInt(document_->frames.GetCount());
    frame->length = LengthText(SuggestedFrameBytes(*frame, ClusterNameIndex(*document_)));
    RefreshFrameList();
    SelectPosition(lstFrames_, document_->frames.GetCount() - 1);
    lstFramesClick();
    RefreshScheduleFrameChoices();
}

void TfrmTabrel::cmdFramesRemoveClick() {
    const int position = SelectedPosition(lstFrames_);
    if (position < 0) return;
    if (!AskYesNo("Are you sure you want to remove this frame?")) return;
    document_->frames.RemoveAt(position);
    RefreshFrameList();
    lstFramesClick();
    RefreshScheduleFrameChoices();
}

void TfrmTabrel::SelectFrameByName(const QString& name) {
    SelectName(lstFrames_, name);
    lstFramesClick();
}

void TfrmTabrel::RefreshFrameSignalChoices() {
    QStringList names;
    names.reserve(document_->signals.GetCount());
    for (int i = 0; i < document_->signals.GetCount(); ++i) {
        names << ToQString(document_->signals.Get(i)->name);
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    const QString text = lstFrameSignals_->currentText();
    lstFrameSignals_->clear();
    lstFrameSignals_->addItems(names);
    lstFrameSignals_->setCurrentText(text);
}

void TfrmTabrel::NavigateFrame(const QString& name, const QString& field) {
    SelectFrameByName(name);
    if (field == "Signals") HighlightControl(shapeFrameConditional_, lviewFrameSignals_);
    if (field == "SourceNode") HighlightControl(shapeFrameConditional_, lstFrameSourceECU_);
}
