#include "dialogs/data_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "backup/backup_folder_choice.h"
#include "backup/save_restore.h"
#include "dialogs/spreadsheet_page.h"
#include "dialogs/text_export_page.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The page's source or target line: the local data, or the shared folder in red.
QLabel* whatLabel(const BackupFolders& folders, const char* direction, QWidget* parent) {
    QString text = qs(direction);
    auto* label = new QLabel(parent);
    if (folders.networkMode) {
        text += qs("ベルモのネットデータ(") + qs(folders.sharedFolder) + qs(")");
        label->setStyleSheet(QStringLiteral("color: #ff0000;"));
    } else {
        text += qs("ベルモのデータ");
    }
    label->setText(text);
    return label;
}

QLabel* noteLabel(const BackupFolders& folders, const char* local, const char* network,
                  QWidget* parent) {
    auto* note = new QLabel(qs(folders.networkMode ? network : local), parent);
    note->setWordWrap(true);
    return note;
}

QPushButton* folderButton(QWidget* parent, const char* name) {
    auto* button = new QPushButton(QStringLiteral("..."), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedWidth(32);
    return button;
}

SaveRestoreInputs inputsFor(DataDialogContext& context, const QString& folderText) {
    const BackupFolders& f = context.folders;
    return SaveRestoreInputs{folderText.trimmed().toStdString(),
                             f.currentDataFolder,
                             f.commonDataFolder,
                             f.startFolder,
                             f.dataRoot,
                             f.networkMode,
                             f.sharedFolder,
                             f.backupRoot,
                             [&context] {
                                 if (context.saveAll)
                                     context.saveAll();
                                 return true;
                             },
                             context.raiseUpdateCounter,
                             {},
                             context.clock,
                             context.ui,
                             context.sleeper};
}

}  // namespace

std::optional<std::filesystem::path> browseForFolder(QWidget* owner, const QString& start) {
    const QString chosen = QFileDialog::getExistingDirectory(owner, qs("確認 -ベルモ-"), start);
    if (chosen.isEmpty())
        return std::nullopt;
    return std::filesystem::path(chosen.toStdString());
}

// ----- save -----

BackupSavePage::BackupSavePage(DataDialogContext& context, BackupPageSettings& settings,
                               QWidget* parent)
    : QWidget(parent),
      context_(context),
      settings_(settings),
      edtCopy1_(new QLineEdit(qs(settings.destination1), this)),
      edtCopy2_(new QLineEdit(qs(settings.destination2), this)),
      lblCopy1_(new QLabel(qs(settings.label1), this)),
      lblCopy2_(new QLabel(qs(settings.label2), this)) {
    setObjectName(QStringLiteral("tsTaihi"));
    edtCopy1_->setObjectName(QStringLiteral("edtCopy1"));
    edtCopy2_->setObjectName(QStringLiteral("edtCopy2"));
    lblCopy1_->setObjectName(QStringLiteral("lblCopy1"));
    lblCopy2_->setObjectName(QStringLiteral("lblCopy2"));

    auto* layout = new QVBoxLayout(this);
    auto* source = new QHBoxLayout;
    source->addWidget(whatLabel(context.folders, "コピー元　 ： ", this));
    if (context.folders.networkMode)
        source->addWidget(new QLabel(qs("Ｎｅｔ"), this));
    source->addStretch();
    layout->addLayout(source);
    for (int n = 1; n <= 2; ++n) {
        auto* group = new QGroupBox(qs(n == 1 ? " 退避先１ " : " 退避先２ "), this);
        auto* grid = new QGridLayout(group);
        QPushButton* pick = folderButton(group, n == 1 ? "btnCopy1" : "btnCopy2");
        auto* run = new QPushButton(qs("← データ退避実行"), group);
        run->setObjectName(QStringLiteral("btnTaihi%1").arg(n));
        grid->addWidget(destinationBox(n), 0, 0);
        grid->addWidget(pick, 0, 1);
        grid->addWidget(run, 0, 2);
        grid->addWidget(destinationLabel(n), 1, 0, 1, 3);
        grid->setColumnStretch(0, 1);
        connect(pick, &QPushButton::clicked, this, [this, n] { pickDestination(n); });
        connect(run, &QPushButton::clicked, this, [this, n] { saveTo(n); });
        layout->addWidget(group);
    }
    layout->addWidget(noteLabel(context.folders,
                                "※ ネットワークデータはこのバックアップでは、退避できません。",
                                "※ネットデータ用のバックアップです。", this));
    layout->addStretch();
}

void BackupSavePage::pickDestination(int n) {
    QLineEdit* box = destinationBox(n);
    const auto chosen = context_.chooseFolder(this, box->text());
    if (!chosen)
        return;
    if (const auto folder = saveDestinationFolder(*chosen, context_.ui)) {
        box->setText(qs(folder->string()));
        box->setFocus();
    }
}

void BackupSavePage::saveTo(int n) {
    const std::optional<std::string> label =
        saveData(inputsFor(context_, destinationBox(n)->text()));
    if (!label)
        return;
    destinationLabel(n)->setText(qs(*label));
    keepSettings();
    saveBackupPageSettings(context_.settingsFile, settings_, context_.folders.networkMode,
                           context_.sleeper);
}

void BackupSavePage::keepSettings() {
    settings_.destination1 = edtCopy1_->text().toStdString();
    settings_.destination2 = edtCopy2_->text().toStdString();
    settings_.label1 = lblCopy1_->text().toStdString();
    settings_.label2 = lblCopy2_->text().toStdString();
}

// ----- restore -----

BackupRestorePage::BackupRestorePage(DataDialogContext& context, BackupPageSettings& settings,
                                     QWidget* parent)
    : QWidget(parent),
      context_(context),
      settings_(settings),
      edtCopy3_(new QLineEdit(qs(settings.restoreSource), this)),
      pick_(folderButton(this, "btnCopy3")),
      restore_(new QPushButton(qs("← ②データ回復"), this)) {
    setObjectName(QStringLiteral("tsKaifuku"));
    edtCopy3_->setObjectName(QStringLiteral("edtCopy3"));
    restore_->setObjectName(QStringLiteral("btnKaifuku"));

    auto* layout = new QVBoxLayout(this);
    auto* target = new QHBoxLayout;
    target->addWidget(whatLabel(context.folders, "コピー先　 ： ", this));
    if (context.folders.networkMode)
        target->addWidget(new QLabel(qs("Ｎｅｔ"), this));
    target->addStretch();
    layout->addLayout(target);
    auto* enable = new QPushButton(qs("①「データ回復」をオン"), this);
    enable->setObjectName(QStringLiteral("btnKaifukuOn"));
    layout->addWidget(enable, 0, Qt::AlignLeft);
    auto* group = new QGroupBox(qs(" 回復元 "), this);
    auto* row = new QHBoxLayout(group);
    row->addWidget(edtCopy3_, 1);
    row->addWidget(pick_);
    row->addWidget(restore_);
    layout->addWidget(group);
    layout->addWidget(noteLabel(context.folders,
                                "※ ネットワークデータはこのリストアでは、回復できません。",
                                "※ ネットデータ用のリストアです。", this));
    layout->addStretch();
    for (QWidget* control : {static_cast<QWidget*>(edtCopy3_), static_cast<QWidget*>(pick_),
                             static_cast<QWidget*>(restore_)})
        control->setEnabled(false);

    connect(enable, &QPushButton::clicked, this, &BackupRestorePage::enableRestore);
    connect(pick_, &QPushButton::clicked, this, &BackupRestorePage::pickSource);
    connect(restore_, &QPushButton::clicked, this, &BackupRestorePage::restore);
}

void BackupRestorePage::enableRestore() {
    if (!context_.ui.question("データ回復作業を行いますと、現在のデータは消去されてしまいます。"
                              "\r\n\r\nデータ回復作業を行いますか？",
                              kQuestionCaption, DefaultButton::No))
        return;
    for (QWidget* control : {static_cast<QWidget*>(edtCopy3_), static_cast<QWidget*>(pick_),
                             static_cast<QWidget*>(restore_)})
        control->setEnabled(true);
}

void BackupRestorePage::pickSource() {
    const auto chosen = context_.chooseFolder(this, edtCopy3_->text());
    if (!chosen)
        return;
    edtCopy3_->setText(qs(restoreSourceFolder(*chosen, context_.ui).string()));
    edtCopy3_->setFocus();
}

void BackupRestorePage::restore() {
    keepSettings();
    saveBackupPageSettings(context_.settingsFile, settings_, context_.folders.networkMode,
                           context_.sleeper);
    const RestoreOutcome outcome = restoreData(inputsFor(context_, edtCopy3_->text()));
    // The months the program holds are the old ones now: it ends without saving them.
    if (outcome != RestoreOutcome::Refused && context_.endProgram)
        context_.endProgram();
}

void BackupRestorePage::keepSettings() {
    settings_.restoreSource = edtCopy3_->text().toStdString();
}

// ----- the dialog -----

TfmSetup::TfmSetup(DataDialogContext context, QWidget* owner)
    : QDialog(owner),
      context_(std::move(context)),
      settings_(loadBackupPageSettings(context_.settingsFile, context_.folders.networkMode,
                                       context_.sleeper)),
      pages_(new QTabWidget(this)) {
    setObjectName(QStringLiteral("fmSetup"));
    setWindowTitle(qs("ベルモ -Velmo-"));
    if (!context_.chooseFolder)
        context_.chooseFolder = browseForFolder;
    if (context_.exports) {
        exportSettings_ = loadExportSettings(context_.settingsFile, context_.exports->startFolder,
                                             context_.sleeper);
        export_ = new TextExportPage(context_, *context_.exports, exportSettings_, pages_);
        pages_->addTab(export_, qs(" テキスト書出 "));
#ifdef VELMO_HAVE_XLSX
        spreadsheet_ = new SpreadsheetPage(context_, *context_.exports, exportSettings_, pages_);
        pages_->addTab(spreadsheet_, qs(" エクセルカレンダ "));
#endif
    } else {
        save_ = new BackupSavePage(context_, settings_, pages_);
        restorePage_ = new BackupRestorePage(context_, settings_, pages_);
        pages_->addTab(save_, qs(" データ退避 "));
        pages_->addTab(restorePage_, qs(" データ回復 "));
    }
    auto* close = new QPushButton(qs("閉じる"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(close, 0, Qt::AlignRight);
    resize(560, 380);
    if (settings_.setupX != 0 || settings_.setupY != 0)
        move(settings_.setupX, settings_.setupY);
}

void TfmSetup::showPage(Page page) {
    QWidget* pages[] = {save_, restorePage_, export_, spreadsheet_};
    if (QWidget* shown = pages[static_cast<int>(page)])
        pages_->setCurrentWidget(shown);
}

void TfmSetup::done(int result) {
    if (save_)
        save_->keepSettings();
    if (restorePage_)
        restorePage_->keepSettings();
    if (export_)
        export_->keepSettings();
    if (spreadsheet_)
        spreadsheet_->keepSettings();
    settings_.setupX = pos().x();
    settings_.setupY = pos().y();
    saveBackupPageSettings(context_.settingsFile, settings_, context_.folders.networkMode,
                           context_.sleeper);
    if (context_.exports)
        saveExportSettings(context_.settingsFile, exportSettings_, context_.sleeper);
    QDialog::done(result);
}

}  // namespace velmo
