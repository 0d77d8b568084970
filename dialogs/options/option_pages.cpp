#include "dialogs/options/option_pages.h"

#include "dialogs/options/memo_carried_page.h"

namespace velmo {

namespace {

template <class Page>
OptionPage* make(OptionPageContext context, QWidget* parent) {
    return new Page(context, parent);
}

}  // namespace

const std::vector<OptionPageEntry>& optionPages() {
    static const std::vector<OptionPageEntry> pages = {
        {"tsMemo", " メモ ", PageShown::MemoForm, make<MemoCarriedPage>},
        {"tsNetKanri2", " ネット管理２ ", PageShown::Never, make<EmptyOptionPage>},
    };
    return pages;
}

}  // namespace velmo
