#pragma once
// The ordered list of frames that a sporadic or an event-triggered frame stands for:
// frames are added from a drop-down list of frame names, removed, and moved up and down
// (a sporadic frame sends the first of its frames that has news).

#include <QStringList>
#include <QWidget>

class QComboBox;
class QListWidget;

class FrameListEditor : public QWidget {
    Q_OBJECT
public:
    // The controls are named lst<kind>Frames, lst<kind>FrameChoice and
    // cmd<kind>FrameAdd / Remove / Up / Down.
    explicit FrameListEditor(const QString& kind, QWidget* parent = nullptr);

    void ShowFrames(const QStringList& frames);
    void SetChoices(const QStringList& names);
    QStringList Frames() const;
    QWidget* List() const;

Q_SIGNALS:
    void FramesEdited(const QStringList& frames);

private:
    void Add();
    void Remove();
    void Move(int step);

    QListWidget* list_ = nullptr;
    QComboBox* choice_ = nullptr;
};
