#pragma once
// The picture of a frame's data bytes: one row of eight bits per byte (byte 0 at the top, bit
// 7 at the left and bit 0, the least significant, at the right, as LIN sends them), each
// signal a coloured block over its bits with its name. Bits that two signals share and bits
// beyond the frame's length are red. Hovering a block names the signal; clicking it selects
// it. The geometry is public so that it can be checked without looking at pixels.

#include <QColor>
#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

class FrameLayoutView : public QWidget {
    Q_OBJECT
public:
    struct Piece {
        QString signal;
        int offset = 0;
        int size = 0;
        QString encoding;
    };

    explicit FrameLayoutView(QWidget* parent = nullptr);

    // Shows `pieces` in a frame of `lengthBytes` data bytes (0 when it is not known).
    void ShowFrame(const QList<Piece>& pieces, int lengthBytes);
    // Writes the value of each bit of `bytes` into its cell; none shows no values.
    void ShowBits(const std::vector<std::uint8_t>& bytes);
    // The value shown in the cell of `bit`, or -1 for none.
    int BitValue(int bit) const;

    int Rows() const { return rows_; }
    QRect BitRect(int bit) const;
    // One rectangle per byte row the piece covers.
    QList<QRect> BlockRects(int piece) const;
    bool IsRedBit(int bit) const;
    // The piece drawn at `point`, or -1.
    int PieceAt(QPoint point) const;
    QString ToolTipOf(int piece) const;

    QSize sizeHint() const override;

Q_SIGNALS:
    void PieceClicked(int piece);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    static constexpr int kMaxBytes = 8;
    static constexpr int kBits = 8 * kMaxBytes;

    QList<Piece> pieces_;
    int lengthBytes_ = 0;
    int rows_ = 1;
    std::vector<int> users_ = std::vector<int>(kBits, 0);  // how many pieces use each bit
    std::vector<std::uint8_t> bits_;  // the data bytes whose bits are shown
};
