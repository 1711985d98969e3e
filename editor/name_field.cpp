#include "name_field.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>

#include "qt_text.h"

namespace {

constexpr char kRefused[] = "nameRefused";
constexpr char kKeptName[] = "keptName";

void MarkRefused(QLineEdit* field, bool refused) {
    if (field->property(kRefused).toBool() == refused) return;
    field->setProperty(kRefused, refused);
    field->setStyleSheet(refused ? "QLineEdit { border: 2px solid #c00000; }" : QString());
    field->setToolTip(refused ? "A name cannot be empty; the last name stays." : QString());
}

}  // namespace

bool TakeName(QLineEdit* field, corvString& name) {
    const corvString typed = FromQString(field->text()).Trim();
    MarkRefused(field, typed.IsEmpty());
    if (typed.IsEmpty()) {
        field->setProperty(kKeptName, ToQString(name));
        return false;
    }
    name = typed;
    return true;
}

void InstallNameRefusal(QLineEdit* field) {
    QObject::connect(field, &QLineEdit::textChanged, field, [field](const QString& text) {
        if (!text.trimmed().isEmpty()) MarkRefused(field, false);
    });
    QObject::connect(field, &QLineEdit::editingFinished, field, [field] {
        if (field->property(kRefused).toBool()) field->setText(field->property(kKeptName).toString());
    });
}

void SpaceToUnderscore::Install(QLineEdit* field) {
    field->setValidator(new SpaceToUnderscore(field));
}

void SpaceToUnderscore::Install(QComboBox* choice) {
    choice->setValidator(new SpaceToUnderscore(choice));
}

// Spaces inside the name become "_"; leading and trailing ones stay while the name is typed
// (the space before the next word) and are trimmed where the name is used.
QValidator::State SpaceToUnderscore::validate(QString& input, int& /*position*/) const {
    const auto isText = [](QChar character) { return !character.isSpace(); };
    const auto first = std::find_if(input.begin(), input.end(), isText);
    const auto last = std::find_if(input.rbegin(), input.rend(), isText).base();
    for (auto character = first; character < last; ++character) {
        if (character->isSpace()) *character = u'_';
    }
    return Acceptable;
}

NumberValidator::NumberValidator(Kind kind, QObject* parent) : QValidator(parent), kind_(kind) {}

void NumberValidator::Install(QLineEdit* field, Kind kind) { field->setValidator(new NumberValidator(kind, field)); }

void NumberValidator::Install(QComboBox* choice, Kind kind) {
    choice->setValidator(new NumberValidator(kind, choice));
}

namespace {

// What can still become a number, and a whole one.
QValidator::State NumberState(const QString& input, bool isInteger) {
    static const QRegularExpression integerStart("^(0[xX][0-9A-Fa-f]*|[0-9]*)$");
    static const QRegularExpression integer("^(0[xX][0-9A-Fa-f]+|[0-9]+)$");
    static const QRegularExpression realStart("^-?[0-9]*\\.?[0-9]*([eE][-+]?[0-9]*)?$");
    static const QRegularExpression real("^-?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]+)?$");
    if (!(isInteger ? integerStart : realStart).match(input).hasMatch()) return QValidator::Invalid;
    return (isInteger ? integer : real).match(input).hasMatch() ? QValidator::Acceptable : QValidator::Intermediate;
}

}  // namespace

QValidator::State NumberValidator::validate(QString& input, int& /*position*/) const {
    if (kind_ != kIntegerList) return NumberState(input, kind_ == kInteger);
    State state = Acceptable;
    for (const QString& item : input.split(',')) {
        const State itemState = NumberState(item.trimmed(), true);
        if (itemState == Invalid) return Invalid;
        if (itemState == Intermediate) state = Intermediate;
    }
    return state;
}

QWidget* RuleItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    auto* field = qobject_cast<QLineEdit*>(editor);
    if (field == nullptr) return editor;
    switch (rule_) {
        case kName: SpaceToUnderscore::Install(field); break;
        case kInteger: NumberValidator::Install(field, NumberValidator::kInteger); break;
        case kIntegerList: NumberValidator::Install(field, NumberValidator::kIntegerList); break;
    }
    return editor;
}
