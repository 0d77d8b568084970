#pragma once
// The page " メモ " as the full and network forms hold it: hidden, it carries the main
// window's visMemoMHide through the dialog. The memo and search windows open the memo
// form with their own values (memo_options_dialog.h).

#include "dialogs/options/option_page.h"

namespace velmo {

class MemoOptionsPage;

class MemoCarriedPage : public OptionPage {
    Q_OBJECT

public:
    MemoCarriedPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    MemoOptionsPage* controls_;
};

// A page without controls (" ネット管理２ ", never shown).
class EmptyOptionPage : public OptionPage {
    Q_OBJECT

public:
    using OptionPage::OptionPage;
    void load(const TorkaSettings&) override {}
    void store(TorkaSettings&) const override {}
};

}  // namespace velmo
