#include "name_field.h"

#include <QKeyEvent>
#include <QLineEdit>

void SpaceToUnderscore::Install(QLineEdit* field) {
    field->installEventFilter(new SpaceToUnderscore(field));
}

bool SpaceToUnderscore::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->text() == " ") {
        if (auto* field = qobject_cast<QLineEdit*>(watched)) {
            field->insert("_");
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
