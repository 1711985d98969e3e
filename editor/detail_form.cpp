#include "detail_form.h"

#include <QComboBox>
#include <QDataWidgetMapper>
#include <QLineEdit>
#include <QMetaProperty>
#include <QStyledItemDelegate>

namespace {

// Fills a control only where its value differs: setting a line edit's text, even to the
// same text, moves its cursor to the end while the user types in the middle. The controls
// keep their own keys: every change is written at once, so nothing waits for the focus to
// leave, and Escape closes a dialog as it does elsewhere.
class FormDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    bool eventFilter(QObject* /*control*/, QEvent* /*event*/) override { return false; }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        const QByteArray property = editor->metaObject()->userProperty().name();
        if (editor->property(property) == index.data(Qt::EditRole)) return;
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

// A control the user types into: its keystrokes join one step.
bool TakesKeystrokes(const QWidget* control) {
    if (qobject_cast<const QLineEdit*>(control) != nullptr) return true;
    const auto* choice = qobject_cast<const QComboBox*>(control);
    return choice != nullptr && choice->isEditable();
}

}  // namespace

DetailFormModel::DetailFormModel(DocumentEditor* editor, std::function<std::optional<FormSubject>()> subject,
                                 QObject* parent)
    : QAbstractTableModel(parent), editor_(editor), subject_(std::move(subject)) {}

int DetailFormModel::AddField(FormField field, bool typed) {
    beginInsertColumns({}, columnCount(), columnCount());
    fields_.push_back({std::move(field), typed});
    endInsertColumns();
    return columnCount() - 1;
}

void DetailFormModel::Reload() {
    beginResetModel();
    shown_ = subject_().has_value();
    endResetModel();
}

int DetailFormModel::rowCount(const QModelIndex& parent) const { return parent.isValid() || !shown_ ? 0 : 1; }

int DetailFormModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fields_.size());
}

QVariant DetailFormModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
    return Field(index.column()).read();
}

Qt::ItemFlags DetailFormModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool DetailFormModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    const std::optional<FormSubject> subject = subject_();
    if (!subject) return false;
    const Column& column = fields_[static_cast<std::size_t>(index.column())];
    if (column.field.read() == value) return true;
    editor_->Apply({column.field.label, column.field.parts, subject->name, column.field.key,
                    column.typed ? subject->identity : nullptr},
                   [&](corvdekLINDefinitionFile&) { column.field.write(value); });
    Q_EMIT FieldEdited(column.field.key);
    return true;
}

DetailForm::DetailForm(DocumentEditor* editor, std::function<std::optional<FormSubject>()> subject, QObject* parent)
    : QObject(parent), model_(new DetailFormModel(editor, std::move(subject), this)), mapper_(new QDataWidgetMapper(this)) {
    mapper_->setModel(model_);
    mapper_->setItemDelegate(new FormDelegate(mapper_));
    // Each change is written as it happens, not when the control loses the focus.
    mapper_->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
}

DetailForm::~DetailForm() = default;

void DetailForm::Bind(QWidget* control, FormField field, const QByteArray& property) {
    const int column = model_->AddField(std::move(field), TakesKeystrokes(control));
    if (property.isEmpty()) {
        mapper_->addMapping(control, column);
    } else {
        mapper_->addMapping(control, column, property);
    }
    const QByteArray name = property.isEmpty() ? QByteArray(control->metaObject()->userProperty().name()) : property;
    const QMetaObject* type = control->metaObject();
    const QMetaProperty bound = type->property(type->indexOfProperty(name.constData()));
    connect(control, bound.notifySignal(), this,
            metaObject()->method(metaObject()->indexOfSlot("ControlChanged()")));
    bindings_.push_back({control, column, name});
}

void DetailForm::Show() {
    model_->Reload();
    mapper_->toFirst();
}

void DetailForm::ControlChanged() {
    for (const Binding& binding : bindings_) {
        if (binding.control != sender()) continue;
        model_->setData(model_->index(0, binding.column), binding.control->property(binding.property), Qt::EditRole);
        return;
    }
}
