#include "app/setup_dialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
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

}  // namespace

SetupDialog::SetupDialog(const StartFolders& folders, bool givenStartFolder, SetupMode mode,
                         QWidget* parent)
    : QDialog(parent), folders_(folders), givenStartFolder_(givenStartFolder) {
    setWindowTitle("ベルモ -Velmo-");
    auto* layout = new QVBoxLayout(this);
    const QString intro = mode == SetupMode::CopyNetworkInstallation
                              ? QString("ＰＣ(%1)にベルモのショートカットを作成します。")
                                    .arg(QString::fromStdString(folders.computerName))
                              : QString("ベルモのショートカットを作成します。");
    layout->addWidget(new QLabel(intro, this));
    layout->addWidget(
        new QLabel("起動フォルダ：" + QString::fromStdString(folders.startFolder), this));
    desktop_ = new QCheckBox("デスクトップにショートカットを作成する", this);
    menu_ = new QCheckBox("アプリケーションメニューに登録する", this);
    autostart_ = new QCheckBox("ログイン時に起動する（スタートアップ）", this);
    desktop_->setChecked(desktopEntryExists(desktopFolder().toStdString()));
    menu_->setChecked(true);
    autostart_->setChecked(desktopEntryExists(folders.startupFolder));
    for (QCheckBox* box : {desktop_, menu_, autostart_})
        layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::apply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void SetupDialog::apply() {
    const std::string text = desktopEntryText(QCoreApplication::applicationFilePath().toStdString(),
                                              folders_.startFolder, givenStartFolder_);
    QStringList failed;
    const std::pair<QCheckBox*, std::string> places[] = {{desktop_, desktopFolder().toStdString()},
                                                         {menu_, applicationsFolder()},
                                                         {autostart_, folders_.startupFolder}};
    for (const auto& [box, folder] : places) {
        const bool ok =
            box->isChecked() ? writeDesktopEntry(folder, text) : removeDesktopEntry(folder);
        if (!ok)
            failed << QString::fromStdString(folder);
    }
    if (!failed.isEmpty()) {
        QMessageBox::warning(
            this, "確認",
            "次のフォルダにショートカットを作成（削除）できませんでした。\n" + failed.join("\n"));
    }
    accept();
}

}  // namespace velmo
