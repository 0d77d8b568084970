#pragma once
// The page " 基本 " of the options dialog: the function timer and automatic backup
// intervals, the local data folder with its change buttons, and the switches for hot
// keys, the memo page, today's schedule and the close button.

#include <QPalette>

#include "dialogs/options/option_page.h"
#include "editor_models/data_folder_change.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace velmo {

class BasicPage : public OptionPage {
    Q_OBJECT

public:
    // The folder calls default to this computer's; tests pass their own.
    explicit BasicPage(OptionPageContext context, QWidget* parent = nullptr,
                       DataFolderCalls folderCalls = localDataFolderCalls());
    ~BasicPage() override;

    void load(const TorkaSettings& options) override;
    void store(TorkaSettings& options) const override;
    void pageLeft() override;
    // Ctrl+Shift+N then Ctrl+Shift+T asks the dialog for the page " ネット２ ".
    bool keyChord(int firstKey, int secondKey) override;

    // The data-folder change being edited is dropped; the dialog does it when it closes.
    void cancelPendingChange();

private:
    QWidget* buildIntervals();
    QGroupBox* buildDataFolderGroup();
    void backupIntervalChosen(int position);
    void closeButtonToggled(bool checked);
    void focusMoved(QWidget* from, QWidget* to);
    void pickFolder();
    void runFolderStep(DataFolderChange::Focus focus);
    void showFolderBox();

    DataFolderChange folder_;
    QComboBox* cbTimer_;
    QComboBox* cbBackKankaku_;
    QLabel* backupLabels_[2];
    QCheckBox* cbABackupJ_;
    QGroupBox* folderGroup_;
    QLineEdit* edFolder_;
    QPalette editablePalette_;
    QToolButton* folderButton_;
    QPushButton* applyButton_;
    QPushButton* cancelButton_;
    QPushButton* changeButton_;
    QCheckBox* cbHotkey_;
    QCheckBox* cbMemo_;
    QCheckBox* cbToday_;
    QCheckBox* cbCloseBtn_;
    QMetaObject::Connection focusWatch_;
};

}  // namespace velmo
