#include "app/month_tab_bar.h"

#include <QPainter>
#include <QStyleOptionTab>
#include <QStylePainter>

namespace velmo {

namespace {

constexpr int kUnselectedDrop = 2;

}  // namespace

MonthTabBar::MonthTabBar(QWidget* parent) : QTabBar(parent) {}

void MonthTabBar::setFixedTabWidth(int width) {
    if (width == fixedTabWidth_)
        return;
    fixedTabWidth_ = width;
    // The tab bar keeps its tab layout until something it watches changes; setting the
    // icon size is the public way to have it lay the tabs out again.
    setIconSize(iconSize());
    updateGeometry();
}

QSize MonthTabBar::tabSizeHint(int index) const {
    QSize size = QTabBar::tabSizeHint(index);
    if (fixedTabWidth_ > 0)
        size.setWidth(fixedTabWidth_);
    return size;
}

QSize MonthTabBar::minimumTabSizeHint(int index) const {
    return fixedTabWidth_ > 0 ? tabSizeHint(index) : QTabBar::minimumTabSizeHint(index);
}

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
