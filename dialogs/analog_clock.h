#pragma once
// An analogue clock face with the time also written out digitally inside it. It shows
// either a time it is given, or follows a clock by itself once a second.

#include <QWidget>

#include "store/settings_keys.h"

class QTimer;

namespace velmo {

class Clock;

class TClock : public QWidget {
    Q_OBJECT

public:
    explicit TClock(QWidget* parent = nullptr);

    // Shows a fixed time; stops following a clock.
    void setTime(TimeOfDay time);
    TimeOfDay time() const { return time_; }

    // Follows `clock` (which must outlive the widget), re-reading it every second;
    // nullptr keeps the time last shown.
    void followClock(const Clock* clock);
    bool followsClock() const { return clock_ != nullptr; }
    // Re-reads the followed clock at once.
    void refresh();

    void setSecondHand(bool shown);
    bool secondHand() const { return secondHand_; }

    // "hh:mm:ss" with the second hand, else "hh:mm".
    QString digitalText() const;

    QSize sizeHint() const override { return {160, 160}; }
    QSize minimumSizeHint() const override { return {80, 80}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TimeOfDay time_{};
    bool secondHand_ = false;
    const Clock* clock_ = nullptr;
    QTimer* timer_;
};

}  // namespace velmo
