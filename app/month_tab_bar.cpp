#include "app/month_tab_bar.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace velmo {

namespace {

constexpr int kUnselectedDrop = 2;

}  // namespace

MonthTabBar::MonthTabBar(QWidget* parent) : QTabBar(parent) {}

void MonthTabBar::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    for (int i = 0; i < count(); ++i) {
        QStyleOptionTab option;
        initStyleOption(&option, i);
        const QString text = option.text;
        option.text.clear();
        painter.drawControl(QStyle::CE_TabBarTabShape, option);
        const bool selected = i == currentIndex();
        QRect area = tabRect(i);
        if (!selected)
            area.translate(0, kUnselectedDrop);
        painter.setPen(selected ? QColor(Qt::blue) : palette().color(QPalette::WindowText));
        painter.drawText(area, Qt::AlignCenter, text);
    }
}

}  // namespace velmo
