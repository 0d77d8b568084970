#pragma once
// The month page of the main window: the month tabs, the month view with the real data
// and the column of step buttons.

#include <QWidget>
#include <memory>

#include "app/navigation/month_session.h"
#include "monthview/qt_month_view.h"
#include "store/settings.h"

class QTabBar;

namespace velmo {

struct StartFolders;

class MonthPage : public QWidget {
    Q_OBJECT

public:
    MonthPage(std::int32_t today, MonthSessionContext context, QWidget* parent = nullptr);

    TKvMCal* view() const { return view_; }
    MonthSession& session() { return session_; }
    QTabBar* tabs() const { return tabs_; }

    // The month initialisation's part on this page: the window around today, the
    // options and rules, and every slot and the period list loaded.
    void initialise(std::int32_t today, const StartFolders& start, TorkaSettings& settings,
                    const DataFolders& folders, UserInterface& ui, Sleeper& sleeper);

    // The navigation commands: a step of months (−1, +1) or years (−12, +12), today's month.
    void stepMonths(int months);
    void showCurrentMonth();

private:
    void refreshTabs();

    TKvMCal* view_;
    QTabBar* tabs_;
    MonthSession session_;
    bool refreshingTabs_ = false;
};

}  // namespace velmo
