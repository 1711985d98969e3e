#include "frames_tab.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "artwork.h"
#include "codegen/frame_layout.h"
#include "detail_form.h"
#include "document_editor.h"
#include "frame_layout_view.h"
#include "frame_list_editor.h"
#include "frame_values_view.h"
#include "model/definition_file.h"
#include "model/ldf_numbers.h"
#include "model/name_index.h"
#include "qt_text.h"
#include "name_lists.h"
#include "name_list_view.h"
#include "name_field.h"
#include "widgets.h"

namespace {

// What a frame needs: the bytes its signals span, at least one and at most eight; in a LIN
// 1.x cluster at least the length LIN 1.3 gives its identifier.
int SuggestedFrameBytes(const corvdekLINFrame& frame, const corvdekLINDefinitionFile& cluster) {
    long long bytes = std::min<long long>(8, (frame.SignalEndBit(ClusterNameIndex(cluster)) + 7) / 8);
    corvString version = cluster.protocolVersion;
    version.Trim();
    const bool lin1 = version.View().starts_with(u"1.");
    if (const auto id = WholeNumber(frame.frameId); lin1 && id && *id <= 63) {
        bytes = std::max<long long>(bytes, Lin13DataLength(*id));
    }
    return static_cast<int>(std::max<long long>(bytes, 1));
}

corvString LengthText(int bytes) {
    corvString text;
    return text.AppendInt(bytes);
}

}  // namespace

FramesTab::FramesTab(DocumentEditor* editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName("pnlFrames");
    const ListColumn left = BuildListColumn(
        {"cmdFramesAdd", "cmdFramesRemove", "lstFrames", "txtFilterFrame", "cmdFindFrame", "lblFrameCount"});
    txtFilterFrame_ = left.filter;
    lstFrames_ = left.view;
    frameList_ = std::make_unique<NameListView>(
        lstFrames_,
        [this] {
            return document_ != nullptr ? document_->frames.GetCount() + document_->sporadicFrames.GetCount() +
                                   document_->eventFrames.GetCount()
                             : 0;
        },
        [this](int position) { return FrameNameAt(LocateFrame(position)); });
    lblFrameCount_ = left.count;

    pnlFrameDetails_ = new QWidget;
    pnlFrameDetails_->setObjectName("pnlFrameDetails");
    txtFrameDescription_ = NameField("txtFrameDescription");
    lstFrameType_ = new QComboBox;
    lstFrameType_->setObjectName("lstFrameType");
    lstFrameType_->addItems({"Unconditional", "Sporadic", "Event Triggered"});
    QStringList identifiers;
    for (unsigned id = 0; id < 64; ++id) {
        corvString hex;
        identifiers << "0x" + ToQString(hex.SetHex(id));
    }
    lstFrameID_ = EditableChoice("lstFrameID", identifiers);
    NumberValidator::Install(lstFrameID_, NumberValidator::kInteger);
    lstFrameLength_ = new QComboBox;
    lstFrameLength_->setObjectName("lstFrameLength");
    for (int bytes = 1; bytes <= 8; ++bytes) lstFrameLength_->addItem(QString::number(bytes));
    lstFrameSourceECU_ = NameChoice("lstFrameSourceECU");
    lstFrameSignals_ = NameChoice("lstFrameSignals");
    txtFrameSignalOffset_ = IntegerField("txtFrameSignalOffset");
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

    // The fields from the identifier down lie on their own panel.
    pnlUnconditional_ = new QWidget;
    pnlUnconditional_->setObjectName("pnlUnconditional");
    auto* inner = new QGridLayout(pnlUnconditional_);
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
    // Beside the fields: the picture of the frame's bits and the values they hold.
    frameLayout_ = new FrameLayoutView;
    values_ = new FrameValuesView;
    pnlFramePicture_ = new QWidget;
    pnlFramePicture_->setObjectName("pnlFramePicture");
    auto* pictureAndValues = new QVBoxLayout(pnlFramePicture_);
    pictureAndValues->setContentsMargins(0, 0, 0, 0);
    pictureAndValues->addWidget(frameLayout_, 0, Qt::AlignLeft);
    pictureAndValues->addWidget(values_, 1);
    inner->addWidget(pnlFramePicture_, 0, 5, 7, 1);
    // The signal list takes the room the window has; the picture stays beside it.
    inner->setColumnStretch(1, 1);
    inner->setRowStretch(5, 1);

    // Over the fields of every frame kind.
    shapeFrameConditional_ = HighlightFrame("shapeFrameConditional", pnlFrameDetails_);

    pnlSporadic_ = new QWidget;
    pnlSporadic_->setObjectName("pnlSporadic");
    sporadicFrames_ = new FrameListEditor("Sporadic");
    auto* sporadicGrid = new QGridLayout(pnlSporadic_);
    sporadicGrid->addWidget(new QLabel("Frames (first with news is sent)"), 0, 0, Qt::AlignTop);
    sporadicGrid->addWidget(sporadicFrames_, 0, 1);
    sporadicGrid->setColumnStretch(1, 1);

    pnlEventTriggered_ = new QWidget;
    pnlEventTriggered_->setObjectName("pnlEventTriggered");
    lstEventFrameID_ = new QComboBox;
    lstEventFrameID_->setObjectName("lstEventFrameID");
    lstEventFrameID_->addItems(identifiers.mid(0, 60));  // 60 to 63 are reserved for diagnostics
    lstEventCollisionTable_ = NameChoice("lstEventCollisionTable");
    eventFrames_ = new FrameListEditor("Event");
    auto* eventGrid = new QGridLayout(pnlEventTriggered_);
    eventGrid->addWidget(new QLabel("Frame Id"), 0, 0);
    eventGrid->addWidget(lstEventFrameID_, 0, 1, Qt::AlignLeft);
    eventGrid->addWidget(new QLabel("Collision Table"), 1, 0);
    eventGrid->addWidget(lstEventCollisionTable_, 1, 1, Qt::AlignLeft);
    eventGrid->addWidget(new QLabel("Frames"), 2, 0, Qt::AlignTop);
    eventGrid->addWidget(eventFrames_, 2, 1);
    eventGrid->setColumnStretch(1, 1);
    eventGrid->setRowStretch(2, 1);

    auto* details = new QGridLayout(pnlFrameDetails_);
    details->addWidget(new QLabel("Description"), 0, 0);
    details->addWidget(txtFrameDescription_, 0, 1);
    details->addWidget(new QLabel("Frame Type"), 1, 0);
    details->addWidget(lstFrameType_, 1, 1);
    // One of the kinds' panels is shown, in the room below the type.
    auto* kinds = new QVBoxLayout;
    kinds->setContentsMargins(0, 0, 0, 0);
    for (QWidget* kind : {pnlUnconditional_, pnlSporadic_, pnlEventTriggered_}) kinds->addWidget(kind);
    details->addLayout(kinds, 2, 0, 1, 3);
    details->setColumnStretch(2, 1);
    details->setRowStretch(2, 1);

    PlaceListAndDetails(this, left.column, pnlFrameDetails_);
    // Where the pane of the details is narrow, the picture moves below the signals.
    for (QWidget* up = pnlFrameDetails_->parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* pane = qobject_cast<QScrollArea*>(up)) pane->viewport()->installEventFilter(this);
    }

    connect(left.add, &QPushButton::clicked, this, &FramesTab::cmdFramesAddClick);
    connect(left.remove, &QPushButton::clicked, this, &FramesTab::cmdFramesRemoveClick);
    auto filter = [this] { ChangeFrameList([this] { frameList_->SetFilter(txtFilterFrame_->text()); }); };
    connect(txtFilterFrame_, &QLineEdit::textChanged, this, filter);
    connect(left.find, &QToolButton::clicked, this, filter);
    connect(lstFrames_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { lstFramesClick(); });
    connect(addSignal, &QPushButton::clicked, this, &FramesTab::cmdFrameSignalsAddClick);
    connect(removeSignal, &QPushButton::clicked, this, &FramesTab::cmdFrameSignalsRemoveClick);
    connect(clearSignals, &QPushButton::clicked, this, &FramesTab::cmdFrameSignalsClearClick);
    connect(values_, &FrameValuesView::BytesChanged, frameLayout_, &FrameLayoutView::ShowBits);
    // The values follow every edit of the cluster, whose objects they read.
    connect(editor_, &DocumentEditor::Changed, this, [this] {
        if (const corvdekLINFrame* frame = CurrentFrame()) values_->ShowFrame(*document_, *frame);
    });
    connect(frameLayout_, &FrameLayoutView::PieceClicked, this, [this](int piece) {
        if (QTreeWidgetItem* row = lviewFrameSignals_->topLevelItem(piece)) lviewFrameSignals_->setCurrentItem(row);
    });

    // Each edit of the details is a step of the document's history.
    connect(txtFrameDescription_, &QLineEdit::textChanged, this, &FramesTab::NameTyped);
    connect(lstFrameType_, &QComboBox::activated, this, &FramesTab::ChangeFrameType);
    connect(sporadicFrames_, &FrameListEditor::FramesEdited, this, [this](const QStringList& frames) {
        corvdekLINSporadicFrame* sporadic = CurrentSporadicFrame();
        if (sporadic == nullptr) return;
        EditFrame("Edit Sporadic Frames", "Frames", false,
                  [&](corvdekLINDefinitionFile&) { sporadic->frameList = FromQStrings(frames); });
    });
    connect(eventFrames_, &FrameListEditor::FramesEdited, this, [this] { StoreEventFrame("Frames", false); });
    connect(lstEventFrameID_, &QComboBox::activated, this, [this] { StoreEventFrame("FrameId", false); });
    connect(lstEventCollisionTable_, &QComboBox::currentTextChanged, this,
            [this] { StoreEventFrame("CollisionTable", true); });
    // The unconditional frame's fields.
    form_ = new DetailForm(editor_, [this]() -> std::optional<FormSubject> {
        const corvdekLINFrame* frame = CurrentFrame();
        if (frame == nullptr) return std::nullopt;
        return FormSubject{ToQString(frame->name), &frame->name};
    }, this);
    form_->Bind(lstFrameID_, {"FrameId", "Edit Frame Id", [this] { return QVariant(ToQString(CurrentFrame()->frameId)); },
                              [this](const QVariant& value) {
                                  corvdekLINFrame& frame = *CurrentFrame();
                                  FollowSuggestedLength(frame, [&] { frame.frameId = FromQString(value.toString()); });
                              },
                              DocumentPart::kFrames});
    form_->Bind(lstFrameSourceECU_,
                {"SourceNode", "Edit Frame Source Node", [this] { return QVariant(ToQString(CurrentFrame()->publisher)); },
                 [this](const QVariant& value) { CurrentFrame()->publisher = FromQString(value.toString()).Trim(); },
                 DocumentPart::kFrames});
    connect(form_->Model(), &DetailFormModel::FieldEdited, this, [this] { ShowFrameLength(*CurrentFrame()); });
    connect(lstFrameLength_, &QComboBox::textActivated, this, [this](const QString& text) {
        corvdekLINFrame* frame = CurrentFrame();
        if (frame == nullptr) return;
        EditFrame("Edit Frame Length", "Length", false,
                  [&](corvdekLINDefinitionFile&) { frame->length = FromQString(text); });
        ShowFrameLength(*frame);
    });
}

FramesTab::~FramesTab() = default;

bool FramesTab::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) PlacePicture(static_cast<QResizeEvent*>(event)->size().width());
    return QWidget::eventFilter(watched, event);
}

// The picture and the values stand beside the fields where the pane has the room they need
// there (measured while they stand there), else below the signal list: a small window
// scrolls down, never sideways.
void FramesTab::PlacePicture(int paneWidth) {
    auto* grid = static_cast<QGridLayout*>(pnlUnconditional_->layout());
    const QMargins margins = pnlFrameDetails_->layout()->contentsMargins();
    if (pictureBeside_) besideWidth_ = pnlUnconditional_->minimumSizeHint().width() + margins.left() + margins.right();
    const bool beside = paneWidth >= besideWidth_;
    if (beside == pictureBeside_) return;
    pictureBeside_ = beside;
    grid->removeWidget(pnlFramePicture_);
    if (beside) {
        grid->addWidget(pnlFramePicture_, 0, 5, 7, 1);
    } else {
        grid->addWidget(pnlFramePicture_, 7, 0, 1, 5);
    }
}

// A row of the frame list carries a position that counts through the unconditional, the
// sporadic and the event-triggered frames, in that order.
FramesTab::FrameAt FramesTab::LocateFrame(int position) const {
    const int sporadicStart = document_->frames.GetCount();
    const int eventStart = sporadicStart + document_->sporadicFrames.GetCount();
    if (position < 0) return {kUnconditionalFrame, -1};
    if (position < sporadicStart) return {kUnconditionalFrame, position};
    if (position < eventStart) return {kSporadicFrame, position - sporadicStart};
    return {kEventTriggeredFrame, position - eventStart};
}

int FramesTab::FramePosition(FrameAt frame) const {
    switch (frame.kind) {
        case kSporadicFrame: return document_->frames.GetCount() + frame.index;
        case kEventTriggeredFrame:
            return document_->frames.GetCount() + document_->sporadicFrames.GetCount() + frame.index;
        default: return frame.index;
    }
}

FramesTab::FrameAt FramesTab::SelectedFrame() const {
    return document_ != nullptr ? LocateFrame(frameList_->SelectedPosition()) : FrameAt{kUnconditionalFrame, -1};
}

corvdekLINFrame* FramesTab::CurrentFrame() const {
    const FrameAt at = SelectedFrame();
    return at.kind == kUnconditionalFrame ? document_->frames.Get(at.index) : nullptr;
}

corvdekLINSporadicFrame* FramesTab::CurrentSporadicFrame() const {
    const FrameAt at = SelectedFrame();
    return at.kind == kSporadicFrame ? document_->sporadicFrames.Get(at.index) : nullptr;
}

corvdekLINEventFrame* FramesTab::CurrentEventFrame() const {
    const FrameAt at = SelectedFrame();
    return at.kind == kEventTriggeredFrame ? document_->eventFrames.Get(at.index) : nullptr;
}

corvString* FramesTab::CurrentFrameName() const { return document_ != nullptr ? FrameNameAt(SelectedFrame()) : nullptr; }

corvString* FramesTab::FrameNameAt(FrameAt frame) const {
    switch (frame.kind) {
        case kSporadicFrame: {
            corvdekLINSporadicFrame* sporadic = document_->sporadicFrames.Get(frame.index);
            return sporadic == nullptr ? nullptr : &sporadic->name;
        }
        case kEventTriggeredFrame: {
            corvdekLINEventFrame* event = document_->eventFrames.Get(frame.index);
            return event == nullptr ? nullptr : &event->name;
        }
        default: {
            corvdekLINFrame* unconditional = document_->frames.Get(frame.index);
            return unconditional == nullptr ? nullptr : &unconditional->name;
        }
    }
}

void FramesTab::EditFrame(const QString& label, const QString& field, bool typed,
                          const std::function<void(corvdekLINDefinitionFile&)>& edit) {
    const corvString* name = CurrentFrameName();
    if (filling_ || name == nullptr) return;
    editor_->Apply({label, DocumentPart::kFrames, ToQString(*name), field, typed ? name : nullptr}, edit);
}

void FramesTab::StoreEventFrame(const QString& field, bool typed) {
    corvdekLINEventFrame* event = CurrentEventFrame();
    if (event == nullptr) return;
    EditFrame("Edit Event Triggered Frame", field, typed, [&](corvdekLINDefinitionFile&) {
        event->Assign(FromQString(lstEventCollisionTable_->currentText()).Trim(),
                      FromQString(lstEventFrameID_->currentText()), FromQStrings(eventFrames_->Frames()));
    });
}

// The references follow the name through every keystroke, whatever names it passes.
void FramesTab::NameTyped() {
    corvString* name = CurrentFrameName();
    if (filling_ || name == nullptr) return;
    if (!frameRename_.TakeTypedName(*editor_, "Rename Frame", txtFrameDescription_, *name, name)) return;
    const int position = frameList_->SelectedPosition();
    ChangeFrameList([&] { frameList_->NameChanged(position); });
}

void FramesTab::RefreshFrameList() {
    ChangeFrameList([this] { frameList_->Reload(); });
}

void FramesTab::ChangeFrameList(const std::function<void()>& change) {
    frameList_->Change(lblFrameCount_, "Frame Count %1", [this] { lstFramesClick(); }, change);
}

void FramesTab::lstFramesClick() {
    const corvString* name = CurrentFrameName();
    if (name == nullptr) {
        pnlFrameDetails_->hide();
        return;
    }
    FillingScope filling(filling_);
    pnlFrameDetails_->show();
    txtFrameDescription_->setText(ToQString(*name));
    frameRename_.Show(*document_, NamedKind::kFrame, name, *name);
    const FrameAt at = SelectedFrame();
    lstFrameType_->setCurrentIndex(at.kind);
    pnlUnconditional_->setVisible(at.kind == kUnconditionalFrame);
    pnlSporadic_->setVisible(at.kind == kSporadicFrame);
    pnlEventTriggered_->setVisible(at.kind == kEventTriggeredFrame);
    if (const corvdekLINSporadicFrame* sporadic = CurrentSporadicFrame()) {
        sporadicFrames_->SetChoices(NameTexts(document_->frames));
        sporadicFrames_->ShowFrames(ToQStrings(sporadic->frameList));
    }
    if (const corvdekLINEventFrame* event = CurrentEventFrame()) ShowEventFrame(*event);
    const corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    form_->Show();
    ShowFrameLength(*frame);
    lstFrameSignals_->setCurrentText(QString());
    txtFrameSignalOffset_->clear();
    FillFrameSignals();
    ShowFrameTime();
    values_->ShowFrame(*document_, *frame);  // edits of the cluster reach it through Changed
}


// A length that was the suggested one follows the suggestion through `change`; another
// stated length only grows to fit the signals. A length left unstated stays so.
void FramesTab::FollowSuggestedLength(corvdekLINFrame& frame, const std::function<void()>& change) {
    const int before = SuggestedFrameBytes(frame, *document_);
    change();
    if (frame.length.IsEmpty()) return;
    const int after = SuggestedFrameBytes(frame, *document_);
    const auto stated = WholeNumber(frame.length);
    if (frame.length.Equals(LengthText(before)) || (stated && *stated < static_cast<unsigned>(after))) {
        frame.length = LengthText(after);
    }
    ShowFrameLength(frame);
}

void FramesTab::ShowFrameLength(const corvdekLINFrame& frame) {
    {
        FillingScope filling(filling_);
        lstFrameLength_->setCurrentIndex(lstFrameLength_->findText(ToQString(frame.length)));
    }
    ShowFrameLayout();
}

void FramesTab::ShowFrameLayout() {
    const corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    const ClusterNameIndex names(*document_);
    QList<FrameLayoutView::Piece> pieces;  // one per row of the signal list
    for (int i = 0; i < frame->signalNames.Count(); ++i) {
        FrameLayoutView::Piece piece;
        piece.signal = ToQString(frame->signalNames.Item(i));
        static const corvString kNoOffset;
        const auto offset = WholeNumber(i < frame->signalOffsets.Count() ? frame->signalOffsets.Item(i) : kNoOffset);
        const corvdekLINSignal* signal = names.FindSignal(frame->signalNames.Item(i).View());
        if (signal != nullptr && offset && *offset < 64) {
            piece.offset = static_cast<int>(*offset);
            piece.size = static_cast<int>(std::min(64U, WholeNumber(signal->size).value_or(0)));
            piece.encoding = ToQString(signal->encoding);
        }
        pieces.append(piece);
    }
    const auto length = StatedOrLin13Length(frame->length, frame->frameId);
    frameLayout_->ShowFrame(pieces, static_cast<int>(std::min(8U, length.value_or(0))));
}

void FramesTab::FillFrameSignals() {
    const corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    lviewFrameSignals_->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < frame->signalNames.Count(); ++i) {
        const QString offset = i < frame->signalOffsets.Count() ? ToQString(frame->signalOffsets.Item(i)) : QString();
        rows.append(new QTreeWidgetItem({ToQString(frame->signalNames.Item(i)), offset}));
    }
    lviewFrameSignals_->addTopLevelItems(rows);
    ShowFrameLayout();
}

void FramesTab::ShowFrameTime() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    corvString time;
    if (const auto seconds = frame->FrameTimeSeconds(*document_)) time.FormatWithPrefix(*seconds, u"0.000", u"s", false);
    lblFrameTime_->setText(ToQString(time));
}

void FramesTab::cmdFrameSignalsAddClick() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    EditFrame("Add Frame Signal", "Signals", false, [&](corvdekLINDefinitionFile&) {
        FollowSuggestedLength(*frame, [&] {
            frame->signalNames.Add(FromQString(lstFrameSignals_->currentText().trimmed()));
            frame->signalOffsets.Add(FromQString(txtFrameSignalOffset_->text().trimmed()));
        });
        frame->SortSignalsByOffset();
    });
    ShowFrameLength(*frame);
    FillFrameSignals();
    ShowFrameTime();
}

void FramesTab::cmdFrameSignalsRemoveClick() {
    corvdekLINFrame* frame = CurrentFrame();
    QTreeWidgetItem* row = lviewFrameSignals_->currentItem();
    if (frame == nullptr || row == nullptr || !row->isSelected()) return;
    if (!AskYesNo(this, "Are you sure you want to remove this frame signal?")) return;
    const int index = lviewFrameSignals_->indexOfTopLevelItem(row);
    if (index < frame->signalNames.Count()) {
        EditFrame("Remove Frame Signal", "Signals", false, [&](corvdekLINDefinitionFile&) {
            frame->signalNames.RemoveAt(index);
            frame->signalOffsets.RemoveAt(index);
        });
    }
    FillFrameSignals();  // the frame time stays until the frame is shown again
}

void FramesTab::cmdFrameSignalsClearClick() {
    corvdekLINFrame* frame = CurrentFrame();
    if (frame == nullptr) return;
    EditFrame("Clear Frame Signals", "Signals", false, [&](corvdekLINDefinitionFile&) {
        frame->signalNames.Clear();
        frame->signalOffsets.Clear();
    });
    FillFrameSignals();
}

void FramesTab::cmdFramesAddClick() {
    txtFilterFrame_->clear();
    corvString name;
    name.Assign(u"NewFrame").AppendInt(document_->frames.GetCount() + 1);
    editor_->Apply({"Add Frame", DocumentPart::kFrames, ToQString(name)}, [&](corvdekLINDefinitionFile& document) {
        corvdekLINFrame* frame = document.frames.Add();
        frame->name = name;
        frame->length = LengthText(SuggestedFrameBytes(*frame, document));
    });
    RefreshFrameList();
    frameList_->SelectPosition(document_->frames.GetCount() - 1);
    lstFramesClick();
}

void FramesTab::ShowEventFrame(const corvdekLINEventFrame& event) {
    lstEventFrameID_->setCurrentIndex(IdentifierRow(event.Id()));
    RefillChoices(lstEventCollisionTable_, NameTexts(document_->scheduleTables));
    lstEventCollisionTable_->setCurrentText(ToQString(event.CollisionTable()));
    eventFrames_->SetChoices(NameTexts(document_->frames));
    eventFrames_->ShowFrames(ToQStrings(event.Frames()));
}

// The row of the identifier list showing `id`, written in hexadecimal or not; -1 for none.
int FramesTab::IdentifierRow(const corvString& id) const {
    const auto value = WholeNumber(id);
    return value && *value < static_cast<unsigned>(lstEventFrameID_->count()) ? static_cast<int>(*value) : -1;
}

// Turns the selected frame into one of another kind under the same name. What the new
// kind has no place for is dropped, after a question when there is something to drop.
void FramesTab::ChangeFrameType(int kind) {
    const FrameAt at = SelectedFrame();
    if (at.index < 0 || kind == at.kind) return;
    const QStringList dropped = FrameTypeChangeDrops(kind);
    if (!dropped.isEmpty() &&
        !AskYesNo(this, "Changing the frame type drops " + InWords(dropped) + ". Change it?", "Confirm Change")) {
        FillingScope filling(filling_);
        lstFrameType_->setCurrentIndex(at.kind);
        return;
    }
    // What carries over: the name, an identifier, a list of frames.
    const corvString name = *CurrentFrameName();
    corvString id;
    corvStringArray frames;
    if (const corvdekLINFrame* frame = CurrentFrame()) id = frame->frameId;
    if (const corvdekLINSporadicFrame* sporadic = CurrentSporadicFrame()) frames = sporadic->frameList;
    if (const corvdekLINEventFrame* event = CurrentEventFrame()) {
        id = event->Id();
        frames = event->Frames();
    }
    int index = 0;
    editor_->Apply({"Change Frame Type", DocumentPart::kFrames, ToQString(name), "Type"},
                   [&](corvdekLINDefinitionFile& document) {
                       RemoveFrame(at);
                       if (kind == kUnconditionalFrame) {
                           corvdekLINFrame* created = document.frames.Add();
                           created->name = name;
                           created->frameId = id;
                           created->length = LengthText(SuggestedFrameBytes(*created, document));
                           index = document.frames.GetCount() - 1;
                       } else if (kind == kSporadicFrame) {
                           corvdekLINSporadicFrame* created = document.sporadicFrames.Add();
                           created->name = name;
                           created->frameList = frames;
                           index = document.sporadicFrames.GetCount() - 1;
                       } else {
                           const corvString eventId = IdentifierRow(id) >= 0 ? id : UnusedIdentifier();
                           corvdekLINEventFrame* created = document.eventFrames.Add();
                           created->name = name;
                           created->Assign(corvString(), eventId, frames);
                           index = document.eventFrames.GetCount() - 1;
                       }
                   });
    RefreshFrameList();
    frameList_->SelectPosition(FramePosition({kind, index}));
    lstFramesClick();
}

QStringList FramesTab::FrameTypeChangeDrops(int kind) const {
    const auto listed = [](const char* what, const corvStringArray& names) {
        return names.Count() == 0 ? QStringList() : QStringList{QString(what) + " " + ToQStrings(names).join(", ")};
    };
    const auto named = [](const char* what, const corvString& name) {
        return name.IsEmpty() ? QStringList() : QStringList{QString(what) + " " + ToQString(name)};
    };
    if (const corvdekLINFrame* frame = CurrentFrame()) {
        return listed("its signals", frame->signalNames) + named("its publisher", frame->publisher) +
               (kind == kSporadicFrame ? named("its identifier", frame->frameId) : QStringList());
    }
    if (const corvdekLINSporadicFrame* sporadic = CurrentSporadicFrame()) {
        return kind == kUnconditionalFrame ? listed("its frames", sporadic->frameList) : QStringList();
    }
    const corvdekLINEventFrame* event = CurrentEventFrame();
    return kind == kUnconditionalFrame ? listed("its frames", event->Frames())
                                       : named("its collision table", event->CollisionTable());
}

// The first identifier below the diagnostic ones that no frame uses yet.
corvString FramesTab::UnusedIdentifier() const {
    std::vector<bool> used(60, false);
    auto mark = [&](const corvString& id) {
        if (const auto value = WholeNumber(id); value && *value < used.size()) used[*value] = true;
    };
    for (int i = 0; i < document_->frames.GetCount(); ++i) mark(document_->frames.Get(i)->frameId);
    for (int i = 0; i < document_->eventFrames.GetCount(); ++i) mark(document_->eventFrames.Get(i)->Id());
    const auto free = std::find(used.begin(), used.end(), false);
    return FromQString(lstEventFrameID_->itemText(free == used.end() ? 0 : static_cast<int>(free - used.begin())));
}

void FramesTab::RemoveFrame(FrameAt frame) {
    switch (frame.kind) {
        case kSporadicFrame: document_->sporadicFrames.RemoveAt(frame.index); break;
        case kEventTriggeredFrame: document_->eventFrames.RemoveAt(frame.index); break;
        default: document_->frames.RemoveAt(frame.index); break;
    }
}

void FramesTab::cmdFramesRemoveClick() {
    const FrameAt at = SelectedFrame();
    if (at.index < 0) return;
    const corvString name = *FrameNameAt(at);
    if (!RemoveWithReferences(this, *editor_, "Remove Frame", "Are you sure you want to remove this frame?",
                              NamedKind::kFrame, name, [&](corvdekLINDefinitionFile&) { RemoveFrame(at); })) {
        return;
    }
    RefreshFrameList();
    lstFramesClick();
}

void FramesTab::SelectFrameByName(const QString& name) {
    frameList_->SelectName(name);
    lstFramesClick();
}

void FramesTab::RefreshFrameSignalChoices() {
    // Sorting thousands of names on every keystroke of a signal's name would be felt; the
    // list is refilled when the Frames tab is shown.
    frameSignalChoicesStale_ = !isVisible();
    if (frameSignalChoicesStale_) return;
    QStringList names = NameTexts(document_->signals);
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    RefillChoices(lstFrameSignals_, names);
}

QWidget* FramesTab::ControlFor(const QString& field) const {
    const bool event = pnlEventTriggered_->isVisibleTo(pnlFrameDetails_);
    const std::pair<const char*, QWidget*> targets[] = {
        {"Signals", lviewFrameSignals_},
        {"SourceNode", lstFrameSourceECU_},
        {"Name", txtFrameDescription_},
        {"FrameId", event ? lstEventFrameID_ : lstFrameID_},
        {"Length", lstFrameLength_},
        {"Frames", event ? eventFrames_->List() : sporadicFrames_->List()},
        {"CollisionTable", lstEventCollisionTable_}};
    for (const auto& [key, control] : targets) {
        if (field == key) return control;
    }
    return nullptr;
}

void FramesTab::Show(corvdekLINDefinitionFile* document) {
    document_ = document;
    frameRename_.Forget();
    frameList_->ClearSelection();
    pnlFrameDetails_->hide();
    lblFrameCount_->hide();
    RefreshFrameList();
    RefreshFrameSignalChoices();
}

void FramesTab::ClearFilter() { txtFilterFrame_->clear(); }

void FramesTab::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (frameSignalChoicesStale_) RefreshFrameSignalChoices();
}

QString FramesTab::SelectedName() const {
    const corvString* name = CurrentFrameName();
    return name == nullptr ? QString() : ToQString(*name);
}
