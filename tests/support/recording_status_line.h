#pragma once
// A StatusLine for tests: records every text shown and every clear, in order, so tests
// can assert the exact status texts, their colours and that each procedure clears.

#include <ostream>
#include <string>
#include <vector>

#include "shared/status_line.h"

namespace velmo::testing {

struct StatusEvent {
    bool cleared = false;
    std::string text;
    StatusColour colour = StatusColour::Fuchsia;

    bool operator==(const StatusEvent&) const = default;
};

inline StatusEvent fuchsia(std::string text) {
    return {false, std::move(text), StatusColour::Fuchsia};
}
inline StatusEvent red(std::string text) {
    return {false, std::move(text), StatusColour::Red};
}
inline StatusEvent cleared() {
    return {true, {}, StatusColour::Fuchsia};
}

inline void PrintTo(const StatusEvent& event, std::ostream* out) {
    if (event.cleared)
        *out << "clear";
    else
        *out << (event.colour == StatusColour::Red ? "red " : "fuchsia ") << event.text;
}

class RecordingStatusLine final : public StatusLine {
public:
    void show(const std::string& text, StatusColour colour) override {
        events_.push_back({false, text, colour});
    }
    void clear() override { events_.push_back(cleared()); }

    const std::vector<StatusEvent>& events() const { return events_; }
    void forget() { events_.clear(); }

private:
    std::vector<StatusEvent> events_;
};

}  // namespace velmo::testing
