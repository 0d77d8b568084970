#include "dialogs/spreadsheet_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "backup/spreadsheet_export.h"
#include "dialogs/data_dialog.h"

namespace velmo {
namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

QCheckBox* optionBox(const char* name, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(qs(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

}  // namespace

SpreadsheetPage::SpreadsheetPage(DataDialogContext& dialog, ExportPageContext& context,
                                 ExportSettings& settings, QWidget* parent)
    : QWidget(parent), dialog_(dialog), context_(context), settings_(settings) {
    setObjectName(QStringLiteral("tsExcel"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qs("表示中の月 %1年%2月 のエクセルカレンダを作成します。")
                                     .arg(context_.year)
                                     .arg(context_.month),
                                 this));

    auto* titleGroup = new QGroupBox(this);
    auto* titleLayout = new QGridLayout(titleGroup);
    cbExTitle_ = optionBox("cbExTitle", "タイトル記入", titleGroup);
    titleLayout->addWidget(cbExTitle_, 0, 0);
    const char* formCaptions[3] = {"年月", "年月+タイトル", "タイトルのみ"};
    for (int i = 0; i < 3; ++i) {
        titleForms_[i] = new QRadioButton(qs(formCaptions[i]), titleGroup);
        titleForms_[i]->setObjectName(QStringLiteral("rgExTitle%1").arg(i));
        titleLayout->addWidget(titleForms_[i], 1, i);
    }
    edtExTitle_ = new QLineEdit(titleGroup);
    edtExTitle_->setObjectName(QStringLiteral("edtExTitle"));
    titleLayout->addWidget(new QLabel(qs("タイトル"), titleGroup), 2, 0);
    titleLayout->addWidget(edtExTitle_, 2, 1, 1, 2);
    layout->addWidget(titleGroup);

    auto* optionGroup = new QGroupBox(this);
    auto* optionLayout = new QGridLayout(optionGroup);
    cbExDate_ = optionBox("cbExDate", "作成日付記入", optionGroup);
    cbExSaijitu_ = optionBox("cbExSaijitu", "祭日記入", optionGroup);
    cbExKinenbi_ = optionBox("cbExKinenbi", "記念日記入", optionGroup);
    cbExNaiyou_ = optionBox("cbExNaiyou", "内容記入", optionGroup);
    cbExShoshiki_ = optionBox("cbExShoshiki", "書式も書き出す", optionGroup);
    cbExPreview_ = optionBox("cbExPreview", "プレビューを表示", optionGroup);
    QCheckBox* boxes[6] = {cbExDate_,   cbExSaijitu_,  cbExKinenbi_,
                           cbExNaiyou_, cbExShoshiki_, cbExPreview_};
    for (int i = 0; i < 6; ++i)
        optionLayout->addWidget(boxes[i], i / 2, i % 2);
    layout->addWidget(optionGroup);

    auto* buttons = new QHBoxLayout;
    auto* defaults = new QPushButton(qs("規定値に戻す"), this);
    defaults->setObjectName(QStringLiteral("btnExDefault"));
    create_ = new QPushButton(this);
    create_->setObjectName(QStringLiteral("btnExcel"));
    create_->setMinimumHeight(48);
    buttons->addWidget(defaults);
    buttons->addStretch(1);
    buttons->addWidget(create_);
    layout->addLayout(buttons);
    layout->addStretch(1);

    load(settings_);
    connect(cbExPreview_, &QCheckBox::toggled, this, &SpreadsheetPage::updateCreateCaption);
    connect(defaults, &QPushButton::clicked, this, &SpreadsheetPage::resetToDefaults);
    connect(create_, &QPushButton::clicked, this, &SpreadsheetPage::create);
}

QRadioButton* SpreadsheetPage::titleForm(ExportTitleForm form) const {
    return titleForms_[static_cast<int>(form)];
}

void SpreadsheetPage::load(const ExportSettings& s) {
    cbExTitle_->setChecked(s.title);
    titleForm(s.titleForm)->setChecked(true);
    edtExTitle_->setText(QString::fromStdString(s.titleText));
    cbExDate_->setChecked(s.creationDate);
    cbExSaijitu_->setChecked(s.holidays);
    cbExKinenbi_->setChecked(s.memorialDays);
    cbExNaiyou_->setChecked(s.entries);
    cbExShoshiki_->setChecked(s.formats);
    cbExPreview_->setChecked(s.preview);
    updateCreateCaption();
}

void SpreadsheetPage::updateCreateCaption() {
    create_->setText(
        qs(cbExPreview_->isChecked() ? "エクセルカレンダ\nプレビュー" : "エクセルカレンダ\n作成"));
}

void SpreadsheetPage::resetToDefaults() {
    if (!ask(dialog_.ui, "すべて規定値に戻しますか？", DefaultButton::Yes,
             kMainInformationCaption)) {
        informMain(dialog_.ui, "中止します。");
        return;
    }
    keepSettings();
    load(withDefaultSpreadsheetOptions(settings_));
    keepSettings();
}

void SpreadsheetPage::keepSettings() {
    settings_.title = cbExTitle_->isChecked();
    for (int i = 0; i < 3; ++i) {
        if (titleForms_[i]->isChecked())
            settings_.titleForm = static_cast<ExportTitleForm>(i);
    }
    settings_.titleText = edtExTitle_->text().toStdString();
    settings_.creationDate = cbExDate_->isChecked();
    settings_.holidays = cbExSaijitu_->isChecked();
    settings_.memorialDays = cbExKinenbi_->isChecked();
    settings_.entries = cbExNaiyou_->isChecked();
    settings_.formats = cbExShoshiki_->isChecked();
    settings_.preview = cbExPreview_->isChecked();
}

void SpreadsheetPage::create() {
    keepSettings();
    SpreadsheetExportInputs inputs;
    inputs.year = context_.year;
    inputs.month = context_.month;
    inputs.grid = context_.grid();
    inputs.settings = settings_;
    inputs.today = dialog_.clock.today();
    inputs.startFolder = context_.startFolder;
    inputs.openFile = context_.openFile;
    createSpreadsheetCalendar(inputs, dialog_.ui);
}

}  // namespace velmo
