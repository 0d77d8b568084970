// The main window's command surface beyond the pages: the key preview, the column's own
// buttons, the memorial-day feature, the data format item, the setup items, the quick
// day entry, and keeping every item's state current. Kept apart from main_window.cpp,
// which only wires pages.

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include "app/button_column.h"
#include "app/companion_actions.h"
#include "app/data_format_actions.h"
#include "app/data_set_actions.h"
#include "app/export_actions.h"
#include "app/main_window.h"
#include "app/memo_actions.h"
#include "app/memorial_feature_actions.h"
#include "app/month_page.h"
#include "app/month_view_actions.h"
#include "app/network_actions.h"
#include "app/quick_day_entry_actions.h"
#include "app/rokuyo_display.h"
#include "app/row_preset_actions.h"
#include "app/setup_actions.h"
#include "calendar/julius_day.h"
#include "monthview/month_keys.h"
#include "monthview/qt_input.h"

namespace velmo {

void TfmC21::createCommandFeatures() {
    // The options feature gives 設定 its action; the button keeps its place till then.
    monthPage_->insertButton("設定", "btnSettei", QString());
    QPushButton* rokuyo = monthPage_->insertButton("六曜", "btnRokuyo", QString());
    connect(rokuyo, &QPushButton::clicked, rokuyo_->action(), &QAction::trigger);
    addPlaceholderButtons(*monthPage_);

    memorial_ = new MemorialFeatureActions(
        {*this, *monthPage_, runSettings_, context_.ui, context_.sleeper,
         [this] {
             monthPage_->session().saveBeforeLeaving([this] { return fullSave().dataSaved; });
         },
         [this] {
             // The close query saves what can be saved; a refused close still ends.
             if (!close())
                 QCoreApplication::exit(1);
         }},
        *functionsMenu_, this);
    new DataFormatActions({*this, runSettings_, context_.ui, [this] { fullSave(); }}, this);
    new SetupActions(*this, context_.folders, context_.ui, *otherMenu_, this);
    quickDayEntry_ = new QuickDayEntryActions(
        {*statusBar(), context_.ui,
         [this] {
             const TKvMCalModel& model = monthPage_->view()->model();
             return daysOfMonth(model.year(), model.month());
         },
         [this](int day) { openDayOfShownMonth(day); }, [this] { monthPage_->view()->setFocus(); }},
        this);
    connect(network_, &NetworkActions::stateChanged, this, &TfmC21::refreshCommandStates);
}

void TfmC21::refreshCommandStates() {
    refreshLogMenuItem();
    rokuyo_->refresh();
    refreshGoMenu();
    memo_->refreshEnabling();
    companions_->refreshEnabling();
    exports_->refreshEnabling();
    rowPresets_->refreshButtonColumnItem();
}

void TfmC21::openDayOfShownMonth(int day) {
    TKvMCalModel& model = monthPage_->view()->model();
    const std::int32_t date = ymdToJuliusDay(model.year(), model.month(), day);
    model.setJuliusDay(date);
    monthActions_->openDayEditor(date);
}

bool TfmC21::previewKeyPress(const QKeyEvent& event) {
    KeyPreviewContext context;
    context.page = pages_->currentIndex() == 1 ? MainPage::Year : MainPage::Month;
    context.yearTabVisible = pages_->isTabVisible(1);
    context.yearMonthEntryOpen = monthPage_->yearMonthEntryOpen();
    switch (previewKey(keyOf(event.key()), modifiersOf(event.modifiers()), context)) {
        case KeyCommand::NextMonth:
            monthPage_->stepMonths(1);
            return true;
        case KeyCommand::PreviousMonth:
            monthPage_->stepMonths(-1);
            return true;
        case KeyCommand::CurrentMonth:
            monthPage_->showCurrentMonth();
            return true;
        case KeyCommand::WidenCells:
            rowPresets_->stepWidth(1);
            return true;
        case KeyCommand::NarrowCells:
            rowPresets_->stepWidth(-1);
            return true;
        case KeyCommand::NextPage:
            switchPage(1);
            return true;
        case KeyCommand::PreviousPage:
            switchPage(-1);
            return true;
        case KeyCommand::QuickDayEntry:
            quickDayEntry_->open();
            return true;
        case KeyCommand::MemoWindow:
            memo_->open(runSettings_.settings().display.pMemoMode);
            return true;
        default:
            return false;
    }
}

}  // namespace velmo
