#include "app/options_actions.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMenu>
#include <QPushButton>
#include <filesystem>
#include <system_error>

#include "app/backup_actions.h"
#include "app/companion_actions.h"
#include "app/navigation/companion_search.h"
#include "app/network_actions.h"
#include "app/startup/administrator_rights.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "app/timer_actions.h"
#include "dialogs/net_create_dialog.h"
#include "dialogs/options/option_pages.h"
#include "dialogs/period_page.h"
#include "shared/forced_unlock.h"
#include "shared/lock_search.h"
#include "store/start_end_log.h"

namespace velmo {

namespace {

constexpr const char* kRestartText =
    "データフォルダ等が変更になったため、一度終了します。\r\n"
    "再び、起動した後は、設定した項目が有効になります。";

std::string withSlash(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

}  // namespace

OptionsActions::OptionsActions(OptionsActionsContext context, QMenu& viewMenu, QMenu& functionsMenu,
                               QMenu& otherMenu, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    QAction* show = viewMenu.addAction("設定表示(&S)");
    show->setObjectName("miSetteiHyouji");
    connect(show, &QAction::triggered, this, [this] { openFull(false); });
    QAction* option = otherMenu.addAction("オプション設定(&O)");
    option->setObjectName("miOption");
    connect(option, &QAction::triggered, this, [this] { openFull(true); });
    correctionItem_ = functionsMenu.addAction("内蔵時計修正設定(&J)");
    correctionItem_->setObjectName("miClockSettei");
    connect(correctionItem_, &QAction::triggered, this, &OptionsActions::openTimeCorrection);
    if (auto* button = context_.window.findChild<QPushButton*>("btnSettei")) {
        button->setText("設定");
        connect(button, &QPushButton::clicked, this, [this] { openFull(false); });
    }
    refreshCorrectionItem();
}

void OptionsActions::refreshCorrectionItem() {
    correctionItem_->setEnabled(context_.companions.clockFound() &&
                                context_.run.settings().correction.cbTShuusei);
}

TorkaSettings& OptionsActions::options() {
    return context_.run.settings();
}

void OptionsActions::refreshFacts() {
    const StartFolders& f = context_.folders;
    facts_.startFolder = f.startFolder;
    facts_.userFolder = f.userFolder;
    facts_.settingsFolder = f.settingsFolder;
    facts_.settingsFile = f.settingsFile;
    facts_.startupFolder = f.startupFolder;
    facts_.startedFromCdrom = f.startedFromCdrom;
    facts_.startedFromNetwork = f.startedFromNetwork;
    facts_.startedFromRemovable = f.startedFromRemovable;
    facts_.useUserFolder = f.useUserFolder;
}

bool OptionsActions::run(OptionsForm form) {
    if (open_)
        return false;
    open_ = true;
    refreshFacts();
    const std::string sharedBefore = options().network.edtNetFolder;
    bool restart = false;
    {
        TfmOption dialog(form, *this, optionPages(), &context_.window);
        emit dialogOpened(&dialog);
        dialog.exec();
        restart = dialog.restartRequested();
    }
    open_ = false;
    if (options().network.edtNetFolder != sharedBefore)
        context_.network.sharedFolderOptionChanged();
    refreshCorrectionItem();
    emit dialogClosed();
    return restart;
}

void OptionsActions::openFull(bool fromOptionItem) {
    if (fromOptionItem)
        context_.leaveYearPage();
    context_.applyMonthButtons();
    context_.fullSave();
    const bool restart = run(OptionsForm::Full);
    context_.applyCalendarOptions();
    context_.applyAfterClosing();
    if (restart) {
        informMain(context_.ui, kRestartText);
        context_.window.close();
    }
}

void OptionsActions::openTimeCorrection() {
    run(OptionsForm::TimeCorrection);
}

void OptionsActions::openNetworkForm() {
    NetworkKeys& n = options().network;
    n.cbNet = true;
    n.cbLNetf = true;
    n.rbNetKoushin = 2;
    run(OptionsForm::Network);
}

QWidget* OptionsActions::dialogParent() const {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return &context_.window;
}

std::optional<Colour> OptionsActions::chooseColour(Colour initial) {
    return chooseColourInDialog(initial, dialogParent());
}

std::optional<std::string> OptionsActions::chooseFolder(const std::string& title,
                                                        const std::string& startFolder) {
    const QString chosen = QFileDialog::getExistingDirectory(
        dialogParent(), QString::fromStdString(title), QString::fromStdString(startFolder));
    if (chosen.isEmpty())
        return std::nullopt;
    return withSlash(chosen.toStdString());
}

std::optional<std::string> OptionsActions::chooseFile(const std::string& title,
                                                      const std::string& startFolder) {
    const QString chosen = QFileDialog::getOpenFileName(
        dialogParent(), QString::fromStdString(title), QString::fromStdString(startFolder));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.toStdString();
}

bool OptionsActions::networkMode() const {
    return context_.network.networkOn();
}

void OptionsActions::networkModeOff() {
    context_.network.switchOff();
}

void OptionsActions::setChangeCheck(int rbNetKoushin) {
    context_.network.setChangeCheck(rbNetKoushin);
}

void OptionsActions::setNetOnEnabled(bool enabled) {
    if (QPushButton* button = context_.network.netOnButton())
        button->setEnabled(enabled);
}

std::array<int, 4> OptionsActions::changeCheckCounters() const {
    return context_.network.changeCheckCounters();
}

int OptionsActions::rightsLevel() const {
    return context_.rights.level();
}

void OptionsActions::evaluateRights(const std::string& sharedFolder) {
    context_.rights.evaluate(sharedFolder);
}

void OptionsActions::sharedFolderChanged(const std::string& sharedFolder) {
    // The rights this computer had belong to the old folder.
    std::error_code ignored;
    std::filesystem::remove(context_.folders.rightsFile, ignored);
    context_.rights.evaluate(sharedFolder);
}

void OptionsActions::searchLocks(const std::string& sharedFolder) {
    context_.ui.message(lockSearchText(sharedFolder));
}

void OptionsActions::forceUnlock(const std::string& sharedFolder) {
    forceUnlockAll(sharedFolder, context_.rights.level(), context_.ui);
}

std::filesystem::path OptionsActions::createSharedFolder(FolderCreationMode mode,
                                                         const std::string& sharedFolder) {
    return runNetCreateDialog(mode, context_.rights.state(), context_.rights.placeFor(sharedFolder),
                              context_.rights.fileContext(), dialogParent());
}

void OptionsActions::networkBackupAndRestore() {
    context_.backup.open();
}

void OptionsActions::settingsInUserFolder(bool inUserFolder) {
    StartFolders& f = context_.folders;
    f.settingsFolder = inUserFolder ? f.userFolder : f.startFolder;
    f.settingsFile = f.settingsFolder + std::filesystem::path(f.settingsFile).filename().string();
    refreshFacts();
}

void OptionsActions::setStartLog(bool on) {
    options().behaviour.cbKidouKiroku = on;
    context_.log.loggingSwitched(on);
    context_.refreshLogMenuItem();
}

void OptionsActions::setTimerFunction(bool on) {
    options().behaviour.cbJigen = on;
    context_.timer.settingsRead();
}

void OptionsActions::setCorrectionMenuEnabled(bool enabled) {
    options().correction.cbTShuusei = enabled;
    correctionItem_->setEnabled(enabled && context_.companions.clockFound());
}

std::string OptionsActions::clockCompanion() const {
    return context_.companions.clockPath();
}

void OptionsActions::setClockCompanion(const std::string& path) {
    context_.companions.setClockPath(path);
}

bool OptionsActions::clockCompanionRunning() const {
    return context_.companions.clockRunning();
}

void OptionsActions::startClockCompanion() {
    context_.companions.startClock();
}

bool OptionsActions::startupShortcutExists(const std::string& name) const {
    return velmo::startupShortcutExists(context_.folders.startupFolder, name);
}

void OptionsActions::applyEditorCompanion(bool inUse) {
    options().companions.cbEditor = inUse;
    context_.companions.settingsRead();
    context_.applyAfterClosing();
}

void OptionsActions::applyMemoButtonCaption() {
    context_.companions.settingsRead();
}

void OptionsActions::setPrintButtonCaption(bool shown) {
    options().companions.cbPrint = shown;
    context_.companions.settingsRead();
}

std::string OptionsActions::editorCompanion() const {
    return context_.run.settings().companions.edtEditorFolder;
}

void OptionsActions::setEditorCompanion(const std::string& path) {
    options().companions.edtEditorFolder = path;
}

std::string OptionsActions::printCompanion() const {
    return context_.run.settings().companions.edtPrintFolder;
}

void OptionsActions::setPrintCompanion(const std::string& path) {
    options().companions.edtPrintFolder = path;
}

}  // namespace velmo
