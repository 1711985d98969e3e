#include "document_history.h"

#include <algorithm>

#include <QUndoCommand>
#include <QUndoStack>

namespace {

constexpr int kStepId = 1;
constexpr qint64 kBurstMs = 1500;  // a pause this long in typing starts a new step
constexpr int kStepLimit = 200;
// A step keeps a whole text: a very large cluster keeps fewer steps, within this much.
constexpr std::size_t kHistoryBytes = std::size_t{512} << 20;

}  // namespace

class HistoryStep : public QUndoCommand {
public:
    HistoryStep(DocumentHistory* history, DocumentHistory::State before, DocumentHistory::State after,
                const QString& label, bool joins)
        : QUndoCommand(label), history_(history), before_(std::move(before)), after_(std::move(after)),
          joins_(joins) {}

    int id() const override { return kStepId; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = static_cast<const HistoryStep*>(other);
        if (!next->joins_) return false;
        after_ = next->after_;
        return true;
    }
    // The document already is in the state when the step is pushed.
    void redo() override {
        if (std::exchange(pushed_, true)) history_->Restored(after_);
    }
    void undo() override { history_->Restored(before_); }

private:
    DocumentHistory* history_;
    DocumentHistory::State before_;
    DocumentHistory::State after_;
    bool joins_;
    bool pushed_ = false;
};

DocumentHistory::DocumentHistory(QObject* parent) : QObject(parent), stack_(new QUndoStack(this)) {
    current_.text = std::make_shared<const std::string>();
}

void DocumentHistory::Reset(State state) {
    stack_->clear();
    const std::size_t textBytes = std::max<std::size_t>(1, state.text->size());
    stack_->setUndoLimit(static_cast<int>(std::min<std::size_t>(kStepLimit, kHistoryBytes / textBytes)));
    current_ = std::move(state);
    lastField_ = nullptr;
    stack_->setClean();
}

void DocumentHistory::Observe(State state, const QString& label, QObject* field) {
    if (*state.text == *current_.text) {
        NoteShown(state.tab, state.selected);
        return;
    }
    const bool typing = field != nullptr && field == lastField_ && sinceLastStep_.isValid() &&
                        sinceLastStep_.elapsed() < kBurstMs && stack_->index() == stack_->count();
    State before = current_;
    current_ = state;
    lastField_ = field;
    sinceLastStep_.start();
    stack_->push(new HistoryStep(this, std::move(before), std::move(state), label, typing));
    Q_EMIT Changed();
}

void DocumentHistory::NoteShown(int tab, const QString& selected) {
    current_.tab = tab;
    current_.selected = selected;
}

void DocumentHistory::MarkSaved() {
    stack_->setClean();
    lastField_ = nullptr;  // typing after a save is a step of its own
}

void DocumentHistory::Restored(const State& state) {
    current_ = state;
    lastField_ = nullptr;
    Q_EMIT Restore(state);
}
