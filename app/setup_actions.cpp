#include "app/setup_actions.h"

#include <QAction>
#include <QMenu>

#include "app/setup_dialog.h"

namespace velmo {

SetupActions::SetupActions(QWidget& window, const StartFolders& folders, UserInterface& ui,
                           QMenu& otherMenu, QObject* parent)
    : QObject(parent), window_(window), folders_(folders), ui_(ui) {
    const struct {
        const char* caption;
        const char* objectName;
        SetupPage page;
    } items[] = {{"起動設定", "miKidouSettei", SetupPage::StartUp},
                 {"セットアップ", "miSetup", SetupPage::Setup}};
    for (const auto& item : items) {
        QAction* action = otherMenu.addAction(item.caption);
        action->setObjectName(item.objectName);
        const SetupPage page = item.page;
        connect(action, &QAction::triggered, this, [this, page] { open(page); });
    }
}

void SetupActions::open(SetupPage page) {
    SetupDialog dialog(folders_, folders_.startFolderGiven, SetupMode::Normal, page, ui_, &window_);
    dialog.exec();
}

}  // namespace velmo
