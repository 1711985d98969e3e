#pragma once
// The Frames tab: the sorted, filtered list of frames and the details of the selected one.
// An unconditional frame has its identifier, length, source node, signals with their
// offsets and frame time; a sporadic frame the frames it stands for, in priority order; an
// event-triggered frame its identifier, collision resolving schedule table and frames.


#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "followed_rename.h"

class DetailForm;
class DocumentEditor;
class FrameLayoutView;
class FrameListEditor;
class FrameValuesView;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QShowEvent;
class QTreeWidget;
class NameListView;
class corvString;
class corvdekLINDefinitionFile;
class corvdekLINEventFrame;
class corvdekLINFrame;
class corvdekLINSporadicFrame;

class FramesTab : public QWidget {
    Q_OBJECT
public:
    explicit FramesTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~FramesTab() override;

    // Shows the frames of `document`, keeping the filter; every later edit goes into it.
    void Show(corvdekLINDefinitionFile* document);
    void ClearFilter();
    // The control that a setup issue's field name ("Signals", "SourceNode") points at, or null.
    QWidget* ControlFor(const QString& field) const;
    QFrame* Highlight() const { return shapeFrameConditional_; }
    // The drop-down list of nodes, which the window fills with the nodes.
    QComboBox* SourceNodeChoice() const { return lstFrameSourceECU_; }

    void RefreshFrameList();
    void lstFramesClick();
    void SelectFrameByName(const QString& name);
    // The name of the object the details show, or none.
    QString SelectedName() const;
    void RefreshFrameSignalChoices();
    void ShowFrameTime();
    void cmdFramesAddClick();
    void cmdFramesRemoveClick();
    void cmdFrameSignalsAddClick();
    void cmdFrameSignalsRemoveClick();
    void cmdFrameSignalsClearClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlacePicture(int paneWidth);
    // The objects the list selections point at; null when there is none.
    corvdekLINFrame* CurrentFrame() const;  // an unconditional one
    corvdekLINSporadicFrame* CurrentSporadicFrame() const;
    corvdekLINEventFrame* CurrentEventFrame() const;
    corvString* CurrentFrameName() const;  // of any kind
    void ChangeFrameList(const std::function<void()>& change);
    // Edits the shown frame, of any kind, as one step named `label`; `typed`: a keystroke,
    // which joins the burst of keystrokes into the same field.
    void EditFrame(const QString& label, const QString& field, bool typed,
                   const std::function<void(corvdekLINDefinitionFile&)>& edit);
    void NameTyped();
    void StoreEventFrame(const QString& field, bool typed);
    // The kinds of frames of the Frames tab, in the order of `lstFrameType`.
    enum FrameKind { kUnconditionalFrame, kSporadicFrame, kEventTriggeredFrame };
    struct FrameAt {
        int kind;
        int index;  // in the kind's collection; -1 for none
    };
    FrameAt LocateFrame(int position) const;
    int FramePosition(FrameAt frame) const;
    FrameAt SelectedFrame() const;
    corvString* FrameNameAt(FrameAt frame) const;
    void RemoveFrame(FrameAt frame);
    void ChangeFrameType(int kind);
    // What turning the shown frame into `kind` drops, each named for the question.
    QStringList FrameTypeChangeDrops(int kind) const;
    void ShowEventFrame(const corvdekLINEventFrame& event);
    int IdentifierRow(const corvString& id) const;
    corvString UnusedIdentifier() const;
    void FillFrameSignals();
    // The picture of the frame's bytes follows its signals, offsets, length and identifier.
    void ShowFrameLayout();
    void FollowSuggestedLength(corvdekLINFrame& frame, const std::function<void()>& change);
    void ShowFrameLength(const corvdekLINFrame& frame);

    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    bool filling_ = false;  // for the fields the form does not hold
    DetailForm* form_ = nullptr;  // an unconditional frame's identifier and publisher
    bool frameSignalChoicesStale_ = false;  // the signal list awaits a refill until shown
    // The rename of the shown frame, which its references follow.
    FollowedRename frameRename_;

    QLineEdit* txtFilterFrame_ = nullptr;
    QListView* lstFrames_ = nullptr;
    std::unique_ptr<NameListView> frameList_;
    QLabel* lblFrameCount_ = nullptr;
    QWidget* pnlFrameDetails_ = nullptr;
    QLineEdit* txtFrameDescription_ = nullptr;
    QComboBox* lstFrameType_ = nullptr;
    QWidget* pnlUnconditional_ = nullptr;
    QWidget* pnlSporadic_ = nullptr;
    QWidget* pnlEventTriggered_ = nullptr;
    FrameListEditor* sporadicFrames_ = nullptr;
    FrameListEditor* eventFrames_ = nullptr;
    QComboBox* lstEventFrameID_ = nullptr;
    QComboBox* lstEventCollisionTable_ = nullptr;
    QComboBox* lstFrameID_ = nullptr;
    QComboBox* lstFrameLength_ = nullptr;
    QComboBox* lstFrameSourceECU_ = nullptr;
    QComboBox* lstFrameSignals_ = nullptr;
    QLineEdit* txtFrameSignalOffset_ = nullptr;
    QTreeWidget* lviewFrameSignals_ = nullptr;
    QLabel* lblFrameTime_ = nullptr;
    QWidget* pnlFramePicture_ = nullptr;  // the picture and the values
    bool pictureBeside_ = true;
    int besideWidth_ = 0;
    FrameLayoutView* frameLayout_ = nullptr;
    FrameValuesView* values_ = nullptr;
    QFrame* shapeFrameConditional_ = nullptr;
};
