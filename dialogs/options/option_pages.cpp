#include "dialogs/options/option_pages.h"

#include "dialogs/options/basic_page.h"
#include "dialogs/options/calendar_page.h"
#include "dialogs/options/carried_pages.h"
#include "dialogs/options/companion_page.h"
#include "dialogs/options/display_page.h"
#include "dialogs/options/folder_history_page.h"
#include "dialogs/options/function_page.h"
#include "dialogs/options/memo_carried_page.h"
#include "dialogs/options/month_page_options.h"
#include "dialogs/options/network_page.h"
#include "dialogs/options/year_page_options.h"

namespace velmo {

namespace {

template <class Page>
OptionPage* make(OptionPageContext context, QWidget* parent) {
    return new Page(context, parent);
}

}  // namespace

const std::vector<OptionPageEntry>& optionPages() {
    using S = PageShown;
    static const std::vector<OptionPageEntry> pages = {
        {"tsSetAll", " 基本 ", S::FullForm, make<BasicPage>},
        {"tsHyouji", " 表示全般 ", S::FullForm, make<DisplayPage>},
        {"tsKoyomi", "  暦表示共通 ", S::FullForm, make<CalendarPage>},
        {"tsMonth", " 月表示 ", S::FullForm, make<MonthOptionsPage>},
        {"tsYear", " 年表示 ", S::FullForm, make<YearPageOptions>},
        {"tsKinou", " 機能 ", S::FullForm, make<FunctionPage>},
        {"tsRenkei", " 連携 ", S::FullForm, make<CompanionPage>},
        {"tsMemo", " メモ ", S::MemoForm, make<MemoCarriedPage>},
        {"tsNet1", " ネット１ ", S::FullAndNetworkForm, make<NetworkPage>},
        {"tsFolder", "フォルダ", S::Never, make<FolderHistoryPage>},
        {"tsNet2", " ネット２ ", S::ByChord, make<Net2Page>, "tsSetAll"},
        {"tsNetKanri2", " ネット管理２ ", S::Never, make<EmptyOptionPage>},
        {"tsKanri", " 管理 ", S::Never, make<KanriPage>},
    };
    return pages;
}

}  // namespace velmo
