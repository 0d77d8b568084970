#include "app/process_entry.h"

#include <QApplication>
#include <cstdio>

#include "app/main_window.h"
#include "app/month_page.h"
#include "app/startup/entry_decision.h"
#include "app/startup/launch_options.h"
#include "app/startup/seed.h"
#include "app/startup/session_ending.h"
#include "app/startup/start_folders.h"
#include "app/startup/written_folders.h"
#include "monthview/qt_month_view.h"
#include "platform/dialog_fonts.h"
#include "platform/posix/system_info.h"
#include "platform/qt_translations.h"
#include "platform/qt_user_interface.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "store/file_helpers.h"
#include "store/temporary_files.h"

namespace velmo {

namespace {

constexpr const char* kSiblingCaption = "トルカ - Torka -";

std::vector<std::string> argumentsOf(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

void printUsage() {
    std::fputs(
        "Usage: velmo [--start-folder DIR] [/2] [/F] [/Jseconds] [/D1file] [/D2file] "
        "[/D3folder] [/DNfolder]\n"
        "  --start-folder DIR  use DIR as the start folder (also VELMO_HOME)\n"
        "  /2                  start even when another copy is running\n"
        "  /Jseconds           go resident after the given seconds\n"
        "  --quit-after-first-paint  end without saving once the month view is painted\n"
        "                      (start-up benchmarks)\n",
        stdout);
}

}  // namespace

int runProcess(int argc, char** argv) {
    const LaunchOptions options = parseLaunchOptions(argumentsOf(argc, argv));
    if (options.showHelp || options.showVersion) {
        if (options.showHelp)
            printUsage();
        if (options.showVersion)
            std::printf("velmo %s\n", VELMO_VERSION);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName("velmo");
    // No display name: the window system would append it to every caption, and each
    // window and box shows exactly its own.
    if (!platform::installJapaneseQtTranslations(app))
        std::fputs("velmo: Qt's Japanese translations (qtbase_ja) were not found\n", stderr);
    // The main window hides in the tray and dialogs open while it is hidden: the run
    // ends only when the main window's close is accepted.
    QApplication::setQuitOnLastWindowClosed(false);
    useJapaneseApplicationFont();
    platform::QtUserInterface ui;
    SystemClock clock;
    ThreadSleeper sleeper;

    const StartLocation start =
        resolveStartLocation(options.startFolder, platform::environmentValue("VELMO_HOME"),
                             platform::dataHomeFolder().string());

    // The running copy listens from the very start, before the slow steps below, so
    // that two quick starts never both come up. A copy started with /2 stays silent.
    platform::SingleInstance instance(kWindowCaption);
    EntryFacts facts;
    facts.siblingRunning = platform::SingleInstance::isRunning(kSiblingCaption);
    // A socket we cannot create (no runtime folder) must not keep the program from
    // starting: only a copy that answers counts as running.
    facts.otherCopyRunning = !facts.siblingRunning && !options.ignoreRunningCopy &&
                             !instance.listen() &&
                             platform::SingleInstance::isRunning(kWindowCaption);
    StartMarkers markers = readStartMarkers(start.folder);
    facts.localFolderMarker = markers.localFolder;
    facts.startMarker = markers.start;
    switch (decideEntry(facts, options)) {
        case EntryAction::RefuseBesideSibling:
            ui.message(kSiblingRunningText);
            return 0;
        case EntryAction::HandOverWithNotice:
            platform::SingleInstance::requestShow(kWindowCaption, platform::ownActivationToken());
            ui.message(kAlreadyRunningText);
            return 0;
        case EntryAction::HandOver:
            platform::SingleInstance::requestShow(kWindowCaption, platform::ownActivationToken());
            return 0;
        case EntryAction::Start:
            break;
    }

    // A marker already found means the folder is the program's: no second listing.
    const SeedOutcome seeded = markers.localFolder || markers.start
                                   ? SeedOutcome::NotNeeded
                                   : seedStartFolder(start.folder, sleeper);
    switch (seeded) {
        case SeedOutcome::Failed:
            ui.error("起動フォルダ[" + start.folder + "]が作成出来ません。\r\n起動を中止します。",
                     kWindowCaption);
            return 1;
        case SeedOutcome::Seeded:
            markers = readStartMarkers(start.folder);  // the new folder's own marker
            break;
        case SeedOutcome::NotNeeded:
            break;
    }

    MainWindowContext context{resolveStartFolders(readMachineFacts(start, markers), sleeper),
                              options, ui, clock, sleeper};
    TfmC21 window(std::move(context));
    // Only now are all folders known: the data root comes from the settings.
    removeStaleTemporaries(
        foldersWrittenByRun(window.folders(), window.runSettings().dataFolders()), clock);
    ui.setOwner(&window);
    QObject::connect(&instance, &platform::SingleInstance::showRequested, &window,
                     &TfmC21::showRequested);
    QObject::connect(&window, &TfmC21::closed, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &window,
                     [&window] { window.sessionEnding().endOnSignal(); });
    if (options.quitAfterFirstPaint) {
        // Queued, so the first picture is on the screen before the run ends.
        QObject::connect(
            window.monthPage()->view(), &TKvMCal::firstPainted, &app,
            [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
    window.show();
    return QApplication::exec();
}

}  // namespace velmo
