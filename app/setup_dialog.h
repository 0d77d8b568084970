#pragma once
// The setup window, captioned "ベルモ -Velmo-": the start-up page (start at log-in) and
// the setup page (shortcuts on the desktop and in the applications menu). The first-run
// question opens it on the setup page, the menu items "起動設定" and "セットアップ" on
// the page they name.

#include <QDialog>

#include "app/startup/start_folders.h"
#include "core/user_interface.h"

class QCheckBox;
class QTabWidget;

namespace velmo {

enum class SetupMode { Normal, CopyNetworkInstallation };
enum class SetupPage { StartUp, Setup };

inline constexpr const char* kSetupWindowCaption = "ベルモ -Velmo-";

class SetupDialog : public QDialog {
    Q_OBJECT

public:
    SetupDialog(const StartFolders& folders, bool givenStartFolder, SetupMode mode, SetupPage page,
                UserInterface& ui, QWidget* parent = nullptr);

    QTabWidget* pages() const { return pages_; }

private:
    QWidget* createStartUpPage();
    QWidget* createSetupPage(SetupMode mode);
    // Writes or removes the entry of every box; a box whose entry could not be changed is
    // reported and shows again what is on disk, and the window then stays open.
    void apply();

    const StartFolders& folders_;
    bool givenStartFolder_;
    UserInterface& ui_;
    QTabWidget* pages_;
    QCheckBox* desktop_ = nullptr;
    QCheckBox* menu_ = nullptr;
    QCheckBox* autostart_ = nullptr;
};

// The desktop folder as the user's desktop settings name it.
QString desktopFolder();

}  // namespace velmo
