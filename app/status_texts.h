#pragma once
// Texts of the main window's status bar.

#include <QString>

#include "core/clock.h"

namespace velmo {

// Panel 0: "2024/9/10 (火) 14 : 5" with the 24-hour clock, else "2024/9/10 (火) PM 2 : 5".
QString clockPanelText(const LocalDateTime& now, bool twentyFourHour);

// Panel 2 when nothing else is shown: the start folder, right-aligned, when
// showStartFolder is set; otherwise empty.
QString startFolderPanelText(const QString& startFolder, bool showStartFolder);

// Panel 2 while the auto-resident countdown runs.
QString countdownPanelText(int secondsLeft, bool sharedFolderWasMissing);

struct MessagePanelFacts {
    bool timeAdjustCompanion = false;  // "Orvan" is among the start-up shortcuts
    int countdownSeconds = 0;          // the auto-resident countdown, 0 when none runs
    bool sharedFolderWasMissing = false;
    bool showStartFolder = false;  // cbShiyouchuu
    QString startFolder;
};

struct MessagePanel {
    QString text;
    bool rightAligned = false;
};

// Panel 2 as it stands between the messages others put there for a while: the
// time-adjust companion's note, then the countdown or the start folder (right-aligned),
// or the note alone on the left.
MessagePanel messagePanel(const MessagePanelFacts& facts);

}  // namespace velmo
