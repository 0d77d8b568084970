#include "monthview/qt_month_view.h"

#include <QEvent>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>

#include "monthview/month_interaction.h"
#include "monthview/qt_input.h"

namespace velmo {

namespace {

Point pointOf(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

}  // namespace

TKvMCal::TKvMCal(std::int32_t today, QWidget* parent) : QWidget(parent), model_(today) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The month view asks for the keyboard but acts on no key itself; the main window
    // looks at every key first.
    setFocusPolicy(Qt::StrongFocus);
    // The right button's menu is shown on release by the interaction, not by Qt.
    setContextMenuPolicy(Qt::NoContextMenu);
    model_.setColourResolver([this](Colour colour) { return paletteColour(palette(), colour); });
    model_.setOnRedraw([this] {
        imageOutOfDate_ = true;
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

const QImage& TKvMCal::image() {
    refreshImage();
    return image_;
}

void TKvMCal::refreshImage() {
    // Moved to a screen of another pixel ratio: the picture is drawn again, sharply.
    if (imageOutOfDate_ || image_.devicePixelRatio() != devicePixelRatioF())
        repaintImage();
}

void TKvMCal::repaintImage() {
    imageOutOfDate_ = false;
    const Size size = model_.controlSize();
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio ||
        image_.deviceIndependentSize().toSize() != QSize(size.width, size.height)) {
        image_ = MonthPainter::makeImage(size, ratio);
    }
    painter_.paint(model_, image_);
}

void TKvMCal::paintEvent(QPaintEvent* event) {
    refreshImage();
    QPainter painter(this);
    drawImageArea(painter, image_, event->rect());
    if (!painted_) {
        painted_ = true;
        emit firstPainted();
    }
}

void TKvMCal::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.setControlSize({width(), height()});
}

void TKvMCal::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // System colours come from the palette; the layout stays as it is.
    if (event->type() == QEvent::PaletteChange) {
        imageOutOfDate_ = true;
        update();
    }
}

void TKvMCal::mousePressEvent(QMouseEvent* event) {
    MouseButton button;
    if (!interaction_ || !mouseButtonOf(event->button(), button))
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    interaction_->press(pointOf(event), button, modifiersOf(event->modifiers()));
}

void TKvMCal::mouseMoveEvent(QMouseEvent* event) {
    if (!interaction_ || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    interaction_->move(pointOf(event), modifiersOf(event->modifiers()));
}

void TKvMCal::mouseReleaseEvent(QMouseEvent* event) {
    MouseButton button;
    if (!interaction_ || !mouseButtonOf(event->button(), button))
        return QWidget::mouseReleaseEvent(event);
    interaction_->release(pointOf(event), button, modifiersOf(event->modifiers()));
}

void TKvMCal::mouseDoubleClickEvent(QMouseEvent* event) {
    MouseButton button;
    if (!interaction_ || !mouseButtonOf(event->button(), button))
        return QWidget::mouseDoubleClickEvent(event);
    interaction_->doubleClick(pointOf(event), button, modifiersOf(event->modifiers()));
}

void TKvMCal::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // The view's own pop-up menu takes the focus for a moment; the mark stays for it.
    if (interaction_ && event->reason() != Qt::PopupFocusReason)
        interaction_->focusLost();
}

}  // namespace velmo
