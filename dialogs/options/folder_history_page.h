#pragma once
// The never-shown options page "フォルダ" (tsFolder): three further shared folders that
// are only kept and shown again. Their values pass through the dialog.

#include <array>

#include "dialogs/options/option_page.h"

class QLineEdit;

namespace velmo {

class FolderHistoryPage : public OptionPage {
    Q_OBJECT

public:
    explicit FolderHistoryPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;

private:
    std::array<QLineEdit*, 3> boxes_{};
};

}  // namespace velmo
