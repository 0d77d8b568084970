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

}  // namespace velmo
