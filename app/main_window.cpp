#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <filesystem>

#include "app/deletion_dialog.h"
#include "app/month_page.h"
#include "app/setup_dialog.h"
#include "app/startup/pending_deletions.h"
#include "app/status_texts.h"
#include "app/window_placement.h"
#include "calendar/julius_day.h"
#include "core/user_interface.h"
#include "dialogs/log_viewer.h"

namespace velmo {

namespace {

constexpr int kFunctionTimerStartMs = 10000;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Wayland does not let programs place or read their window positions.
bool positionsHonoured() {
    return !QGuiApplication::platformName().startsWith("wayland");
}

}  // namespace

TfmC21::TfmC21(MainWindowContext context, QWidget* parent)
    : QMainWindow(parent),
      context_(std::move(context)),
      runSettings_(context_.folders, context_.options, context_.clock, context_.sleeper,
                   networkSwitch_) {
    setWindowTitle(kWindowCaption);
    setObjectName("fmC21");
    createMenus();
    createPages();
    createStatusBar();
    readSettings();
    monthPage_->initialise(dateTimeToJuliusDay(context_.clock.now()), context_.folders,
                           runSettings_.settings(), runSettings_.dataFolders(), context_.ui,
                           context_.sleeper);
    addDataSaveStep([this] { return monthPage_->session().saveAll(); });
    log_ = std::make_unique<StartEndLog>(startEndLogPath(runSettings_.dataFolders().commonFolder),
                                         context_.clock, context_.sleeper, context_.ui);
    log_->ensureExists();
    log_->recordStart(logSettings());
    refreshLogMenuItem();

    functionTimer_ = new QTimer(this);
    functionTimer_->setInterval(kFunctionTimerStartMs);
    connect(functionTimer_, &QTimer::timeout, this, &TfmC21::refreshClockPanel);
    functionTimer_->start();
    refreshClockPanel();
    refreshMessagePanel();
}

void TfmC21::createMenus() {
    QMenu* file = menuBar()->addMenu("ファイル(&F)");
    QAction* quit = file->addAction("終了(&X)");
    quit->setObjectName("miExit");
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* go = menuBar()->addMenu("移動(&G)");
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
    // Ctrl+arrows move by month and back to today's month, as on the month view itself.
    const std::pair<QKeySequence, std::function<void()>> keys[] = {
        {QKeySequence("Ctrl+Left"), [this] { monthPage_->stepMonths(-1); }},
        {QKeySequence("Ctrl+Right"), [this] { monthPage_->stepMonths(1); }},
        {QKeySequence("Ctrl+Up"), [this] { monthPage_->showCurrentMonth(); }}};
    for (const auto& [sequence, action] : keys) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, action);
    }

    QMenu* view = menuBar()->addMenu("表示(&V)");
    logMenuItem_ = view->addAction("起動時刻(&J)");
    logMenuItem_->setObjectName("miKidouJikoku");
    connect(logMenuItem_, &QAction::triggered, this,
            [this] { showStartEndLog(this, log_->file(), context_.ui, context_.sleeper); });
}

bool TfmC21::persistBackupNames(const std::array<std::string, 3>& names) {
    // The rotation is recorded at once, so a crash before the next full save can never
    // rotate the same backups twice.
    ProfileFile file =
        ProfileFile::load(context_.folders.settingsFile, kSettingsRetry, context_.sleeper);
    const char* const keys[] = {"CaFT1", "CaFT2", "CaFT3"};
    for (int i = 0; i < 3; ++i)
        file.writeString("Settei", keys[i], names[i]);
    return file.save(kSettingsRetry, context_.sleeper) == ProfileFile::SaveOutcome::Saved;
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
        {context_.ui, context_.sleeper, localHooks_,
         [this](const std::array<std::string, 3>& names) { return persistBackupNames(names); }},
        pages_);

    auto* yearPage = new QWidget(pages_);
    yearPage->setObjectName("tsYear");
    auto* memoPage = new QWidget(pages_);
    memoPage->setObjectName("tsMemo");

    pages_->addTab(monthPage_, "月");
    pages_->addTab(yearPage, "年");
    pages_->addTab(memoPage, "メモ");
    setCentralWidget(pages_);
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
    applySettings();
}

void TfmC21::applySettings() {
    const TorkaSettings& s = runSettings_.settings();
    pages_->setTabVisible(2, s.behaviour.cbMemo);
    refreshClockPanel();
    refreshMessagePanel();
}

void TfmC21::placeOnScreen() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (!primary || !positionsHonoured())
        return;
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens())
        areas << screen->availableGeometry();
    const WindowKeys& w = runSettings_.settings().window;
    move(startPosition({w.HyoujiIchi, w.cbNotMannaka, QPoint(w.fmC21Left, w.fmC21Top)},
                       frameGeometry().size(), pos(), primary->availableGeometry(), areas));
}

bool TfmC21::fullSave() {
    std::optional<std::pair<int, int>> topLeft;
    if (positionsHonoured())
        topLeft = std::make_pair(y(), x());
    const FullSaveResult result = velmo::fullSave([&] { return runSettings_.save(topLeft); },
                                                  [&] {
                                                      bool saved = true;
                                                      for (const auto& step : dataSaveSteps_)
                                                          saved = step() && saved;
                                                      return saved;
                                                  },
                                                  context_.ui);
    return result.ok();
}

void TfmC21::refreshClockPanel() {
    panels_[0]->setText(
        clockPanelText(context_.clock.now(), runSettings_.settings().behaviour.cb24ji));
}

void TfmC21::refreshMessagePanel() {
    panels_[2]->setText(startFolderPanelText(qs(context_.folders.startFolder),
                                             runSettings_.settings().behaviour.cbShiyouchuu));
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
    if (context_.options.deletionsPending())
        runPendingDeletions();
    askFirstRunQuestion();
}

void TfmC21::runPendingDeletions() {
    const StartFolders& f = context_.folders;
    const std::vector<std::string> kept = {f.startFolder, f.settingsFolder, f.userFolder,
                                           f.safeguardFolder};
    const LaunchOptions& o = context_.options;
    if (!o.deleteFile.empty())
        deleteFileSilently(o.deleteFile, kept);
    // Each offer asks first; Yes deletes under the wait cursor and reports the outcome.
    const auto offer = [this](const DeletionOffer& what, const std::function<std::string()>& del) {
        DeletionDialog dialog(what, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string report = del();
        QApplication::restoreOverrideCursor();
        context_.ui.message(report);
    };
    if (!o.offerArchiveDeletion.empty()) {
        offer(archiveDeletionOffer(qs(o.offerArchiveDeletion)),
              [&] { return deleteOfferedArchive(o.offerArchiveDeletion, kept); });
        context_.sleeper.sleep(std::chrono::milliseconds(300));
    }
    if (!o.offerWorkFolderDeletion.empty()) {
        offer(workFolderDeletionOffer(qs(o.offerWorkFolderDeletion)),
              [&] { return deleteOfferedWorkFolder(o.offerWorkFolderDeletion, kept); });
    }
}

void TfmC21::askFirstRunQuestion() {
    const StartFolders& f = context_.folders;
    if (context_.options.firstNetworkSetup || !(f.startedFromCdrom || f.firstRun))
        return;
    SetupMode mode = SetupMode::Normal;
    bool yes = false;
    if (f.startedFromNetwork) {
        mode = SetupMode::CopyNetworkInstallation;
        yes = ask(context_.ui,
                  "「ベルモ」Ver9.1.1をＰＣ(" + f.computerName +
                      ")にセットアップしますか？\r\n\r\n\r\n[はい]----セットアップ\r\n\r\n"
                      "[いいえ]--ネットフォルダ上にある「ベルモ」の管理起動\r\n\r\n\r\n"
                      "この確認は、ネット上の「ベルモ」を起動したときに表示されます。\r\n\r\n");
    } else {
        yes = ask(
            context_.ui,
            "「ベルモ」Ver9.1.1 のセットアップを行いますか？\r\n\r\n\r\n"
            "[はい]----セットアップフォーム表示\r\n\r\n[いいえ]--「ベルモ」の通常起動\r\n\r\n\r\n"
            "この確認は、固定ディスクの場合、（原則）初回起動時１回しか表示されません。\r\n"
            "[いいえ]の場合は、「ベルモ」から通常のセットアップを行ってください。");
    }
    if (yes) {
        SetupDialog dialog(f, f.startFolderGiven, mode, this);
        dialog.exec();
    }
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
    // The end entry follows the save, so a failed save reads as an improper end.
    const bool saved = fullSave();
    log_->recordExit(logSettings(), saved);
    return true;
}

void TfmC21::closeEvent(QCloseEvent* event) {
    if (closeQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

}  // namespace velmo
