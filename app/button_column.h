#pragma once
// The month page's button column in the program's one order, whatever order the
// features inserted their buttons in; and the buttons that only keep their place in it.

#include <QStringList>

namespace velmo {

class MonthPage;

// Top to bottom by object name; "-" is a gap between groups.
QStringList buttonColumnOrder();

// The buttons without caption and action (ベル記, 登録削除, クリア and two spares); they
// keep their place in the column, hidden.
void addPlaceholderButtons(MonthPage& page);

// Puts the column's buttons into buttonColumnOrder(); buttons it does not name follow
// at the bottom, so nothing a feature added can go missing. The year-month entry stays
// on top.
void arrangeButtonColumn(MonthPage& page);

}  // namespace velmo
