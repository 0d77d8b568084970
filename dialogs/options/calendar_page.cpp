#include "dialogs/options/calendar_page.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "dialogs/options/options_host.h"
#include "dialogs/options/page_controls.h"

namespace velmo {

CalendarPage::CalendarPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent),
      rgStYoubi_(new RadioGroup(this, "rgStYoubi", " 週の始まり ", {"日曜", "月曜"})),
      cbEquinox_(namedCheckBox(this, "cbEquinox", "春分の日、秋分の日を表示しない")),
      cbFurikae_(namedCheckBox(this, "cbFurikae", "振替休日を表示しない")) {
    setObjectName(QStringLiteral("tsKoyomi"));

    auto* holidays = new QGroupBox(pageText(" 休日抑止 "), this);
    auto* column = new QVBoxLayout(holidays);
    column->addWidget(cbEquinox_);
    column->addWidget(cbFurikae_);
    column->addWidget(
        noteLabel(holidays,
                  "海外でも使えるように日本特有の祝日の表示を抑止します。\n"
                  "上記以外の祝日は、起動フォルダにある HDay.dat を削除すれば、表示されません。\n"
                  "また、HDay.dat を編集すれば、その国の祝日に対応できます。\n"
                  "HDay.dat を間違えて削除した場合は、再びセットアップすれば、再生します。\n"
                  "逆に、編集した HDay.dat を上書で消さないためには、HDay.dat "
                  "を別のフォルダに保管しておき、\n"
                  "上書セットアップの後、編集した HDay.dat を起動フォルダに戻してください。"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rgStYoubi_);
    layout->addWidget(holidays);
    layout->addStretch();

    // The week start reaches every calendar at once. The main window applies its options
    // as a whole, so equinox days and substitute holidays it already switched off stay off.
    connect(rgStYoubi_, &RadioGroup::itemChosen, this, [this](int index) {
        if (loading())
            return;
        host().options().calendar.rgStYoubi = index;
        host().applyCalendarOptions();
    });
}

void CalendarPage::load(const TorkaSettings& options) {
    rgStYoubi_->setItemIndex(options.calendar.rgStYoubi);
    cbEquinox_->setChecked(options.calendar.cbEquinox);
    cbFurikae_->setChecked(options.calendar.cbFurikae);
}

void CalendarPage::store(TorkaSettings& options) const {
    // The two holiday switches take effect at the next settings read, not now.
    rgStYoubi_->storeItemIndex(options.calendar.rgStYoubi);
    options.calendar.cbEquinox = cbEquinox_->isChecked();
    options.calendar.cbFurikae = cbFurikae_->isChecked();
}

}  // namespace velmo
