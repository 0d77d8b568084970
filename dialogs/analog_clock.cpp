#include "dialogs/analog_clock.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "core/clock.h"

namespace velmo {

namespace {

// The face is drawn on a 200 × 200 square centred on the origin and scaled to fit.
constexpr double kFaceRadius = 92;

void drawHand(QPainter& painter, double degrees, double length, double width,
              const QColor& colour) {
    painter.save();
    painter.rotate(degrees);
    QPen pen(colour, width, Qt::SolidLine, Qt::RoundCap);
    painter.setPen(pen);
    painter.drawLine(QPointF(0, length * 0.15), QPointF(0, -length));
    painter.restore();
}

}  // namespace

TClock::TClock(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TClock::refresh);
}

void TClock::setTime(TimeOfDay time) {
    clock_ = nullptr;
    timer_->stop();
    time_ = time;
    update();
}

void TClock::followClock(const Clock* clock) {
    clock_ = clock;
    if (clock_ == nullptr) {
        timer_->stop();
        return;
    }
    timer_->start();
    refresh();
}

void TClock::refresh() {
    if (clock_ == nullptr)
        return;
    const LocalDateTime now = clock_->now();
    const TimeOfDay time{now.hour, now.minute, now.second};
    if (time == time_)
        return;
    time_ = time;
    update();
}

void TClock::setSecondHand(bool shown) {
    secondHand_ = shown;
    update();
}

QString TClock::digitalText() const {
    const auto two = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QChar('0')); };
    QString text = two(time_.hour) + QLatin1Char(':') + two(time_.minute);
    if (secondHand_)
        text += QLatin1Char(':') + two(time_.second);
    return text;
}

void TClock::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = std::min(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    painter.scale(side / 200.0, side / 200.0);

    const QPalette& pal = palette();
    const QColor ink = pal.color(QPalette::WindowText);
    painter.setPen(QPen(ink.lighter(150), 2));
    painter.setBrush(pal.color(QPalette::Base));
    painter.drawEllipse(QPointF(0, 0), kFaceRadius, kFaceRadius);

    // Hour marks, the quarters heavier.
    for (int mark = 0; mark < 12; ++mark) {
        painter.save();
        painter.rotate(mark * 30.0);
        const bool quarter = mark % 3 == 0;
        painter.setPen(QPen(ink, quarter ? 4 : 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -kFaceRadius + 6),
                         QPointF(0, -kFaceRadius + (quarter ? 18 : 13)));
        painter.restore();
    }

    // The digital time in a small box in the lower half, under the hands' pivot.
    QFont font = painter.font();
    font.setPixelSize(secondHand_ ? 17 : 19);
    painter.setFont(font);
    const QRectF box(-40, 26, 80, 26);
    painter.setPen(QPen(ink.lighter(170), 1));
    painter.setBrush(pal.color(QPalette::Window));
    painter.drawRoundedRect(box, 4, 4);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignCenter, digitalText());

    const double minutes = time_.minute + time_.second / 60.0;
    const double hours = (time_.hour % 12) + minutes / 60.0;
    drawHand(painter, hours * 30.0, 48, 6, ink);
    drawHand(painter, minutes * 6.0, 72, 4, ink);
    if (secondHand_)
        drawHand(painter, time_.second * 6.0, 78, 1.5, QColor(0xC0, 0x20, 0x20));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(0, 0), 4, 4);
}

}  // namespace velmo
