#include "app/menu_order.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace velmo {

namespace {

QString nameOf(const QAction* action) {
    if (!action->objectName().isEmpty())
        return action->objectName();
    return action->menu() ? action->menu()->objectName() : QString();
}

// The actions in the listed order, unlisted ones after them; separators dropped.
QList<QAction*> ordered(const QList<QAction*>& actions, const QStringList& order,
                        QList<bool>& separatorBefore) {
    QList<QAction*> rest;
    for (QAction* action : actions) {
        if (!action->isSeparator())
            rest << action;
    }
    QList<QAction*> result;
    bool pendingSeparator = false;
    for (const QString& name : order) {
        if (name == "-") {
            pendingSeparator = !result.isEmpty();
            continue;
        }
        for (qsizetype i = 0; i < rest.size(); ++i) {
            if (nameOf(rest[i]) != name)
                continue;
            result << rest.takeAt(i);
            separatorBefore << pendingSeparator;
            pendingSeparator = false;
            break;
        }
    }
    for (QAction* action : rest) {
        result << action;
        separatorBefore << false;
    }
    return result;
}

}  // namespace

void arrangeMenu(QMenu& menu, const QStringList& order) {
    const QList<QAction*> actions = menu.actions();
    QList<bool> separatorBefore;
    const QList<QAction*> items = ordered(actions, order, separatorBefore);
    for (QAction* action : actions) {
        menu.removeAction(action);
        if (action->isSeparator() && action->parent() == &menu)
            action->deleteLater();
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        // A separator that belongs to a hidden item goes with it.
        if (separatorBefore[i])
            menu.addSeparator()->setVisible(items[i]->isVisible());
        menu.addAction(items[i]);
    }
}

void arrangeMenuBar(QMenuBar& bar, const QStringList& order) {
    const QList<QAction*> actions = bar.actions();
    QList<bool> unused;
    const QList<QAction*> items = ordered(actions, order, unused);
    for (QAction* action : actions)
        bar.removeAction(action);
    for (QAction* action : items)
        bar.addAction(action);
}

void arrangeMainMenus(QMenuBar& bar) {
    const struct {
        const char* menu;
        QStringList items;
    } menus[] = {
        {"miFile", {"miJouchuu", "-", "miExit"}},
        {"miView",
         {"miSetteiHyouji", "miKidouJikoku", "mnGyou", "miMemoRan", "miRokuyou", "mnTateYoko",
          "miMonthBtn"}},
        {"miIdou",
         {"miFiles1", "miFiles2", "miFiles3", "miNetOn", "-", "miPrevMonth", "miNextMonth",
          "miPrevYear", "miNextYear"}},
        {"miKinou",
         {"miKensaku", "miPrint", "miJigen", "miTextKakidashi", "miBackup", "miKinenbiIkkatu",
          "miExcel", "miClock", "miClockSettei", "miNissuuKeisan", "miBeruKinen"}},
        {"miSonota",
         {"miProperty", "miSite", "-", "miHelp", "miOption", "-", "miKidouSettei", "miSetup"}},
    };
    QStringList bars;
    for (const auto& entry : menus) {
        bars << entry.menu;
        if (QMenu* menu = bar.findChild<QMenu*>(entry.menu))
            arrangeMenu(*menu, entry.items);
    }
    arrangeMenuBar(bar, bars);
}

}  // namespace velmo
