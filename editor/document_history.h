#pragma once
// The edits of the document as steps that can be undone and redone. The window tells the
// history after each user input what the document is now; a changed document becomes a
// step that holds its LDF text before and after (writing is lossless, so a text brings
// back the document exactly), with the tab and the object that were shown. Typing into one
// field in one burst is one step.

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>
#include <string>

class QUndoStack;

class DocumentHistory : public QObject {
    Q_OBJECT
public:
    struct State {
        std::shared_ptr<const std::string> text;  // shared by neighbouring steps
        int tab = 0;
        QString selected;  // the name of the object the tab shows
    };

    explicit DocumentHistory(QObject* parent);

    QUndoStack* Stack() const { return stack_; }
    // Starts anew from `state` (New, Open): no steps, and the state counts as saved. It keeps
    // 200 steps, or as many as 512 MB of texts of this size hold when that is fewer.
    void Reset(State state);
    // Records a step when `state`'s text differs from the last one, named `label`; edits of
    // the same `field` in a burst of typing join one step.
    void Observe(State state, const QString& label, QObject* field);
    void MarkSaved();
    // What the window shows just before an input: an edit the input makes is undone to it.
    void NoteShown(int tab, const QString& selected);
    // The text the document has by the history: the last observed or restored one.
    const std::string& Text() const { return *current_.text; }

Q_SIGNALS:
    // Undo or redo asks the window to show `state`.
    void Restore(const DocumentHistory::State& state);
    // An edit was recorded. (Undo and redo replace the document, which the window then shows
    // anew in every view.)
    void Changed();

private:
    friend class HistoryStep;
    void Restored(const State& state);

    QUndoStack* stack_;
    State current_;
    QPointer<QObject> lastField_;
    QElapsedTimer sinceLastStep_;
};
