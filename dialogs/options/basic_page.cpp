#include "dialogs/options/basic_page.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "dialogs/options/options_host.h"
#include "dialogs/options/page_controls.h"

namespace velmo {

namespace {

QPushButton* namedButton(QWidget* parent, const char* objectName, const char* caption) {
    auto* button = new QPushButton(pageText(caption), parent);
    button->setObjectName(QString::fromLatin1(objectName));
    return button;
}

}  // namespace

BasicPage::BasicPage(OptionPageContext context, QWidget* parent, DataFolderCalls folderCalls)
    : OptionPage(context, parent),
      folder_(host().ui(), std::move(folderCalls)),
      cbTimer_(
          positionList(this, "cbTimer", {"1", "2", "3", "4", "5", "7", "10", "20", "30", "60"})),
      cbBackKankaku_(positionList(this, "cbBackKankaku", {"0", "1", "3", "7", "15", "30"})),
      backupLabels_{new QLabel(pageText("自動バックアップ間隔　："), this),
                    new QLabel(pageText("日（ ０：自動バックアップをしない ）"), this)},
      cbABackupJ_(
          namedCheckBox(this, "cbABackupJ", "常駐処理以外は、自動バックアップを行わない。")),
      folderGroup_(nullptr),
      edFolder_(nullptr),
      folderButton_(nullptr),
      applyButton_(nullptr),
      cancelButton_(nullptr),
      changeButton_(nullptr),
      cbHotkey_(namedCheckBox(this, "cbHotkey", "ホットキーを使用する")),
      cbMemo_(namedCheckBox(this, "cbMemo", "メモを使用する")),
      cbToday_(
          namedCheckBox(this, "cbToday", "「今日の予定」を使用する(原則的にWindows2000/XP以降)")),
      cbCloseBtn_(namedCheckBox(this, "cbCloseBtn",
                                "[常駐ボタン] を [終了ボタン] にする（※次回起動時より）")) {
    setObjectName(QStringLiteral("tsSetAll"));
    // The shell of this desktop is always newer than version 4, so the box stays usable.
    cbToday_->setToolTip(pageText("[ Alt ]+{↓}キー"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildIntervals());
    layout->addWidget(cbABackupJ_);
    layout->addWidget(buildDataFolderGroup());
    layout->addWidget(cbHotkey_);
    layout->addWidget(cbMemo_);
    layout->addWidget(cbToday_);
    layout->addWidget(cbCloseBtn_);
    layout->addStretch();
    layout->addWidget(noteLabel(this, "※ 変更は、原則的に、次回起動時に反映されます。"));

    connect(cbBackKankaku_, &QComboBox::currentIndexChanged, this,
            &BasicPage::backupIntervalChosen);
    connect(cbCloseBtn_, &QCheckBox::toggled, this, &BasicPage::closeButtonToggled);
    // The box turns read-only whenever the focus moves on to a control of this dialog
    // outside the data-folder group. Focus coming back from another window (a message
    // box of this page, another program) is no move within the page and changes nothing.
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, &BasicPage::focusMoved);
}

BasicPage::~BasicPage() {
    // A page that goes while it holds the focus moves the focus in QWidget's destructor,
    // after this page's controls are gone.
    disconnect(focusWatch_);
}

QWidget* BasicPage::buildIntervals() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(pageText("時刻チェック間隔　　　："), box), 0, 0);
    grid->addWidget(cbTimer_, 0, 1);
    grid->addWidget(new QLabel(pageText("秒（ 規定値：１０秒 ）"), box), 0, 2);
    grid->addWidget(backupLabels_[0], 1, 0);
    grid->addWidget(cbBackKankaku_, 1, 1);
    grid->addWidget(backupLabels_[1], 1, 2);
    grid->setColumnStretch(2, 1);
    auto* warning =
        noteLabel(box,
                  "↑※ＵＳＢメモリやポータブルＨＤ等、取り外し出来るメディアに"
                  "セットアップされている場合は、\n"
                  "　　セキュリティの関係上、自動バックアップはしないで下さい。\n"
                  "　　使用したＰＣにデータが自動的にバックアップされる場合があります。");
    grid->addWidget(warning, 2, 0, 1, 3);
    return box;
}

QGroupBox* BasicPage::buildDataFolderGroup() {
    folderGroup_ = new QGroupBox(pageText(" ローカルデータフォルダ "), this);
    edFolder_ = new QLineEdit(folderGroup_);
    edFolder_->setObjectName(QStringLiteral("edFolder"));
    editablePalette_ = edFolder_->palette();
    folderButton_ = new QToolButton(folderGroup_);
    folderButton_->setObjectName(QStringLiteral("btnFolderSelect"));
    folderButton_->setText(QStringLiteral("..."));
    folderButton_->setToolTip(pageText("フォルダを選択します"));
    applyButton_ = namedButton(folderGroup_, "btnFolderApply", "変更実行");
    cancelButton_ = namedButton(folderGroup_, "btnFolderCancel", "キャンセル");
    changeButton_ = namedButton(folderGroup_, "btnFolderChange", "変更");
    // A click on these must not take the focus out of the box being edited: leaving the
    // box then asks to apply or cancel, and the focus would be trapped.
    folderButton_->setFocusPolicy(Qt::NoFocus);
    applyButton_->setFocusPolicy(Qt::NoFocus);
    cancelButton_->setFocusPolicy(Qt::NoFocus);

    auto* grid = new QGridLayout(folderGroup_);
    grid->addWidget(edFolder_, 0, 0, 1, 4);
    grid->addWidget(folderButton_, 0, 4);
    grid->addWidget(noteLabel(folderGroup_, "指定なし（推奨）は、ベルモを起動したフォルダ"), 1, 0);
    grid->addWidget(applyButton_, 1, 1);
    grid->addWidget(cancelButton_, 1, 2);
    grid->addWidget(changeButton_, 1, 3, 1, 2);
    grid->addWidget(noteLabel(folderGroup_, "注意：上記フォルダはネットワークに対応していません。"),
                    2, 0, 1, 5);
    grid->setColumnStretch(0, 1);

    connect(edFolder_, &QLineEdit::textEdited, this,
            [this](const QString& text) { folder_.typed(text.toStdString()); });
    connect(changeButton_, &QPushButton::clicked, this,
            [this] { runFolderStep(folder_.beginChange()); });
    connect(folderButton_, &QToolButton::clicked, this, &BasicPage::pickFolder);
    connect(cancelButton_, &QPushButton::clicked, this, [this] {
        folder_.cancel();
        showFolderBox();
    });
    connect(applyButton_, &QPushButton::clicked, this, [this] {
        const DataFolderChange::Focus focus = folder_.apply();
        runFolderStep(focus);
        edFolder_->end(false);
    });
    return folderGroup_;
}

void BasicPage::load(const TorkaSettings& options) {
    const OptionsRunFacts& facts = host().facts();
    loadListPosition(cbTimer_, options.timer.cbTimerNo);
    loadListPosition(cbBackKankaku_, options.backup.cbBackKankaku);
    cbABackupJ_->setChecked(options.backup.cbABackupJ);
    // No automatic backup from a medium that goes from computer to computer.
    if (facts.startedFromCdrom || facts.startedFromNetwork || facts.startedFromRemovable) {
        cbBackKankaku_->setCurrentIndex(0);
        for (QLabel* label : backupLabels_)
            label->setEnabled(false);
        cbABackupJ_->setEnabled(false);
    }
    folder_.load(options.data.edFolder, facts.startFolder);
    showFolderBox();
    cbHotkey_->setChecked(options.behaviour.cbHotkey);
    cbMemo_->setChecked(options.behaviour.cbMemo);
    cbToday_->setChecked(options.behaviour.cbToday);
    cbCloseBtn_->setChecked(options.behaviour.cbCloseBtn);
}

void BasicPage::store(TorkaSettings& options) const {
    storeListPosition(cbTimer_, options.timer.cbTimerNo);
    storeListPosition(cbBackKankaku_, options.backup.cbBackKankaku);
    options.backup.cbABackupJ = cbABackupJ_->isChecked();
    options.data.edFolder = folder_.storedValue();
    options.behaviour.cbHotkey = cbHotkey_->isChecked();
    options.behaviour.cbMemo = cbMemo_->isChecked();
    options.behaviour.cbToday = cbToday_->isChecked();
    options.behaviour.cbCloseBtn = cbCloseBtn_->isChecked();
}

void BasicPage::pageLeft() {
    cancelPendingChange();
}

bool BasicPage::keyChord(int firstKey, int secondKey) {
    return firstKey == Qt::Key_N && secondKey == Qt::Key_T;
}

void BasicPage::cancelPendingChange() {
    folder_.cancelPending();
    showFolderBox();
}

void BasicPage::backupIntervalChosen(int position) {
    if (loading() || position <= 0 || !host().facts().startedFromRemovable)
        return;
    UserInterface& ui = host().ui();
    if (ask(ui,
            "リムーバブルディスクから起動した場合は、\r\nセキュリティの関係上、"
            "自動バックアップは実行しないことをお勧めします。\r\n\r\n"
            "「自動バックアップはしない。」に設定し直しますか？",
            DefaultButton::Yes)) {
        cbBackKankaku_->setCurrentIndex(0);
        ui.message("自動バックアップは、行いません。");
    } else {
        ui.message(
            "起動したパソコンに、自動的にデータをバックアップする可能性があります。\r\n"
            "ご注意下さい。");
    }
}

void BasicPage::closeButtonToggled(bool checked) {
    if (!checked || !cbHotkey_->isChecked())
        return;
    // The stored options never hold both; loading only keeps it that way.
    if (!loading())
        host().ui().message("ホットキーの使用を中止します。");
    cbHotkey_->setChecked(false);
}

void BasicPage::focusMoved(QWidget* from, QWidget* to) {
    if (from == nullptr || to == nullptr || from->window() != window() || to->window() != window())
        return;
    if (from == edFolder_ && to != edFolder_) {
        const DataFolderChange::Focus focus = folder_.boxLeft();
        if (focus == DataFolderChange::Focus::ToBoxEnd) {
            runFolderStep(focus);
            return;
        }
    }
    if (to != folderGroup_ && !folderGroup_->isAncestorOf(to))
        folder_.focusLeftGroup();
    showFolderBox();
}

void BasicPage::pickFolder() {
    const std::string current =
        folder_.text().empty() ? host().facts().startFolder : folder_.text();
    runFolderStep(
        folder_.folderChosen(host().chooseFolder("フォルダーを選択して下さい。", current)));
}

void BasicPage::runFolderStep(DataFolderChange::Focus focus) {
    showFolderBox();
    if (focus == DataFolderChange::Focus::ToBoxEnd) {
        edFolder_->setFocus();
        edFolder_->end(false);
    }
}

void BasicPage::showFolderBox() {
    const QString text = QString::fromStdString(folder_.text());
    if (edFolder_->text() != text)
        edFolder_->setText(text);
    edFolder_->setReadOnly(!folder_.editable());
    QPalette shown = editablePalette_;
    if (!folder_.editable())
        shown.setColor(QPalette::Base, editablePalette_.color(QPalette::Button));
    edFolder_->setPalette(shown);
    applyButton_->setEnabled(folder_.actionButtonsEnabled());
    cancelButton_->setEnabled(folder_.actionButtonsEnabled());
}

}  // namespace velmo
