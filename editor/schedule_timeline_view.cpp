#include "schedule_timeline_view.h"

#include <QEvent>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMargin = 6;
constexpr int kBoxTop = 4;
constexpr int kBoxHeight = 30;
constexpr int kFrameBar = 8;        // the height of the frame time inside a slot
constexpr int kAxisHeight = 20;     // the tick marks and their times below the boxes
constexpr int kNarrowest = 4;       // the least width of a slot: a long table makes the chart wider
constexpr int kTickSpacing = 60;    // the least distance between two labelled ticks
constexpr int kPreferredWidth = 600;

// The step of the axis' ticks: 1, 2 or 5 times a power of ten milliseconds, at least
// `leastMs` apart.
double TickStep(double leastMs) {
    const double power = std::pow(10.0, std::floor(std::log10(std::max(leastMs, 1e-6))));
    for (double factor : {1.0, 2.0, 5.0, 10.0}) {
        if (factor * power >= leastMs) return factor * power;
    }
    return 10.0 * power;
}

}  // namespace

ScheduleTimelineView::ScheduleTimelineView(QWidget* parent) : QWidget(parent) {
    setObjectName("imgScheduleTimeline");
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ScheduleTimelineView::ShowSlots(const QList<Slot>& slots) {
    slots_ = slots;
    if (selected_ >= slots_.size()) selected_ = -1;
    updateGeometry();
    update();
}

void ScheduleTimelineView::SetSelected(int entry) {
    selected_ = entry >= 0 && entry < slots_.size() ? entry : -1;
    update();
}

double ScheduleTimelineView::CycleMs() const {
    double cycle = 0.0;
    for (const Slot& slot : slots_) cycle += slot.delayMs;
    return cycle;
}

// The whole cycle fills the width; every slot keeps a least width besides.
double ScheduleTimelineView::PixelsPerMs() const {
    const double cycle = CycleMs();
    const int room = width() - 2 * kMargin - kNarrowest * static_cast<int>(slots_.size());
    return cycle > 0.0 ? std::max(0.0, room / cycle) : 0.0;
}

int ScheduleTimelineView::X(double ms) const { return kMargin + static_cast<int>(std::lround(ms * PixelsPerMs())); }

QRect ScheduleTimelineView::SlotRect(int entry) const {
    double start = 0.0;
    for (int i = 0; i < entry; ++i) start += slots_[i].delayMs;
    const int left = X(start) + entry * kNarrowest;
    const int right = X(start + slots_[entry].delayMs) + (entry + 1) * kNarrowest;
    return {left, kBoxTop, right - left, kBoxHeight};
}

QRect ScheduleTimelineView::FrameRect(int entry) const {
    const Slot& slot = slots_[entry];
    if (!slot.frameMs) return {};
    const QRect box = SlotRect(entry);
    // Inside the slot even when it does not fit: the red says so.
    const int width = std::clamp(static_cast<int>(*slot.frameMs * PixelsPerMs()), 1, box.width());
    return {box.left(), box.bottom() - kFrameBar + 1, width, kFrameBar};
}

bool ScheduleTimelineView::IsRed(int entry) const { return !slots_[entry].fits; }

int ScheduleTimelineView::SlotAt(QPoint point) const {
    for (int entry = 0; entry < slots_.size(); ++entry) {
        if (SlotRect(entry).contains(point)) return entry;
    }
    return -1;
}

QSize ScheduleTimelineView::sizeHint() const {
    return {std::max(kPreferredWidth, minimumSizeHint().width()), kBoxTop + kBoxHeight + kAxisHeight};
}

QSize ScheduleTimelineView::minimumSizeHint() const {
    return {2 * kMargin + kNarrowest * static_cast<int>(slots_.size()) + kTickSpacing,
            kBoxTop + kBoxHeight + kAxisHeight};
}

void ScheduleTimelineView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    for (int entry = 0; entry < slots_.size(); ++entry) {
        const QRect box = SlotRect(entry);
        painter.fillRect(box, entry == selected_ ? palette().highlight().color().lighter(160) : QColor(225, 235, 250));
        painter.setPen(entry == selected_ ? QPen(palette().highlight().color(), 2) : QPen(palette().mid().color()));
        painter.drawRect(box);
        if (const QRect frame = FrameRect(entry); !frame.isEmpty()) {
            painter.fillRect(frame, IsRed(entry) ? QColor(220, 40, 40) : QColor(90, 140, 210));
        }
        painter.setPen(palette().text().color());
        const QRect text = box.adjusted(3, 1, -2, -kFrameBar);
        const QString shown = painter.fontMetrics().elidedText(slots_[entry].label, Qt::ElideRight, text.width());
        // A name cut to its first letters says nothing: the tooltip names it then.
        if (shown.size() >= std::min<qsizetype>(4, slots_[entry].label.size())) {
            painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, shown);
        }
    }
    PaintAxis(painter);
}

// Ticks at round times under the boxes, each labelled where there is room, and the cycle.
void ScheduleTimelineView::PaintAxis(QPainter& painter) const {
    const double cycle = CycleMs();
    const double scale = PixelsPerMs();
    if (slots_.isEmpty() || cycle <= 0.0 || scale <= 0.0) return;
    const int axis = kBoxTop + kBoxHeight + 2;
    painter.setPen(palette().text().color());
    painter.drawLine(kMargin, axis, SlotRect(static_cast<int>(slots_.size()) - 1).right(), axis);
    // A tick's place counts the least widths of the slots before it.
    const auto tickX = [&](double ms) {
        double start = 0.0;
        int entry = 0;
        while (entry < slots_.size() && start + slots_[entry].delayMs <= ms) start += slots_[entry++].delayMs;
        return X(ms) + entry * kNarrowest;
    };
    const double step = TickStep(kTickSpacing / scale);
    const QString cycleText = QString("cycle %1 ms").arg(cycle, 0, 'g', 6);
    const int cycleWidth = painter.fontMetrics().horizontalAdvance(cycleText);
    const int cycleLeft = width() - kMargin - cycleWidth;
    for (double ms = 0.0; ms < cycle; ms += step) {
        const int x = tickX(ms);
        painter.drawLine(x, axis, x, axis + 4);
        const QString label = QString::number(ms, 'g', 6) + (ms == 0.0 ? " ms" : "");
        if (x + painter.fontMetrics().horizontalAdvance(label) < cycleLeft - 8) {
            painter.drawText(x + 2, axis + 4 + painter.fontMetrics().ascent(), label);
        }
    }
    painter.drawText(cycleLeft, axis + 4 + painter.fontMetrics().ascent(), cycleText);
}

void ScheduleTimelineView::mousePressEvent(QMouseEvent* event) {
    const int entry = SlotAt(event->position().toPoint());
    if (entry >= 0) Q_EMIT SlotClicked(entry);
}

bool ScheduleTimelineView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int entry = SlotAt(help->pos());
        if (entry < 0) {
            QToolTip::hideText();
            return true;
        }
        const Slot& slot = slots_[entry];
        QString text = QString("%1\nDelay %2 ms").arg(slot.label).arg(slot.delayMs, 0, 'g', 6);
        if (slot.frameMs) text += QString("\nFrame %1 ms%2").arg(*slot.frameMs, 0, 'f', 3).arg(slot.fits ? "" : ", longer than its slot");
        QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
