#pragma once
// The Signals tab: the sorted, filtered list of signals and the details of the selected
// one (name, encoding, size, byte array, initial values, source and receiver nodes).

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "followed_rename.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class DetailForm;
class DocumentEditor;
class NameListView;
class corvdekLINDefinitionFile;
class corvdekLINSignal;

class SignalsTab : public QWidget {
    Q_OBJECT
public:
    explicit SignalsTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~SignalsTab() override;

    // Shows the signals of `document`, keeping the filter; every later edit goes into it
    // through the document editor.
    void Show(corvdekLINDefinitionFile* document);
    void ClearFilter();
    // The control that a setup issue's field name ("SignalSize", ...) points at, or null.
    QWidget* ControlFor(const QString& field) const;
    QFrame* Highlight() const { return shapeSignal_; }
    // The drop-down lists of nodes, which the window fills with the nodes.
    QComboBox* SourceNodeChoice() const { return lstSignalSourceNode_; }
    QComboBox* ReceiverNodeChoice() const { return lstSignalRxNodesAdd_; }

    void RefreshSignalList();
    void lstSignalsClick();
    void SelectSignalByName(const QString& name);
    // The name of the object the details show, or none.
    QString SelectedName() const;
    void RefreshEncodingChoices();
    void UpdateInitialValueFields();
    void StoreInitialValues();
    void cmdAddClick();
    void cmdRemoveClick();
    void cmdSignalAddRxNodeClick();
    void cmdSignalRxNodesRemoveClick();
    void cmdSignalRxNodesClearClick();

private:
    corvdekLINSignal* CurrentSignal() const;
    // Edits the shown signal as one step named `label`.
    // `typed`: a keystroke, which joins the burst of keystrokes into the same field.
    void EditSignal(const QString& label, const QString& field, bool typed,
                    const std::function<void(corvdekLINSignal&)>& edit);
    void StoreSubscribers(const QString& label);
    void NameTyped();
    void ShowEncoding(const QString& encoding);
    void ChangeSignalList(const std::function<void()>& change);

    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    bool filling_ = false;  // for the fields the form does not hold
    DetailForm* form_ = nullptr;  // size, source node, byte array
    // The rename of the shown signal, which its references follow.
    FollowedRename signalRename_;

    QLineEdit* txtFilterSignal_ = nullptr;
    QListView* lstSignals_ = nullptr;
    std::unique_ptr<NameListView> signalList_;
    QLabel* lblSignalCount_ = nullptr;
    QWidget* pnlSignalDetails_ = nullptr;
    QLineEdit* txtSignalDescription_ = nullptr;
    QComboBox* lstSignalRepresentation_ = nullptr;
    QComboBox* lstSignalSize_ = nullptr;
    QCheckBox* chkSignalByteArray_ = nullptr;
    QLineEdit* txtSignalInitalValue_[8] = {};
    QComboBox* lstSignalSourceNode_ = nullptr;
    QComboBox* lstSignalRxNodesAdd_ = nullptr;
    QListWidget* lstSignalRxNodes_ = nullptr;
    QFrame* shapeSignal_ = nullptr;
};
