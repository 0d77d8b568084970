#pragma once
// The wait form shown at start when the shared folder of the last session cannot be
// reached: it counts up to 100 seconds, tests the folder every ten, and starts network
// mode by itself when the folder comes up. "ローカルフォルダで起動" gives up at once.

#include <QDialog>
#include <chrono>
#include <string>

#include "shared/folder_wait.h"

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace velmo {

inline constexpr const char* kFolderWaitCaption = "待機中";

class TfmInfo2 : public QDialog {
    Q_OBJECT

public:
    // folder: the folder text as shown and tested ("…/Data/Files1/"). The tick and the
    // test can be replaced so that a test runs the hundred ticks in moments. The default
    // test gives up on a hanging share after a few seconds.
    explicit TfmInfo2(const std::string& folder, QWidget* owner = nullptr,
                      std::chrono::milliseconds tick = kFolderWaitTick, ExistenceTest test = {});

    bool folderFound() const { return model_.found(); }

    QProgressBar* progressBar() const { return progress_; }
    QLabel* counterLabel() const { return counter_; }
    QLabel* animationLabel() const { return animation_; }
    QLabel* foundLabel() const { return foundText_; }
    QLabel* pleaseWaitLabel() const { return pleaseWait_; }
    QPushButton* localButton() const { return local_; }

private:
    void onTick();
    void showFound();
    void showCount();

    FolderWait model_;
    std::chrono::milliseconds tick_;
    QTimer* timer_;
    QTimer* animationTimer_;
    int animationFrame_ = 0;
    QProgressBar* progress_;
    QLabel* counter_;
    QLabel* animation_;
    QLabel* foundText_;
    QLabel* pleaseWait_;
    QPushButton* local_;
};

// Shows the wait form modally over its owner; true when the folder was found.
bool waitForSharedFolder(QWidget* owner, const std::string& folder);

}  // namespace velmo
