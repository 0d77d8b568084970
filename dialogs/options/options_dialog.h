#pragma once
// The options dialog: a page control and the one button "設定を閉じる". There is no
// cancel: closing, by that button or the close box, always keeps what was changed.
// The dialog creates its pages from a table, loads each from the main window's option
// values and copies each back when it closes.

#include <QDialog>
#include <functional>
#include <vector>

#include "dialogs/options/option_page.h"

class QPushButton;
class QTabWidget;

namespace velmo {

// The four ways of opening the dialog.
enum class OptionsForm {
    Full,            // from the main window's menu and its 設定 button
    TimeCorrection,  // the full form, opened on the function page
    Network,         // the network page alone, during start-up after a first network setup
    Memo,            // the memo page alone, from the memo and search windows
};

// When a page's tab is shown.
enum class PageShown { FullForm, FullAndNetworkForm, MemoForm, ByChord, Never };

struct OptionPageEntry {
    const char* name;     // the page's component name ("tsSetAll")
    const char* caption;  // its tab caption, exactly
    PageShown shown;
    std::function<OptionPage*(OptionPageContext, QWidget*)> create;
    // A chord on this page that meant something reveals this page (ネット２).
    const char* revealedByChordOn = nullptr;
};

class TfmOption : public QDialog {
    Q_OBJECT

public:
    TfmOption(OptionsForm form, OptionsHost& host, const std::vector<OptionPageEntry>& pages,
              QWidget* parent = nullptr);
    ~TfmOption() override;

    // True when the program must end so the changed folders take effect.
    bool restartRequested() const { return state_.restartRequested; }

    QTabWidget* pageControl() const { return pageControl_; }
    QPushButton* closeButton() const { return closeButton_; }
    // A page by its component name; null when the table has none.
    OptionPage* page(const QString& name) const;
    // The position of the active page in the page table (0 = 基本).
    int activePageIndex() const;
    // The close box, Esc and the button all end here: closing keeps the changes.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showPagesOfForm();
    void currentPageChanged(int tab);
    // The keys the dialog sees before its controls; true when consumed.
    bool previewKey(const class QKeyEvent& key);
    void closing();
    bool tabShownInForm(PageShown shown) const;

    OptionsForm form_;
    OptionsHost& host_;
    OptionsDialogState state_;
    std::vector<OptionPageEntry> entries_;
    std::vector<OptionPage*> pages_;
    QTabWidget* pageControl_;
    QPushButton* closeButton_;
    OptionPage* shownPage_ = nullptr;
    int chordFirstKey_ = 0;
    bool closed_ = false;
};

}  // namespace velmo
