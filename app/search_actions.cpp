#include "app/search_actions.h"

#include <QMenu>
#include <QPushButton>

#include "app/month_page.h"

#include "app/startup/run_settings.h"
#include "app/view_requests.h"
#include "dialogs/memo_options_dialog.h"
#include "dialogs/search_window.h"

namespace velmo {

SearchActions::SearchActions(SearchActionsContext context, QMenu& functionsMenu, QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    auto* item = new QAction(QString::fromUtf8("検索(&F)"), &functionsMenu);
    item->setObjectName(QStringLiteral("miKensaku"));
    item->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
    functionsMenu.insertAction(functionsMenu.actions().value(0), item);
    connect(item, &QAction::triggered, this, &SearchActions::open);
}

SearchActions::~SearchActions() = default;

void SearchActions::attachToMonthPage(MonthPage& page) {
    QPushButton* button = page.insertButton(QString::fromUtf8("検索"), "btnKensaku", "btnKongetu");
    connect(button, &QPushButton::clicked, this, &SearchActions::open);
}

void SearchActions::open() {
    if (context_.beforeOpening)
        context_.beforeOpening();
    if (!window_) {
        RunSettings& run = context_.run;
        // Owned by the application, not by the main window: it stands on its own.
        window_ = std::make_unique<TfmKensaku>(SearchWindowContext{
            {context_.ui, context_.sleeper, context_.settingsFile, {}},
            context_.clock,
            [&run] { return std::filesystem::path(run.dataFolders().current().folder()); },
            context_.saveAll,
            [&run](QWidget* owner, TextWindowSettings& settings) {
                editTextWindowOptions(owner, settings, run.settings().display.visMemoMHide);
            }});
        connect(window_.get(), &TextWindow::viewRequested, &context_.requests, &ViewRequests::hold);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
}

void SearchActions::closeWindow() {
    if (!window_)
        return;
    window_->close();
    window_.reset();
}

}  // namespace velmo
