#include "schedule_timeline_view.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kHeight = 46;
constexpr int kBoxTop = 4;
constexpr int kBoxHeight = 30;
constexpr int kFrameBar = 8;           // the height of the frame time inside a slot
constexpr int kCaptionWidth = 90;      // for the cycle time after the last box
constexpr double kLongestWidth = 900;  // the whole cycle fits this many pixels
constexpr double kMostPixelsPerMs = 12;
constexpr int kNarrowest = 6;  // a box stays visible for a delay of nothing

}  // namespace

ScheduleTimelineView::ScheduleTimelineView(QWidget* parent) : QWidget(parent) {
    setObjectName("imgScheduleTimeline");
    setMinimumHeight(kHeight);
}

void ScheduleTimelineView::ShowSlots(const QList<Slot>& slots) {
    slots_ = slots;
    updateGeometry();
    update();
}

double ScheduleTimelineView::CycleMs() const {
    double cycle = 0.0;
    for (const Slot& slot : slots_) cycle += slot.delayMs;
    return cycle;
}

double ScheduleTimelineView::PixelsPerMs() const {
    const double cycle = CycleMs();
    return cycle > 0.0 ? std::min(kMostPixelsPerMs, kLongestWidth / cycle) : kMostPixelsPerMs;
}

QRect ScheduleTimelineView::SlotRect(int entry) const {
    double start = 0.0;
    for (int i = 0; i < entry; ++i) start += slots_[i].delayMs;
    const double scale = PixelsPerMs();
    const int left = static_cast<int>(start * scale) + entry * kNarrowest;
    const int width = std::max(kNarrowest, static_cast<int>(slots_[entry].delayMs * scale));
    return {left, kBoxTop, width, kBoxHeight};
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

QSize ScheduleTimelineView::sizeHint() const {
    const int right = slots_.isEmpty() ? 0 : SlotRect(static_cast<int>(slots_.size()) - 1).right();
    return {right + kCaptionWidth, kHeight};
}

void ScheduleTimelineView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    for (int entry = 0; entry < slots_.size(); ++entry) {
        const QRect box = SlotRect(entry);
        painter.fillRect(box, QColor(225, 235, 250));
        painter.setPen(palette().mid().color());
        painter.drawRect(box);
        if (const QRect frame = FrameRect(entry); !frame.isEmpty()) {
            painter.fillRect(frame, IsRed(entry) ? QColor(220, 40, 40) : QColor(90, 140, 210));
        }
        painter.setPen(palette().text().color());
        const QRect text = box.adjusted(2, 1, -2, -kFrameBar);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         painter.fontMetrics().elidedText(slots_[entry].label, Qt::ElideRight, text.width()));
    }
    const int right = slots_.isEmpty() ? 0 : SlotRect(static_cast<int>(slots_.size()) - 1).right();
    painter.drawText(QRect(right + 6, kBoxTop, kCaptionWidth, kBoxHeight), Qt::AlignLeft | Qt::AlignVCenter,
                     QString("Cycle %1 ms").arg(CycleMs(), 0, 'g', 6));
}
