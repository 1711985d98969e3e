#include "widgets.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "artwork.h"
#include "document_editor.h"
#include "editor_session.h"
#include "name_field.h"
#include "qt_text.h"

#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLineEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

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

void PlaceListAndDetails(QWidget* panel, QWidget* list, QWidget* details) {
    // The details sit in a pane of their own, so that the list keeps its place when they hide;
    // a window too small for them scrolls them.
    auto* pane = new QScrollArea;
    pane->setFrameShape(QFrame::NoFrame);
    pane->setWidgetResizable(true);
    auto* content = new QWidget;
    auto* paneLayout = new QVBoxLayout(content);
    paneLayout->setContentsMargins(0, 0, 0, 0);
    paneLayout->addWidget(details);
    pane->setWidget(content);
    auto* splitter = new QSplitter;
    splitter->addWidget(list);
    splitter->addWidget(pane);
    splitter->setStretchFactor(1, 1);
    splitter->setCollapsible(0, false);
    // The list keeps the width the user gave it, also in the next session.
    const QString name = panel->objectName();
    splitter->setSizes({EditorSession::ListWidth(name), QWIDGETSIZE_MAX});
    QObject::connect(splitter, &QSplitter::splitterMoved, splitter,
                     [splitter, name] { EditorSession::RememberListWidth(name, splitter->sizes().value(0)); });
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);
}

namespace {

// The controls of `region` that the Tab key stops at, by rows from the top, left to right.
std::vector<QWidget*> TabStops(QWidget* region) {
    struct Stop {
        QWidget* control;
        QPoint at;
    };
    std::vector<Stop> stops;
    for (QWidget* control : region->findChildren<QWidget*>()) {
        // The line edit inside a drop-down list is reached through the list; the list's pop-up
        // is a window of its own, which a tab order cannot enter.
        if (!(control->focusPolicy() & Qt::TabFocus) || control->focusProxy() != nullptr ||
            qobject_cast<QComboBox*>(control->parentWidget()) != nullptr || control->window() != region->window()) {
            continue;
        }
        stops.push_back({control, control->mapTo(region, QPoint(0, 0))});
    }
    constexpr int kRowSlack = 8;  // controls whose tops lie this close share a row
    std::stable_sort(stops.begin(), stops.end(), [](const Stop& a, const Stop& b) {
        if (std::abs(a.at.y() - b.at.y()) > kRowSlack) return a.at.y() < b.at.y();
        return a.at.x() < b.at.x();
    });
    std::vector<QWidget*> controls;
    for (const Stop& stop : stops) controls.push_back(stop.control);
    return controls;
}

}  // namespace

// A panel split into a list column and its details is read column by column.
void OrderTabsAsSeen(QWidget* panel) {
    std::vector<QWidget*> regions;
    if (auto* split = panel->findChild<QSplitter*>(QString(), Qt::FindDirectChildrenOnly)) {
        for (int i = 0; i < split->count(); ++i) regions.push_back(split->widget(i));
    } else {
        regions.push_back(panel);
    }
    std::vector<QWidget*> order;
    for (QWidget* region : regions) {
        const std::vector<QWidget*> stops = TabStops(region);
        order.insert(order.end(), stops.begin(), stops.end());
    }
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void RemoveOnDelete(QWidget* list, QPushButton* remove) {
    auto* shortcut = new QShortcut(QKeySequence::Delete, list);
    shortcut->setContext(Qt::WidgetShortcut);
    QObject::connect(shortcut, &QShortcut::activated, remove, &QPushButton::click);
}

constexpr int kListMinimumWidth = 140;

ListColumn BuildListColumn(const ListColumnNames& names) {
    ListColumn parts;
    parts.column = new QWidget;
    parts.column->setMinimumWidth(kListMinimumWidth);
    auto* layout = new QVBoxLayout(parts.column);
    auto* buttons = new QHBoxLayout;
    parts.add = Button(names.add, "Add");
    parts.remove = Button(names.remove, "Remove");
    buttons->addWidget(parts.add);
    buttons->addWidget(parts.remove);
    layout->addLayout(buttons);
    if (names.filter != nullptr) {
        parts.filter = TextField(names.filter);
        parts.find = new QToolButton;
        parts.find->setObjectName(names.find);
        parts.find->setIcon(MagnifierIcon());
        auto* filterRow = new QHBoxLayout;
        filterRow->addWidget(parts.filter);
        filterRow->addWidget(parts.find);
        layout->addLayout(filterRow);
    }
    parts.view = new QListView;
    parts.view->setObjectName(names.list);
    parts.view->setUniformItemSizes(true);  // one line each: Qt need not measure thousands of rows
    RemoveOnDelete(parts.view, parts.remove);
    layout->addWidget(parts.view, 1);
    if (names.count != nullptr) {
        parts.count = new QLabel;
        parts.count->setObjectName(names.count);
        parts.count->setStyleSheet("color: blue;");
        layout->addWidget(parts.count);
    }
    return parts;
}

QLineEdit* NameField(const char* name) {
    QLineEdit* field = TextField(name);
    SpaceToUnderscore::Install(field);
    InstallNameRefusal(field);
    return field;
}

QComboBox* NameChoice(const char* name) {
    QComboBox* choice = EditableChoice(name);
    SpaceToUnderscore::Install(choice);
    return choice;
}

bool AskYesNo(QWidget* parent, const QString& question, const QString& title) {
    QMessageBox box(QMessageBox::Question, title, question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName("msgConfirmRemove");
    return box.exec() == QMessageBox::Yes;
}

namespace {

// "Frame Lights, Node Left" of the references whose entries `removable` selects, each holder once.
QString Holders(const std::vector<Reference>& references, bool removable) {
    QStringList holders;
    for (const Reference& reference : references) {
        const QString holder = QString::fromStdU16String(reference.holder);
        if (static_cast<bool>(reference.remove) == removable && !holders.contains(holder)) holders << holder;
    }
    return holders.join(", ");
}

}  // namespace

bool RemoveWithReferences(QWidget* parent, DocumentEditor& editor, const QString& label, const QString& question,
                          NamedKind kind, const corvString& name,
                          const std::function<void(corvdekLINDefinitionFile&)>& remove) {
    const auto askAndRemove = [&](corvdekLINDefinitionFile& document) {
        // References to a name two objects share belong to neither alone.
        std::vector<Reference> references;
        if (CountNamed(document, kind, name) == 1) references = FindReferences(document, kind, name);
        QString text = question;
        if (const QString removed = Holders(references, true); !removed.isEmpty()) {
            text += "\n\nUsed by: " + removed + ".\nThese uses are removed with it.";
        }
        if (const QString kept = Holders(references, false); !kept.isEmpty()) {
            text += "\n\nPublisher of: " + kept + ". These keep it as their publisher.";
        }
        if (!AskYesNo(parent, text)) return false;
        RemoveReferences(references);
        remove(document);
        return true;
    };
    return editor.TryApply({label, DocumentPart::kAll, ToQString(name), QString(), nullptr, PartOf(kind)},
                           askAndRemove);
}

void ShowModalOver(QWidget* over, QDialog* dialog) {
    dialog->adjustSize();
    dialog->move(over->window()->frameGeometry().center() - dialog->rect().center());
    dialog->exec();
}

namespace {

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const char* name, const QString& text) {
    QMessageBox box(icon, "Tabrel", text, QMessageBox::Ok, parent);
    box.setObjectName(name);
    box.exec();
}

}  // namespace

void ShowWarning(QWidget* parent, const char* name, const QString& text) {
    ShowMessage(parent, QMessageBox::Warning, name, text);
}

void ShowError(QWidget* parent, const char* name, const QString& text) {
    ShowMessage(parent, QMessageBox::Critical, name, text);
}

QLineEdit* IntegerField(const char* name) {
    QLineEdit* field = TextField(name);
    NumberValidator::Install(field, NumberValidator::kInteger);
    return field;
}

QLineEdit* RealField(const char* name) {
    QLineEdit* field = TextField(name);
    NumberValidator::Install(field, NumberValidator::kReal);
    return field;
}
