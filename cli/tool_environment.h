#pragma once
// What several velmo-tool commands share about the machine they run on: the clock
// (whose date VELMO_TODAY may replace) and the safeguard folder of a start folder.

#include <optional>
#include <string>

#include "core/clock.h"

namespace velmo {

// The system clock, its date replaced by VELMO_TODAY when that holds a valid date, so
// scripts and tests can run the backups of simulated days.
class ToolClock final : public Clock {
public:
    ToolClock();
    LocalDateTime now() const override;

private:
    SystemClock system_;
    std::optional<LocalDate> date_;
};

// The backup root the program uses for this start folder.
std::string safeguardFolder(const std::string& startFolder);

}  // namespace velmo
