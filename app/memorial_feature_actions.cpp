#include "app/memorial_feature_actions.h"

#include <QAction>
#include <QMenu>

#include "app/month_page.h"
#include "app/startup/run_settings.h"
#include "dialogs/memorial_feature_dialog.h"
#include "store/settings_table.h"

namespace velmo {

MemorialFeatureActions::MemorialFeatureActions(MemorialFeatureContext context, QMenu& functionsMenu,
                                               QObject* parent)
    : QObject(parent),
      context_(std::move(context)),
      settings_(readMemorialSettings(file(), context_.sleeper)),
      item_(functionsMenu.addAction("べる記念機能(&M)")) {
    item_->setObjectName("miBeruKinen");
    connect(item_, &QAction::triggered, this, &MemorialFeatureActions::open);
}

std::filesystem::path MemorialFeatureActions::file() const {
    return memorialSettingsPath(context_.run.dataFolders().commonFolder);
}

void MemorialFeatureActions::open() {
    context_.saveBeforeLeaving();
    context_.monthPage.showCurrentMonth();
    MemorialFeatureDialog page(settings_, &context_.window);
    if (page.exec() != QDialog::Accepted || page.settings() == settings_)
        return;
    settings_ = page.settings();
    // The product label's text is the program's own caption, written for others to read.
    const std::string productLabel = std::string("ベルモ ") + kSettingsVersion;
    if (writeMemorialSettings(file(), settings_, productLabel, context_.sleeper) !=
        ProfileFile::SaveOutcome::Saved) {
        informMain(context_.ui, kMemorialFeatureFailure);
        context_.terminate();
        return;
    }
    MonthSession& session = context_.monthPage.session();
    session.reloadAll(context_.run.dataFolders(), context_.run.settings().data, session.runToday());
}

}  // namespace velmo
