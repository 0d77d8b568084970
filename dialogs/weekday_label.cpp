#include "dialogs/weekday_label.h"

#include <QApplication>
#include <QLabel>

#include "calendar/japanese_date_text.h"
#include "calendar/julius_day.h"
#include "dialogs/period_page.h"

namespace velmo {
namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;

}  // namespace

void showWeekday(QLabel* label, int weekday) {
    label->setText(
        QStringLiteral("（ %1曜日 ）").arg(QString::fromStdString(youbiShortName(weekday))));
    QPalette palette = label->palette();
    const QColor colour = weekday == kSunday ? qColourOf(kRed)
                          : weekday == kSaturday
                              ? qColourOf(kBlue)
                              : QApplication::palette().color(QPalette::WindowText);
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

}  // namespace velmo
