#pragma once
// The options page of the shared folder "ネット１" (tsNet1): the shared folder and the
// sharing switch, the administrator work on the folder, the change check. The page only
// asks the main window to do the work, always with the folder the box names.

#include <array>
#include <optional>
#include <string>

#include "dialogs/options/option_page.h"
#include "shared/folder_creation.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velmo {

class NetworkPage : public OptionPage {
    Q_OBJECT

public:
    explicit NetworkPage(OptionPageContext context, QWidget* parent = nullptr);

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;
    void pageShown() override;
    bool keyChord(int firstKey, int secondKey) override;

    // The box text after loading, and now; the dialog compares them when it closes.
    std::string startingSharedFolder() const { return startingSharedFolder_; }
    std::string sharedFolderText() const;

private:
    QWidget* buildFolderGroup();
    QWidget* buildAdministration();
    QWidget* buildOperation();
    QWidget* buildChangeCheck();
    QPushButton* addAction(QGridLayout* grid, int row, const char* name, const char* caption,
                           const char* note);

    // The folder the box names, normalised; nothing (after telling the user) when none.
    std::optional<std::string> requiredFolder();
    void pickSharedFolder();
    void createFolder(FolderCreationMode mode);
    void adoptCreatedFolder(const std::string& created);
    void refusedWhileSharing();
    // The sharing switch's consequences: the box colour, network mode off when sharing
    // stopped, the NetOn button, then the page's enabling.
    void applySharing();
    // The window colour while the folder is in use, the button face while it is not.
    void applyBoxFace();
    // The buttons and the rights label by the folder, the switch and the rights level.
    void refreshEnabling();
    void showCounters();

    std::string startingSharedFolder_;
    QLineEdit* edtNetFolder_ = nullptr;
    QPushButton* btnNetFSet_ = nullptr;
    QLabel* lblNetStat_ = nullptr;
    QCheckBox* cbNet_ = nullptr;
    QCheckBox* cbNetIni_ = nullptr;
    QPushButton* btnWhoMente_ = nullptr;
    QPushButton* btnNetLockoff_ = nullptr;
    QPushButton* btnNetCreate_ = nullptr;
    QPushButton* btnKanriCreate_ = nullptr;
    QPushButton* btnKanriSet_ = nullptr;
    QPushButton* btnNetBackup_ = nullptr;
    std::array<QRadioButton*, 3> rbNetKoushin_{};
    QPushButton* dbg_ = nullptr;
};

}  // namespace velmo
