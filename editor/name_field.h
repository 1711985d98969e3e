#pragma once
// Name fields turn a space inside a name into "_", typed or pasted, since LDF names cannot
// hold spaces.

#include <QStyledItemDelegate>
#include <QValidator>

class QComboBox;
class QLineEdit;

class SpaceToUnderscore : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    // The validator belongs to the field.
    static void Install(QLineEdit* field);
    // For a drop-down list that takes typed names.
    static void Install(QComboBox* choice);

    State validate(QString& input, int& position) const override;
};

// Edits the names of a list in place, with the same rule.
class NameItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
};
