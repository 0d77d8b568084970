#pragma once
// The window's side of the date change: what the plain DateChange asks of the window
// (is it shown, is an editor open, the yellow status bar, rebuilding the months), and the
// close check that refuses while the months are being rebuilt.

#include <QObject>
#include <functional>
#include <memory>

#include "core/clock.h"
#include "core/user_interface.h"

class QLabel;
class QMainWindow;
class QTabWidget;

namespace velmo {

class DateChange;
class MonthPage;

struct DateChangeActionsContext {
    QMainWindow& window;
    QTabWidget& pages;
    MonthPage& monthPage;
    QLabel& messagePanel;  // shows the "changing" text while the months are rebuilt
    const Clock& clock;
    Sleeper& sleeper;
    UserInterface& ui;
    std::function<void()> refreshMessagePanel;
    std::function<bool()> fullSave;  // true when the data were saved
    // Reads the settings again and sets the months up for today.
    std::function<void()> initialiseMonths;
    // Today moved: the small calendars follow and the year page starts from today again.
    std::function<void()> refreshYearPage;
};

class DateChangeActions : public QObject {
    Q_OBJECT

public:
    DateChangeActions(DateChangeActionsContext context, QObject* parent);
    ~DateChangeActions() override;

    // One tick of the function timer.
    void tick();
    // True while the months are being rebuilt: nothing whole to save or close then.
    bool running() const;

private:
    void showChanging(bool on);

    DateChangeActionsContext context_;
    std::unique_ptr<DateChange> dateChange_;
};

}  // namespace velmo
