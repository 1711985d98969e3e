#pragma once
// A schedule table as a time line: one box per entry, as wide as its delay, labelled with
// what it sends, and the frame's nominal time drawn inside the slot (red when the slot is
// too short for it); the table's cycle time is written after the last box. The geometry is
// public so that it can be checked without looking at pixels.

#include <QList>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

class ScheduleTimelineView : public QWidget {
    Q_OBJECT
public:
    struct Slot {
        QString label;
        double delayMs = 0.0;
        std::optional<double> frameMs;
        bool fits = true;
    };

    explicit ScheduleTimelineView(QWidget* parent = nullptr);

    void ShowSlots(const QList<Slot>& slots);
    double CycleMs() const;
    QRect SlotRect(int entry) const;
    // The part of the slot the frame takes; empty without a known frame time.
    QRect FrameRect(int entry) const;
    bool IsRed(int entry) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double PixelsPerMs() const;

    QList<Slot> slots_;
};
