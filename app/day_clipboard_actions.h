#pragma once
// The month view's "Ｄａｙコピー" and "Ｄａｙペースト": a day's entries copied to the
// clipboard and pasted onto another day, with the copy forgotten (and the clipboard
// emptied while it still holds it) when the program is left.

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "core/user_interface.h"
#include "store/month_file.h"

namespace velmo {

class MainCommands;
class TKvMCal;

struct DayClipboardContext {
    TKvMCal& view;
    UserInterface& ui;
    // Writes the free month at once after a paste into it.
    std::function<void(MonthSlot&)> saveFreeMonth;
};

class DayClipboardActions : public QObject {
    Q_OBJECT

public:
    DayClipboardActions(DayClipboardContext context, MainCommands& commands, QObject* parent);

    // A copy is on the clipboard, so "Ｄａｙペースト" is offered.
    bool copyPending() const { return copyPending_; }

    void copy(std::int32_t day);
    void paste(std::int32_t day);
    // Leaving the program forgets the copy and takes it off the clipboard.
    void applicationStateChanged(Qt::ApplicationState state);

private:
    void finish(bool relayout);

    DayClipboardContext context_;
    bool copyPending_ = false;
};

}  // namespace velmo
