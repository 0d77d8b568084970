#include "monthview/qt_month_view.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

namespace velmo {

TKvMCal::TKvMCal(std::int32_t today, QWidget* parent) : QWidget(parent), model_(today) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_.setColourResolver([this](Colour colour) { return paletteColour(palette(), colour); });
    model_.setOnRedraw([this] {
        repaintImage();
        update();
    });
    model_.setOnDayChange(
        [this](int year, int month, int day) { emit dayChanged(year, month, day); });
    model_.relayout();
}

QSize TKvMCal::sizeHint() const {
    const Size size = preferredControlSize(model_.properties());
    return {size.width, size.height};
}

void TKvMCal::repaintImage() {
    const Size size = model_.controlSize();
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio ||
        image_.deviceIndependentSize().toSize() != QSize(size.width, size.height)) {
        image_ = MonthPainter::makeImage(size, ratio);
    }
    painter_.paint(model_, image_);
}

void TKvMCal::paintEvent(QPaintEvent* event) {
    // Moved to a screen of another pixel ratio: the picture is drawn again, sharply.
    if (image_.devicePixelRatio() != devicePixelRatioF())
        repaintImage();
    QPainter painter(this);
    drawImageArea(painter, image_, event->rect());
}

void TKvMCal::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.setControlSize({width(), height()});
}

void TKvMCal::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // System colours come from the palette; the layout stays as it is.
    if (event->type() == QEvent::PaletteChange) {
        repaintImage();
        update();
    }
}

}  // namespace velmo
