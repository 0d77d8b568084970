#include "monthview/qt_small_calendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

#include "monthview/qt_input.h"
#include "monthview/qt_month_painter.h"
#include "platform/dialog_fonts.h"

namespace velmo {
namespace {

QRect qRect(const Rect& r) {
    return QRect(r.left, r.top, std::max(0, r.width()), std::max(0, r.height()));
}

QFont fontOf(const CalFont& font) {
    QFont qfont = mappedFont(QString::fromStdString(font.face), std::max(1, font.pixelSize()));
    qfont.setBold(font.bold);
    return qfont;
}

void drawGrid(QPainter& painter, const Rect& cell, const GridLines& lines, const QColor& colour) {
    if (lines.right)
        painter.fillRect(QRect(cell.right - 1, cell.top, 1, std::max(0, cell.height())), colour);
    if (lines.bottom)
        painter.fillRect(QRect(cell.left, cell.bottom - 1, std::max(0, cell.width()), 1), colour);
}

}  // namespace

TKvMCalendar::TKvMCalendar(std::int32_t today, QWidget* parent) : QWidget(parent), model_(today) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    model_.setColourResolver([this](Colour colour) { return paletteColour(palette(), colour); });
    model_.setOnRedraw([this] {
        repaintImage();
        update();
    });
    model_.setOnDayChange(
        [this](int year, int month, int day) { emit dayChanged(year, month, day); });
    model_.setClientSize({width(), height()});
    model_.relayout();
}

QSize TKvMCalendar::sizeHint() const {
    return {184, 125};
}

void TKvMCalendar::repaintImage() {
    const Size size = model_.clientSize();
    const qreal ratio = devicePixelRatioF();
    if (image_.isNull() || image_.devicePixelRatio() != ratio ||
        image_.deviceIndependentSize().toSize() != QSize(size.width, size.height)) {
        image_ = QImage(QSize(std::max(1, size.width), std::max(1, size.height)) * ratio,
                        QImage::Format_ARGB32_Premultiplied);
        image_.setDevicePixelRatio(ratio);
    }
    auto colour = [this](Colour c) { return qColorOf(model_.resolveColour(c)); };

    QPainter painter(&image_);
    painter.fillRect(QRect(0, 0, size.width, size.height), colour(model_.color()));
    for (int column = 0; column < kColumnCount; ++column) {
        const SmallHeaderCellView cell = model_.headerCell(column);
        painter.fillRect(qRect(cell.fillRect), colour(cell.fill));
        painter.setFont(fontOf(cell.font));
        painter.setPen(colour(cell.textColour));
        painter.drawText(qRect(cell.rect), Qt::AlignCenter, QString::fromStdString(cell.text));
        drawGrid(painter, cell.rect, cell.grid, colour(kClBtnShadow));
    }
    const int rows = model_.rowCount();
    for (int row = 1; row < rows; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            const SmallDayCellView cell = model_.dayCell(row, column);
            if (!cell.drawn)
                continue;
            if (cell.fill)
                painter.fillRect(qRect(cell.rect), colour(*cell.fill));
            painter.setFont(fontOf(cell.font));
            painter.setPen(colour(cell.numberColour));
            painter.drawText(qRect(cell.numberRect), Qt::AlignCenter,
                             QString::fromStdString(cell.numberText));
            if (!cell.rokuyoText.empty()) {
                if (cell.rokuyoFill)
                    painter.fillRect(qRect(cell.rokuyoRect), colour(*cell.rokuyoFill));
                painter.setFont(fontOf(cell.rokuyoFont));
                painter.setPen(colour(cell.rokuyoColour));
                painter.drawText(qRect(cell.rokuyoRect), Qt::AlignCenter,
                                 QString::fromStdString(cell.rokuyoText));
            }
            drawGrid(painter, cell.rect, cell.grid, colour(kSmallDayGridColour));
        }
    }
}

void TKvMCalendar::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(event->rect(), palette().color(QPalette::Base));
        return;
    }
    drawImageArea(painter, image_, event->rect());
}

void TKvMCalendar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    model_.setClientSize({width(), height()});
}

void TKvMCalendar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        model_.relayout();
}

void TKvMCalendar::pressed(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit mousePressed(event->button(), event->modifiers(), at);
    model_.press({at.x(), at.y()});
}

void TKvMCalendar::mousePressEvent(QMouseEvent* event) {
    clickArmed_ = event->button() == Qt::LeftButton;
    pressed(event);
}

void TKvMCalendar::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = clickArmed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    clickArmed_ = false;
    if (click)
        emit clicked();
}

void TKvMCalendar::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a double-click: its release is not another click.
    clickArmed_ = false;
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    pressed(event);
}

void TKvMCalendar::keyPressEvent(QKeyEvent* event) {
    const bool own = model_.keyDown(keyOf(event->key()));
    emit keyPressed(event->key(), event->modifiers());
    if (own)
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

}  // namespace velmo
