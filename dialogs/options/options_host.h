#pragma once
// What the options dialog needs from the main window: its option values, the facts of
// the run, and the operations the pages apply at once while the dialog is still open.
// The main window implements it (app/options_actions); tests use a recording fake.

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "shared/folder_creation.h"
#include "store/colour_text.h"
#include "store/settings_keys.h"

namespace velmo {

// Where the run started and keeps its files; folder texts end with "/".
struct OptionsRunFacts {
    std::string startFolder;
    std::string userFolder;
    std::string settingsFolder;
    std::string settingsFile;
    std::string startupFolder;  // the autostart folder
    bool startedFromCdrom = false;
    bool startedFromNetwork = false;
    bool startedFromRemovable = false;
    bool useUserFolder = false;
};

class OptionsHost {
public:
    virtual ~OptionsHost() = default;

    // The main window's option values for the run; closing copies every control here.
    virtual TorkaSettings& options() = 0;
    virtual const OptionsRunFacts& facts() const = 0;
    virtual UserInterface& ui() = 0;
    virtual Sleeper& sleeper() = 0;
    virtual const Clock& clock() const = 0;

    // Re-applies the status panel (cbShiyouchuu) and the status clock (cb24ji).
    virtual void applyStatusPanel() = 0;
    virtual void applyStatusClock() = 0;
    // Re-applies every month-view option of `options()` (week start, holidays, bold,
    // packing, month memo, tabs, fonts, the six colours) to the month view and the small
    // calendars, then relayout and repaint.
    virtual void applyCalendarOptions() = 0;
    // Applies cbMonthBtn to the month button column.
    virtual void applyMonthButtons() = 0;
    // The program's one colour dialog (with its sixteen fixed custom colours); nullopt
    // when cancelled.
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;
    // The desktop's folder and file pickers; nullopt when cancelled. A folder comes back
    // with a trailing "/".
    virtual std::optional<std::string> chooseFolder(const std::string& title,
                                                    const std::string& startFolder) = 0;
    virtual std::optional<std::string> chooseFile(const std::string& title,
                                                  const std::string& startFolder) = 0;

    // Network: the state, switching it off, the change-check timer and the NetOn button.
    virtual bool networkMode() const = 0;
    virtual void networkModeOff() = 0;
    // rbNetKoushin 0: stop the change-check timer; 1: every 10 s; 2: every 60 s.
    virtual void setChangeCheck(int rbNetKoushin) = 0;
    virtual void setNetOnEnabled(bool enabled) = 0;
    // Four counters of the shared-data change check, for the "Dbg" button.
    virtual std::array<int, 4> changeCheckCounters() const = 0;
    // The administrator work of the network page, on the folder in the page's box.
    virtual int rightsLevel() const = 0;
    virtual void evaluateRights(const std::string& sharedFolder) = 0;
    // The shared folder changed in the box: the rights file of this computer is deleted
    // and the level evaluated again.
    virtual void sharedFolderChanged(const std::string& sharedFolder) = 0;
    virtual void searchLocks(const std::string& sharedFolder) = 0;
    virtual void forceUnlock(const std::string& sharedFolder) = 0;
    // The creation dialog in its mode; returns the folder it prepared (empty when none).
    virtual std::filesystem::path createSharedFolder(FolderCreationMode mode,
                                                     const std::string& sharedFolder) = 0;
    virtual void networkBackupAndRestore() = 0;
    // The settings folder moves into the user folder (true) or back to the start folder.
    virtual void settingsInUserFolder(bool inUserFolder) = 0;

    // The function page: the start/end log on or off at once (with its menu item), the
    // timer function switch, the time correction menu item and the clock companion.
    virtual void setStartLog(bool on) = 0;
    virtual void setTimerFunction(bool on) = 0;
    virtual void setCorrectionMenuEnabled(bool enabled) = 0;
    virtual std::string clockCompanion() const = 0;  // empty when none is known
    virtual void setClockCompanion(const std::string& path) = 0;
    virtual bool clockCompanionRunning() const = 0;
    virtual void startClockCompanion() = 0;
    // A start-up shortcut of that name (".desktop" or ".lnk") in the autostart folder.
    virtual bool startupShortcutExists(const std::string& name) const = 0;

    // The companion page: the editor companion's hold on the memo command (pop-up item
    // caption, memo tab, memo button), the memo button caption, the print button caption
    // and the known companion paths.
    virtual void applyEditorCompanion(bool inUse) = 0;
    virtual void applyMemoButtonCaption() = 0;
    virtual void setPrintButtonCaption(bool shown) = 0;
    virtual std::string editorCompanion() const = 0;
    virtual void setEditorCompanion(const std::string& path) = 0;
    virtual std::string printCompanion() const = 0;
    virtual void setPrintCompanion(const std::string& path) = 0;
};

}  // namespace velmo
