#pragma once
// The shared data folder creation dialog "データフォルダ作成" in its three modes: create
// the initial data folder (0), re-designate the administrator computer (1), give this
// computer administrator rights (2). It shows the boxes and texts of its mode and hands
// its button to FolderCreation.

#include <QDialog>
#include <filesystem>

#include "shared/folder_creation.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmo {

inline constexpr const char* kNetCreateCaption = "データフォルダ作成";

class TfmNetCreate : public QDialog {
    Q_OBJECT

public:
    // The boxes start with the name and password held, or the computer name when empty
    // (in mode 2 the password box starts empty).
    TfmNetCreate(FolderCreationMode mode, FolderCreation& creation, const AdministratorEntry& held,
                 const std::string& computerName, QWidget* owner = nullptr);

    // The folder chosen and prepared; empty when nothing was done.
    const std::filesystem::path& chosenFolder() const { return chosen_; }
    AdministratorEntry entered() const;

    QLabel* titleLabel() const { return title_; }
    QLabel* nameLabel() const { return nameLabel_; }
    QLineEdit* nameBox() const { return edtSvName_; }
    QLineEdit* passwordBox() const { return edtSvCode_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* cancelButton() const { return cancel_; }

private:
    void onRun();

    FolderCreationMode mode_;
    FolderCreation& creation_;
    std::filesystem::path chosen_;
    QLabel* title_;
    QLabel* nameLabel_;
    QLineEdit* edtSvName_;
    QLineEdit* edtSvCode_;
    QPushButton* run_;
    QPushButton* cancel_;
};

// The desktop's folder browser "フォルダの選択" and the password question for a folder
// that already has an administrator, owned by a window.
ChooseFolder folderBrowser(QWidget* owner);
AskExistingPassword existingPasswordQuestion(QWidget* owner);

// Opens the dialog modally over its owner with the desktop's browser and question and
// returns the folder prepared (empty when nothing was done).
std::filesystem::path runNetCreateDialog(FolderCreationMode mode, FolderCreationState& state,
                                         const FolderCreationPlace& place,
                                         const CipherFileContext& context, QWidget* owner);

}  // namespace velmo
