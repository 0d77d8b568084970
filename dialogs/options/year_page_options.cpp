#include "dialogs/options/year_page_options.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/options/page_controls.h"

namespace velmo {

YearPageOptions::YearPageOptions(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent), SpHajimariTuki_(new QSpinBox(this)) {
    setObjectName(QStringLiteral("tsYear"));
    SpHajimariTuki_->setObjectName(QStringLiteral("SpHajimariTuki"));
    // The box accepts more than the twelve months and pulls every change back into them
    // at once. A range of 1..12 would let a typed 0 or 13 stand in the box until editing
    // ends, while the value read meanwhile is still the old one.
    SpHajimariTuki_->setRange(-99, 99);
    SpHajimariTuki_->setValue(1);
    connect(SpHajimariTuki_, &QSpinBox::valueChanged, this, [this](int month) {
        const int clamped = std::clamp(month, 1, 12);
        if (clamped != month)
            SpHajimariTuki_->setValue(clamped);
    });

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(pageText("特別期間表示："), this));
    row->addWidget(SpHajimariTuki_);
    row->addWidget(new QLabel(pageText("月始まり"), this));
    row->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addStretch();
}

void YearPageOptions::load(const TorkaSettings& options) {
    SpHajimariTuki_->setValue(options.calendar.SpHajimariTuki);
}

void YearPageOptions::store(TorkaSettings& options) const {
    options.calendar.SpHajimariTuki = SpHajimariTuki_->value();
}

}  // namespace velmo
