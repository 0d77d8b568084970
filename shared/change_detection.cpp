#include "shared/change_detection.h"

#include <algorithm>

namespace velmo {

OwnWriteOutcome ChangeDetector::afterOwnWrite(const CounterBump& bump) {
    if (!bump.succeeded()) {
        // Unknown from now on: the next check reloads whatever the counter says.
        lastKnown_ = 0;
        return OwnWriteOutcome::Doubtful;
    }
    // An unreadable counter (−1) and one the bump found unreadable (0) are the same state.
    const bool othersWrote = bump.before != std::max(lastKnown_, 0);
    lastKnown_ = bump.after;
    return othersWrote ? OwnWriteOutcome::ReloadNeeded : OwnWriteOutcome::Settled;
}

CheckOutcome ChangeDetector::check(int value) {
    if (value > kCounterStopRequest)
        return CheckOutcome::Stop;
    if (value == lastKnown_)
        return CheckOutcome::Nothing;
    lastKnown_ = value;
    return CheckOutcome::Reload;
}

std::string monthWriteDoubtfulMessage(int year, int month, std::string_view code) {
    return std::to_string(year) + "年" + std::to_string(month) +
           "月のデータを書き損ねたおそれがあります(" + std::string(code) +
           ")。\r\nチェック願います。";
}

std::string periodWriteErrorMessage(std::string_view folder) {
    return "期間予定データ書込エラー[" + std::string(folder) + "CaFromTo.myc]";
}

}  // namespace velmo
