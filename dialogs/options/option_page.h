#pragma once
// One page of the options dialog. Every page loads its controls from the main window's
// option values when the dialog is created and copies them back when it closes; pages
// that act at once call the host while the dialog is open.

#include <QWidget>

#include "store/options_dialog_sections.h"
#include "store/settings_keys.h"

namespace velmo {

class OptionsHost;

// The dialog's state that several pages share.
struct OptionsDialogState {
    // On from creation until the dialog is shown; several handlers do nothing then.
    bool loading = true;
    // The dialog's result: the start folder became the shared folder, the program must
    // start again.
    bool restartRequested = false;
};

struct OptionPageContext {
    OptionsHost& host;
    OptionsDialogState& state;
};

class OptionPage : public QWidget {
    Q_OBJECT

public:
    OptionPage(OptionPageContext context, QWidget* parent = nullptr)
        : QWidget(parent), context_(context) {}

    // Every control takes the option's current value.
    virtual void load(const TorkaSettings& options) = 0;
    // Every control goes back into its option.
    virtual void store(TorkaSettings& options) const = 0;
    // The dialog's own schedule memory, written with the page index when it closes; only
    // the function page has a part in it.
    virtual void storeDialogSection(JikokuSection& /*jikoku*/) const {}
    // The page became the current one (after the dialog was shown).
    virtual void pageShown() {}
    // Another page becomes current, or the dialog closes: pending edits are cancelled.
    virtual void pageLeft() {}
    // The second key of a Ctrl+Shift chord pressed on this page; true when it meant
    // something here.
    virtual bool keyChord(int /*firstKey*/, int /*secondKey*/) { return false; }
    // The page's tab was made visible by a chord on another page.
    virtual void revealed() {}

protected:
    OptionsHost& host() const { return context_.host; }
    OptionsDialogState& state() const { return context_.state; }
    bool loading() const { return context_.state.loading; }

private:
    OptionPageContext context_;
};

}  // namespace velmo
