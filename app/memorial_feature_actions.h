#pragma once
// The memorial-day feature settings of "Cmr.myc": read at start-up and held for the run;
// "べる記念機能(&M)" shows them on the feature page and writes them back when changed.

#include <QObject>
#include <filesystem>
#include <functional>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/memorial_settings.h"

class QAction;
class QMenu;
class QWidget;

namespace velmo {

class MonthPage;
class RunSettings;

inline constexpr const char* kMemorialFeatureFailure =
    "月の予定読込に失敗しました。\r\n一旦、終了させますので\r\nもう一度、立ち上げ直してください。";

struct MemorialFeatureContext {
    QWidget& window;
    MonthPage& monthPage;
    RunSettings& run;
    UserInterface& ui;
    Sleeper& sleeper;
    std::function<void()> saveBeforeLeaving;
    // Ends the run after a failure the window cannot go on from.
    std::function<void()> terminate;
};

class MemorialFeatureActions : public QObject {
    Q_OBJECT

public:
    // Reads the settings and adds the item to `functionsMenu`.
    MemorialFeatureActions(MemorialFeatureContext context, QMenu& functionsMenu, QObject* parent);

    const MemorialSettings& settings() const { return settings_; }
    QAction* item() const { return item_; }
    // "べる記念機能(&M)".
    void open();

private:
    std::filesystem::path file() const;

    MemorialFeatureContext context_;
    MemorialSettings settings_;
    QAction* item_;
};

}  // namespace velmo
