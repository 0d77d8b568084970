#pragma once
// The options dialog's pages in their order, with their tab captions and when each tab
// is shown. The position in this table is the page index the dialog stores.

#include <vector>

#include "dialogs/options/options_dialog.h"

namespace velmo {

const std::vector<OptionPageEntry>& optionPages();

}  // namespace velmo
