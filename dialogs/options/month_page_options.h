#pragma once
// The options page of the month view "月表示" (tsMonth): the defaults of new period
// schedules, the month view's switches, tabs, the six font colours and the month button
// column. Most controls act on the month view at once.

#include <array>
#include <utility>

#include "dialogs/options/option_page.h"

class QCheckBox;
class QGroupBox;
class QGridLayout;
class QRadioButton;
class QSpinBox;

namespace velmo {

class ColourSwatch;

class MonthOptionsPage : public OptionPage {
    Q_OBJECT

public:
    explicit MonthOptionsPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    struct ViewSwitch {
        QCheckBox* box;
        bool CalendarKeys::*option;
    };
    struct FontColour {
        ColourSwatch* swatch;
        Colour ColourKeys::*option;
        Colour preset;
    };

    QWidget* buildPeriodDefaults();
    QWidget* buildSwitches();
    QGroupBox* buildTabs();
    QGroupBox* buildFontColours();
    QGroupBox* buildMonthButtons();
    void buildCarried();
    QCheckBox* addViewSwitch(QWidget* parent, const char* name, const char* caption,
                             bool CalendarKeys::*option);
    struct TabChoice {
        const char* name;
        const char* caption;
        int value;
    };
    // A caption and two exclusive choices of one tab option, acting at once.
    std::pair<QRadioButton*, QRadioButton*> addTabChoices(QGridLayout* grid, int row,
                                                          const char* caption, int TabKeys::*option,
                                                          const std::array<TabChoice, 2>& choices);
    void chooseFontColour(const FontColour& colour);
    void resetFontColours();

    QSpinBox* udKFutosa_ = nullptr;
    ColourSwatch* edtKColor_ = nullptr;
    std::array<ViewSwitch, 6> switches_{};
    int switchCount_ = 0;
    QCheckBox* cbNihongo_ = nullptr;
    QRadioButton* rbTab2_ = nullptr;
    QRadioButton* rbTab4_ = nullptr;
    QRadioButton* rb100_ = nullptr;
    QRadioButton* rb150_ = nullptr;
    std::array<FontColour, 6> fontColours_{};
    QCheckBox* cbMonthBtn_ = nullptr;
    QRadioButton* rbKinenbi_ = nullptr;
    QRadioButton* rbRokuyo_ = nullptr;
    QSpinBox* udYokoC_ = nullptr;
};

}  // namespace velmo
