#include "app/year_page_actions.h"

#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <algorithm>

#include "app/day_count_panel.h"
#include "app/month_page.h"
#include "app/navigation/month_table.h"
#include "app/page_bounds.h"
#include "app/startup/run_settings.h"
#include "app/year_page.h"
#include "calendar/julius_day.h"

namespace velmo {

YearPageActions::YearPageActions(YearPageActionsContext context, QMenu& functionsMenu,
                                 QObject* parent)
    : QObject(parent), context_(context) {
    dayCountItem_ = functionsMenu.addAction("日数計算(&N)");
    dayCountItem_->setObjectName("miNissuuKeisan");
    connect(dayCountItem_, &QAction::triggered, this, &YearPageActions::showDayCount);

    YearPage& page = context_.page;
    connect(&page, &YearPage::dayClicked, this, &YearPageActions::dayClicked);
    connect(&page, &YearPage::yearStartChosen, this, &YearPageActions::keepSettings);
    connect(page.subPages(), &QTabWidget::currentChanged, this, &YearPageActions::keepSettings);
    connect(page.dayCount(), &DayCountPanel::keysChanged, this, &YearPageActions::keepSettings);

    monthsInitialised();
    const Ymd today = juliusDayToYmd(context_.monthPage.session().runToday());
    page.dayCount()->startAt(today.year, today.month, today.day);
}

void YearPageActions::calendarOptionsChanged() {
    const CalendarKeys& c = context_.run.settings().calendar;
    context_.page.applyCalendarOptions(c.rgStYoubi == 1, !c.cbEquinox, !c.cbFurikae,
                                       context_.monthPage.view()->model().rules().holidayList());
    context_.page.setSpecialMonth(c.SpHajimariTuki);
}

void YearPageActions::monthsInitialised() {
    const TorkaSettings& s = context_.run.settings();
    const CalendarKeys& c = s.calendar;
    YearPage& page = context_.page;
    applying_ = true;
    const std::int32_t today = context_.monthPage.session().runToday();
    page.setToday(today);
    page.applyCalendarOptions(c.rgStYoubi == 1, !c.cbEquinox, !c.cbFurikae,
                              context_.monthPage.view()->model().rules().holidayList());
    page.setSpecialMonth(c.SpHajimariTuki);
    const YearStart start = yearStartOf(c.rgYFirstMonth);
    page.setYearStart(start);
    const Ymd date = juliusDayToYmd(today);
    page.setYear(yearFromToday(start, c.SpHajimariTuki, date.year, date.month));
    page.subPages()->setCurrentIndex(std::clamp(s.dayCount.pcNen, 0, kYearDayCountPage));
    page.dayCount()->applyKeys(s.dayCount);
    applying_ = false;
    keepSettings();
}

void YearPageActions::dateChanged() {
    context_.page.setToday(context_.monthPage.session().runToday());
    context_.page.recomputeFromToday();
}

void YearPageActions::showDayCount() {
    context_.pages.setCurrentIndex(kYearPageIndex);
    context_.page.subPages()->setCurrentIndex(kYearDayCountPage);
    context_.page.dayCount()->checkStart();
}

void YearPageActions::dayClicked(int year, int month, int day) {
    YearPage& page = context_.page;
    if (page.subPages()->currentIndex() == kYearDayCountPage) {
        page.dayCount()->fillFromCalendar(year, month, day);
        return;
    }
    if (!context_.ui.question(monthViewQuestion(year, month), kQuestionCaption, DefaultButton::Yes))
        return;
    context_.pages.setCurrentIndex(kMonthPageIndex);
    context_.monthPage.session().showMonth(yearMonthText(year, month));
}

void YearPageActions::keepSettings() {
    if (applying_)
        return;
    TorkaSettings& s = context_.run.settings();
    s.calendar.rgYFirstMonth = static_cast<int>(context_.page.yearStart());
    DayCountKeys keys = context_.page.dayCount()->keys();
    keys.pcNen = context_.page.subPages()->currentIndex();
    s.dayCount = keys;
}

}  // namespace velmo
