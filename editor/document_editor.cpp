#include "document_editor.h"

#include <algorithm>
#include <memory>
#include <utility>

#include <QUndoCommand>
#include <QUndoStack>

#include "model/definition_file.h"

namespace {

constexpr int kStepId = 1;
constexpr qint64 kBurstMs = 1500;  // a pause this long in typing starts a new step
constexpr int kStepLimit = 200;
constexpr std::size_t kHistoryBytes = std::size_t{512} << 20;

template <typename T>
void CopyMember(T& to, const T& from) {
    to = from;
}
template <typename T>
void CopyMember(corvCollectionTemplate<T>& to, const corvCollectionTemplate<T>& from) {
    to.CopyFrom(from);
}
template <typename T>
void SwapMember(T& a, T& b) {
    std::swap(a, b);
}
template <typename T>
void SwapMember(corvCollectionTemplate<T>& a, corvCollectionTemplate<T>& b) {
    a.SwapWith(b);
}

// Calls `visit(a.member, b.member)` for every member of the documents that belongs to one
// of `parts`.
template <typename Visit>
void VisitParts(DocumentParts parts, corvdekLINDefinitionFile& a, corvdekLINDefinitionFile& b, Visit visit) {
    if (parts & DocumentPart::kBus) {
        visit(a.isJ2602, b.isJ2602);
        visit(a.protocolVersion, b.protocolVersion);
        visit(a.languageVersion, b.languageVersion);
        visit(a.speed, b.speed);
        visit(a.channelName, b.channelName);
        visit(a.fileRevision, b.fileRevision);
        visit(a.channelNameGiven, b.channelNameGiven);
        visit(a.fileRevisionGiven, b.fileRevisionGiven);
        visit(a.signalByteOrder, b.signalByteOrder);
        visit(a.comments, b.comments);
        visit(a.master, b.master);
        visit(a.masterJitter, b.masterJitter);
        visit(a.masterTimebase, b.masterTimebase);
        visit(a.masterMaxHeaderLength, b.masterMaxHeaderLength);
        visit(a.masterResponseTolerance, b.masterResponseTolerance);
    }
    if (parts & DocumentPart::kNodes) {
        visit(a.nodes, b.nodes);
        visit(a.diagnosticAddresses, b.diagnosticAddresses);
    }
    if (parts & DocumentPart::kSignals) visit(a.signals, b.signals);
    if (parts & DocumentPart::kFrames) {
        visit(a.frames, b.frames);
        visit(a.sporadicFrames, b.sporadicFrames);
        visit(a.eventFrames, b.eventFrames);
        visit(a.dynamicFrames, b.dynamicFrames);
    }
    if (parts & DocumentPart::kScheduleTables) visit(a.scheduleTables, b.scheduleTables);
    if (parts & DocumentPart::kEncodings) {
        visit(a.encodingTypes, b.encodingTypes);
        visit(a.representations, b.representations);
    }
    if (parts & DocumentPart::kComposites) visit(a.compositeConfigurations, b.compositeConfigurations);
    if (parts & DocumentPart::kDiagnostics) {
        visit(a.diagnosticFrames, b.diagnosticFrames);
        visit(a.diagnosticSignals, b.diagnosticSignals);
        visit(a.hasDiagnosticFrames, b.hasDiagnosticFrames);
    }
    if (parts & DocumentPart::kSignalGroups) visit(a.signalGroups, b.signalGroups);
}

}  // namespace

// One edit. It holds the other state of the parts it changed: the one before the edit
// while it is done, the one after it while it is undone.
class EditStep : public QUndoCommand {
public:
    EditStep(DocumentEditor* editor, DocumentChange change, std::unique_ptr<corvdekLINDefinitionFile> other,
             ViewPlace placeBefore, ViewPlace placeAfter, bool joinsLast)
        : QUndoCommand(change.label), editor_(editor), change_(std::move(change)), other_(std::move(other)),
          placeBefore_(std::move(placeBefore)), placeAfter_(std::move(placeAfter)), joinsLast_(joinsLast) {}

    int id() const override { return kStepId; }
    // The next keystroke of a burst: this step now reaches to the state after it.
    bool mergeWith(const QUndoCommand* command) override {
        const auto* next = static_cast<const EditStep*>(command);
        if (!next->joinsLast_ || change_.typedInto == nullptr || next->change_.typedInto != change_.typedInto ||
            next->change_.field != change_.field || next->change_.parts != change_.parts) {
            return false;
        }
        placeAfter_ = next->placeAfter_;
        return true;
    }
    // The document already holds the edit when the step is pushed.
    void redo() override {
        if (std::exchange(pushed_, true)) Exchange(placeAfter_);
    }
    void undo() override { Exchange(placeBefore_); }

private:
    void Exchange(const ViewPlace& place) {
        VisitParts(change_.parts, *editor_->document_, *other_, [](auto& a, auto& b) { SwapMember(a, b); });
        Q_EMIT editor_->Changed(change_);
        Q_EMIT editor_->Restored(place);
    }

    DocumentEditor* editor_;
    DocumentChange change_;
    std::unique_ptr<corvdekLINDefinitionFile> other_;
    ViewPlace placeBefore_;
    ViewPlace placeAfter_;
    bool joinsLast_;
    bool pushed_ = false;
};

DocumentPart PartOf(NamedKind kind) {
    switch (kind) {
        case NamedKind::kNode: return DocumentPart::kNodes;
        case NamedKind::kSignal: return DocumentPart::kSignals;
        case NamedKind::kFrame: return DocumentPart::kFrames;
        case NamedKind::kScheduleTable: return DocumentPart::kScheduleTables;
        case NamedKind::kEncodingType: return DocumentPart::kEncodings;
        case NamedKind::kDiagnosticSignal: return DocumentPart::kDiagnostics;
    }
    return DocumentPart::kAll;
}

DocumentEditor::DocumentEditor(QObject* parent, std::function<ViewPlace()> place)
    : QObject(parent), stack_(new QUndoStack(this)), place_(std::move(place)) {}

void DocumentEditor::Bind(corvdekLINDefinitionFile* document, std::size_t sizeBytes) {
    stack_->clear();
    document_ = document;
    stack_->setUndoLimit(
        static_cast<int>(std::min<std::size_t>(kStepLimit, kHistoryBytes / std::max<std::size_t>(1, sizeBytes))));
    stack_->setClean();
    sinceLastEdit_.invalidate();
}

bool DocumentEditor::IsModified() const { return !stack_->isClean(); }

void DocumentEditor::MarkSaved() {
    stack_->setClean();
    sinceLastEdit_.invalidate();
}

void DocumentEditor::Apply(const DocumentChange& change, const std::function<void(corvdekLINDefinitionFile&)>& edit) {
    TryApply(change, [&edit](corvdekLINDefinitionFile& document) {
        edit(document);
        return true;
    });
}

bool DocumentEditor::TryApply(const DocumentChange& change,
                              const std::function<bool(corvdekLINDefinitionFile&)>& edit) {
    if (document_ == nullptr) return false;
    auto before = std::make_unique<corvdekLINDefinitionFile>();
    VisitParts(change.parts, *before, *document_, [](auto& to, auto& from) { CopyMember(to, from); });
    const ViewPlace placeBefore = place_();
    if (!edit(*document_)) return false;
    // Only a keystroke right after the last one, with nothing undone since, can join it.
    const bool joinsLast = change.typedInto != nullptr && sinceLastEdit_.isValid() &&
                           sinceLastEdit_.elapsed() < kBurstMs && stack_->index() == stack_->count();
    sinceLastEdit_.start();
    stack_->push(new EditStep(this, change, std::move(before), placeBefore, place_(), joinsLast));
    Q_EMIT Changed(change);
    return true;
}

std::unique_ptr<corvdekLINDefinitionFile> DocumentEditor::CopyOfDocument() const {
    auto copy = std::make_unique<corvdekLINDefinitionFile>();
    if (document_ != nullptr) {
        VisitParts(DocumentPart::kAll, *copy, *document_, [](auto& to, auto& from) { CopyMember(to, from); });
    }
    return copy;
}

void DocumentEditor::TakeParts(const DocumentChange& change, corvdekLINDefinitionFile& edited) {
    Apply(change, [&](corvdekLINDefinitionFile& document) {
        VisitParts(change.parts, document, edited, [](auto& a, auto& b) { SwapMember(a, b); });
    });
}
