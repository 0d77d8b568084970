#include "dialogs/options/folder_history_page.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "dialogs/options/folder_box.h"
#include "dialogs/options/options_host.h"
#include "shared/shared_folder_box.h"

namespace velmo {
namespace {

constexpr std::array<std::string NetworkKeys::*, 3> kHistoryOptions{
    &NetworkKeys::edtNetFolder1, &NetworkKeys::edtNetFolder2, &NetworkKeys::edtNetFolder3};

}  // namespace

FolderHistoryPage::FolderHistoryPage(OptionPageContext context, QWidget* parent)
    : OptionPage(context, parent) {
    setObjectName("tsFolder");
    auto* grid = new QGridLayout(this);
    for (int i = 0; i < 3; ++i) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString("edtNetFolder%1").arg(i + 1));
        QPushButton* pick = folderButton(("btnNetFSet" + std::to_string(i + 1)).c_str(), this);
        grid->addWidget(box, i, 0);
        grid->addWidget(pick, i, 1);
        boxes_[static_cast<std::size_t>(i)] = box;
        connect(pick, &QPushButton::clicked, this, [this, box] {
            if (!loading())
                pickFolderIntoBox(host(), *box);
        });
    }
    grid->setRowStretch(3, 1);
}

void FolderHistoryPage::load(const TorkaSettings& options) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const std::string& folder = options.network.*kHistoryOptions[i];
        boxes_[i]->setText(
            QString::fromStdString(emptiedWhenStartFolder(folder, host().facts().startFolder)));
    }
}

void FolderHistoryPage::store(TorkaSettings& options) const {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        options.network.*kHistoryOptions[i] =
            emptiedWhenStartFolder(boxes_[i]->text().toStdString(), host().facts().startFolder);
    }
}

}  // namespace velmo
