#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <filesystem>
#include <iostream>

#include "app/backup_actions.h"
#include "app/companion_actions.h"
#include "app/data_set_actions.h"
#include "app/date_change_actions.h"
#include "app/day_clipboard_actions.h"
#include "app/export_actions.h"
#include "app/first_start_steps.h"
#include "app/function_timer_actions.h"
#include "app/memo_actions.h"
#include "app/message_panel.h"
#include "app/month_page.h"
#include "app/month_view_actions.h"
#include "app/network_actions.h"
#include "app/resident_actions.h"
#include "app/rokuyo_display.h"
#include "app/row_preset_actions.h"
#include "app/search_actions.h"
#include "app/startup/session_ending.h"
#include "app/status_texts.h"
#include "app/timer_actions.h"
#include "app/view_requests.h"
#include "app/window_placement.h"
#include "app/year_page.h"
#include "app/year_page_actions.h"
#include "calendar/julius_day.h"
#include "core/user_interface.h"
#include "dialogs/day_editor.h"
#include "dialogs/log_viewer.h"
#include "dialogs/memorial_grid_dialog.h"
#include "platform/window_positions.h"
#include "store/memorial_day_edit.h"
#include "store/month_file.h"

namespace velmo {

namespace {

// The year page's designed window: 1010 wide, client 683 high below the menu.
constexpr int kYearPageWidth = 1010;
constexpr int kYearPageClientHeight = 683;

// The context with its questions routed through the window's switch.
MainWindowContext askingThrough(MainWindowContext context, UserInterface& ui) {
    return {std::move(context.folders), std::move(context.options), ui, context.clock,
            context.sleeper};
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TfmC21::TfmC21(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent),
      ui_(context.ui, std::cerr),
      context_(askingThrough(std::move(context), ui_)),
      runSettings_(context_.folders, context_.options, context_.clock, context_.sleeper,
                   networkStart_),
      rights_(context_.folders, context_.options.firstNetworkSetup, context_.clock, context_.ui,
              context_.sleeper) {
    setWindowTitle(kWindowCaption);
    setObjectName("fmC21");
    registerCommands();
    createStatusBar();
    createMenus();
    createPages();
    network_->attachToMonthPage();
    if (runSettings_.firstNetworkSetup())
        rights_.prepareFirstNetworkSetup();
    const FoundCompanions found = findEditorAndPrintProgram(context_.folders);
    runSettings_.setFoundCompanions(found.editor, found.printProgram);
    messagePanel_ = new MessagePanelView(*panels_[2], *pages_, this);
    readSettings();
    initialiseMonths();
    yearActions_ = new YearPageActions(
        {*pages_, *yearPage_, *monthPage_, context_.ui, runSettings_}, *functionsMenu_, this);
    rowPresets_ = new RowPresetActions(
        {*this, *monthPage_, *pages_, runSettings_, [this]() -> QWidget* { return editor_; }},
        *viewMenu_, this);
    addDataSaveStep([this] { return monthPage_->session().saveAll(); });
    createTextWindows();
    rokuyo_ = new RokuyoDisplay(runSettings_, *monthPage_->view(), *viewMenu_, this);
    createMonthViewActions();
    log_ = std::make_unique<StartEndLog>(startEndLogPath(runSettings_.dataFolders().commonFolder),
                                         context_.clock, context_.sleeper, context_.ui);
    log_->ensureExists();
    log_->recordStart(logSettings());
    refreshLogMenuItem();

    createDateChange();
    createResidentFeatures();
    functionTimer_->start();
    refreshClockPanel();
    refreshMessagePanel();
    refreshGoMenu();
    qApp->installEventFilter(this);
    // Closing after a failed save, log-outs and the rescue of what could not be saved.
    ending_ = std::make_unique<SessionEnding>(
        SessionEndingContext{ui_, context_.clock, context_.sleeper, context_.folders.rescueFolder},
        SessionEndingHooks{[this] { return close(); },
                           [this] { return monthPage_->session().unsavedFiles(); },
                           [] { QCoreApplication::exit(0); }});
}

void TfmC21::functionTick() {
    functionTimer_->tick();
}

TfmC21::~TfmC21() {
    qApp->removeEventFilter(this);
    // QWidget's destructor hides the window and deletes the pages only after our members
    // are gone; the focus leaving the month view and the tabs going away must not reach
    // them then.
    functionTimer_->stop();
    // The text windows' controllers watch the page tabs, which go away with the window.
    delete memo_;
    memo_ = nullptr;
    delete search_;
    search_ = nullptr;
    // It keeps the year page's state in the settings, which are gone by then.
    delete yearActions_;
    yearActions_ = nullptr;
    monthPage_->view()->setInteraction(nullptr);
    pages_->disconnect(this);
    monthPage_->disconnect(this);
}

void TfmC21::initialiseMonths() {
    monthPage_->initialise(dateTimeToJuliusDay(context_.clock.now()), context_.folders,
                           runSettings_.settings(), runSettings_.dataFolders(), context_.ui,
                           context_.sleeper);
    if (yearActions_)
        yearActions_->monthsInitialised();
    if (functionTimer_)
        functionTimer_->monthsInitialised();
}

void TfmC21::createDateChange() {
    dateChange_ = new DateChangeActions(
        {*this, *pages_, *monthPage_, *panels_[2], context_.clock, context_.sleeper, context_.ui,
         [this] { refreshMessagePanel(); }, [this] { return fullSave().dataSaved; },
         [this] {
             readSettings();
             initialiseMonths();
         },
         [this] { yearActions_->dateChanged(); }},
        this);
    // While the months are being rebuilt there is nothing whole to save.
    addCloseCheck([this] { return !dateChange_->running(); });
}

void TfmC21::createTextWindows() {
    viewRequests_ = new ViewRequests(
        *this,
        [this](ViewRequest request) {
            pages_->setCurrentIndex(request == ViewRequest::YearView ? kYearPageIndex
                                                                     : kMonthPageIndex);
        },
        this);
    const auto beforeOpening = [this] {
        if (runSettings_.settings().display.visMemoMHide)
            resident_->goResident(ResidentRequest::Automatic);
    };
    search_ = new SearchActions(
        {context_.ui, context_.sleeper, context_.clock, context_.folders.settingsFile, runSettings_,
         *viewRequests_, beforeOpening, [this] { fullSave(); }},
        *functionsMenu_, this);
    backup_ = new BackupActions({*this, context_.ui, context_.sleeper, context_.clock,
                                 context_.folders, runSettings_, [this] { fullSave(); },
                                 [this] {
                                     log_->recordExit(logSettings(), true);
                                     network_->closing();
                                     QCoreApplication::exit(0);
                                 },
                                 [this] { return rights_.level(); }},
                                *functionsMenu_, this);
    exports_ =
        new ExportActions({*this, context_.ui, context_.sleeper, context_.clock, context_.folders,
                           runSettings_, *monthPage_, [this] { fullSave(); }},
                          *functionsMenu_, this);
    search_->attachToMonthPage(*monthPage_);
    backup_->attachToMonthPage(*monthPage_);
    connect(network_, &NetworkActions::stateChanged, backup_, &BackupActions::networkStateChanged);
    connect(network_, &NetworkActions::stateChanged, exports_, &ExportActions::refreshEnabling);
    addCloseCheck([this] { return backup_->mayClose(); });
    addDataSaveStep([this] {
        backup_->dailySharedCopyStep();
        return true;
    });
    memo_ = new MemoActions({context_.ui, context_.sleeper, context_.folders, runSettings_,
                             *viewRequests_, *pages_, kMemoPageIndex, logMenuItem_, beforeOpening,
                             [this] { return companions_->memoThroughEditor(); },
                             [this] { return runSettings_.settings().companions.cbEditor; }},
                            *viewMenu_, commands_, this);
    dayClipboard_ = new DayClipboardActions({*monthPage_->view(), context_.ui,
                                             [this](MonthSlot& slot) {
                                                 saveSlot(slot, SaveRequest::SaveAll,
                                                          monthPage_->session().monthFiles());
                                             }},
                                            commands_, this);
}

void TfmC21::createMonthViewActions() {
    // The one editor window of the run, reused for every edit.
    editor_ = new TfmDay(
        context_.ui, context_.clock,
        {context_.folders.settingsFile, &context_.sleeper, runSettings_.settingsFileAsRead()},
        this);
    monthActions_ = std::make_unique<MonthViewActions>(MonthViewActionsContext{
        *monthPage_->view(),
        monthPage_->session(),
        *editor_,
        context_.ui,
        context_.sleeper,
        network_->hooks(),
        [this] { return network_->editLocks(); },
        [this] { network_->reloadIfOthersWrote(); },
        runSettings_.settings(),
        context_.folders.computerName,
        [this] { return runSettings_.dataFolders().commonFolder; },
        [this] { return monthMenuState(); },
        [this](MonthMenuCommand command, std::int32_t day) { commands_.run(command, day); },
        {}});
    monthPage_->view()->setInteraction(&monthActions_->interaction());
    connect(monthPage_, &MonthPage::dataSetRequested, dataSets_, &DataSetActions::change);
    connect(monthPage_, &MonthPage::statusHint, this, [this](const QString& text) {
        if (text.isEmpty()) {
            refreshMessagePanel();
        } else {
            panels_[2]->setText(text);
        }
    });
}

MainWindowMenuState TfmC21::monthMenuState() const {
    const TorkaSettings& s = runSettings_.settings();
    MainWindowMenuState state;
    state.closeButton = s.behaviour.cbCloseBtn;
    state.networkMode = runSettings_.dataFolders().shared.has_value();
    state.dataSet = runSettings_.dataFolders().current().number();
    state.printEnabled = s.companions.cbPrint && !rowPresets_->compact();
    state.networkAllowed = s.network.cbNet;
    state.dayCopyPending = dayClipboard_ && dayClipboard_->copyPending();
    state.editorCompanion = companions_ && companions_->editorInUse();
    state.editorMemoCaption = s.companions.cbVelmoM;
    // What no feature has taken on is shown, disabled.
    state.unavailable = commands_.unhandled(kMainWindowCommands);
    return state;
}

void TfmC21::registerCommands() {
    commands_.add(MonthMenuCommand::Exit, [this](std::int32_t) { close(); });
}

bool TfmC21::eventFilter(QObject* watched, QEvent* event) {
    // A press in the month view stops the auto-resident countdown.
    if (event->type() == QEvent::MouseButtonPress && watched == monthPage_->view() && resident_)
        resident_->cancelCountdown();
    // Key preview: the main window sees its keys before any control of its own.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        previewKeyPress(*static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void TfmC21::switchPage(int step) {
    // Only the month and year pages take part; the memo tab opens its window instead.
    const int page = pages_->currentIndex() == 0 ? 1 : 0;
    if ((step > 0) == (page == 1))
        pages_->setCurrentIndex(page);
}

void TfmC21::pageChanged() {
    const int page = pages_->currentIndex();
    const QMargins frame(geometry().left() - frameGeometry().left(),
                         geometry().top() - frameGeometry().top(),
                         frameGeometry().right() - geometry().right(),
                         frameGeometry().bottom() - geometry().bottom());
    const QScreen* shownOn = screen();
    const QRect workArea = shownOn ? shownOn->availableGeometry() : QRect();
    const std::optional<WindowBounds> bounds = pageBounds_.switchPage(
        shownPage_, page, {pos(), size()}, frame,
        {kYearPageWidth, kYearPageClientHeight + menuBar()->height()}, workArea);
    if (bounds && !rowPresets_->keepsWindowOnPageChange()) {
        resize(bounds->clientSize);
        move(bounds->frameTopLeft);
    }
    shownPage_ = page;
    refreshGoMenu();
    if (resident_)
        resident_->cancelCountdown();
    if (page == kMonthPageIndex)
        monthPage_->view()->setFocus();
}

void TfmC21::refreshGoMenu() {
    goMenu_->setEnabled(pages_->currentIndex() == kMonthPageIndex);
    dataSets_->refresh();
}

void TfmC21::editMemorialDays() {
    const std::string common = runSettings_.dataFolders().commonFolder;
    {
        MemorialGridDialog dialog(common, context_.ui, context_.sleeper, this);
        dialog.exec();
    }
    TKvMCalModel& model = monthPage_->view()->model();
    reloadSpecialDays(model.rules(), common, context_.ui, context_.sleeper);
    model.relayout();
}

void TfmC21::createMenus() {
    QMenu* file = menuBar()->addMenu("ファイル(&F)");
    file->setObjectName("miFile");
    fileMenu_ = file;
    QAction* quit = file->addAction("終了(&X)");
    quit->setObjectName("miExit");
    connect(quit, &QAction::triggered, this, [this] { commands_.run(MonthMenuCommand::Exit); });

    QMenu* go = menuBar()->addMenu("移動(&G)");
    goMenu_ = go;
    go->setObjectName("miIdou");
    DataSetActionsContext dataSetContext{[this]() -> MonthPage& { return *monthPage_; },
                                         runSettings_,
                                         context_.ui,
                                         [this] { return fullSave().dataSaved; },
                                         [this] { pages_->setCurrentIndex(kMonthPageIndex); },
                                         [this] {
                                             refreshMessagePanel();
                                             // A data set selected anew may be due a backup.
                                             if (backup_)
                                                 backup_->localDataSetSelected();
                                         }};
    dataSets_ = new DataSetActions(std::move(dataSetContext), *go, commands_, this);
    network_ = new NetworkActions(
        {*this, runSettings_, context_.ui, context_.sleeper, context_.folders.computerName,
         *netLabel_, *panels_[2], [this] { refreshMessagePanel(); },
         [this]() -> MonthPage& { return *monthPage_; }, [this] { fullSave(); },
         [this] {
             monthPage_->session().reloadAll(runSettings_.dataFolders(),
                                             runSettings_.settings().data,
                                             monthPage_->session().runToday());
             refreshGoMenu();
         },
         [this] { return editor_ && editor_->isVisible(); }, [this] { close(); }, networkStart_,
         rights_},
        *go, commands_, this);
    go->addSeparator();
    connect(go, &QMenu::aboutToShow, this, &TfmC21::refreshGoMenu);
    const struct {
        const char* caption;
        const char* objectName;
        QKeySequence shortcut;
        int months;
    } steps[] = {{"前月(&J)", "miPrevMonth", QKeySequence("Ctrl+J"), -1},
                 {"翌月(&K)", "miNextMonth", QKeySequence("Ctrl+K"), 1},
                 {"前年(&I)", "miPrevYear", QKeySequence("Ctrl+I"), -12},
                 {"翌年(&M)", "miNextYear", QKeySequence("Ctrl+M"), 12}};
    for (const auto& step : steps) {
        QAction* action = go->addAction(step.caption);
        action->setObjectName(step.objectName);
        action->setShortcut(step.shortcut);
        const int months = step.months;
        connect(action, &QAction::triggered, this,
                [this, months] { monthPage_->stepMonths(months); });
    }

    QMenu* view = menuBar()->addMenu("表示(&V)");
    view->setObjectName("miView");
    viewMenu_ = view;
    logMenuItem_ = view->addAction("起動時刻(&J)");
    logMenuItem_->setObjectName("miKidouJikoku");
    connect(logMenuItem_, &QAction::triggered, this,
            [this] { showStartEndLog(this, log_->file(), context_.ui, context_.sleeper); });

    QMenu* functions = menuBar()->addMenu("機能(&K)");
    functions->setObjectName("miKinou");
    functionsMenu_ = functions;
    QAction* memorialDays = functions->addAction("記念日等一括編集(&E)");
    memorialDays->setObjectName("miKinenbiIkkatu");
    connect(memorialDays, &QAction::triggered, this, &TfmC21::editMemorialDays);

    otherMenu_ = menuBar()->addMenu("その他(&O)");
    otherMenu_->setObjectName("miSonota");
}

bool TfmC21::persistBackupNames(const std::array<std::string, 3>& names) {
    // The rotation is recorded at once, so a crash before the next full save can never
    // rotate the same backups twice.
    return saveBackupNames(context_.folders.settingsFile, names, context_.sleeper);
}

StartEndLogSettings TfmC21::logSettings() const {
    const BehaviourKeys& b = runSettings_.settings().behaviour;
    return {b.cbKidouKiroku, b.cbKirokuHyouji, b.udKidouGyou};
}

void TfmC21::refreshLogMenuItem() {
    logMenuItem_->setEnabled(log_->exists() && logSettings().cbKidouKiroku);
}

void TfmC21::createPages() {
    pages_ = new QTabWidget(this);
    pages_->setObjectName("pcMain");

    const std::int32_t today = dateTimeToJuliusDay(context_.clock.now());
    monthPage_ = new MonthPage(
        today,
        {context_.ui, context_.sleeper, network_->hooks(),
         [this](const std::array<std::string, 3>& names) { return persistBackupNames(names); }},
        pages_);

    yearPage_ = new YearPage(today, context_.ui, pages_);
    auto* memoPage = new QWidget(pages_);
    memoPage->setObjectName("tsMemo");

    pages_->addTab(monthPage_, "月");
    pages_->addTab(yearPage_, "年");
    pages_->addTab(memoPage, "メモ");
    setCentralWidget(pages_);
    connect(pages_, &QTabWidget::currentChanged, this, &TfmC21::pageChanged);
}

void TfmC21::createStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setSizeGripEnabled(false);
    const int widths[] = {210, 64, 0};
    for (int i = 0; i < 3; ++i) {
        panels_[i] = new QLabel(bar);
        panels_[i]->setObjectName(QString("StatusPanel%1").arg(i));
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        panels_[i]->setFrameShadow(QFrame::Sunken);
        if (widths[i] > 0)
            panels_[i]->setFixedWidth(widths[i]);
        bar->addWidget(panels_[i], widths[i] > 0 ? 0 : 1);
    }
    panels_[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The network label sits over panel 1; network mode fills it.
    netLabel_ = new QLabel(panels_[1]);
    netLabel_->setObjectName("lblNet");
    netLabel_->setGeometry(2, 0, widths[1] - 6, 20);
}

QString TfmC21::statusPanelText(int panel) const {
    return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

void TfmC21::readSettings() {
    DesktopFacts desktop;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        desktop.workAreaHeight = screen->availableGeometry().height();
    }
    desktop.windowTop = y();
    desktop.windowLeft = x();
    runSettings_.read(desktop, context_.ui);
    network_->settingsRead();
    applySettings();
}

void TfmC21::applySettings() {
    const TorkaSettings& s = runSettings_.settings();
    // The editor companion serves the memo while it is in use: no tab then.
    pages_->setTabVisible(2, s.behaviour.cbMemo && !(companions_ && companions_->editorInUse()));
    if (companions_) {
        companions_->settingsRead();
        resident_->refreshButton();
        timer_->settingsRead();
        functionTimer_->optionsChanged();
        refreshCommandStates();
    }
    refreshClockPanel();
    refreshMessagePanel();
}

void TfmC21::placeOnScreen() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary || !platform::positionsHonoured())
        return;
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    const WindowKeys& w = runSettings_.settings().window;
    move(startPosition({w.HyoujiIchi, w.cbNotMannaka, QPoint(w.fmC21Left, w.fmC21Top)},
                       frameGeometry().size(), pos(), primary->availableGeometry(), areas));
}

FullSaveResult TfmC21::fullSave() {
    std::optional<std::pair<int, int>> topLeft;
    if (platform::positionsHonoured()) {
        const QPoint monthTopLeft = pageBounds_.monthTopLeft(shownPage_, pos());
        topLeft = std::make_pair(monthTopLeft.y(), monthTopLeft.x());
    }
    const FullSaveResult result = velmo::fullSave([&] { return runSettings_.save(topLeft); },
                                                  [&] {
                                                      bool saved = true;
                                                      for (const auto& step : dataSaveSteps_)
                                                          saved = step() && saved;
                                                      return saved;
                                                  },
                                                  context_.ui);
    return result;
}

void TfmC21::refreshClockPanel() {
    if (functionTimer_ && functionTimer_->correctionRunning()) {
        panels_[0]->setText("　　時刻取得中　　");
        return;
    }
    panels_[0]->setText(
        clockPanelText(context_.clock.now(), runSettings_.settings().behaviour.cb24ji));
}

void TfmC21::refreshMessagePanel() {
    MessagePanelFacts facts;
    facts.timeAdjustCompanion = functionTimer_ && functionTimer_->timeAdjustCompanionPresent();
    facts.countdownSeconds = resident_ ? resident_->countdownSeconds() : 0;
    facts.sharedFolderWasMissing = network_->sharedFolderMissingAtStart();
    facts.showStartFolder = runSettings_.settings().behaviour.cbShiyouchuu;
    facts.startFolder = qs(context_.folders.startFolder);
    messagePanel_->show(facts);
}

void TfmC21::showRequested(const QByteArray& activationToken) {
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    if (!activationToken.isEmpty())
        qputenv("XDG_ACTIVATION_TOKEN", activationToken);
    raise();
    activateWindow();
}

void TfmC21::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_)
        return;
    firstShow_ = false;
    // Questions wait until the window is on the screen.
    QTimer::singleShot(0, this, &TfmC21::firstShowing);
}

void TfmC21::firstShowing() {
    ending_->tellAboutRescuedFiles();
    if (runSettings_.firstNetworkSetup()) {
        runFirstNetworkSetup();
        return;
    }
    network_->firstShowing();
    resident_->firstShowing();
    resident_->registerHotKeys();
    rowPresets_->applyStored();
    FirstStartSteps steps{context_.folders, context_.options, context_.ui, context_.sleeper, *this};
    steps.run();
}

void TfmC21::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

void TfmC21::activated() {
    if (firstActivation_) {
        firstActivation_ = false;
        pages_->currentWidget()->setFocus();
        if (const auto note = log_->takePreviousRunNote())
            informMain(context_.ui, *note);
        network_->firstActivation();
        resident_->firstActivation(context_.options.autoResidentSeconds);
    }
    refreshClockPanel();
    functionTimer_->start();
}

bool TfmC21::closeQuery() {
    for (const auto& check : closeChecks_) {
        if (!check())
            return false;
    }
    for (const auto& step : shutdownSteps_)
        step();
    // Closing after a failed save would throw away what was typed since the last one:
    // the window stays unless the unsaved edits were put into a rescue folder first.
    const FullSaveResult saved = fullSave();
    if (!saved.dataSaved && !ending_->closeAfterFailedSave())
        return false;
    // The end entry follows the save, so a failed save reads as an improper end.
    log_->recordExit(logSettings(), saved.ok());
    network_->closing();
    return true;
}

void TfmC21::closeEvent(QCloseEvent* event) {
    if (ending_->runCloseQuery([this] { return closeQuery(); })) {
        event->accept();
        emit closed();
    } else {
        event->ignore();
    }
}

}  // namespace velmo
