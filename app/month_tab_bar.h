#pragma once
// The month tabs above the month view. The program draws their texts itself: centred,
// blue on the selected tab, and two pixels lower on the others, so the selected month
// stands out the way the wall calendar's users know it.

#include <QTabBar>

namespace velmo {

class MonthTabBar : public QTabBar {
    Q_OBJECT

public:
    explicit MonthTabBar(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace velmo
