#include "app/resident_actions.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "app/commands/main_commands.h"
#include "app/month_page.h"
#include "app/navigation/today_balloon.h"
#include "app/page_bounds.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "app/status_texts.h"
#include "monthview/qt_month_view.h"
#include "platform/global_hot_keys.h"
#include "platform/tray_icon.h"

namespace velmo {

namespace {

constexpr int kCountdownStepMs = 1000;
constexpr int kBalloonShownMs = 15000;
// How often a request waiting for a modal dialog looks again.
constexpr int kModalPollMs = 250;

platform::GlobalKey globalKeyOf(HotKey key) {
    switch (key) {
        case HotKey::Resident:
            return platform::GlobalKey::CtrlF12;
        case HotKey::Editor:
            return platform::GlobalKey::CtrlF11;
        case HotKey::TodayBalloon:
            break;
    }
    return platform::GlobalKey::AltDown;
}

// The balloon reads CR LF line ends; the desktop wants plain ones.
QString withPlainLineEnds(const std::string& text) {
    return QString::fromStdString(text).replace("\r\n", "\n");
}

}  // namespace

ResidentActions::ResidentActions(ResidentActionsContext context, QMenu& fileMenu,
                                 MainCommands& commands, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    tray_ = new platform::TrayIcon(platform::velmoIcon(), this);
    hotKeys_ = new platform::GlobalHotKeys(this);
    mode_ = std::make_unique<ResidentMode>(hooks(), context_.sleeper);
    connect(tray_, &platform::TrayIcon::restoreRequested, this, &ResidentActions::restore);
    connect(tray_, &platform::TrayIcon::menuCommand, this, &ResidentActions::trayCommand);
    const auto balloonGone = [this] {
        balloonTimer_->stop();
        balloonShowing_ = false;
    };
    connect(tray_, &platform::TrayIcon::balloonClicked, this, balloonGone);
    connect(tray_, &platform::TrayIcon::balloonClosed, this, balloonGone);
    connect(hotKeys_, &platform::GlobalHotKeys::pressed, this, &ResidentActions::hotKeyPressed);

    countdownTimer_ = new QTimer(this);
    countdownTimer_->setInterval(kCountdownStepMs);
    connect(countdownTimer_, &QTimer::timeout, this, &ResidentActions::countdownStep);
    balloonTimer_ = new QTimer(this);
    balloonTimer_->setInterval(kBalloonShownMs);
    connect(balloonTimer_, &QTimer::timeout, this, &ResidentActions::hideBalloon);
    deferTimer_ = new QTimer(this);
    deferTimer_->setInterval(kModalPollMs);
    connect(deferTimer_, &QTimer::timeout, this, [this] {
        if (QApplication::activeModalWidget() || !deferred_)
            return;
        deferTimer_->stop();
        const ResidentRequest request = *deferred_;
        deferred_.reset();
        perform(request);
    });

    // The file menu's item goes resident even while the 常駐 button closes the program.
    QAction* item = new QAction("常駐(&J)", &fileMenu);
    item->setObjectName("miJouchuu");
    QAction* first = fileMenu.actions().isEmpty() ? nullptr : fileMenu.actions().first();
    fileMenu.insertAction(first, item);
    fileMenu.insertSeparator(first);
    connect(item, &QAction::triggered, this, [this] { goResident(ResidentRequest::FileMenu); });
    commands.add(MonthMenuCommand::Resident,
                 [this](std::int32_t) { goResident(ResidentRequest::Command); });

    button_ = context_.monthPage.insertButton("常駐", "btnJouchuu", QString());
    connect(button_, &QPushButton::clicked, this, [this] { goResident(ResidentRequest::Command); });
    refreshButton();
}

ResidentActions::~ResidentActions() = default;

ResidentHooks ResidentActions::hooks() {
    ResidentHooks h;
    QMainWindow& window = context_.window;
    h.enableGoMenu = context_.enableGoMenu;
    h.closeProgram = [&window] { window.close(); };
    h.hideWindow = [&window] { window.hide(); };
    h.minimiseWindow = [&window] { window.showMinimized(); };
    h.trayAvailable = [] { return platform::TrayIcon::trayAvailable(); };
    h.reportTrayError = [this](const std::string& text) { informMain(context_.ui, text); };
    h.clearMonthViewMarks = [this] {
        TKvMCalModel& model = context_.monthPage.view()->model();
        model.state().ClickMark = false;
        model.redrawGrid();
        context_.monthPage.view()->update();
    };
    h.closeTextWindows = context_.closeTextWindows;
    h.saveBeforeLeaving = context_.saveBeforeLeaving;
    h.showTrayIcon = [this] { showTrayIconOrThrow(); };
    h.automaticBackup = context_.automaticBackup;
    h.editorLaunching = [this] { return editor_.launching && editor_.launching(); };
    h.endEditorLaunch = [this] {
        if (editor_.endLaunch)
            editor_.endLaunch();
    };
    h.windowVisible = [this] { return windowVisible(); };
    h.showWindow = [&window] {
        if (window.isMinimized())
            window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
    };
    h.bringToFront = [&window] {
        window.raise();
        window.activateWindow();
    };
    h.memoPageActive = [this] { return context_.pages.currentIndex() == kMemoPageIndex; };
    h.showMonthPage = [this] { context_.pages.setCurrentIndex(kMonthPageIndex); };
    h.functionTick = context_.functionTick;
    h.selectDataSet1 = context_.selectDataSet1;
    h.networkMode = context_.networkMode;
    h.checkSharedChanges = context_.checkSharedChanges;
    return h;
}

bool ResidentActions::windowVisible() const {
    return context_.window.isVisible() && !context_.window.isMinimized();
}

bool ResidentActions::resident() const {
    return !windowVisible();
}

void ResidentActions::goResident(ResidentRequest request) {
    if (QApplication::activeModalWidget()) {
        deferred_ = request;
        deferTimer_->start();
        return;
    }
    perform(request);
}

void ResidentActions::perform(ResidentRequest request) {
    mode_->setCloseButton(context_.run.settings().behaviour.cbCloseBtn);
    mode_->goResident(request);
}

void ResidentActions::showTrayIconOrThrow() {
    if (!tray_->show())
        throw TrayError(kTrayAddError);
}

void ResidentActions::restore() {
    mode_->restore();
}

void ResidentActions::firstShowing() {
    if (!platform::TrayIcon::trayAvailable())
        return;
    try {
        withTrayRetries([this] { showTrayIconOrThrow(); }, context_.sleeper);
    } catch (const TrayError& error) {
        informMain(context_.ui, error.what());
    }
}

bool ResidentActions::trayIconShown() const {
    return tray_->shown();
}

void ResidentActions::showTrayIconQuietly() {
    // A tray that refuses now is asked again at the next tick.
    if (platform::TrayIcon::trayAvailable())
        tray_->show();
}

void ResidentActions::firstActivation(int countdownSeconds) {
    countdown_.start(countdownSeconds);
    if (countdown_.running())
        countdownTimer_->start();
    context_.refreshMessagePanel();
}

void ResidentActions::cancelCountdown() {
    if (!countdown_.running())
        return;
    countdown_.cancel();
    countdownTimer_->stop();
    context_.refreshMessagePanel();
}

void ResidentActions::countdownStep() {
    if (!countdown_.running()) {
        countdownTimer_->stop();
        return;
    }
    const bool due = countdown_.step();
    context_.refreshMessagePanel();
    if (!due)
        return;
    countdownTimer_->stop();
    goResident(ResidentRequest::Automatic);
}

void ResidentActions::trayCommand(platform::TrayMenuCommand command) {
    switch (command) {
        case platform::TrayMenuCommand::Exit:
            context_.window.close();
            break;
        case platform::TrayMenuCommand::MoveTopLeft:
            moveToTopLeft();
            restore();
            break;
        case platform::TrayMenuCommand::Cancel:
            break;
        case platform::TrayMenuCommand::Resident:
            goResident(ResidentRequest::Command);
            break;
        case platform::TrayMenuCommand::Open:
            restore();
            break;
    }
}

void ResidentActions::moveToTopLeft() {
    QMainWindow& window = context_.window;
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (screen)
        window.move(screen->availableGeometry().topLeft());
}

void ResidentActions::registerHotKeys() {
    const BehaviourKeys& b = context_.run.settings().behaviour;
    if (!b.cbHotkey)
        return;
    // Without a window system (the offscreen platform) there are no global keys and no
    // user to tell: a box there would only wait for an answer that never comes.
    const bool silenced = hotKeyMessagesSilenced(context_.folders.startFolder) ||
                          QGuiApplication::platformName() == "offscreen";
    const bool editorInUse = editor_.inUse && editor_.inUse();
    for (HotKey key : hotKeysToRegister(editorInUse, b.cbToday)) {
        if (hotKeys_->registerKey(static_cast<int>(key), globalKeyOf(key))) {
            registered_.push_back(key);
        } else if (!silenced) {
            informMain(context_.ui, hotKeyFailureText(key));
        }
    }
}

void ResidentActions::releaseHotKeys() {
    bool released = true;
    for (HotKey key : registered_)
        released = hotKeys_->unregisterKey(static_cast<int>(key)) && released;
    registered_.clear();
    if (!released)
        informMain(context_.ui, kHotKeyReleaseError);
}

void ResidentActions::hotKeyPressed(int id) {
    const BehaviourKeys& b = context_.run.settings().behaviour;
    if (!b.cbHotkey)
        return;
    switch (static_cast<HotKey>(id)) {
        case HotKey::Resident:
            if (windowVisible() && context_.window.isActiveWindow()) {
                goResident(ResidentRequest::Automatic);
            } else {
                restore();
            }
            break;
        case HotKey::Editor:
            if (editor_.inUse && editor_.inUse() && editor_.call)
                editor_.call();
            break;
        case HotKey::TodayBalloon:
            if (b.cbToday)
                toggleTodayBalloon();
            break;
    }
}

void ResidentActions::toggleTodayBalloon() {
    if (balloonShowing_) {
        hideBalloon();
        return;
    }
    const LocalDateTime now = context_.clock.now();
    const TKvMCalModel& model = context_.monthPage.view()->model();
    const auto slot = static_cast<std::size_t>(model.state().CurrentSlot);
    const MonthSlot& shown = model.monthSlots().at(slot < kMonthSlotCount ? slot : 0);
    const bool todaysMonth = shown.year == now.year && shown.month == now.month;
    const QString title = clockPanelText(now, context_.run.settings().behaviour.cb24ji);
    const QString text = withPlainLineEnds(todayBalloonText(shown.lines, now.day, todaysMonth));
    try {
        withTrayRetries(
            [&] {
                if (!tray_->showBalloon(title, text))
                    throw TrayError(kTrayBalloonError);
            },
            context_.sleeper);
    } catch (const TrayError& error) {
        informMain(context_.ui, error.what());
        return;
    }
    balloonShowing_ = true;
    balloonTimer_->start();
}

void ResidentActions::hideBalloon() {
    balloonTimer_->stop();
    balloonShowing_ = false;
    tray_->hideBalloon();
}

void ResidentActions::refreshButton() {
    button_->setText(context_.run.settings().behaviour.cbCloseBtn ? "終了" : "常駐");
}

}  // namespace velmo
