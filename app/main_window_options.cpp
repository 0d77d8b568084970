// The options dialog wired to the main window: what its pages apply at once and what
// the window re-applies once it has closed. Kept apart from main_window.cpp, which
// only wires pages.

#include <QAction>
#include <QMenu>
#include <QTabWidget>

#include "app/backup_actions.h"
#include "app/companion_actions.h"
#include "app/function_timer_actions.h"
#include "app/main_window.h"
#include "app/month_page.h"
#include "app/network_actions.h"
#include "app/options_actions.h"
#include "app/row_preset_actions.h"
#include "app/timer_actions.h"
#include "app/year_page_actions.h"
#include "core/user_interface.h"
#include "monthview/calendar_settings.h"

namespace velmo {

void TfmC21::createOptions() {
    options_ = new OptionsActions({*this,
                                   runSettings_,
                                   context_.folders,
                                   context_.ui,
                                   context_.sleeper,
                                   context_.clock,
                                   *network_,
                                   rights_,
                                   *backup_,
                                   *companions_,
                                   *timer_,
                                   *log_,
                                   [this] { refreshMessagePanel(); },
                                   [this] { refreshClockPanel(); },
                                   [this] { applyCalendarOptions(); },
                                   [this] { rowPresets_->applyMonthButtons(); },
                                   [this] { fullSave(); },
                                   [this] {
                                       if (pages_->currentIndex() == kYearPageIndex)
                                           pages_->setCurrentIndex(kMonthPageIndex);
                                   },
                                   [this] { optionsClosed(); },
                                   [this] { refreshLogMenuItem(); }},
                                  *viewMenu_, *functionsMenu_, *otherMenu_, this);
}

void TfmC21::applyCalendarOptions() {
    TKvMCalModel& model = monthPage_->view()->model();
    applyCalendarSettings(model, runSettings_.settings());
    model.updateMetrics();
    model.relayout();
    monthPage_->view()->update();
    yearActions_->calendarOptionsChanged();
}

void TfmC21::optionsClosed() {
    const bool memo = runSettings_.settings().behaviour.cbMemo;
    // The memo page goes only after the month page has taken its place.
    if (!memo && pages_->currentIndex() == kMemoPageIndex)
        pages_->setCurrentIndex(kMonthPageIndex);
    for (QAction* item : viewMenu_->actions()) {
        if (item->objectName() == "miMemoRan")
            item->setVisible(memo);
    }
    applySettings();
    options_->refreshCorrectionItem();
}

void TfmC21::runFirstNetworkSetup() {
    options_->openNetworkForm();
    // The network settings take effect only in a new run.
    informMain(context_.ui,
               "一度終了します。\r\n終了後、再びベルモを起動してください。\r\n"
               "（必ず、一度ベルモを起動させておいてください。）");
    close();
}

}  // namespace velmo
