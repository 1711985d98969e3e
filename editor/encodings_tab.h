#pragma once
// The Encodings tab: the signal encoding types in file order and the parts of the selected
// one (logical values, physical ranges, BCD and ASCII), edited in a small part editor.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "followed_rename.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class NameListView;
class QTreeWidget;
class DocumentEditor;
class corvdekLINDefinitionFile;
class corvdekLINSignalEncodingTypeItem;
class corvdekLINSignalEncodingTypes;

class EncodingsTab : public QWidget {
    Q_OBJECT
public:
    explicit EncodingsTab(DocumentEditor* editor, QWidget* parent = nullptr);
    ~EncodingsTab() override;

    // Shows the encoding types of `document`, without a selection shown; every later edit
    // goes into it.
    void Show(corvdekLINDefinitionFile* document);

    void RefreshEncodingTypeList();
    void lstEncodingsClick();
    // For the issue navigation: the first type of that name, and the control of a field
    // ("Name", "Values").
    void SelectEncodingByName(const QString& name);
    // The name of the object the details show, or none.
    QString SelectedName() const;
    QWidget* ControlFor(const QString& field) const;
    QFrame* Highlight() const { return shapeEncoding_; }
    void FillEncodingParts();
    void lviewEncodingPartsClick();
    void UpdatePartEditor();
    void cmdEncodingsAddClick();
    void cmdEncodingsRemoveClick();
    void cmdAddEncodingPartsClick();
    void cmdRemoveEncodingPartsClick();
    void cmdClearEncodingPartsClick();

private:
    corvdekLINSignalEncodingTypes* CurrentEncodingType() const;
    corvdekLINSignalEncodingTypeItem* CurrentEncodingPart() const;
    // Writes a change of a part editor field into the current part as one step and shows
    // its row again; `typed`: a keystroke, which joins the burst into the same field.
    void EditEncodingPart(const QString& field, bool typed,
                          const std::function<void(corvdekLINSignalEncodingTypeItem&)>& change);
    // Edits the shown type's parts as one step named `label`.
    void EditParts(const QString& label, const std::function<void(corvdekLINSignalEncodingTypes&)>& edit);
    void NameTyped();

    DocumentEditor* editor_;
    corvdekLINDefinitionFile* document_ = nullptr;
    bool filling_ = false;
    // The rename of the shown type, which its references follow.
    FollowedRename encodingRename_;

    QListView* lstEncodings_ = nullptr;
    std::unique_ptr<NameListView> encodingList_;
    QWidget* pnlEncodingTypeDetails_ = nullptr;
    QLineEdit* txtEncodingTypeDescription_ = nullptr;
    QTreeWidget* lviewEncodingParts_ = nullptr;
    QLabel* lblEncodingSignalTypeItem_ = nullptr;
    QComboBox* lstEncodingItemType_ = nullptr;
    QLabel* lblEncodingItemDescription_ = nullptr;
    QLineEdit* txtEncodingItemDescription_ = nullptr;
    QLabel* lblEncodingValue1_ = nullptr;
    QLineEdit* txtEncodingItemValue1_ = nullptr;
    QLabel* lblEncodingValue2_ = nullptr;
    QLineEdit* txtEncodingItemValue2_ = nullptr;
    QLabel* lblEncodingScaling_ = nullptr;
    QLineEdit* txtEncodingScaling_ = nullptr;
    QLabel* lblEncodingOffset_ = nullptr;
    QLineEdit* txtEncodingOffset_ = nullptr;
    QFrame* shapeEncoding_ = nullptr;
};
