#include "name_field.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

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

QWidget* NameItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* field = qobject_cast<QLineEdit*>(editor)) SpaceToUnderscore::Install(field);
    return editor;
}
