#include "app/first_start_steps.h"

#include <QApplication>
#include <chrono>
#include <functional>

#include "app/deletion_dialog.h"
#include "app/setup_dialog.h"
#include "app/startup/pending_deletions.h"

namespace velmo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

void FirstStartSteps::run() {
    if (options_.deletionsPending())
        runPendingDeletions();
    askFirstRunQuestion();
}

void FirstStartSteps::runPendingDeletions() {
    const StartFolders& f = folders_;
    const std::vector<std::string> kept = {f.startFolder, f.settingsFolder, f.userFolder,
                                           f.safeguardFolder};
    const LaunchOptions& o = options_;
    if (!o.deleteFile.empty())
        deleteFileSilently(o.deleteFile, kept);
    // Each offer asks first; Yes deletes under the wait cursor and reports the outcome.
    const auto offer = [this](const DeletionOffer& what, const std::function<std::string()>& del) {
        DeletionDialog dialog(what, &window_);
        if (dialog.exec() != QDialog::Accepted)
            return;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const std::string report = del();
        QApplication::restoreOverrideCursor();
        ui_.message(report);
    };
    if (!o.offerArchiveDeletion.empty()) {
        offer(archiveDeletionOffer(qs(o.offerArchiveDeletion)),
              [&] { return deleteOfferedArchive(o.offerArchiveDeletion, kept); });
        sleeper_.sleep(std::chrono::milliseconds(300));
    }
    if (!o.offerWorkFolderDeletion.empty()) {
        offer(workFolderDeletionOffer(qs(o.offerWorkFolderDeletion)),
              [&] { return deleteOfferedWorkFolder(o.offerWorkFolderDeletion, kept); });
    }
}

void FirstStartSteps::askFirstRunQuestion() {
    const StartFolders& f = folders_;
    if (options_.firstNetworkSetup || !(f.startedFromCdrom || f.firstRun))
        return;
    SetupMode mode = SetupMode::Normal;
    bool yes = false;
    if (f.startedFromNetwork) {
        mode = SetupMode::CopyNetworkInstallation;
        yes =
            ask(ui_, "「ベルモ」Ver9.1.1をＰＣ(" + f.computerName +
                         ")にセットアップしますか？\r\n\r\n\r\n[はい]----セットアップ\r\n\r\n"
                         "[いいえ]--ネットフォルダ上にある「ベルモ」の管理起動\r\n\r\n\r\n"
                         "この確認は、ネット上の「ベルモ」を起動したときに表示されます。\r\n\r\n");
    } else {
        yes = ask(
            ui_,
            "「ベルモ」Ver9.1.1 のセットアップを行いますか？\r\n\r\n\r\n"
            "[はい]----セットアップフォーム表示\r\n\r\n[いいえ]--「ベルモ」の通常起動\r\n\r\n\r\n"
            "この確認は、固定ディスクの場合、（原則）初回起動時１回しか表示されません。\r\n"
            "[いいえ]の場合は、「ベルモ」から通常のセットアップを行ってください。");
    }
    if (yes) {
        SetupDialog dialog(f, f.startFolderGiven, mode, SetupPage::Setup, ui_, &window_);
        dialog.exec();
    }
}

}  // namespace velmo
