// The main window's features that keep it running all day: resident mode with the tray
// and the hot keys, the function timer, the timer, the companion programs and the
// items about the program. Kept apart from main_window.cpp, which only wires pages.

#include <QMenuBar>

#include "app/about_actions.h"
#include "app/backup_actions.h"
#include "app/button_column.h"
#include "app/companion_actions.h"
#include "app/data_set_actions.h"
#include "app/date_change_actions.h"
#include "app/function_timer_actions.h"
#include "app/main_window.h"
#include "app/memo_actions.h"
#include "app/menu_order.h"
#include "app/month_page.h"
#include "app/network_actions.h"
#include "app/resident_actions.h"
#include "app/search_actions.h"
#include "app/timer_actions.h"
#include "dialogs/day_editor.h"

namespace velmo {

void TfmC21::createResidentFeatures() {
    const auto saveBeforeLeaving = [this] {
        monthPage_->session().saveBeforeLeaving([this] { return fullSave().dataSaved; });
    };
    resident_ = new ResidentActions(
        {*this, *pages_, *monthPage_, runSettings_, context_.folders, context_.ui, context_.sleeper,
         context_.clock, [this] { goMenu_->setEnabled(true); },
         [this] {
             memo_->closeWindow();
             search_->closeWindow();
         },
         saveBeforeLeaving, [this] { backup_->runAutomaticBackup(); }, [this] { functionTick(); },
         [this] { dataSets_->change(1); },
         [this] { return runSettings_.dataFolders().shared.has_value(); },
         [this] { network_->checkForUpdates(); }, [this] { refreshMessagePanel(); }},
        *fileMenu_, commands_, this);
    companions_ = new CompanionActions(
        {*this, *monthPage_, runSettings_, context_.folders, context_.ui, context_.sleeper,
         [this](ResidentRequest request) { resident_->goResident(request); }, saveBeforeLeaving,
         [this] { return monthMenuState().printEnabled; }},
        *functionsMenu_, commands_, this);
    resident_->setEditorCompanion({[this] { return companions_->editorInUse(); },
                                   [this] { return companions_->editorLaunching(); },
                                   [this] { companions_->endEditorLaunch(); },
                                   [this] { companions_->callEditor(); }});
    timer_ = new TimerActions({*this, *monthPage_, runSettings_, context_.ui, context_.clock},
                              *functionsMenu_, this);
    addCloseCheck([this] { return timer_->mayClose(); });
    addShutdownStep([this] { resident_->releaseHotKeys(); });
    functionTimer_ = new FunctionTimerActions(
        {*this, runSettings_, context_.folders, context_.clock, *resident_,
         [this] { return editor_ && editor_->isVisible(); },
         [this] { return editor_ && !editor_->hasUnsavedInput(); }, [this] { refreshClockPanel(); },
         [this] { refreshMessagePanel(); }, [this] { timer_->checkAlarm(); },
         [this] { return dateChange_->running(); }, [this] { dateChange_->tick(); },
         [this] { return monthPage_->session().runToday(); },
         [this] { return companions_->clockRunning(); }, [this] { companions_->startClock(); }},
        this);
    connect(editor_, &TfmDay::editingShown, functionTimer_, &FunctionTimerActions::editorOpened);
    about_ = new AboutActions(*this, context_.ui, context_.folders.startFolder, *otherMenu_, this);
    createCommandFeatures();
    createOptions();
    arrangeMainMenus(*menuBar());
    arrangeButtonColumn(*monthPage_);
    applySettings();
}

}  // namespace velmo
