#pragma once
// Test doubles and fixtures shared by the store tests.

#include <string>
#include <vector>

#include "store/cp932.h"
#include "store/shared_folder_hooks.h"

namespace velmo::testing {

// The bytes of a data file holding these lines: CP932, CR LF after each.
inline std::string fileBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += cp932::encode(line) + "\r\n";
    return bytes;
}

// Network mode on, with an update counter that works or fails as told.
class FakeSharedFolder final : public SharedFolderHooks {
public:
    bool networkMode() const override { return true; }
    bool raiseUpdateCounter() override {
        ++raised;
        return counterWorks;
    }
    bool counterWorks = true;
    int raised = 0;
};

}  // namespace velmo::testing
