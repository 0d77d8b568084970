#include "app/setup_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/startup/desktop_entries.h"
#include "platform/posix/system_info.h"
#include "store/file_helpers.h"

namespace velmo {

QString desktopFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/";
}

namespace {

std::string applicationsFolder() {
    return withTrailingSeparator(platform::dataHomeFolder().string()) + "applications/";
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

SetupDialog::SetupDialog(const StartFolders& folders, bool givenStartFolder, SetupMode mode,
                         SetupPage page, UserInterface& ui, QWidget* parent)
    : QDialog(parent),
      folders_(folders),
      givenStartFolder_(givenStartFolder),
      ui_(ui),
      pages_(new QTabWidget(this)) {
    setObjectName("fmInstall");
    setWindowTitle(kSetupWindowCaption);
    pages_->setObjectName("pcSetup");
    pages_->addTab(createStartUpPage(), "起動設定");
    pages_->addTab(createSetupPage(mode), "セットアップ");
    pages_->setCurrentIndex(page == SetupPage::StartUp ? 0 : 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel("起動フォルダ：" + QString::fromStdString(folders.startFolder), this));
    layout->addWidget(pages_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QWidget* SetupDialog::createStartUpPage() {
    auto* page = new QWidget(this);
    page->setObjectName("tsKidouSettei");
    auto* layout = new QVBoxLayout(page);
    autostart_ = new QCheckBox("ログイン時に起動する（スタートアップ）", page);
    autostart_->setObjectName("cbStartup");
    autostart_->setChecked(desktopEntryExists(folders_.startupFolder));
    layout->addWidget(autostart_);
    layout->addStretch();
    return page;
}

QWidget* SetupDialog::createSetupPage(SetupMode mode) {
    auto* page = new QWidget(this);
    page->setObjectName("tsSetup");
    auto* layout = new QVBoxLayout(page);
    const QString intro = mode == SetupMode::CopyNetworkInstallation
                              ? QString("ＰＣ(%1)にベルモのショートカットを作成します。")
                                    .arg(qs(folders_.computerName))
                              : QString("ベルモのショートカットを作成します。");
    layout->addWidget(new QLabel(intro, page));
    desktop_ = new QCheckBox("デスクトップにショートカットを作成する", page);
    desktop_->setObjectName("cbDesktop");
    desktop_->setChecked(desktopEntryExists(desktopFolder().toStdString()));
    menu_ = new QCheckBox("アプリケーションメニューに登録する", page);
    menu_->setObjectName("cbMenu");
    // A new installation (no entry anywhere yet) is offered the menu entry; later the
    // box shows what is there.
    const bool menuEntry = desktopEntryExists(applicationsFolder());
    menu_->setChecked(menuEntry || !(desktop_->isChecked() || autostart_->isChecked()));
    layout->addWidget(desktop_);
    layout->addWidget(menu_);
    layout->addStretch();
    return page;
}

void SetupDialog::apply() {
    const std::string text = desktopEntryText(QCoreApplication::applicationFilePath().toStdString(),
                                              folders_.startFolder, givenStartFolder_);
    std::string failed;
    const std::pair<QCheckBox*, std::string> places[] = {{desktop_, desktopFolder().toStdString()},
                                                         {menu_, applicationsFolder()},
                                                         {autostart_, folders_.startupFolder}};
    for (const auto& [box, folder] : places) {
        const bool ok =
            box->isChecked() ? writeDesktopEntry(folder, text) : removeDesktopEntry(folder);
        if (ok)
            continue;
        failed += "\r\n" + folder;
        box->setChecked(desktopEntryExists(folder));
    }
    if (failed.empty()) {
        accept();
        return;
    }
    ui_.error("次のフォルダにショートカットを作成（削除）できませんでした。" + failed,
              kQuestionCaption);
}

}  // namespace velmo
