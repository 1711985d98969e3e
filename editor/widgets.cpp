#include "widgets.h"

#include <QComboBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>

QComboBox* EditableChoice(const char* name, const QStringList& items) {
    auto* box = new QComboBox;
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setCurrentIndex(-1);
    box->setMinimumWidth(160);
    return box;
}

QFrame* HighlightFrame(const char* name, QWidget* panel) {
    auto* frame = new QFrame(panel);
    frame->setObjectName(name);
    frame->setStyleSheet("QFrame { border: 2px solid red; background: transparent; }");
    frame->hide();
    return frame;
}

QPushButton* Button(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption);
    button->setObjectName(name);
    return button;
}

QLineEdit* TextField(const char* name) {
    auto* field = new QLineEdit;
    field->setObjectName(name);
    return field;
}
