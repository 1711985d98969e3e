#pragma once
// A form of the fields of one object (or of the bus settings), bound to a model through a
// QDataWidgetMapper: showing an object fills every bound control from the model, and each
// change of a control's value is written back at once, as one edit through the document
// editor. Keystrokes into one field join one step; a value that equals the stored one
// (a control being filled, Escape) changes nothing, so no control needs a guard while the
// form is filled.

#include <QAbstractTableModel>
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>
#include <vector>

#include "document_editor.h"

class QDataWidgetMapper;
class QWidget;

// One field of the form: how it is read, and how it is written as the step `label`.
struct FormField {
    QString key;    // the field's name in edits and setup issues: "SignalSize"
    QString label;  // the undo step: "Edit Signal Size"
    std::function<QVariant()> read;
    std::function<void(const QVariant&)> write;
    DocumentParts parts;
};

// The object a form shows: its name, and an identity that tells it from the object shown
// before (keystrokes into another object start a step of their own).
struct FormSubject {
    QString name;
    const void* identity = nullptr;
};

// One row, the shown object, with a column per field; no row while nothing is shown.
class DetailFormModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DetailFormModel(DocumentEditor* editor, std::function<std::optional<FormSubject>()> subject, QObject* parent);

    // The column of the new field.
    int AddField(FormField field, bool typed);
    const FormField& Field(int column) const { return fields_[static_cast<std::size_t>(column)].field; }
    void Reload();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Writes a changed value as one edit. The control that gave it shows it already, and
    // keeps showing what was typed (a trimmed value would move the cursor), so the model
    // announces no change of its own.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

Q_SIGNALS:
    // After the edit of a field, for what follows from it (a label, other controls).
    void FieldEdited(const QString& key);

private:
    struct Column {
        FormField field;
        bool typed;
    };

    DocumentEditor* editor_;
    std::function<std::optional<FormSubject>()> subject_;
    std::vector<Column> fields_;
    bool shown_ = false;
};

class DetailForm : public QObject {
    Q_OBJECT
public:
    DetailForm(DocumentEditor* editor, std::function<std::optional<FormSubject>()> subject, QObject* parent);
    ~DetailForm() override;

    // Binds `control` to `field` through its user property (a line edit's text, a
    // drop-down list's current text, a check box's state) or the property named.
    void Bind(QWidget* control, FormField field, const QByteArray& property = {});
    // Fills every bound control from the object shown now.
    void Show();
    DetailFormModel* Model() const { return model_; }

private Q_SLOTS:
    // The value of a bound control changed: written at once.
    void ControlChanged();

private:
    struct Binding {
        QWidget* control;
        int column;
        QByteArray property;
    };

    DetailFormModel* model_;
    QDataWidgetMapper* mapper_;
    std::vector<Binding> bindings_;
};
