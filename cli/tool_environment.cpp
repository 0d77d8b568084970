#include "cli/tool_environment.h"

#include <cstdio>

#include "app/startup/start_folders.h"
#include "calendar/julius_day.h"
#include "calendar/julius_error.h"
#include "platform/posix/system_info.h"

namespace velmo {

ToolClock::ToolClock() {
    const std::string text = platform::environmentValue("VELMO_TODAY");
    int year = 0, month = 0, day = 0;
    char tail = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%d%c", &year, &month, &day, &tail) != 3)
        return;
    try {
        if (isValidYmd(year, month, day))
            date_ = LocalDate{year, month, day};
    } catch (const EJuliusError&) {
        // the days dropped in October 1582: the clock's own date stays
    }
}

LocalDateTime ToolClock::now() const {
    LocalDateTime t = system_.now();
    if (date_) {
        t.year = date_->year;
        t.month = date_->month;
        t.day = date_->day;
    }
    return t;
}

std::string safeguardFolder(const std::string& startFolder) {
    const StartLocation start{startFolder, true};
    return safeguardFolderOf(readMachineFacts(start, readStartMarkers(startFolder)));
}

}  // namespace velmo
