#pragma once
// Features add their items to the menus as they are created; the menus then take the
// program's one order from a list of names. An item's name is its action's object
// name, or its submenu's for a submenu.

#include <QStringList>

class QMenu;
class QMenuBar;

namespace velmo {

// Puts the items named in `order` first, in that order ("-" is a separator, shown only
// between two items, and hidden with a hidden item after it); items the list does not
// name follow in their present order, so nothing a feature added can go missing.
void arrangeMenu(QMenu& menu, const QStringList& order);

// The same for the menus of a menu bar, by their object names.
void arrangeMenuBar(QMenuBar& bar, const QStringList& order);

// The main window's menus in the program's order: ファイル, 表示, 移動, 機能, その他 and
// the items of each.
void arrangeMainMenus(QMenuBar& bar);

}  // namespace velmo
