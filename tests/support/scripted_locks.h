#pragma once
// Lock operations for tests of the shared edits: answers from a script (every answer
// left unscripted is the happy one) and the order of the calls as text.

#include <deque>
#include <string>
#include <vector>

#include "shared/edit_protocol.h"

namespace velmo::testing {

using Steps = std::vector<std::string>;

// Answers from a script and records the order of the calls.
class ScriptedLocks final : public LockOperations {
public:
    explicit ScriptedLocks(Steps& steps) : steps_(steps) {}
    bool maintenanceOn() override {
        steps_.push_back("maintenance?");
        return take(maintenance, false);
    }
    Acquire acquire(const std::string& lockFile) override {
        steps_.push_back("acquire " + lockFile);
        return take(acquires, Acquire::Acquired);
    }
    bool release(const std::string& lockFile) override {
        steps_.push_back("release " + lockFile);
        return take(releases, true);
    }

    std::deque<bool> maintenance;
    std::deque<Acquire> acquires;
    std::deque<bool> releases;

private:
    template <class T>
    static T take(std::deque<T>& script, T otherwise) {
        if (script.empty())
            return otherwise;
        T next = script.front();
        script.pop_front();
        return next;
    }
    Steps& steps_;
};

}  // namespace velmo::testing
