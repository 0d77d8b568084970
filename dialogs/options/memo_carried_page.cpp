#include "dialogs/options/memo_carried_page.h"

#include <QVBoxLayout>

#include "dialogs/memo_options_dialog.h"

namespace velmo {

MemoCarriedPage::MemoCarriedPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent), controls_(new MemoOptionsPage(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(controls_);
}

void MemoCarriedPage::load(const TorkaSettings& options) {
    MemoOptionValues values = controls_->values();
    values.visMemoMHide = options.display.visMemoMHide;
    controls_->load(values);
}

void MemoCarriedPage::store(TorkaSettings& options) const {
    options.display.visMemoMHide = controls_->values().visMemoMHide;
}

}  // namespace velmo
