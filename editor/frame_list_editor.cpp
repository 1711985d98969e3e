#include "frame_list_editor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "name_lists.h"
#include "widgets.h"

namespace {

QByteArray ControlName(const char* head, const QString& kind, const char* tail) {
    return (head + kind + tail).toLatin1();
}

}  // namespace

FrameListEditor::FrameListEditor(const QString& kind, QWidget* parent) : QWidget(parent) {
    list_ = new QListWidget;
    list_->setObjectName(ControlName("lst", kind, "Frames"));
    choice_ = NameChoice(ControlName("lst", kind, "FrameChoice").constData());
    QPushButton* add = Button(ControlName("cmd", kind, "FrameAdd").constData(), "Add");
    QPushButton* remove = Button(ControlName("cmd", kind, "FrameRemove").constData(), "Remove");
    QPushButton* up = Button(ControlName("cmd", kind, "FrameUp").constData(), "Up");
    QPushButton* down = Button(ControlName("cmd", kind, "FrameDown").constData(), "Down");

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(choice_, 0, 0);
    grid->addWidget(add, 0, 1);
    grid->addWidget(list_, 1, 0, 4, 1);
    grid->addWidget(remove, 1, 1);
    grid->addWidget(up, 2, 1);
    grid->addWidget(down, 3, 1);
    grid->setRowStretch(4, 1);

    connect(add, &QPushButton::clicked, this, &FrameListEditor::Add);
    connect(remove, &QPushButton::clicked, this, &FrameListEditor::Remove);
    connect(up, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(down, &QPushButton::clicked, this, [this] { Move(1); });
}

void FrameListEditor::ShowFrames(const QStringList& frames) {
    const int row = list_->currentRow();
    list_->clear();
    list_->addItems(frames);
    if (!frames.isEmpty()) list_->setCurrentRow(std::clamp(row, 0, static_cast<int>(frames.size()) - 1));
}

void FrameListEditor::SetChoices(const QStringList& names) { RefillChoices(choice_, names); }

QStringList FrameListEditor::Frames() const {
    QStringList frames;
    for (int row = 0; row < list_->count(); ++row) frames << list_->item(row)->text();
    return frames;
}

void FrameListEditor::Add() {
    const QString name = choice_->currentText().trimmed();
    if (name.isEmpty()) return;
    QStringList frames = Frames();
    frames << name;
    ShowFrames(frames);
    list_->setCurrentRow(list_->count() - 1);
    Q_EMIT FramesEdited(frames);
}

void FrameListEditor::Remove() {
    const int row = list_->currentRow();
    if (row < 0) return;
    QStringList frames = Frames();
    frames.removeAt(row);
    ShowFrames(frames);
    Q_EMIT FramesEdited(frames);
}

void FrameListEditor::Move(int step) {
    const int row = list_->currentRow();
    const int target = row + step;
    if (row < 0 || target < 0 || target >= list_->count()) return;
    QStringList frames = Frames();
    frames.move(row, target);
    ShowFrames(frames);
    list_->setCurrentRow(target);
    Q_EMIT FramesEdited(frames);
}

QWidget* FrameListEditor::List() const { return list_; }
