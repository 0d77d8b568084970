#pragma once
// The page " 表示全般 " of the options dialog: where the main window appears and what
// its status bar shows.

#include "dialogs/options/option_page.h"

class QCheckBox;

namespace velmo {

class RadioGroup;

class DisplayPage : public OptionPage {
    Q_OBJECT

public:
    explicit DisplayPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    void positionChosen(int index);

    RadioGroup* rgHyouji_;
    QCheckBox* cbNotMannaka_;
    QCheckBox* cbShiyouchuu_;
    QCheckBox* cb24ji_;
};

}  // namespace velmo
