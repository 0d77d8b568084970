#pragma once
// A clock that only moves when told to, and a sleeper that advances it instead of blocking.

#include <chrono>
#include <vector>

#include "core/clock.h"

namespace velmo::testing {

class FakeClock final : public Clock {
public:
    explicit FakeClock(LocalDateTime start = {2024, 9, 10, 9, 0, 0, 0}) : now_(start) {}
    LocalDateTime now() const override { return now_; }
    void set(LocalDateTime t) { now_ = t; }
    // Moves the clock forward; minutes and hours roll over but days stay put,
    // which is all the retry tests need.
    void advance(std::chrono::milliseconds duration);

private:
    LocalDateTime now_;
};

class RecordingSleeper final : public Sleeper {
public:
    explicit RecordingSleeper(FakeClock* clock = nullptr) : clock_(clock) {}
    void sleep(std::chrono::milliseconds duration) override {
        pauses_.push_back(duration);
        if (clock_)
            clock_->advance(duration);
    }
    const std::vector<std::chrono::milliseconds>& pauses() const { return pauses_; }
    std::chrono::milliseconds total() const {
        std::chrono::milliseconds sum{0};
        for (auto p : pauses_)
            sum += p;
        return sum;
    }

private:
    FakeClock* clock_;
    std::vector<std::chrono::milliseconds> pauses_;
};

}  // namespace velmo::testing
