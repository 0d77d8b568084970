#pragma once
// The update counter "update.myc" in the shared folder: line 1 is a decimal number that
// every shared write raises by one, so that the other computers notice and reload.

#include <chrono>
#include <filesystem>
#include <string_view>

#include "core/clock.h"

namespace velmo {

inline constexpr const char* kUpdateCounterName = "update.myc";

// A counter above this is started again from 0 before it is raised.
inline constexpr int kCounterWrapLimit = 1'000'000'000;

// Line 1 of the counter as a number: the whole line, spaces trimmed, must be a decimal
// integer that fits an int; anything else (empty, letters, 30 digits) gives −1.
int parseCounterLine(std::string_view line);

// Reads the counter, tries times with a pause of wait after each failure. A missing file
// is created holding 1, and 1 is returned. −1 when line 1 is missing or no number, or
// when every try failed.
int readUpdateCounter(const std::filesystem::path& file, int tries, std::chrono::milliseconds wait,
                      Sleeper& sleeper);

struct CounterBump {
    int before = 0;  // the value found (0 when missing or no number)
    int after = -1;  // the value written; −1 when the bump failed

    bool succeeded() const { return after >= 0; }
};

// Raises the counter by one and rewrites the file atomically; retries as the reader does.
// Bumps by processes of this host never interleave between reading and writing.
CounterBump bumpUpdateCounter(const std::filesystem::path& file, int tries,
                              std::chrono::milliseconds wait, Sleeper& sleeper);

}  // namespace velmo
