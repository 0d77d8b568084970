#include "dialogs/options/companion_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "dialogs/options/named_controls.h"
#include "dialogs/options/options_host.h"
#include "store/text_helpers.h"

namespace velmo {

namespace {

namespace fs = std::filesystem;

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

const CompanionPage::FileChoice kEditorChoice{
    "起動する「ルボン」を指定してください。", "RUVON", "「ルボン」(Ruvon.exe)ではありません。",
    &OptionsHost::editorCompanion, &OptionsHost::setEditorCompanion};
const CompanionPage::FileChoice kPrintChoice{
    "起動する「ベルプリン」を指定してください。", "VELPRIN",
    "「ベルプリン」(Velprin.exe)ではありません。", &OptionsHost::printCompanion,
    &OptionsHost::setPrintCompanion};

const char* const kPrintCompanionNotFound =
    "「ベルプリン」が確認できません。\r\n「ベルプリン」が存在するかどうかチェックしてください。";

bool fileExists(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

bool pathExists(const std::string& path) {
    std::error_code error;
    return fs::exists(path, error);
}

std::string upperAscii(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    });
    return text;
}

std::string folderOf(const std::string& path) {
    const fs::path folder = fs::path(path).parent_path();
    return folder.empty() ? std::string() : folder.string() + "/";
}

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

}  // namespace

CompanionPage::CompanionPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent) {
    setObjectName(QStringLiteral("tsRenkei"));
    auto* column = new QVBoxLayout(this);
    column->setSpacing(8);
    column->addWidget(buildEditorGroup());
    column->addWidget(buildPrintGroup());
    cbVelki_ = namedCheckBox("cbVelki", "ベル記と連携", this);
    cbVelki_->hide();
    column->addStretch();
}

QWidget* CompanionPage::buildEditorGroup() {
    auto* group = new QGroupBox(qs(" ルボンとの連携 "), this);
    auto* rows = new QVBoxLayout(group);
    cbEditor_ = namedCheckBox("cbEditor", "エディタを使う", group);
    connect(cbEditor_, &QCheckBox::clicked, this, &CompanionPage::editorClicked);
    cbVelmoJ_ = namedCheckBox("cbVelmoJ", "エディタを起動後、「ベルモ」を常駐させる。", group);
    cbVelmoM_ = namedCheckBox("cbVelmoM", "「ベルモ」の旧メモ(CaMemo.myc)とリンクする。", group);
    connect(cbVelmoM_, &QCheckBox::clicked, this, [this](bool checked) {
        host().options().companions.cbVelmoM = checked;
        host().applyMemoButtonCaption();
    });
    rows->addWidget(cbEditor_);
    rows->addWidget(cbVelmoJ_);
    rows->addWidget(fileRow("エディタの場所：", edtEditorFolder_, "edtEditorFolder",
                            "btnEditorFolder", kEditorChoice, cbEditor_, group));
    auto* note = noteLabel("←　（※次回の起動時より有効になります）", group);
    note->setAlignment(Qt::AlignRight);
    rows->addWidget(note);
    rows->addWidget(cbVelmoM_);
    return group;
}

QWidget* CompanionPage::buildPrintGroup() {
    auto* group = new QGroupBox(qs(" ベルプリンとの連携 "), this);
    auto* rows = new QVBoxLayout(group);
    cbPrint_ = namedCheckBox("cbPrint", "ベルプリンを使う", group);
    connect(cbPrint_, &QCheckBox::clicked, this, &CompanionPage::printClicked);
    cbVelmoP_ = namedCheckBox("cbVelmoP", "ベルプリンを起動後、「ベルモ」を常駐させる。", group);
    rows->addWidget(cbPrint_);
    rows->addWidget(cbVelmoP_);
    rows->addWidget(fileRow("ベルプリンの場所：", edtPrintFolder_, "edtPrintFolder",
                            "btnPrintFolder", kPrintChoice, cbPrint_, group));
    return group;
}

QWidget* CompanionPage::fileRow(const char* caption, QLineEdit*& box, const char* boxName,
                                const char* buttonName, const FileChoice& choice,
                                QCheckBox* switchBox, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(qs(caption), row);
    label->setMinimumWidth(110);
    box = new QLineEdit(row);
    box->setObjectName(QString::fromLatin1(boxName));
    QPushButton* button = namedButton(buttonName, "…", row);
    button->setFixedWidth(28);
    connect(button, &QPushButton::clicked, this,
            [this, box, switchBox, &choice] { chooseFile(box, switchBox, choice); });
    grid->addWidget(label, 0, 0);
    grid->addWidget(box, 0, 1);
    grid->addWidget(button, 0, 2);
    grid->setColumnStretch(1, 1);
    return row;
}

void CompanionPage::load(const TorkaSettings& options) {
    const CompanionKeys& companions = options.companions;
    cbEditor_->setChecked(companions.cbEditor);
    cbVelmoJ_->setChecked(companions.cbVelmoJ);
    edtEditorFolder_->setText(QString::fromStdString(companions.edtEditorFolder));
    cbVelmoM_->setChecked(companions.cbVelmoM);
    cbPrint_->setChecked(companions.cbPrint);
    cbVelmoP_->setChecked(companions.cbVelmoP);
    edtPrintFolder_->setText(QString::fromStdString(companions.edtPrintFolder));
    // The editor's hold on the memo command is applied also while loading.
    host().applyEditorCompanion(companions.cbEditor);
    host().applyMemoButtonCaption();
}

void CompanionPage::store(TorkaSettings& options) const {
    CompanionKeys& companions = options.companions;
    companions.cbEditor = cbEditor_->isChecked();
    companions.cbVelmoJ = cbVelmoJ_->isChecked();
    companions.edtEditorFolder = text(edtEditorFolder_);
    companions.cbVelmoM = cbVelmoM_->isChecked();
    companions.cbPrint = cbPrint_->isChecked();
    companions.cbVelmoP = cbVelmoP_->isChecked();
    companions.edtPrintFolder = text(edtPrintFolder_);
}

void CompanionPage::editorClicked(bool checked) {
    host().options().companions.cbEditor = checked;
    host().applyEditorCompanion(checked);
    host().applyMemoButtonCaption();
}

void CompanionPage::printClicked(bool checked) {
    if (!checked) {
        host().options().companions.cbPrint = false;
        host().setPrintButtonCaption(false);
        return;
    }
    const std::string printer = host().printCompanion();
    if (!fileExists(printer)) {
        host().ui().message(kPrintCompanionNotFound);
        cbPrint_->setChecked(false);
        return;
    }
    host().options().companions.cbPrint = true;
    host().setPrintButtonCaption(true);
    if (edtPrintFolder_->text().isEmpty())
        edtPrintFolder_->setText(QString::fromStdString(printer));
}

void CompanionPage::chooseFile(QLineEdit* box, QCheckBox* switchBox, const FileChoice& choice) {
    const std::string before = text(box);
    for (;;) {
        const std::optional<std::string> chosen =
            host().chooseFile(choice.title, initialFolder(before, choice));
        if (!chosen) {
            box->setText(QString::fromStdString(before));
            return;
        }
        if (*chosen == before)
            break;
        // The settings file could not hold the path.
        if (const std::optional<std::string> refusal = unencodableTextMessage(*chosen)) {
            host().ui().message(*refusal);
            continue;
        }
        box->setText(QString::fromStdString(*chosen));
        if (pathExists(*chosen) && upperAscii(*chosen).find(choice.nameMark) != std::string::npos) {
            (host().*choice.setKnown)(*chosen);
            break;
        }
        host().ui().message(choice.wrongFileMessage);
    }
    switchBox->setEnabled(true);
    switchBox->setFocus();
}

std::string CompanionPage::initialFolder(const std::string& boxText,
                                         const FileChoice& choice) const {
    if (!trimSpaces(boxText).empty())
        return folderOf(boxText);
    const std::string known = (host().*choice.known)();
    if (!known.empty())
        return folderOf(known);
    return host().facts().startFolder;
}

}  // namespace velmo
