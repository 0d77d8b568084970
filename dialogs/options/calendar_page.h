#pragma once
// The page "  暦表示共通 " of the options dialog: the first day of the week, applied to
// every calendar at once, and the Japanese holidays that can be switched off.

#include "dialogs/options/option_page.h"

class QCheckBox;

namespace velmo {

class RadioGroup;

class CalendarPage : public OptionPage {
    Q_OBJECT

public:
    explicit CalendarPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    RadioGroup* rgStYoubi_;
    QCheckBox* cbEquinox_;
    QCheckBox* cbFurikae_;
};

}  // namespace velmo
