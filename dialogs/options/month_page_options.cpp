#include "dialogs/options/month_page_options.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <tuple>

#include "dialogs/options/colour_swatch.h"
#include "dialogs/options/options_host.h"

namespace velmo {
namespace {

struct FontColourRow {
    const char* name;
    const char* caption;
    Colour ColourKeys::*option;
    Colour preset;  // what "規定値に戻す" sets
};

// The presets are not all the settings file's defaults: 平日 is a dark grey here
// instead of the window text colour, and 六曜 a lighter grey.
constexpr std::array<FontColourRow, 6> kFontColourRows{{
    {"edtCYotei", "予定欄標準色", &ColourKeys::edtCYotei, 0x484848},
    {"edtCRokuyo", "六曜", &ColourKeys::edtCRokuyo, 0x808080},
    {"edtCKinenbi", "記念日", &ColourKeys::edtCKinenbi, 0x008000},
    {"edtCSun", "日曜", &ColourKeys::edtCSun, 0x0000FF},
    {"edtCSat", "土曜", &ColourKeys::edtCSat, 0xFF0000},
    {"edtCWeekDay", "平日", &ColourKeys::edtCWeekDay, 0x484848},
}};

QPushButton* smallButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MonthOptionsPage::MonthOptionsPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent) {
    setObjectName("tsMonth");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setVerticalSpacing(6);
    auto* left = new QVBoxLayout;
    left->addWidget(buildPeriodDefaults());
    left->addWidget(buildSwitches());
    left->addWidget(buildTabs());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildFontColours());
    right->addStretch();
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(buildMonthButtons(), 1, 0, 1, 2);
    grid->setRowStretch(2, 1);
    buildCarried();
}

QWidget* MonthOptionsPage::buildPeriodDefaults() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel("期間予定の線の太さ初期値", box), 0, 0);
    udKFutosa_ = new QSpinBox(box);
    udKFutosa_->setObjectName("udKFutosa");
    udKFutosa_->setRange(1, 3);
    udKFutosa_->findChild<QLineEdit*>()->setObjectName("edtKFutosa");
    grid->addWidget(udKFutosa_, 0, 1, Qt::AlignLeft);

    grid->addWidget(new QLabel("色初期値", box), 1, 0);
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(new QLabel("（", box));
    edtKColor_ = new ColourSwatch(box);
    edtKColor_->setObjectName("edtKColor");
    colourRow->addWidget(edtKColor_);
    colourRow->addWidget(new QLabel("）", box));
    QPushButton* change = smallButton("色の変更", "btnKColor", box);
    colourRow->addWidget(change);
    colourRow->addStretch();
    grid->addLayout(colourRow, 1, 1);
    // The default line colour of new period schedules: only the swatch changes.
    connect(change, &QPushButton::clicked, this, [this] {
        if (const std::optional<Colour> chosen = host().chooseColour(edtKColor_->colour()))
            edtKColor_->setColour(*chosen);
    });
    return box;
}

QCheckBox* MonthOptionsPage::addViewSwitch(QWidget* parent, const char* name, const char* caption,
                                           bool CalendarKeys::*option) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    switches_[static_cast<std::size_t>(switchCount_++)] = {box, option};
    connect(box, &QCheckBox::toggled, this, [this, option](bool on) {
        host().options().calendar.*option = on;
        host().applyCalendarOptions();
    });
    return box;
}

QWidget* MonthOptionsPage::buildSwitches() {
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 4, 0, 4);
    grid->addWidget(addViewSwitch(panel, "cbTukiMemo", "月メモをＯｎ", &CalendarKeys::cbTukiMemo),
                    0, 0);
    grid->addWidget(
        addViewSwitch(panel, "cbTukiMUeTume", "月メモ上詰め", &CalendarKeys::cbTukiMUeTume), 0, 1);
    grid->addWidget(addViewSwitch(panel, "cbBold", "日付を太字", &CalendarKeys::cbBold), 1, 0);
    grid->addWidget(addViewSwitch(panel, "cbUetume", "予定上詰め", &CalendarKeys::cbUetume), 1, 1);
    grid->addWidget(addViewSwitch(panel, "cbNeighborJump", "当月以外の日クリックで隣月移動許可",
                                  &CalendarKeys::cbNeighborJump),
                    2, 0, 1, 2);
    grid->addWidget(
        addViewSwitch(panel, "cbToubai", "予定に等倍フォントを使う", &CalendarKeys::cbToubai), 3, 0,
        1, 2);
    cbNihongo_ = new QCheckBox("予定編集時日本語を常にＯｎにする", panel);
    cbNihongo_->setObjectName("cbNihongo");
    grid->addWidget(cbNihongo_, 4, 0, 1, 2);
    return panel;
}

std::pair<QRadioButton*, QRadioButton*> MonthOptionsPage::addTabChoices(
    QGridLayout* grid, int row, const char* caption, int TabKeys::*option,
    const std::array<TabChoice, 2>& choices) {
    grid->addWidget(new QLabel(caption, grid->parentWidget()), row, 0);
    auto* exclusive = new QButtonGroup(grid->parentWidget());
    std::array<QRadioButton*, 2> buttons{};
    for (std::size_t i = 0; i < choices.size(); ++i) {
        const TabChoice& choice = choices[i];
        buttons[i] = new QRadioButton(choice.caption, grid->parentWidget());
        buttons[i]->setObjectName(choice.name);
        exclusive->addButton(buttons[i]);
        grid->addWidget(buttons[i], row, static_cast<int>(i) + 1);
        connect(buttons[i], &QRadioButton::toggled, this,
                [this, option, value = choice.value](bool on) {
                    if (!on)
                        return;
                    host().options().tabs.*option = value;
                    host().applyCalendarOptions();
                });
    }
    return {buttons[0], buttons[1]};
}

QGroupBox* MonthOptionsPage::buildTabs() {
    auto* group = new QGroupBox(" タブ ", this);
    auto* grid = new QGridLayout(group);
    std::tie(rbTab2_, rbTab4_) = addTabChoices(grid, 0, "Tab間隔", &TabKeys::TabToSp,
                                               {{{"rbTab2", "２", 2}, {"rbTab4", "４", 4}}});
    auto* note = new QLabel("※表示はソフトタブ（スペースに変換）になります", group);
    note->setWordWrap(true);
    grid->addWidget(note, 1, 0, 1, 3);
    std::tie(rb100_, rb150_) = addTabChoices(grid, 2, "TrueTypeフォントの調整", &TabKeys::TabAdj,
                                             {{{"rb100", "100%", 100}, {"rb150", "150%", 150}}});
    grid->setColumnStretch(3, 1);
    return group;
}

QGroupBox* MonthOptionsPage::buildFontColours() {
    auto* group = new QGroupBox(" フォント色 ", this);
    auto* grid = new QGridLayout(group);
    for (std::size_t i = 0; i < kFontColourRows.size(); ++i) {
        const FontColourRow& row = kFontColourRows[i];
        const int line = static_cast<int>(i);
        grid->addWidget(new QLabel(row.caption, group), line, 0);
        auto* swatch = new ColourSwatch(group);
        swatch->setObjectName(row.name);
        grid->addWidget(swatch, line, 1);
        QPushButton* change = smallButton("変更", QString("btn") + QString(row.name).mid(3), group);
        grid->addWidget(change, line, 2);
        fontColours_[i] = {swatch, row.option, row.preset};
        connect(change, &QPushButton::clicked, this,
                [this, i] { chooseFontColour(fontColours_[i]); });
    }
    QPushButton* reset = smallButton("規定値に戻す", "btnColourPresets", group);
    grid->addWidget(reset, static_cast<int>(kFontColourRows.size()), 0, 1, 3);
    connect(reset, &QPushButton::clicked, this, &MonthOptionsPage::resetFontColours);
    return group;
}

QGroupBox* MonthOptionsPage::buildMonthButtons() {
    auto* group = new QGroupBox(" 右ボタン ", this);
    auto* layout = new QVBoxLayout(group);
    cbMonthBtn_ = new QCheckBox("原則的に右側のボタンを隠す([Shift]+[Ctrl] で一時表示)", group);
    cbMonthBtn_->setObjectName("cbMonthBtn");
    layout->addWidget(cbMonthBtn_);
    connect(cbMonthBtn_, &QCheckBox::toggled, this, [this](bool on) {
        if (loading())
            return;
        host().options().display.cbMonthBtn = on;
        host().applyMonthButtons();
    });
    return group;
}

// Controls that are never shown but carry their values through the dialog.
void MonthOptionsPage::buildCarried() {
    auto* carried = new QWidget(this);
    carried->setVisible(false);
    auto* layout = new QVBoxLayout(carried);
    auto* memorial = new QGroupBox(" 記念日／六曜 ", carried);
    auto* choices = new QHBoxLayout(memorial);
    rbKinenbi_ = new QRadioButton("記念日", memorial);
    rbKinenbi_->setObjectName("rbKinenbi");
    rbRokuyo_ = new QRadioButton("六曜", memorial);
    rbRokuyo_->setObjectName("rbRokuyo");
    choices->addWidget(rbKinenbi_);
    choices->addWidget(rbRokuyo_);
    layout->addWidget(memorial);
    auto* oneClick = new QCheckBox("１クリックで予定入力・編集", carried);
    oneClick->setObjectName("cbOneClick");
    layout->addWidget(oneClick);
    layout->addWidget(new QLabel("表示幅の調整", carried));
    udYokoC_ = new QSpinBox(carried);
    udYokoC_->setObjectName("udYokoC");
    udYokoC_->setRange(-256, 256);
    layout->addWidget(udYokoC_);
}

void MonthOptionsPage::chooseFontColour(const FontColour& colour) {
    const std::optional<Colour> chosen = host().chooseColour(colour.swatch->colour());
    if (!chosen)
        return;
    colour.swatch->setColour(*chosen);
    host().options().colours.*colour.option = *chosen;
    host().applyCalendarOptions();
}

void MonthOptionsPage::resetFontColours() {
    if (!host().ui().question("フォント色等を、すべて規定値に戻しますか？", kQuestionCaption,
                              DefaultButton::Yes))
        return;
    for (const FontColour& colour : fontColours_) {
        colour.swatch->setColour(colour.preset);
        host().options().colours.*colour.option = colour.preset;
    }
    host().applyCalendarOptions();
}

void MonthOptionsPage::load(const TorkaSettings& options) {
    const CalendarKeys& calendar = options.calendar;
    udKFutosa_->setValue(calendar.udKFutosa);
    edtKColor_->setColour(calendar.edtKColor);
    for (const ViewSwitch& view : switches_)
        view.box->setChecked(calendar.*view.option);
    cbNihongo_->setChecked(calendar.cbNihongo);
    (options.tabs.TabToSp == 4 ? rbTab4_ : rbTab2_)->setChecked(true);
    (options.tabs.TabAdj == 150 ? rb150_ : rb100_)->setChecked(true);
    for (const FontColour& colour : fontColours_)
        colour.swatch->setColour(options.colours.*colour.option);
    cbMonthBtn_->setChecked(options.display.cbMonthBtn);
    (options.colours.rbKinenbi ? rbKinenbi_ : rbRokuyo_)->setChecked(true);
    udYokoC_->setValue(options.display.udYokoC);
}

void MonthOptionsPage::store(TorkaSettings& options) const {
    CalendarKeys& calendar = options.calendar;
    calendar.udKFutosa = udKFutosa_->value();
    calendar.edtKColor = edtKColor_->colour();
    for (const ViewSwitch& view : switches_)
        calendar.*view.option = view.box->isChecked();
    calendar.cbNihongo = cbNihongo_->isChecked();
    options.tabs.TabToSp = rbTab4_->isChecked() ? 4 : 2;
    options.tabs.TabAdj = rb150_->isChecked() ? 150 : 100;
    for (const FontColour& colour : fontColours_)
        options.colours.*colour.option = colour.swatch->colour();
    options.display.cbMonthBtn = cbMonthBtn_->isChecked();
    options.colours.rbKinenbi = rbKinenbi_->isChecked();
    options.display.udYokoC = udYokoC_->value();
}

}  // namespace velmo
