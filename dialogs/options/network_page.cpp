#include "dialogs/options/network_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/options/folder_box.h"
#include "dialogs/options/options_host.h"
#include "shared/administrator_files.h"
#include "shared/shared_folder_box.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

bool administratorRights(int level) {
    return level > kAdministratorRightsAbove;
}

QLabel* noteLabel(const char* text, QWidget* parent) {
    auto* note = new QLabel(text, parent);
    note->setWordWrap(true);
    return note;
}

QPushButton* pageButton(const char* name, const char* caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

NetworkPage::NetworkPage(OptionPageContext context, QWidget* parent) : OptionPage(context, parent) {
    setObjectName("tsNet1");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addWidget(buildFolderGroup());
    layout->addWidget(buildAdministration());
    layout->addWidget(buildOperation());
    layout->addWidget(buildChangeCheck());
    layout->addStretch();
}

QWidget* NetworkPage::buildFolderGroup() {
    auto* group = new QGroupBox(" ネットワーク上のデータフォルダ ", this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("ネットワーク上のデータフォルダ", group), 0, 0);
    lblNetStat_ = new QLabel(group);
    lblNetStat_->setObjectName("lblNetStat");
    lblNetStat_->setVisible(false);
    grid->addWidget(lblNetStat_, 0, 1, Qt::AlignRight);
    auto* folderRow = new QHBoxLayout;
    edtNetFolder_ = new QLineEdit(group);
    edtNetFolder_->setObjectName("edtNetFolder");
    folderRow->addWidget(edtNetFolder_);
    btnNetFSet_ = folderButton("btnNetFSet", group);
    folderRow->addWidget(btnNetFSet_);
    grid->addLayout(folderRow, 1, 0, 1, 2);
    grid->addWidget(noteLabel("上記フォルダはネットワークに対応しています。", group), 2, 0, 1, 2);
    cbNet_ = new QCheckBox("ネットワークデータ共有機能を使用する", group);
    cbNet_->setObjectName("cbNet");
    grid->addWidget(cbNet_, 3, 0, 1, 2);
    cbNetIni_ = new QCheckBox(
        "ネットワークフォルダよりセットアップした時、上記フォルダを優先的にセットする。", group);
    cbNetIni_->setObjectName("cbNetIni");
    grid->addWidget(cbNetIni_, 4, 0, 1, 2);
    connect(btnNetFSet_, &QPushButton::clicked, this, &NetworkPage::pickSharedFolder);
    connect(cbNet_, &QCheckBox::clicked, this, &NetworkPage::applySharing);
    return group;
}

QPushButton* NetworkPage::addAction(QGridLayout* grid, int row, const char* name,
                                    const char* caption, const char* note) {
    QPushButton* button = pageButton(name, caption, grid->parentWidget());
    grid->addWidget(button, row, 0);
    grid->addWidget(noteLabel(note, grid->parentWidget()), row, 1);
    return button;
}

QWidget* NetworkPage::buildAdministration() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(3);
    btnWhoMente_ = addAction(grid, 0, "btnWhoMente", "ロック検索",
                             "現在、データロックを行っているコンピュータ名を検索します");
    btnNetLockoff_ = addAction(grid, 1, "btnNetLockoff", "すべてのロックを解除",
                               "緊急時に、すべてのデータロックを解除します");
    btnNetCreate_ = addAction(grid, 2, "btnNetCreate", "初期データフォルダ作成",
                              "運用を始めるためにネットデータのフォルダを作成します");
    btnKanriCreate_ = addAction(grid, 3, "btnKanriCreate", "管理コンピュータ再指定",
                                "このＰＣを「管理コンピュータ」にします(要管理者権限)");
    btnKanriSet_ =
        addAction(grid, 4, "btnKanriSet", "管理者権限設定", "このＰＣに「管理者権限」を与えます");
    grid->setColumnStretch(1, 1);
    connect(btnWhoMente_, &QPushButton::clicked, this, [this] {
        if (const std::optional<std::string> folder = requiredFolder())
            host().searchLocks(*folder);
    });
    connect(btnNetLockoff_, &QPushButton::clicked, this, [this] {
        if (const std::optional<std::string> folder = requiredFolder())
            host().forceUnlock(*folder);
    });
    connect(btnNetCreate_, &QPushButton::clicked, this,
            [this] { createFolder(FolderCreationMode::CreateFolder); });
    connect(btnKanriCreate_, &QPushButton::clicked, this,
            [this] { createFolder(FolderCreationMode::ReassignAdministrator); });
    connect(btnKanriSet_, &QPushButton::clicked, this,
            [this] { createFolder(FolderCreationMode::GrantRights); });
    return panel;
}

QWidget* NetworkPage::buildOperation() {
    auto* group = new QGroupBox(" 運用 ", this);
    auto* grid = new QGridLayout(group);
    btnNetBackup_ = addAction(grid, 0, "btnNetBackup", "ネットデータバックアップ＆リストア",
                              "ネットデータ専用（管理者権限を持つコンピュータのみ使用可）");
    grid->setColumnStretch(1, 1);
    connect(btnNetBackup_, &QPushButton::clicked, this, [this] {
        if (requiredFolder())
            host().networkBackupAndRestore();
    });
    return group;
}

QWidget* NetworkPage::buildChangeCheck() {
    auto* group = new QGroupBox(this);
    group->setObjectName("gbNetKoushin");
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel("更新チェック ：", group), 0, 0);
    const std::array<const char*, 3> captions{"常駐回復時のみ", "１０秒間隔", "６０秒間隔"};
    for (int i = 0; i < 3; ++i) {
        auto* choice = new QRadioButton(captions[static_cast<std::size_t>(i)], group);
        choice->setObjectName(QString("rbNetKoushin%1").arg(i + 1));
        grid->addWidget(choice, 0, i + 1);
        rbNetKoushin_[static_cast<std::size_t>(i)] = choice;
        connect(choice, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !loading())
                host().setChangeCheck(i);
        });
    }
    dbg_ = pageButton("btnDbg", "Dbg", group);
    dbg_->setVisible(false);
    grid->addWidget(dbg_, 0, 4);
    grid->setColumnStretch(5, 1);
    grid->addWidget(noteLabel("※常駐時、及び日次予定編集時は更新チェックされません。", group), 1, 0,
                    1, 6);
    connect(dbg_, &QPushButton::clicked, this, &NetworkPage::showCounters);
    return group;
}

void NetworkPage::load(const TorkaSettings& options) {
    const NetworkKeys& network = options.network;
    cbNet_->setChecked(network.cbNet);
    cbNetIni_->setChecked(network.cbNetIni);
    // An empty box means the start folder; while sharing is on the box is kept as it is.
    const std::string folder =
        network.cbNet ? network.edtNetFolder
                      : emptiedWhenStartFolder(network.edtNetFolder, host().facts().startFolder);
    edtNetFolder_->setText(QString::fromStdString(folder));
    startingSharedFolder_ = folder;
    const int check =
        network.rbNetKoushin == 0 || network.rbNetKoushin == 1 ? network.rbNetKoushin : 2;
    rbNetKoushin_[static_cast<std::size_t>(check)]->setChecked(true);
    applyBoxFace();
    refreshEnabling();
}

void NetworkPage::store(TorkaSettings& options) const {
    NetworkKeys& network = options.network;
    network.cbNet = cbNet_->isChecked();
    network.cbNetIni = cbNetIni_->isChecked();
    network.edtNetFolder =
        network.cbNet ? sharedFolderText()
                      : emptiedWhenStartFolder(sharedFolderText(), host().facts().startFolder);
    network.rbNetKoushin = rbNetKoushin_[0]->isChecked()   ? 0
                           : rbNetKoushin_[1]->isChecked() ? 1
                                                           : 2;
}

std::string NetworkPage::sharedFolderText() const {
    return edtNetFolder_->text().toStdString();
}

void NetworkPage::pageShown() {
    const std::string folder = folderOfBox(*edtNetFolder_);
    if (!folder.empty() && cbNet_->isChecked())
        host().evaluateRights(folder);
    applySharing();
    edtNetFolder_->setFocus();
    edtNetFolder_->end(false);
}

bool NetworkPage::keyChord(int firstKey, int secondKey) {
    if (firstKey != Qt::Key_B || secondKey != Qt::Key_G)
        return false;
    dbg_->setVisible(true);
    return true;
}

std::optional<std::string> NetworkPage::requiredFolder() {
    const std::string folder = folderOfBox(*edtNetFolder_);
    if (folder.empty()) {
        host().ui().message(kSharedFolderNotSetMessage);
        return std::nullopt;
    }
    return folder;
}

void NetworkPage::pickSharedFolder() {
    if (loading())
        return;
    const QString before = edtNetFolder_->text();
    if (!pickFolderIntoBox(host(), *edtNetFolder_))
        return;
    applySharing();
    if (edtNetFolder_->text() == before)
        return;
    // A new folder: this computer's rights belong to the old one.
    host().sharedFolderChanged(folderOfBox(*edtNetFolder_));
    refreshEnabling();
}

void NetworkPage::createFolder(FolderCreationMode mode) {
    std::string folder;
    if (mode == FolderCreationMode::CreateFolder) {
        // The folder is chosen in the creation dialog; the box only says where to start.
        if (cbNet_->isChecked()) {
            refusedWhileSharing();
            return;
        }
        folder = folderOfBox(*edtNetFolder_);
    } else {
        const std::optional<std::string> required = requiredFolder();
        if (!required)
            return;
        folder = *required;
    }
    const std::filesystem::path created = host().createSharedFolder(mode, folder);
    if (mode != FolderCreationMode::GrantRights && !created.empty())
        adoptCreatedFolder(created.string());
    refreshEnabling();
}

void NetworkPage::adoptCreatedFolder(const std::string& created) {
    const std::optional<std::filesystem::path> createdFolder = sharedFolderFromBox(created);
    if (!createdFolder)
        return;
    const std::string folder = createdFolder->string();
    const std::string inBox = folderOfBox(*edtNetFolder_);
    if (trimSpaces(sharedFolderText()).empty()) {
        edtNetFolder_->setText(QString::fromStdString(folder));
    } else if (inBox != folder) {
        if (host().ui().question(
                "ネットワーク上のデータフォルダを、今設定したフォルダに変更しますか？",
                kQuestionCaption, DefaultButton::Yes))
            edtNetFolder_->setText(QString::fromStdString(folder));
        else
            host().ui().message("ネットワーク上のデータフォルダを調整してください。");
    }
    const std::string now = folderOfBox(*edtNetFolder_);
    if (!now.empty())
        host().evaluateRights(now);
}

void NetworkPage::refusedWhileSharing() {
    const QPalette normal = cbNet_->palette();
    const bool filled = cbNet_->autoFillBackground();
    QPalette warning = normal;
    warning.setColor(QPalette::Window, Qt::magenta);
    cbNet_->setAutoFillBackground(true);
    cbNet_->setPalette(warning);
    host().ui().message(kNetworkSharingOnMessage);
    cbNet_->setPalette(normal);
    cbNet_->setAutoFillBackground(filled);
}

void NetworkPage::applySharing() {
    const bool sharing = cbNet_->isChecked();
    applyBoxFace();
    if (!sharing && host().networkMode())
        host().networkModeOff();
    host().setNetOnEnabled(sharing);
    refreshEnabling();
}

void NetworkPage::applyBoxFace() {
    if (cbNet_->isChecked() || administratorRights(host().rightsLevel()))
        setFolderBoxFace(*edtNetFolder_, true);
    else if (!trimSpaces(sharedFolderText()).empty())
        setFolderBoxFace(*edtNetFolder_, false);
}

void NetworkPage::refreshEnabling() {
    const int level = host().rightsLevel();
    const bool administrator = administratorRights(level);
    const bool inUse = cbNet_->isChecked() && !folderOfBox(*edtNetFolder_).empty();
    btnKanriSet_->setEnabled(inUse);
    btnWhoMente_->setEnabled(inUse);
    btnNetLockoff_->setEnabled(inUse);
    btnNetBackup_->setEnabled(inUse && administrator);
    btnKanriCreate_->setEnabled(inUse && administrator);
    btnNetCreate_->setEnabled(!inUse || administrator);
    if (level == kGrantedRights)
        lblNetStat_->setText("管理者権限");
    else if (level == kAdministratorComputer)
        lblNetStat_->setText("管理コンピュータ");
    lblNetStat_->setVisible(administrator);
}

void NetworkPage::showCounters() {
    const std::array<int, 4> counters = host().changeCheckCounters();
    host().ui().message("vLike: " + std::to_string(counters[0]) +
                        ", RetDataRead(後): " + std::to_string(counters[1]) +
                        ", RetDataRead(前): " + std::to_string(counters[2]) +
                        ", Read: " + std::to_string(counters[3]));
}

}  // namespace velmo
