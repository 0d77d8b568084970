#pragma once
// TKvMCal, the month view widget of the main window's month page. It owns the model
// (properties, state, month slots, period lines, rules) and one off-screen image of its
// own size. A redraw of the model only marks the image out of date; the image is painted
// again when it is next needed (a paint event, or image()), so the many redraws of one
// step (start-up, a data-set switch) cost one painting, and none while hidden.

#include <QImage>
#include <QWidget>
#include <cstdint>

#include "monthview/month_grid.h"
#include "monthview/qt_month_painter.h"

class QMouseEvent;

namespace velmo {

class MonthInteraction;

class TKvMCal : public QWidget {
    Q_OBJECT

public:
    // today: today's day number, which is also the first selected date.
    explicit TKvMCal(std::int32_t today, QWidget* parent = nullptr);

    TKvMCalModel& model() { return model_; }
    const TKvMCalModel& model() const { return model_; }

    // The off-screen picture of the model as it stands, at the widget's pixel ratio.
    const QImage& image();

    // The size the main window gives the control: 7 × LenDayW + 3 by
    // 6 × LenDayH + LenYoubiH + 3.
    QSize sizeHint() const override;

    // Mouse input goes to the main window's interaction; without one the control only
    // shows. Not owned.
    void setInteraction(MonthInteraction* interaction) { interaction_ = interaction; }

signals:
    // The selected date changed (OnDayChange).
    void dayChanged(int year, int month, int day);
    // The control reached the screen for the first time (start-up benchmarks).
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // Paints the image from the model; the image is reallocated only when the control's
    // size or the pixel ratio changed.
    void repaintImage();
    // Paints the image when a redraw or a new pixel ratio made it out of date.
    void refreshImage();

    TKvMCalModel model_;
    MonthPainter painter_;
    QImage image_;
    MonthInteraction* interaction_ = nullptr;
    bool imageOutOfDate_ = true;
    bool painted_ = false;
};

}  // namespace velmo
