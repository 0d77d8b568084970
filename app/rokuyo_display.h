#pragma once
// The menu command "六曜表示(&R)": the rokuyo is drawn in the day cells exactly while the
// memorial-day setting (rbKinenbi) is off, and the item is checked while it is drawn.

#include <QObject>

class QAction;
class QMenu;

namespace velmo {

class RunSettings;
class TKvMCal;

class RokuyoDisplay : public QObject {
    Q_OBJECT

public:
    // Adds the item to `menu`. The settings and the view outlive this.
    RokuyoDisplay(RunSettings& settings, TKvMCal& view, QMenu& menu, QObject* parent);

    QAction* action() const { return action_; }

    // Inverts the setting and redraws the month with or without the rokuyo; the setting
    // is written with the next full save.
    void toggle();
    // Sets the check mark from the setting, after the settings were read.
    void refresh();

private:
    RunSettings& settings_;
    TKvMCal& view_;
    QAction* action_;
};

}  // namespace velmo
