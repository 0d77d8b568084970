#pragma once
// The main window's status line as the shared-folder procedures use it: a text in a
// colour replaces the message panel while a procedure waits or fails, and the panel's
// own text comes back when the procedure ends.

#include <string>

namespace velmo {

enum class StatusColour { Fuchsia, Red };

class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void show(const std::string& text, StatusColour colour) = 0;
    virtual void clear() = 0;
};

// For callers without a window (velmo-tool): the texts go nowhere.
class SilentStatusLine final : public StatusLine {
public:
    void show(const std::string& text, StatusColour colour) override;
    void clear() override;
};

}  // namespace velmo
