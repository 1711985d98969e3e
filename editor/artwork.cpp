#include "artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

constexpr int kIconSize = 32;

QIcon Painted(const std::function<void(QPainter&)>& paint) {
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(kIconSize / 16.0, kIconSize / 16.0);
    paint(painter);
    return QIcon(pixmap);
}

const QColor kBlue(30, 90, 170);
const QColor kGreen(40, 140, 70);

void Wave(QPainter& p, qreal left, qreal right, qreal middle) {
    QPainterPath path(QPointF(left, middle));
    const qreal step = (right - left) / 4;
    for (int i = 0; i < 4; ++i) {
        const qreal x = left + i * step;
        path.cubicTo(x + step / 3, middle - 3, x + 2 * step / 3, middle + 3, x + step, middle);
    }
    p.drawPath(path);
}

}  // namespace

QIcon TabIcon(TabPicture picture) {
    return Painted([picture](QPainter& p) {
        p.setPen(QPen(kBlue, 1.2));
        switch (picture) {
            case TabPicture::kGeneral:  // a small tree of connected boxes
                p.drawLine(QPointF(8, 4), QPointF(8, 8));
                p.drawLine(QPointF(4, 8), QPointF(12, 8));
                p.drawLine(QPointF(4, 8), QPointF(4, 11));
                p.drawLine(QPointF(12, 8), QPointF(12, 11));
                p.setBrush(QColor(200, 220, 245));
                p.drawRect(QRectF(6, 1, 4, 3));
                p.drawRect(QRectF(2, 11, 4, 3));
                p.drawRect(QRectF(10, 11, 4, 3));
                break;
            case TabPicture::kNodes:  // an electronic module
                p.setBrush(QColor(60, 60, 60));
                p.drawRect(QRectF(4, 3, 8, 10));
                for (int y = 4; y <= 11; y += 2) {
                    p.drawLine(QPointF(2, y), QPointF(4, y));
                    p.drawLine(QPointF(12, y), QPointF(14, y));
                }
                break;
            case TabPicture::kSignals:  // a waveform with an arrow
                Wave(p, 1, 12, 8);
                p.drawLine(QPointF(12, 8), QPointF(15, 8));
                p.drawLine(QPointF(13, 6), QPointF(15, 8));
                p.drawLine(QPointF(13, 10), QPointF(15, 8));
                break;
            case TabPicture::kFrames:  // a waveform between two squares
                p.setBrush(QColor(200, 220, 245));
                p.drawRect(QRectF(0.5, 5.5, 3, 5));
                p.drawRect(QRectF(12.5, 5.5, 3, 5));
                p.setBrush(Qt::NoBrush);
                Wave(p, 4, 12, 8);
                break;
            case TabPicture::kScheduleTables:  // a page with a gear wheel
                p.setBrush(Qt::white);
                p.drawRect(QRectF(2, 1, 10, 14));
                p.setBrush(QColor(150, 150, 150));
                p.setPen(QPen(QColor(90, 90, 90), 1));
                p.drawEllipse(QPointF(11, 11), 3.5, 3.5);
                p.setBrush(Qt::white);
                p.drawEllipse(QPointF(11, 11), 1.2, 1.2);
                break;
            case TabPicture::kEncodings:  // a curve on a chart
                p.drawLine(QPointF(2, 14), QPointF(14, 14));
                p.drawLine(QPointF(2, 14), QPointF(2, 2));
                p.setPen(QPen(kGreen, 1.5));
                p.drawLine(QPointF(3, 13), QPointF(7, 9));
                p.drawLine(QPointF(7, 9), QPointF(10, 7));
                p.drawLine(QPointF(10, 7), QPointF(14, 3));
                break;
            case TabPicture::kLdfFile:  // a window with coloured content
                p.setBrush(Qt::white);
                p.drawRect(QRectF(1.5, 2.5, 13, 11));
                p.fillRect(QRectF(2, 3, 12, 2), kBlue);
                p.fillRect(QRectF(3, 7, 6, 1.2), kGreen);
                p.fillRect(QRectF(3, 9.5, 9, 1.2), QColor(200, 40, 40));
                break;
            case TabPicture::kAbout: {  // a question mark
                QFont font = p.font();
                font.setPixelSize(14);
                font.setBold(true);
                p.setFont(font);
                p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, "?");
                break;
            }
        }
    });
}

QIcon WarningIcon() {
    return Painted([](QPainter& p) {
        QPainterPath triangle(QPointF(8, 1));
        triangle.lineTo(15, 14);
        triangle.lineTo(1, 14);
        triangle.closeSubpath();
        p.setPen(QPen(QColor(170, 120, 0), 0.8));
        p.setBrush(QColor(250, 205, 30));
        p.drawPath(triangle);
        p.setPen(QPen(Qt::black, 1.6));
        p.drawLine(QPointF(8, 5), QPointF(8, 9.5));
        p.drawPoint(QPointF(8, 12));
    });
}

QIcon ErrorIcon() {
    return Painted([](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(210, 30, 30));
        p.drawEllipse(QRectF(1, 1, 14, 14));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(5, 5), QPointF(11, 11));
        p.drawLine(QPointF(11, 5), QPointF(5, 11));
    });
}

QIcon MagnifierIcon() {
    return Painted([](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 1.6));
        p.drawEllipse(QPointF(6.5, 6.5), 4, 4);
        p.setPen(QPen(QColor(60, 60, 60), 2.4));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
    });
}

QPixmap LogoPicture(int height) {
    QPixmap pixmap(height * 2, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(height / 16.0, height / 16.0);
    p.setPen(QPen(kBlue, 1.6));
    Wave(p, 1, 31, 8);
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(1.5, 8), 1.5, 1.5);
    p.drawEllipse(QPointF(30.5, 8), 1.5, 1.5);
    return pixmap;
}
