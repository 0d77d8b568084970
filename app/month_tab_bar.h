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

    // Every tab as wide as a day column of the current display preset; 0 lets the
    // style size the tabs by their texts.
    void setFixedTabWidth(int width);
    int fixedTabWidth() const { return fixedTabWidth_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

private:
    int fixedTabWidth_ = 0;
};

}  // namespace velmo
