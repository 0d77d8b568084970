#pragma once
// The hidden item "データ形式を戻す": the data of the current data root copied back into
// the older layout (data format 1) beside it, for an older program to read. The running
// program keeps the layout it started with.

#include <QObject>
#include <functional>

#include "core/user_interface.h"

class QAction;
class QWidget;

namespace velmo {

class RunSettings;

struct DataFormatActionsContext {
    QWidget& window;
    RunSettings& run;
    UserInterface& ui;
    // The save-all, so the copy holds what was typed a moment ago.
    std::function<void()> fullSave;
};

class DataFormatActions : public QObject {
    Q_OBJECT

public:
    // The item is never shown; it belongs to the window, not to a menu.
    DataFormatActions(DataFormatActionsContext context, QObject* parent);

    QAction* item() const { return item_; }
    void convertBack();

private:
    DataFormatActionsContext context_;
    QAction* item_;
};

}  // namespace velmo
