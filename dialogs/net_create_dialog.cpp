#include "dialogs/net_create_dialog.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

// Refuses, as they are typed or pasted, characters the administrator files cannot keep.
class AdministratorTextValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        return administratorTextProblem(input.toStdString()) ? Invalid : Acceptable;
    }
};

struct ModeTexts {
    const char* title;
    const char* lead;
    const char* nameLabel;
    const char* explanation;
    const char* button;
};

ModeTexts textsOf(FolderCreationMode mode) {
    switch (mode) {
        case FolderCreationMode::ReassignAdministrator:
            return {"管理ファイル書込", "作成される予定データフォルダの管理者を決めて下さい。",
                    "ネット管理者名", "現在のネットフォルダの管理者コードだけを書き換えます。",
                    "管理ファイル書込"};
        case FolderCreationMode::GrantRights:
            return {"管理権限設定", "管理者が設定したパスワードを入力してください。", "名称",
                    "このＰＣに管理者権限を与えます。", "管理権限設定実行"};
        case FolderCreationMode::CreateFolder:
            break;
    }
    return {"ネット上の予定データフォルダ作成",
            "作成される予定データフォルダの管理者を決めて下さい。", "ネット管理者名",
            "ネット上のフォルダに管理者コードを書き込むとともに、\n"
            "データのフォルダが存在していなければ、作成します。",
            "フォルダ選択＆実行"};
}

QString orComputerName(const std::string& text, const std::string& computerName) {
    return QString::fromStdString(text.empty() ? computerName : text);
}

}  // namespace

TfmNetCreate::TfmNetCreate(FolderCreationMode mode, FolderCreation& creation,
                           const AdministratorEntry& held, const std::string& computerName,
                           QWidget* owner)
    : QDialog(owner),
      mode_(mode),
      creation_(creation),
      title_(new QLabel(this)),
      nameLabel_(new QLabel(this)),
      edtSvName_(new QLineEdit(this)),
      edtSvCode_(new QLineEdit(this)),
      run_(new QPushButton(this)),
      cancel_(new QPushButton(qs("キャンセル"), this)) {
    const ModeTexts texts = textsOf(mode);
    setWindowTitle(qs(kNetCreateCaption));
    setModal(true);
    edtSvName_->setObjectName(QStringLiteral("edtSvName"));
    edtSvCode_->setObjectName(QStringLiteral("edtSvCode"));

    QFont titleFont = title_->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.3);
    title_->setFont(titleFont);
    title_->setText(qs(texts.title));
    nameLabel_->setText(qs(texts.nameLabel));
    run_->setText(qs(texts.button));
    run_->setDefault(true);

    const bool granting = mode == FolderCreationMode::GrantRights;
    edtSvName_->setText(orComputerName(held.name, computerName));
    edtSvCode_->setText(granting ? QString() : orComputerName(held.password, computerName));
    // The administrator chooses a password and should see it; anyone else types one.
    edtSvCode_->setEchoMode(granting ? QLineEdit::Password : QLineEdit::Normal);
    for (QLineEdit* box : {edtSvName_, edtSvCode_}) {
        box->setValidator(new AdministratorTextValidator(box));
        box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 28);
    }

    auto* form = new QFormLayout;
    form->addRow(nameLabel_, edtSvName_);
    form->addRow(new QLabel(qs("パスワード"), this), edtSvCode_);
    auto* hint = new QLabel(qs("（必要があれば、変更してください）"), this);
    hint->setVisible(!granting);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel_);
    buttons->addWidget(run_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(new QLabel(qs(texts.lead), this));
    layout->addLayout(form);
    layout->addWidget(hint, 0, Qt::AlignRight);
    layout->addSpacing(8);
    layout->addWidget(new QLabel(qs(texts.explanation), this));
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(run_, &QPushButton::clicked, this, &TfmNetCreate::onRun);
}

AdministratorEntry TfmNetCreate::entered() const {
    return {edtSvName_->text().toStdString(), edtSvCode_->text().toStdString()};
}

void TfmNetCreate::onRun() {
    const FolderCreationOutcome outcome = creation_.press(mode_, entered());
    if (!outcome.closeDialog)
        return;
    chosen_ = outcome.chosenFolder;
    if (chosen_.empty())
        reject();
    else
        accept();
}

ChooseFolder folderBrowser(QWidget* owner) {
    return [owner](const std::string& start) -> std::optional<std::filesystem::path> {
        const QString folder = QFileDialog::getExistingDirectory(
            owner, qs("フォルダの選択"), QString::fromStdString(start), QFileDialog::ShowDirsOnly);
        if (folder.isEmpty())
            return std::nullopt;
        return std::filesystem::path(folder.toStdString());
    };
}

AskExistingPassword existingPasswordQuestion(QWidget* owner) {
    return [owner]() -> std::optional<std::string> {
        bool ok = false;
        const QString password =
            QInputDialog::getText(owner, qs(kQuestionCaption),
                                  qs("このフォルダには、既に管理者が設定されています。\n"
                                     "書き換えるには、今の管理者のパスワードを入力してください。"),
                                  QLineEdit::Password, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return password.toStdString();
    };
}

std::filesystem::path runNetCreateDialog(FolderCreationMode mode, FolderCreationState& state,
                                         const FolderCreationPlace& place,
                                         const CipherFileContext& context, QWidget* owner) {
    FolderCreation creation(state, place, context, folderBrowser(owner),
                            existingPasswordQuestion(owner));
    TfmNetCreate dialog(mode, creation, state.held, context.computerName, owner);
    dialog.exec();
    return dialog.chosenFolder();
}

}  // namespace velmo
