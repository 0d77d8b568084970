#include "dialogs/memo_options_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

QSpinBox* unlimitedSpinBox(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return box;
}

}  // namespace

MemoOptionsPage::MemoOptionsPage(QWidget* parent)
    : QWidget(parent),
      edtCLine1_(unlimitedSpinBox(this, "edtCLine1")),
      edtCLine2_(unlimitedSpinBox(this, "edtCLine2")),
      cbJHanten_(new QCheckBox(qs("動作を反転"), this)),
      edtMenuCount_(new QSpinBox(this)),
      cbMemoMHide_(new QCheckBox(qs("メモを起動後、「ベルモ」を常駐させる。"), this)) {
    setObjectName(QStringLiteral("tsMemo"));
    cbJHanten_->setObjectName(QStringLiteral("cbJHanten"));
    cbMemoMHide_->setObjectName(QStringLiteral("cbMemoMHide"));
    edtMenuCount_->setObjectName(QStringLiteral("edtMenuCount"));
    edtMenuCount_->setRange(8, 30);
    // Carried for the settings file; nothing else uses it.
    edtMenuCount_->hide();

    auto* group = new QGroupBox(qs(" ジャンプボタン "), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(qs("ジャンプ時のカーソル位置　　　（１）トップから"), group), 0, 0);
    grid->addWidget(edtCLine1_, 0, 1);
    grid->addWidget(new QLabel(qs("（２）ボトムから"), group), 1, 0, Qt::AlignRight);
    grid->addWidget(edtCLine2_, 1, 1);
    grid->addWidget(new QLabel(qs("( + Shift )"), group), 1, 2);
    grid->addWidget(cbJHanten_, 2, 0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(cbMemoMHide_);
    layout->addWidget(edtMenuCount_);
    layout->addStretch();
}

void MemoOptionsPage::load(const MemoOptionValues& values) {
    edtCLine1_->setValue(values.vCLine1);
    edtCLine2_->setValue(values.vCLine2);
    cbJHanten_->setChecked(values.vJHanten);
    edtMenuCount_->setValue(values.vMenuCount);
    cbMemoMHide_->setChecked(values.visMemoMHide);
}

MemoOptionValues MemoOptionsPage::values() const {
    return {edtCLine1_->value(), edtCLine2_->value(), cbJHanten_->isChecked(),
            edtMenuCount_->value(), cbMemoMHide_->isChecked()};
}

void runMemoOptions(QWidget* owner, MemoOptionValues& values) {
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("fmOption"));
    dialog.setWindowTitle(qs("ベルモ -Velmo-"));
    auto* pages = new QTabWidget(&dialog);
    auto* page = new MemoOptionsPage(pages);
    page->load(values);
    pages->addTab(page, qs(" メモ "));
    auto* close = new QPushButton(qs("設定を閉じる"), &dialog);
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(pages);
    layout->addWidget(close, 0, Qt::AlignRight);
    dialog.resize(567, 300);
    dialog.exec();
    // Closing the dialog in any way keeps what was set.
    values = page->values();
}

void editTextWindowOptions(QWidget* owner, TextWindowSettings& settings, bool& visMemoMHide) {
    MemoOptionValues values{settings.vCLine1, settings.vCLine2, settings.vJHanten,
                            settings.vMenuCount, visMemoMHide};
    runMemoOptions(owner, values);
    settings.vCLine1 = values.vCLine1;
    settings.vCLine2 = values.vCLine2;
    settings.vJHanten = values.vJHanten;
    settings.vMenuCount = values.vMenuCount;
    visMemoMHide = values.visMemoMHide;
}

}  // namespace velmo
