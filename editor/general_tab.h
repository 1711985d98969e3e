#pragma once
// The General tab: protocol and language versions, bus speed with its bit time, the
// master's time base and jitter (and its SAE J2602 fields), the channel name, the file
// revision, the signal byte order, LIN 2.0's dynamic frame identifiers, and whether
// diagnostic frames are included, with the editor of their sections.

#include <QWidget>
#include <memory>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class TfrmDiagnostics;
class DetailForm;
class DocumentEditor;
class corvdekLINDefinitionFile;

class GeneralTab : public QWidget {
    Q_OBJECT
public:
    explicit GeneralTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~GeneralTab() override;

    // Shows the fields of `document`; every later edit goes into it.
    void Show(corvdekLINDefinitionFile* document);
    void UpdateBitTimeLabel();
    // The control that a setup issue's field name ("Protocol", "LINJitter", ...) points
    // at, or null.
    QWidget* ControlFor(const QString& field) const;
    QFrame* Highlight() const { return shapeGeneral_; }

private:
    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    DetailForm* form_ = nullptr;

    QComboBox* lstLINVersion_ = nullptr;
    QComboBox* lstLangVersion_ = nullptr;
    QComboBox* lstLINSpeed_ = nullptr;
    QLabel* lblBitRate_ = nullptr;
    QComboBox* lstPeriod_ = nullptr;
    QComboBox* lstJitter_ = nullptr;
    QLineEdit* txtMaxHeaderLength_ = nullptr;
    QLineEdit* txtResponseTolerance_ = nullptr;
    QLineEdit* txtChannelName_ = nullptr;
    QLineEdit* txtFileRevision_ = nullptr;
    QComboBox* lstSignalByteOrder_ = nullptr;
    QLineEdit* txtDynamicFrames_ = nullptr;  // comma-separated identifiers
    QCheckBox* chkHasDiagnostics_ = nullptr;
    QPushButton* cmdDiagnostics_ = nullptr;  // enabled while diagnostic frames are included
    std::unique_ptr<TfrmDiagnostics> diagnostics_;
    QFrame* shapeGeneral_ = nullptr;
};
