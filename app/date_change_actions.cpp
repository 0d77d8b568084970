#include "app/date_change_actions.h"

#include <QApplication>
#include <QColor>
#include <QLabel>
#include <QMainWindow>
#include <QPalette>
#include <QStatusBar>
#include <QTabWidget>

#include "app/month_page.h"
#include "app/navigation/date_change.h"
#include "dialogs/day_editor.h"
#include "monthview/qt_month_view.h"

namespace velmo {

DateChangeActions::DateChangeActions(DateChangeActionsContext context, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    DateChangeHooks hooks;
    // Minimised in place of a missing tray counts as resident.
    hooks.windowVisible = [this] {
        return context_.window.isVisible() && !context_.window.isMinimized();
    };
    hooks.editorWindowOpen = [] {
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && window->windowTitle() == kEditorCaption)
                return true;
        }
        return false;
    };
    hooks.monthOrYearPageActive = [this] { return context_.pages.currentIndex() <= 1; };
    // The clock correction arrives with the timer features.
    hooks.editingOrTimeCorrectionRunning = [] { return false; };
    MonthPage& page = context_.monthPage;
    hooks.runToday = [&page] { return page.session().runToday(); };
    hooks.takeRunToday = [&page](std::int32_t today) { page.session().moveToday(today); };
    hooks.goToCurrentMonth = [&page] { page.showCurrentMonth(); };
    hooks.showChanging = [this](bool on) { showChanging(on); };
    hooks.setWindowEnabled = [this](bool enabled) { context_.window.setEnabled(enabled); };
    hooks.setToday = [&page](std::int32_t today) { page.view()->model().state().TodayDay = today; };
    hooks.redrawMonthView = [&page] { page.view()->model().relayout(); };
    hooks.fullSave = [this] { return context_.fullSave(); };
    hooks.emptyAll = [&page] { page.session().emptyAll(); };
    hooks.initialiseMonths = [this] {
        context_.initialiseMonths();
        return true;
    };
    hooks.refreshYearPage = [this] {
        if (context_.refreshYearPage)
            context_.refreshYearPage();
    };
    // The months could not be set up again: nothing sound is left to save.
    hooks.terminate = [] { QCoreApplication::exit(1); };
    dateChange_ = std::make_unique<DateChange>(context_.clock, context_.sleeper, context_.ui,
                                               std::move(hooks));
}

DateChangeActions::~DateChangeActions() = default;

void DateChangeActions::tick() {
    dateChange_->tick();
}

bool DateChangeActions::running() const {
    return dateChange_->running();
}

void DateChangeActions::showChanging(bool on) {
    QStatusBar* bar = context_.window.statusBar();
    QPalette palette = bar->palette();
    palette.setColor(QPalette::Window,
                     on ? QColor(Qt::yellow) : context_.window.palette().button().color());
    bar->setAutoFillBackground(on);
    bar->setPalette(palette);
    if (on) {
        context_.messagePanel.setText(kDateChangingText);
    } else {
        context_.refreshMessagePanel();
    }
    bar->repaint();
}

}  // namespace velmo
