#pragma once
// The page " 年表示 " of the options dialog: the first month of the year page's special
// period.

#include "dialogs/options/option_page.h"

class QSpinBox;

namespace velmo {

class YearPageOptions : public OptionPage {
    Q_OBJECT

public:
    explicit YearPageOptions(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    QSpinBox* SpHajimariTuki_;
};

}  // namespace velmo
