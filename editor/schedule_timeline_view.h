#pragma once
// A schedule table as a time chart: one box per entry, as wide as its delay on a time axis in
// milliseconds that fits the table's cycle into the width; each box names what it sends
// where the name fits (its tooltip always does), and shows the frame's nominal time as a bar
// inside the slot (red when the slot is too short for it). The selected entry is marked, and
// a click on a box selects its entry. A table too long for the width makes the chart wider,
// for the pane to scroll. The geometry is public so that it can be checked without pixels.

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
    // Marks the entry the table's list selects; -1 for none.
    void SetSelected(int entry);
    int Selected() const { return selected_; }
    double CycleMs() const;
    QRect SlotRect(int entry) const;
    // The part of the slot the frame takes; empty without a known frame time.
    QRect FrameRect(int entry) const;
    bool IsRed(int entry) const;
    // The entry whose box holds `point`, or -1.
    int SlotAt(QPoint point) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    void SlotClicked(int entry);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    double PixelsPerMs() const;
    int X(double ms) const;
    void PaintAxis(QPainter& painter) const;

    QList<Slot> slots_;
    int selected_ = -1;
};
