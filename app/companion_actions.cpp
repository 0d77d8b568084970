#include "app/companion_actions.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QWidget>
#include <filesystem>

#include "app/commands/main_commands.h"
#include "app/month_page.h"
#include "app/navigation/resident_mode.h"
#include "app/navigation/time_correction.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "platform/posix/process_scan.h"
#include "store/memo_file.h"

namespace velmo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

CompanionPlaces placesOf(const StartFolders& folders) {
    return {folders.startFolder, folders.profileFolder, folders.commonFilesFolder,
            folders.useUserFolder};
}

std::string find(Companion companion, const StartFolders& folders, bool cbClock) {
    const auto found = platform::findCompanion(
        companionFileName(companion), companionFolders(companion, placesOf(folders), cbClock));
    return found ? found->string() : std::string();
}

}  // namespace

FoundCompanions findEditorAndPrintProgram(const StartFolders& folders) {
    return {find(Companion::Editor, folders, false), find(Companion::Print, folders, false)};
}

CompanionActions::CompanionActions(CompanionActionsContext context, QMenu& functionsMenu,
                                   MainCommands& commands, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    printItem_ = functionsMenu.addAction("印刷(&P)");
    printItem_->setObjectName("miPrint");
    connect(printItem_, &QAction::triggered, this, &CompanionActions::print);
    connect(&functionsMenu, &QMenu::aboutToShow, this, &CompanionActions::refreshEnabling);
    // The clock is started by the time correction; its item is never shown.
    clockItem_ = new QAction("ベル時計表示(&C)", &context_.window);
    clockItem_->setObjectName("miClock");
    context_.window.addAction(clockItem_);
    connect(clockItem_, &QAction::triggered, this, &CompanionActions::startClock);
    commands.add(MonthMenuCommand::Print, [this](std::int32_t) { print(); });

    // Items never shown whose keys work while the editor is in use.
    callItem_ = new QAction("ベルメモ呼出", &context_.window);
    callItem_->setObjectName("miBelMemoYobidasi");
    callItem_->setShortcut(QKeySequence("Ctrl+F11"));
    closeItem_ = new QAction("ベルメモ終了", &context_.window);
    closeItem_->setObjectName("miBelMemoShuuryou");
    closeItem_->setShortcut(QKeySequence("Shift+Ctrl+F11"));
    for (QAction* item : {callItem_, closeItem_}) {
        item->setShortcutContext(Qt::ApplicationShortcut);
        context_.window.addAction(item);
    }
    connect(callItem_, &QAction::triggered, this, &CompanionActions::callEditor);
    connect(closeItem_, &QAction::triggered, this, &CompanionActions::closeEditor);

    memoButton_ = context_.monthPage.insertButton(QString(), "btnMemo", "btnFiles2");
    connect(memoButton_, &QPushButton::clicked, this, [this, &commands] {
        if (editorInUse())
            commands.run(MonthMenuCommand::Memo);
    });
    printButton_ = context_.monthPage.insertButton(QString(), "btnPrint", "btnKongetu");
    connect(printButton_, &QPushButton::clicked, this, [this] {
        if (context_.printAllowed())
            print();
    });
    settingsRead();
}

void CompanionActions::settingsRead() {
    const TorkaSettings& s = context_.run.settings();
    clockPath_ = find(Companion::Clock, context_.folders, s.correction.cbClock);
    clockItem_->setEnabled(clockFound());
    refreshEnabling();
    callItem_->setEnabled(editorInUse());
    closeItem_->setEnabled(editorInUse());
    refreshMemoCaptions();
    printButton_->setText(s.companions.cbPrint ? "印刷" : "");
    // A button without caption and action only takes room in the column.
    printButton_->setVisible(!printButton_->text().isEmpty());
}

void CompanionActions::refreshEnabling() {
    printItem_->setEnabled(context_.printAllowed());
}

void CompanionActions::refreshMemoCaptions() {
    QString caption;
    if (editorInUse())
        caption = context_.run.settings().companions.cbVelmoM ? "メモ" : "ルボン";
    memoButton_->setText(caption);
    memoButton_->setVisible(!caption.isEmpty());
}

bool CompanionActions::editorInUse() const {
    const CompanionKeys& c = context_.run.settings().companions;
    return c.cbEditor && !c.edtEditorFolder.empty();
}

bool CompanionActions::running(Companion companion, qint64 pid) const {
    if (pid > 0 && platform::processRunning(static_cast<int>(pid)))
        return true;
    return !platform::processesNamed(companionFileName(companion)).empty();
}

bool CompanionActions::start(Companion companion, const std::string& path,
                             const QStringList& arguments, qint64* pid, bool report) {
    if (QProcess::startDetached(qs(path), arguments, qs(context_.folders.startFolder), pid))
        return true;
    if (!report)
        return false;
    const std::string name = companionNames(companion).shown;
    context_.ui.information(
        "「" + name + "」が起動できません。\r\n「" + name + "」の場所をチェックしてください。",
        kMainInformationCaption);
    return false;
}

void CompanionActions::callEditor() {
    if (!editorInUse())
        return;
    // A running editor keeps its place; the desktop decides which window is in front.
    if (running(Companion::Editor, editorPid_))
        return;
    start(Companion::Editor, context_.run.settings().companions.edtEditorFolder, {}, &editorPid_);
}

void CompanionActions::closeEditor() {
    if (!editorInUse())
        return;
    if (editorPid_ > 0 && platform::processRunning(static_cast<int>(editorPid_))) {
        platform::requestClose(static_cast<int>(editorPid_));
        return;
    }
    for (int pid : platform::processesNamed(companionFileName(Companion::Editor)))
        platform::requestClose(pid);
}

void CompanionActions::endEditorLaunch() {
    editorLaunching_ = false;
    closeEditor();
}

bool CompanionActions::memoThroughEditor() {
    if (!editorInUse())
        return false;
    const TorkaSettings& s = context_.run.settings();
    const std::string common = context_.run.dataFolders().commonFolder;
    ensureMemoFile(std::filesystem::path(common) / kMemoFileName, context_.ui, context_.sleeper);
    if (running(Companion::Editor, editorPid_)) {
        if (s.companions.cbVelmoJ)
            context_.goResident(ResidentRequest::Automatic);
        return true;
    }
    editorLaunching_ = true;
    QStringList arguments;
    if (s.companions.cbVelmoM)
        arguments << qs(editorMemoCommand(common));
    start(Companion::Editor, s.companions.edtEditorFolder, arguments, &editorPid_);
    editorLaunching_ = false;
    if (s.companions.cbVelmoJ)
        context_.goResident(ResidentRequest::Automatic);
    return true;
}

void CompanionActions::print() {
    const TorkaSettings& s = context_.run.settings();
    if (!context_.printAllowed())
        return;
    if (running(Companion::Print, printPid_)) {
        informMain(context_.ui, kPrintCompanionRunning);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (s.companions.cbVelmoP) {
        context_.goResident(ResidentRequest::Automatic);
    } else {
        context_.saveBeforeLeaving();
    }
    const std::string& path = s.companions.edtPrintFolder;
    if (!path.empty() && std::filesystem::exists(path)) {
        QStringList arguments;
        for (const std::string& argument : printCompanionArguments(
                 context_.folders.startFolder, s.data.edFolder,
                 context_.run.dataFolders().current().folder(), context_.folders.settingsFolder))
            arguments << qs(argument);
        start(Companion::Print, path, arguments, &printPid_);
    } else {
        informMain(context_.ui, kPrintCompanionMissing);
    }
    QApplication::restoreOverrideCursor();
}

bool CompanionActions::clockRunning() const {
    return running(Companion::Clock, clockPid_);
}

void CompanionActions::startClock() {
    if (clockPath_.empty())
        return;
    // Corrections come back on every tick: one message a run is enough.
    if (!start(Companion::Clock, clockPath_, QStringList{kClockCorrectionParameter}, &clockPid_,
               !clockFailureShown_))
        clockFailureShown_ = true;
}

}  // namespace velmo
