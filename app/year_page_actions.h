#pragma once
// The year page as the main window runs it: the options and holidays its calendars
// follow, the settings it keeps, the click on a small calendar (open that month, or
// fill a date of the day-count calculator), "日数計算(&N)" and the date change.

#include <QObject>

#include "core/user_interface.h"

class QAction;
class QMenu;
class QTabWidget;

namespace velmo {

class MonthPage;
class RunSettings;
class YearPage;

struct YearPageActionsContext {
    QTabWidget& pages;  // the main window's pages
    YearPage& page;
    MonthPage& monthPage;  // its month view holds the holiday lines just read
    UserInterface& ui;
    RunSettings& run;
};

class YearPageActions : public QObject {
    Q_OBJECT

public:
    // Applies the settings and computes the day count for today.
    YearPageActions(YearPageActionsContext context, QMenu& functionsMenu, QObject* parent);

    // After every month initialisation: the options, the holidays and the year again.
    void monthsInitialised();
    // The options dialog changed the week start, the holiday switches or the special
    // period: the small calendars follow at once.
    void calendarOptionsChanged();
    // The date changed: today moves and the page starts from today again.
    void dateChanged();
    // "日数計算(&N)".
    void showDayCount();
    QAction* dayCountItem() const { return dayCountItem_; }

private:
    void dayClicked(int year, int month, int day);
    void keepSettings();

    YearPageActionsContext context_;
    QAction* dayCountItem_ = nullptr;
    bool applying_ = false;
};

}  // namespace velmo
