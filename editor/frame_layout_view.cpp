#include "frame_layout_view.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <iterator>

namespace {

constexpr int kCellWidth = 34;
constexpr int kCellHeight = 24;
constexpr int kLeftMargin = 56;  // the byte numbers
constexpr int kTopMargin = 18;   // the bit numbers

// Light blues, greens, yellows and violets, neighbours apart: none near the red of a conflict.
QColor PieceColour(int piece) {
    static const int kHues[] = {210, 120, 50, 270, 175, 85, 235, 150};
    return QColor::fromHsv(kHues[piece % std::size(kHues)], 80, 240);
}

}  // namespace

FrameLayoutView::FrameLayoutView(QWidget* parent) : QWidget(parent) {
    setObjectName("imgFrameLayout");
    setMouseTracking(true);
}

void FrameLayoutView::ShowFrame(const QList<Piece>& pieces, int lengthBytes) {
    pieces_ = pieces;
    lengthBytes_ = std::clamp(lengthBytes, 0, kMaxBytes);
    std::fill(users_.begin(), users_.end(), 0);
    int usedBytes = 0;
    for (const Piece& piece : pieces_) {
        const int first = std::clamp(piece.offset, 0, kBits);
        const int end = std::clamp(piece.offset + piece.size, first, kBits);
        for (int bit = first; bit < end; ++bit) ++users_[static_cast<std::size_t>(bit)];
        usedBytes = std::max(usedBytes, (end + 7) / 8);
    }
    rows_ = std::max({1, lengthBytes_, usedBytes});
    setMinimumSize(sizeHint());  // a picture cut off would hide bits: the pane scrolls instead
    updateGeometry();
    update();
}

void FrameLayoutView::ShowBits(const std::vector<std::uint8_t>& bytes) {
    bits_ = bytes;
    update();
}

int FrameLayoutView::BitValue(int bit) const {
    const std::size_t byte = static_cast<std::size_t>(bit / 8);
    if (bit < 0 || byte >= bits_.size()) return -1;
    return (bits_[byte] >> (bit % 8)) & 1;
}

QRect FrameLayoutView::BitRect(int bit) const {
    const int row = bit / 8;
    const int column = 7 - bit % 8;
    return {kLeftMargin + column * kCellWidth, kTopMargin + row * kCellHeight, kCellWidth, kCellHeight};
}

QList<QRect> FrameLayoutView::BlockRects(int piece) const {
    QList<QRect> rects;
    if (piece < 0 || piece >= pieces_.size()) return rects;
    const int first = std::clamp(pieces_[piece].offset, 0, kBits);
    const int end = std::clamp(pieces_[piece].offset + pieces_[piece].size, first, kBits);
    for (int rowStart = first; rowStart < end; rowStart = (rowStart / 8 + 1) * 8) {
        const int rowEnd = std::min(end, (rowStart / 8 + 1) * 8);  // within this byte
        rects.append(BitRect(rowStart).united(BitRect(rowEnd - 1)));
    }
    return rects;
}

bool FrameLayoutView::IsRedBit(int bit) const {
    if (bit < 0 || bit >= kBits) return false;
    const bool beyond = lengthBytes_ > 0 && bit >= 8 * lengthBytes_;
    return users_[static_cast<std::size_t>(bit)] > 1 || beyond;
}

int FrameLayoutView::PieceAt(QPoint point) const {
    for (int piece = static_cast<int>(pieces_.size()) - 1; piece >= 0; --piece) {
        for (const QRect& rect : BlockRects(piece)) {
            if (rect.contains(point)) return piece;
        }
    }
    return -1;
}

QString FrameLayoutView::ToolTipOf(int piece) const {
    const Piece& p = pieces_[piece];
    return QString("%1\nOffset %2, %3 bits%4")
        .arg(p.signal)
        .arg(p.offset)
        .arg(p.size)
        .arg(p.encoding.isEmpty() ? QString() : "\nEncoding " + p.encoding);
}

QSize FrameLayoutView::sizeHint() const {
    return {kLeftMargin + 8 * kCellWidth + 2, kTopMargin + rows_ * kCellHeight + 2};
}

void FrameLayoutView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    for (int column = 0; column < 8; ++column) {
        const QRect header(kLeftMargin + column * kCellWidth, 0, kCellWidth, kTopMargin);
        painter.drawText(header, Qt::AlignCenter, QString::number(7 - column));
    }
    for (int row = 0; row < rows_; ++row) {
        const QRect label(0, kTopMargin + row * kCellHeight, kLeftMargin - 4, kCellHeight);
        painter.drawText(label, Qt::AlignVCenter | Qt::AlignRight, QString("Byte %1").arg(row));
    }
    painter.setPen(palette().mid().color());
    for (int bit = 0; bit < 8 * rows_; ++bit) painter.drawRect(BitRect(bit));
    const QColor red(220, 40, 40, 150);
    for (int bit = 0; bit < 8 * rows_; ++bit) {
        if (IsRedBit(bit)) painter.fillRect(BitRect(bit), red);
    }
    // The blocks over the cells, so that a name is not cut by the bit lines.
    for (int piece = 0; piece < pieces_.size(); ++piece) {
        for (const QRect& block : BlockRects(piece)) {
            QColor fill = PieceColour(piece);
            fill.setAlpha(200);  // a red bit below shows through
            painter.fillRect(block.adjusted(1, 1, 0, 0), fill);
            painter.setPen(palette().dark().color());
            painter.drawRect(block);
            painter.setPen(palette().text().color());
            painter.drawText(block.adjusted(2, 0, -2, 0), Qt::AlignCenter,
                             painter.fontMetrics().elidedText(pieces_[piece].signal, Qt::ElideRight, block.width() - 4));
        }
    }
    // The bits' values in the cells' corners, over the blocks.
    QFont tiny = small;
    tiny.setPointSizeF(small.pointSizeF() * 0.75);
    painter.setFont(tiny);
    painter.setPen(palette().dark().color());
    for (int bit = 0; bit < 8 * rows_; ++bit) {
        if (const int value = BitValue(bit); value >= 0) {
            painter.drawText(BitRect(bit).adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignBottom, QString::number(value));
        }
    }
}

void FrameLayoutView::mousePressEvent(QMouseEvent* event) {
    const int piece = PieceAt(event->position().toPoint());
    if (piece >= 0) Q_EMIT PieceClicked(piece);
}

bool FrameLayoutView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int piece = PieceAt(help->pos());
        if (piece >= 0) {
            QToolTip::showText(help->globalPos(), ToolTipOf(piece), this);
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QWidget::event(event);
}
