#pragma once
// The input rules of the editor's fields, for typed and pasted text alike: name fields turn
// a space inside a name into "_", since LDF names cannot hold spaces; number fields take
// only what an LDF number can be.

#include <QStyledItemDelegate>
#include <QValidator>

class QComboBox;
class QLineEdit;
class corvString;

// Takes the name typed into `field` into `name`; false when the field holds no name. An
// empty name is refused: `name` keeps the last one, the field says so until a name is
// typed, and shows the kept name again when the user leaves it.
bool TakeName(QLineEdit* field, corvString& name);
// Lets `field` show a refused name as refused (NameField fields have it).
void InstallNameRefusal(QLineEdit* field);

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

// An integer in decimal or in hexadecimal after "0x", a list of them separated by commas,
// or a real number; blank while typed.
class NumberValidator : public QValidator {
    Q_OBJECT
public:
    enum Kind { kInteger, kIntegerList, kReal };
    NumberValidator(Kind kind, QObject* parent);
    // The validator belongs to the field.
    static void Install(QLineEdit* field, Kind kind);
    static void Install(QComboBox* choice, Kind kind);

    State validate(QString& input, int& position) const override;

private:
    Kind kind_;
};

// Edits the names or numbers of a list or table in place, with the same rules.
class RuleItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    enum Rule { kName, kInteger, kIntegerList };
    RuleItemDelegate(Rule rule, QObject* parent) : QStyledItemDelegate(parent), rule_(rule) {}
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

private:
    Rule rule_;
};
