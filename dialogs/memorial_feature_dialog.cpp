#include "dialogs/memorial_feature_dialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/colour_text.h"

namespace velmo {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Colours are stored as 0x00BBGGRR.
QColor qtColour(Colour colour) {
    return {static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
            static_cast<int>((colour >> 16) & 0xFF)};
}

Colour storedColour(const QColor& colour) {
    return static_cast<Colour>(colour.red()) | static_cast<Colour>(colour.green()) << 8 |
           static_cast<Colour>(colour.blue()) << 16;
}

QCheckBox* checkBox(const char* caption, const char* name, bool checked, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    return box;
}

}  // namespace

MemorialFeatureDialog::MemorialFeatureDialog(const MemorialSettings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      title_(new QLabel(this)),
      name_(new QLineEdit(qs(settings.pCedtSp), this)),
      titleText_(new QLineEdit(qs(settings.pClblSp), this)),
      engraved_(checkBox("彫り込み", "cbHorikomi", settings.pCcbHorikomi, this)),
      importShown_(checkBox("表示する", "cbYoteiHyouji", settings.pCcbYoteiHyouji, this)),
      importFirst_(checkBox("優先表示", "cbYuusen", settings.pCcbYuusen, this)),
      importColour_(new QPushButton("読込色", this)) {
    setObjectName("fmBeruKinen");
    setWindowTitle("ベルモ -Velmo-");
    title_->setObjectName("lblSp");
    QFont big = title_->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title_->setFont(big);
    name_->setObjectName("edtSp");
    titleText_->setObjectName("edtLblSp");
    importColour_->setObjectName("btnSPColor");

    auto* names = new QFormLayout;
    names->addRow("名称", name_);
    names->addRow("タイトル", titleText_);
    auto* import = new QGroupBox("記念日予定の読込", this);
    auto* importLayout = new QVBoxLayout(import);
    importLayout->addWidget(importShown_);
    importLayout->addWidget(importFirst_);
    importLayout->addWidget(importColour_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("キャンセル");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addLayout(names);
    layout->addWidget(engraved_);
    layout->addWidget(import);
    layout->addWidget(buttons);

    connect(name_, &QLineEdit::textChanged, this, &MemorialFeatureDialog::refreshTitle);
    connect(titleText_, &QLineEdit::textChanged, this, &MemorialFeatureDialog::refreshTitle);
    connect(importColour_, &QPushButton::clicked, this, &MemorialFeatureDialog::chooseImportColour);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    setImportColour(settings.pCedtSPColor);
    refreshTitle();
}

MemorialSettings MemorialFeatureDialog::settings() const {
    MemorialSettings s = settings_;
    s.pCedtSp = name_->text().toStdString();
    s.pClblSp = titleText_->text().toStdString();
    s.pCcbHorikomi = engraved_->isChecked();
    s.pCcbYoteiHyouji = importShown_->isChecked();
    s.pCcbYuusen = importFirst_->isChecked();
    return s;
}

void MemorialFeatureDialog::setImportColour(Colour colour) {
    settings_.pCedtSPColor = colour;
    importColour_->setToolTip(qs(colourToText(colour)));
    QPalette palette = importColour_->palette();
    palette.setColor(QPalette::Button, qtColour(colour));
    importColour_->setPalette(palette);
    importColour_->setAutoFillBackground(true);
}

void MemorialFeatureDialog::chooseImportColour() {
    const QColor chosen = QColorDialog::getColor(qtColour(settings_.pCedtSPColor), this, "読込色");
    if (chosen.isValid())
        setImportColour(storedColour(chosen));
}

void MemorialFeatureDialog::refreshTitle() {
    title_->setText(qs(settings().pageTitle()));
}

}  // namespace velmo
