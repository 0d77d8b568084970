#include "app/network_actions.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "app/commands/main_commands.h"
#include "app/month_page.h"
#include "app/panel_status_line.h"
#include "app/startup/administrator_rights.h"
#include "app/startup/run_settings.h"
#include "dialogs/folder_wait_dialog.h"
#include "shared/folder_probe.h"
#include "shared/net_timer.h"
#include "shared/shared_folder_session.h"
#include "store/file_helpers.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

constexpr const char* kNetOnCaption = "ネットＯｎ";
constexpr const char* kNetOffCaption = "ネットＯｆｆ";
constexpr const char* kNetLabelText = "net";

}  // namespace

bool NetworkActions::Hooks::networkMode() const {
    return owner_.session_->mode().networkMode();
}

bool NetworkActions::Hooks::raiseUpdateCounter() {
    return owner_.session_->mode().raiseUpdateCounter();
}

void NetworkActions::Hooks::sharedFolderLost() {
    // Reported from inside a load or save: the switch reloads everything, so it waits
    // until that has returned.
    QTimer::singleShot(0, &owner_, [this] {
        if (owner_.session_->mode().networkMode())
            owner_.session_->mode().switchOff();
    });
}

NetworkActions::NetworkActions(NetworkActionsContext context, QMenu& goMenu, MainCommands& commands,
                               QObject* parent)
    : QObject(parent),
      context_(std::move(context)),
      status_(
          std::make_unique<PanelStatusLine>(context_.messagePanel, context_.refreshMessagePanel)) {
    NetworkModeHooks hooks;
    hooks.saveAll = [this] { context_.saveAll(); };
    hooks.showState = [this](bool on) { showState(on); };
    hooks.reloadAll = [this] {
        if (session_->mode().available(kReloadCheck))
            context_.reloadAll();
    };
    hooks.showCurrentMonth = [this] { context_.page().showCurrentMonth(); };
    hooks.evaluateRights = [this] { context_.rights.evaluate(session_->mode().sharedFolder()); };
    RunSettings& run = context_.run;
    session_ = std::make_unique<SharedFolderSession>(
        [&run] { return run.hasBeenRead() ? &run.dataFolders() : nullptr; }, context_.computerName,
        context_.ui, *status_, context_.sleeper, std::move(hooks), folderReachableText);
    context_.start.attach(&session_->mode());

    netOnItem_ = goMenu.addAction(kNetOnCaption);
    netOnItem_->setObjectName("miNetOn");
    netOnItem_->setShortcut(QKeySequence("Ctrl+Alt+N"));
    connect(netOnItem_, &QAction::triggered, this, &NetworkActions::toggle);
    connect(&goMenu, &QMenu::aboutToShow, this, &NetworkActions::refreshEnabling);

    // No menu of the window carries it; the key works wherever the window has the focus.
    reloadItem_ = new QAction("ネット読み直し", &context_.window);
    reloadItem_->setObjectName("miNetReload");
    reloadItem_->setShortcut(QKeySequence("Ctrl+N"));
    context_.window.addAction(reloadItem_);
    connect(reloadItem_, &QAction::triggered, this, &NetworkActions::reloadFromShared);

    commands.add(MonthMenuCommand::NetOn, [this](std::int32_t) { toggle(); });
    commands.add(MonthMenuCommand::NetReload, [this](std::int32_t) { reloadFromShared(); });

    context_.netLabel.installEventFilter(this);
    netTimer_ = new QTimer(this);
    connect(netTimer_, &QTimer::timeout, this, &NetworkActions::netTick);
}

// Qt drops the label's event filter with this object; the label may be gone already.
NetworkActions::~NetworkActions() = default;

LockOperations* NetworkActions::editLocks() {
    return session_->editLocks();
}

void NetworkActions::attachToMonthPage() {
    netOnButton_ = context_.page().insertButton("NetOn", "btnNetOn", "btnFiles2");
    connect(netOnButton_, &QPushButton::clicked, this, [this] {
        // The button may still wear the warning of a failed start.
        netOnButton_->setStyleSheet({});
        toggle();
    });
    refreshEnabling();
}

void NetworkActions::settingsRead() {
    const FolderReadResult& decision = context_.run.folderDecision();
    NetworkMode& mode = session_->mode();
    mode.setSharedFolder(decision.sharedFolder);
    if (decision.network.state == NetworkState::Unavailable) {
        waitingForFolder_ = true;
        missingAtStart_ = true;
    }
    if (decision.network.state != NetworkState::On && mode.networkMode())
        mode.setState(false);
    setChangeCheck(context_.run.settings().network.rbNetKoushin);
    showState(mode.networkMode());
}

bool NetworkActions::networkOn() const {
    return session_->mode().networkMode();
}

void NetworkActions::switchOff() {
    if (session_->mode().networkMode())
        session_->mode().toggle();
}

void NetworkActions::setChangeCheck(int rbNetKoushin) {
    if (const auto interval = netTimerInterval(rbNetKoushin)) {
        netTimer_->start(*interval);
    } else {
        netTimer_->stop();
    }
}

int NetworkActions::changeCheckInterval() const {
    return netTimer_->isActive() ? netTimer_->interval() : 0;
}

std::array<int, 4> NetworkActions::changeCheckCounters() const {
    return {ticks_, reloadsAfterCheck_, reloadsAsked_, checks_};
}

void NetworkActions::sharedFolderOptionChanged() {
    // While network mode is on the folder in use stays until it goes off; a blank box
    // leaves no shared folder at all.
    if (session_->mode().networkMode())
        return;
    const std::string box = trimSpaces(context_.run.settings().network.edtNetFolder);
    session_->mode().setSharedFolder(box.empty() ? std::string() : withTrailingSeparator(box));
}

void NetworkActions::firstShowing() {
    const NetworkMode& mode = session_->mode();
    if (!mode.networkMode())
        return;
    const std::string folder = sharedDataFolder(mode.sharedFolder());
    if (!folderReachableText(folder) &&
        ask(context_.ui, sharedFolderMissingAtShowQuestion(folder), DefaultButton::Yes))
        context_.endProgram();
}

void NetworkActions::firstActivation() {
    if (!waitingForFolder_)
        return;
    waitingForFolder_ = false;
    if (waitForSharedFolder(&context_.window, sharedDataFolder(session_->mode().sharedFolder()))) {
        session_->mode().switchOn();
        return;
    }
    if (netOnButton_)
        netOnButton_->setStyleSheet("background-color: yellow; color: red;");
    context_.ui.message(kSharedFolderLostAtStartMessage);
}

void NetworkActions::reloadIfOthersWrote() {
    if (session_->takePendingReload())
        reloadFromShared();
}

void NetworkActions::closing() {
    session_->releaseMaintenanceAtExit();
}

void NetworkActions::toggle() {
    if (!context_.run.settings().network.cbNet)
        return;
    session_->mode().toggle();
}

void NetworkActions::reloadFromShared() {
    ++reloadsAsked_;
    session_->reloadFromShared([this] {
        if (session_->mode().available(kReloadCheck))
            context_.page().session().reloadShown();
    });
}

void NetworkActions::checkForUpdates() {
    ++checks_;
    switch (session_->checkForUpdates()) {
        case CheckOutcome::Nothing:
            break;
        case CheckOutcome::Reload:
            ++reloadsAfterCheck_;
            reloadFromShared();
            break;
        case CheckOutcome::Stop:
            context_.endProgram();
            break;
    }
}

void NetworkActions::netTick() {
    ++ticks_;
    if (netTickChecks(!context_.window.isVisible(), context_.dayEditorOpen()))
        checkForUpdates();
}

void NetworkActions::showState(bool on) {
    context_.run.settings().network.vNet_flg = on;
    const QString caption = on ? kNetOffCaption : kNetOnCaption;
    netOnItem_->setText(caption);
    if (netOnButton_)
        netOnButton_->setText(on ? "NetOff" : "NetOn");
    context_.netLabel.setText(on ? kNetLabelText : QString());
    refreshEnabling();
    emit stateChanged(on);
}

void NetworkActions::refreshEnabling() {
    const bool allowed = context_.run.hasBeenRead() && context_.run.settings().network.cbNet;
    const bool on = session_->mode().networkMode();
    netOnItem_->setEnabled(allowed);
    netOnItem_->setText(on ? kNetOffCaption : kNetOnCaption);
    reloadItem_->setEnabled(allowed && on);
    context_.netLabel.setEnabled(on);
    if (netOnButton_)
        netOnButton_->setEnabled(allowed);
}

bool NetworkActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &context_.netLabel && context_.netLabel.isEnabled()) {
        if (event->type() == QEvent::MouseButtonPress) {
            context_.netLabel.setStyleSheet("background-color: magenta;");
        } else if (event->type() == QEvent::MouseButtonRelease) {
            context_.netLabel.setStyleSheet({});
            reloadFromShared();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace velmo
