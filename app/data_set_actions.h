#pragma once
// The data sets 1..3 as the main window offers them: the 移動 menu's Files items, the
// Files buttons of the month page and the context menu's commands, and the switch itself.

#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace velmo {

class MainCommands;
class MonthPage;
class RunSettings;
class UserInterface;

struct DataSetActionsContext {
    // The month page is built after the menus; it is asked for when needed.
    std::function<MonthPage&()> page;
    RunSettings& run;
    UserInterface& ui;
    std::function<bool()> fullSave;  // true when the data was saved
    std::function<void()> activateMonthPage;
    std::function<void()> switched;  // after every switch attempt (status panel…)
};

class DataSetActions : public QObject {
    Q_OBJECT

public:
    // Adds the Files items to `menu` and registers the Files commands.
    DataSetActions(DataSetActionsContext context, QMenu& menu, MainCommands& commands,
                   QObject* parent);

    // Moves to data set 1..3, saving first.
    void change(int number);
    // The items' checks and enabling and the Files2 tint, from the folders in use.
    void refresh();

private:
    DataSetActionsContext context_;
    QAction* items_[3] = {};
};

}  // namespace velmo
