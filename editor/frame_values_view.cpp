#include "frame_values_view.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "model/definition_file.h"
#include "model/name_index.h"

namespace {

constexpr int kLogicalTexts = Qt::UserRole;  // a row's logical texts, for the Text drop-down

QString HexBytes(const std::vector<std::uint8_t>& bytes) {
    QStringList texts;
    for (std::uint8_t byte : bytes) texts << QString("%1").arg(byte, 2, 16, QChar('0')).toUpper();
    return texts.join(' ');
}

QString Text(std::u16string_view text) { return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())); }

// The texts of the encoding's logical values, in its order.
QStringList LogicalTexts(const corvdekLINSignalEncodingTypes* encoding) {
    QStringList texts;
    if (encoding == nullptr) return texts;
    for (int i = 0; i < encoding->items.GetCount(); ++i) {
        const corvdekLINSignalEncodingTypeItem& part = *encoding->items.Get(i);
        if (part.kind == corvdekLINSignalEncodingTypeItem::kLogical && !part.text.IsEmpty()) {
            texts << Text(part.text.View());
        }
    }
    return texts;
}

// A logical text is chosen from the encoding's texts; other cells are typed.
class ValueDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QStringList texts = index.data(kLogicalTexts).toStringList();
        if (index.column() != FrameValuesView::kText || texts.isEmpty()) {
            return QStyledItemDelegate::createEditor(parent, option, index);
        }
        auto* choice = new QComboBox(parent);
        choice->setObjectName("lstFrameValueText");
        choice->addItems(texts);
        return choice;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* choice = qobject_cast<QComboBox*>(editor)) {
            choice->setCurrentText(index.data().toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* choice = qobject_cast<QComboBox*>(editor)) {
            model->setData(index, choice->currentText());
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }
};

}  // namespace

FrameValuesView::FrameValuesView(QWidget* parent) : QWidget(parent) {
    setObjectName("pnlFrameValues");
    txtFrameBytes_ = new QLineEdit;
    txtFrameBytes_->setObjectName("txtFrameBytes");
    txtFrameBytes_->setToolTip("The frame's data bytes in hexadecimal, byte 0 first");
    tblFrameValues_ = new QTableWidget(0, 5);
    tblFrameValues_->setObjectName("tblFrameValues");
    tblFrameValues_->setHorizontalHeaderLabels({"Signal", "Raw", "Value", "Unit", "Text"});
    tblFrameValues_->verticalHeader()->hide();
    tblFrameValues_->horizontalHeader()->setStretchLastSection(true);
    tblFrameValues_->setItemDelegate(new ValueDelegate(tblFrameValues_));
    lblFrameValueProblem_ = new QLabel;
    lblFrameValueProblem_->setObjectName("lblFrameValueProblem");
    lblFrameValueProblem_->setStyleSheet("color: #c00000;");
    lblFrameValueProblem_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel("Values (a scratch pad: the cluster stays as it is)"));
    layout->addWidget(txtFrameBytes_);
    layout->addWidget(tblFrameValues_, 1);
    layout->addWidget(lblFrameValueProblem_);

    connect(txtFrameBytes_, &QLineEdit::textEdited, this, &FrameValuesView::BytesTyped);
    connect(tblFrameValues_, &QTableWidget::itemChanged, this, &FrameValuesView::CellEdited);
}

void FrameValuesView::ShowFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINFrame& frame) {
    codec_ = FrameCodec::OfFrame(cluster, frame, ClusterNameIndex(cluster));
    const bool sameFrame = frame_ == &frame && static_cast<int>(bytes_.size()) == codec_->Length();
    frame_ = &frame;
    ShowProblem(QString());
    if (!sameFrame) {
        std::string why;
        // Every signal at its initial value, and the idle level where no signal is.
        std::optional<std::vector<std::uint8_t>> initial = codec_->Encode({}, 1, why);
        bytes_ = initial ? std::move(*initial) : std::vector<std::uint8_t>(static_cast<std::size_t>(codec_->Length()), 0xFF);
        if (!initial) ShowProblem(QString::fromStdString(why));
    }
    ShowValues(true);
}

void FrameValuesView::BytesTyped(const QString& text) {
    std::vector<std::string> pieces;
    for (const QString& piece : text.split(' ', Qt::SkipEmptyParts)) pieces.push_back(piece.toStdString());
    const std::optional<std::vector<std::uint8_t>> bytes = ParseHexBytes(pieces);
    const bool fits = bytes && static_cast<int>(bytes->size()) == codec_->Length();
    if (!fits) {
        ShowProblem(QString("%1 data bytes in hexadecimal, as \"01 A5\"").arg(codec_->Length()));
        return;
    }
    ShowProblem(QString());
    bytes_ = *bytes;
    ShowValues(false);
}

void FrameValuesView::CellEdited(QTableWidgetItem* item) {
    // A cell editor left open when the window closes hands its text over: nothing to show.
    if (filling_ || !codec_ || !isVisible()) return;
    const int column = item->column();
    if (column != kRaw && column != kValue && column != kText) return;
    if (!WriteValue(item->row(), item->text().trimmed(), column == kRaw)) {
        ShowValues(false);  // the cell shows the value again
        return;
    }
    ShowProblem(QString());
    ShowValues(true);
}

bool FrameValuesView::WriteValue(int row, const QString& value, bool raw) {
    std::vector<FrameCodec::Assignment> assignments;
    for (int i = 0; i < static_cast<int>(decoded_.size()); ++i) {
        const DecodedSignal& signal = decoded_[static_cast<std::size_t>(i)];
        std::string text;
        if (i == row) {
            const std::optional<std::uint64_t> number = raw ? ParseRawNumber(value.toStdString()) : std::nullopt;
            text = number && !signal.signal->isByteArray ? "0x" + QString::number(*number, 16).toStdString()
                                                         : value.toStdString();
        } else {
            text = signal.signal->isByteArray ? HexBytes(signal.bytes).replace(' ', ",0x").prepend("0x").toStdString()
                                              : "0x" + QString::number(signal.raw, 16).toStdString();
        }
        assignments.push_back({Text(signal.signal->name).toStdString(), text});
    }
    std::string why;
    const std::optional<std::vector<std::uint8_t>> ones = codec_->Encode(assignments, 1, why);
    const std::optional<std::vector<std::uint8_t>> zeros = ones ? codec_->Encode(assignments, 0, why) : std::nullopt;
    if (!ones || !zeros) {
        ShowProblem(QString::fromStdString(why));
        return false;
    }
    // The bits no signal takes differ between the two: they keep what they were.
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        const std::uint8_t free = (*ones)[i] ^ (*zeros)[i];
        bytes_[i] = static_cast<std::uint8_t>(((*ones)[i] & ~free) | (bytes_[i] & free));
    }
    return true;
}

void FrameValuesView::ShowValues(bool andBytes) {
    codec_->Decode(bytes_, decoded_);
    filling_ = true;
    if (andBytes) txtFrameBytes_->setText(HexBytes(bytes_));
    const bool rowsChange = tblFrameValues_->rowCount() != static_cast<int>(decoded_.size());
    tblFrameValues_->setRowCount(static_cast<int>(decoded_.size()));
    for (int row = 0; row < static_cast<int>(decoded_.size()); ++row) {
        const DecodedSignal& signal = decoded_[static_cast<std::size_t>(row)];
        const SignalMeaning& meaning = signal.meaning;
        const QString raw =
            signal.signal->isByteArray ? HexBytes(signal.bytes) : "0x" + QString::number(signal.raw, 16).toUpper();
        const QString texts[] = {Text(signal.signal->name), raw,
                                 meaning.value ? QString::fromStdString(DecimalText(*meaning.value)) : QString(),
                                 meaning.hasUnit ? Text(meaning.unit) : QString(),
                                 meaning.hasText ? Text(meaning.text) : QString()};
        for (int column = 0; column < 5; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            if (column == kSignal || column == kUnit) item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            if (column == kText) item->setData(kLogicalTexts, LogicalTexts(signal.signal->encoding));
            tblFrameValues_->setItem(row, column, item);
        }
    }
    // Measured once for all cells, and only for another frame: columns that jump while
    // values are typed would move the cell being edited.
    if (rowsChange || andBytes) tblFrameValues_->resizeColumnsToContents();
    filling_ = false;
    Q_EMIT BytesChanged(bytes_);
}

void FrameValuesView::ShowProblem(const QString& text) {
    lblFrameValueProblem_->setText(text);
    lblFrameValueProblem_->setVisible(!text.isEmpty());
}
