#pragma once
// Noticing other computers' writes through the update counter: the value last seen is
// kept, and a counter that moved on since means the shared data changed under us.

#include <string>
#include <string_view>

#include "shared/update_counter.h"

namespace velmo {

// A counter above this asks every computer to save and end.
inline constexpr int kCounterStopRequest = 999'000'000;

enum class OwnWriteOutcome {
    Settled,       // only our own write happened
    ReloadNeeded,  // another computer wrote since we last looked
    Doubtful,      // the counter could not be raised: the write may not have reached it
};

enum class CheckOutcome { Nothing, Reload, Stop };

class ChangeDetector {
public:
    // After a shared write and its counter bump. The value found before our increment
    // tells whether someone else wrote in between; our own increment never causes a reload.
    OwnWriteOutcome afterOwnWrite(const CounterBump& bump);

    // The periodic check with a value just read. A reload is asked for once per new value.
    CheckOutcome check(int value);

    int lastKnown() const { return lastKnown_; }

private:
    int lastKnown_ = 0;
};

// "2024年5月のデータを書き損ねたおそれがあります(fs02)。\r\nチェック願います。"
std::string monthWriteDoubtfulMessage(int year, int month, std::string_view code);

// "期間予定データ書込エラー[" + folder + "CaFromTo.myc]"; the folder ends with its separator.
std::string periodWriteErrorMessage(std::string_view folder);

}  // namespace velmo
