#pragma once
// Edits the Diagnostic_signals and Diagnostic_frames sections: each signal's name, size and
// initial value, each frame's name and identifier, and the signals of the selected frame
// with their offsets. Every change goes into the document at once; a renamed signal stays
// in the frames that carry it.

#include <QDialog>
#include <functional>

class DocumentEditor;
class FieldTableModel;
class QTableView;
class corvdekLINDefinitionFile;
class corvdekLINDiagnosticFrame;

class TfrmDiagnostics : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDiagnostics(QWidget* parent);

    // Shows the diagnostic sections of the edited document; one that has none of its own
    // gets the standard ones, which it would be written with.
    void Fill(DocumentEditor* editor);

private:
    FieldTableModel* SignalsModel();
    FieldTableModel* FramesModel();
    FieldTableModel* FrameSignalsModel();
    // The frame whose signals the lower table shows, or null.
    corvdekLINDiagnosticFrame* SelectedFrame() const;
    void ShowSelectedFrame();

    // Stores an edit of a cell as one step.
    void Store(const QString& field, const std::function<void()>& edit);

    DocumentEditor* editor_ = nullptr;
    corvdekLINDefinitionFile* document_ = nullptr;
    QTableView* tblDiagnosticSignals_ = nullptr;
    QTableView* tblDiagnosticFrames_ = nullptr;
    QTableView* tblDiagnosticFrameSignals_ = nullptr;
};
