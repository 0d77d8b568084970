#pragma once
// The setup window offered by the first-run question: shortcuts on the desktop, in the
// applications menu and at log-in.

#include <QDialog>

#include "app/startup/start_folders.h"

class QCheckBox;

namespace velmo {

enum class SetupMode { Normal, CopyNetworkInstallation };

class SetupDialog : public QDialog {
    Q_OBJECT

public:
    SetupDialog(const StartFolders& folders, bool givenStartFolder, SetupMode mode,
                QWidget* parent = nullptr);

private:
    void apply();

    const StartFolders& folders_;
    bool givenStartFolder_;
    QCheckBox* desktop_;
    QCheckBox* menu_;
    QCheckBox* autostart_;
};

// The desktop folder as the user's desktop settings name it.
QString desktopFolder();

}  // namespace velmo
