#pragma once
// TKvMCalendar, the small month calendar of the year view and the date dialogs. It owns
// its model (small_calendar.h) and one off-screen image: every redraw of the model
// paints the image, a paint event only copies it, so while the calendar is suspended the
// screen keeps the last picture.

#include <QImage>
#include <QWidget>
#include <cstdint>

#include "monthview/small_calendar.h"

namespace velmo {

class TKvMCalendar : public QWidget {
    Q_OBJECT

public:
    // today: today's day number, also the first selected date.
    explicit TKvMCalendar(std::int32_t today, QWidget* parent = nullptr);

    TKvMCalendarModel& model() { return model_; }
    const TKvMCalendarModel& model() const { return model_; }
    const QImage& image() const { return image_; }

    // The year view's size, 184 × 125.
    QSize sizeHint() const override;

signals:
    // OnDayChange: the selected date changed.
    void dayChanged(int year, int month, int day);
    // OnMouseDown: raised before the press moves the date.
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
    // OnClick: a left-button press and release inside the calendar.
    void clicked();
    void doubleClicked();
    // OnKeyDown: every key, after the calendar has acted on its own keys.
    void keyPressed(int key, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void repaintImage();
    void pressed(QMouseEvent* event);

    TKvMCalendarModel model_;
    QImage image_;
    bool clickArmed_ = false;
};

}  // namespace velmo
