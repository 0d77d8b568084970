#include "dialogs/options/display_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/options/options_host.h"
#include "dialogs/options/page_controls.h"
#include "store/file_helpers.h"

namespace velmo {

DisplayPage::DisplayPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent),
      rgHyouji_(new RadioGroup(this, "rgHyouji", " 表示位置 ", {"画面の真ん中", "終了時位置"})),
      cbNotMannaka_(namedCheckBox(this, "cbNotMannaka",
                                  "スクリーンエリア外の表示を許可する（終了時の位置）")),
      cbShiyouchuu_(namedCheckBox(this, "cbShiyouchuu", "【 起動フォルダ 】ステータスバー表示")),
      cb24ji_(namedCheckBox(this, "cb24ji", " 時刻の２４時表示")) {
    setObjectName(QStringLiteral("tsHyouji"));

    auto* statusBar = new QGroupBox(pageText(" ステータスバー "), this);
    auto* grid = new QGridLayout(statusBar);
    grid->addWidget(cbShiyouchuu_, 0, 0, 1, 2);
    grid->addWidget(new QLabel(pageText("起動フォルダ："), statusBar), 1, 0, Qt::AlignTop);
    auto* startFolder = new QLabel(
        QString::fromStdString(withTrailingSeparator(host().facts().startFolder)), statusBar);
    startFolder->setObjectName(QStringLiteral("lblStartFolder"));
    startFolder->setWordWrap(true);
    startFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(startFolder, 1, 1);
    grid->addWidget(cb24ji_, 2, 0, 1, 2);
    grid->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgHyouji_);
    layout->addWidget(cbNotMannaka_);
    layout->addWidget(statusBar);
    layout->addStretch();

    connect(rgHyouji_, &RadioGroup::itemChosen, this, &DisplayPage::positionChosen);
    connect(cbShiyouchuu_, &QCheckBox::toggled, this, [this](bool checked) {
        if (loading())
            return;
        host().options().behaviour.cbShiyouchuu = checked;
        host().applyStatusPanel();
    });
    connect(cb24ji_, &QCheckBox::toggled, this, [this](bool checked) {
        if (loading())
            return;
        host().options().behaviour.cb24ji = checked;
        host().applyStatusClock();
    });
}

void DisplayPage::load(const TorkaSettings& options) {
    // The position first: its rule enables the box, which then takes its own value.
    rgHyouji_->setItemIndex(options.window.HyoujiIchi);
    cbNotMannaka_->setChecked(options.window.cbNotMannaka);
    cbShiyouchuu_->setChecked(options.behaviour.cbShiyouchuu);
    cb24ji_->setChecked(options.behaviour.cb24ji);
}

void DisplayPage::store(TorkaSettings& options) const {
    rgHyouji_->storeItemIndex(options.window.HyoujiIchi);
    options.window.cbNotMannaka = cbNotMannaka_->isChecked();
    options.behaviour.cbShiyouchuu = cbShiyouchuu_->isChecked();
    options.behaviour.cb24ji = cb24ji_->isChecked();
}

void DisplayPage::positionChosen(int index) {
    // Only a window placed where it was left may lie outside the screen.
    const bool centred = index == 0;
    if (centred)
        cbNotMannaka_->setChecked(false);
    cbNotMannaka_->setEnabled(!centred);
}

}  // namespace velmo
