#pragma once
// A scratch pad for the values of one frame: its data bytes in hexadecimal and a table of its
// signals with raw value, physical value and unit, and logical text. Editing the bytes or any
// value shows the others at once, with the rules of `tabrel-cli encode` (a logical text is
// chosen from the encoding's texts). It starts from the signals' initial values and never
// changes the cluster.

#include <QWidget>
#include <cstdint>
#include <optional>
#include <vector>

#include "signal_values/frame_codec.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class QTableWidgetItem;
class corvdekLINDefinitionFile;
class corvdekLINFrame;

class FrameValuesView : public QWidget {
    Q_OBJECT
public:
    enum Column { kSignal, kRaw, kValue, kUnit, kText };

    explicit FrameValuesView(QWidget* parent = nullptr);

    // Shows `frame` from its initial values; the same frame shown again (after an edit of the
    // cluster) keeps the bytes when its length stays.
    void ShowFrame(const corvdekLINDefinitionFile& cluster, const corvdekLINFrame& frame);
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

Q_SIGNALS:
    // The bytes changed: the frame picture shows their bits.
    void BytesChanged(const std::vector<std::uint8_t>& bytes);

private:
    void BytesTyped(const QString& text);
    void CellEdited(QTableWidgetItem* item);
    // Writes `value` into signal `row` (`raw`: a raw number), keeping the other signals and the
    // bits no signal takes; false with the reason shown when the value cannot be written.
    bool WriteValue(int row, const QString& value, bool raw);
    void ShowValues(bool andBytes);
    void ShowProblem(const QString& text);

    std::optional<FrameCodec> codec_;
    const void* frame_ = nullptr;  // compared only
    std::vector<std::uint8_t> bytes_;
    std::vector<DecodedSignal> decoded_;
    bool filling_ = false;

    QLineEdit* txtFrameBytes_;
    QTableWidget* tblFrameValues_;
    QLabel* lblFrameValueProblem_;
};
