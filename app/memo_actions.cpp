#include "app/memo_actions.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>

#include "app/commands/main_commands.h"
#include "app/startup/run_settings.h"
#include "app/startup/start_folders.h"
#include "app/view_requests.h"
#include "dialogs/memo_options_dialog.h"
#include "dialogs/memo_window.h"
#include "store/memo_file.h"

namespace velmo {

namespace {

QString qs(const char* text) {
    return QString::fromUtf8(text);
}

bool isFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

}  // namespace

MemoActions::MemoActions(MemoActionsContext context, QMenu& viewMenu, MainCommands& commands,
                         QObject* parent)
    : QObject(parent), context_(std::move(context)) {
    submenu_ = new QMenu(qs("メモ欄(&M)"), &viewMenu);
    submenu_->menuAction()->setObjectName(QStringLiteral("miMemoRan"));
    viewMenu.addMenu(submenu_);
    const struct {
        const char* caption;
        const char* name;
        int mode;
    } items[] = {{"メモ(&M)", "miMemo", 0},
                 {"ReadMe(&R)", "miReadMe", 1},
                 {"使用法(&U)", "miShiyou", 2},
                 {"Editor(&E)", "miEditor", 3}};
    for (const auto& item : items) {
        QAction* action = new QAction(qs(item.caption), submenu_);
        action->setObjectName(QString::fromLatin1(item.name));
        action->setCheckable(true);
        const int mode = item.mode;
        connect(action, &QAction::triggered, this, [this, mode] { open(mode); });
        items_[mode] = action;
    }
    submenu_->addAction(items_[0]);
    submenu_->addAction(items_[1]);
    // "最新の機能" has nothing to show in this edition and stays hidden.
    submenu_->addAction(items_[2]);
    if (context_.logItem)
        submenu_->addAction(context_.logItem);
    submenu_->addAction(items_[3]);
    connect(submenu_, &QMenu::aboutToShow, this, &MemoActions::refreshSubmenu);

    commands.add(MonthMenuCommand::Memo, [this](std::int32_t) {
        if (context_.throughCompanion && context_.throughCompanion())
            return;
        open(context_.run.settings().display.pMemoMode);
    });
    connect(&viewMenu, &QMenu::aboutToShow, this, &MemoActions::refreshEnabling);
    refreshEnabling();

    // The メモ tab opens the window; the page shown stays.
    context_.pages.tabBar()->installEventFilter(this);
    connect(&context_.pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != context_.memoPageIndex) {
            shownPage_ = index;
            return;
        }
        context_.pages.setCurrentIndex(shownPage_);
        open(context_.run.settings().display.pMemoMode);
    });
}

MemoActions::~MemoActions() {
    context_.pages.tabBar()->removeEventFilter(this);
}

std::filesystem::path MemoActions::readmeFile() const {
    return std::filesystem::path(context_.folders.startFolder) / "ReadMe.txt";
}

std::filesystem::path MemoActions::usageFile() const {
    return std::filesystem::path(context_.folders.startFolder) / "CaSima.dat";
}

void MemoActions::refreshEnabling() {
    submenu_->menuAction()->setEnabled(!(context_.editorChosen && context_.editorChosen()));
}

void MemoActions::refreshSubmenu() {
    items_[1]->setEnabled(isFile(readmeFile()));
    items_[2]->setEnabled(isFile(usageFile()));
    const int mode = context_.run.settings().display.pMemoMode;
    for (int m = 0; m < 4; ++m)
        items_[m]->setChecked(m == mode);
}

bool MemoActions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == context_.pages.tabBar() && event->type() == QEvent::MouseButtonPress) {
        auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton &&
            context_.pages.tabBar()->tabAt(press->position().toPoint()) == context_.memoPageIndex) {
            open(context_.run.settings().display.pMemoMode);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void MemoActions::open(int mode) {
    if ((mode == 1 && !isFile(readmeFile())) || (mode == 2 && !isFile(usageFile())))
        return;
    if (mode < 0 || mode > 3)
        mode = 0;
    context_.run.settings().display.pMemoMode = mode;
    if (context_.beforeOpening)
        context_.beforeOpening();
    if (!window_) {
        RunSettings& run = context_.run;
        window_ = std::make_unique<TfmMemo>(MemoWindowContext{
            {context_.ui, context_.sleeper, context_.folders.settingsFile, {}},
            memoFilePath(run.dataFolders().commonFolder),
            readmeFile(),
            usageFile(),
            context_.folders.startFolder,
            [&run](QWidget* owner, TextWindowSettings& settings) {
                editTextWindowOptions(owner, settings, run.settings().display.visMemoMHide);
            },
            {}});
        connect(window_.get(), &TextWindow::viewRequested, &context_.requests, &ViewRequests::hold);
        connect(window_.get(), &TfmMemo::modeLeft, this,
                [&run](int left) { run.settings().display.pMemoMode = left; });
    }
    window_->showMode(static_cast<MemoMode>(mode));
}

void MemoActions::closeWindow() {
    if (!window_)
        return;
    window_->close();
    window_.reset();
}

}  // namespace velmo
