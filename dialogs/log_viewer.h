#pragma once
// The start/end log viewer: a modal window with the log's rows in a fixed-pitch font,
// so the byte-measured columns line up, and buttons to jump and scroll.

#include <QDialog>
#include <filesystem>
#include <string>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace velmo {

inline constexpr const char* kLogViewerCaption = "ベルモ -Velmo-";
inline constexpr const char* kLogViewerTitle = "起動時刻";

class LogViewer : public QDialog {
    Q_OBJECT

public:
    explicit LogViewer(const std::vector<std::string>& rows, QWidget* parent = nullptr);

    QPlainTextEdit* textBox() const { return text_; }
    QLabel* titleLabel() const { return title_; }
    QPushButton* firstButton() const { return first_; }
    QPushButton* lastButton() const { return last_; }
    QPushButton* upButton() const { return up_; }
    QPushButton* downButton() const { return down_; }

private:
    void goToFirst();
    void goToLast();
    void scrollBy(int lines);

    QLabel* title_;
    QPlainTextEdit* text_;
    QPushButton* first_;
    QPushButton* last_;
    QPushButton* up_;
    QPushButton* down_;
};

// The menu item "起動時刻(&J)": when the log exists, reads it, builds the rows and shows
// them modally. False when nothing was shown (no log, or the user stopped at an
// unreadable entry).
bool showStartEndLog(QWidget* parent, const std::filesystem::path& logFile, UserInterface& ui,
                     Sleeper& sleeper);

}  // namespace velmo
