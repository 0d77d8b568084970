#include "shared/folder_wait.h"

#include <utility>

namespace velmo {

FolderWait::FolderWait(std::filesystem::path folder, ExistenceTest test)
    : folder_(std::move(folder)), test_(std::move(test)) {}

FolderWait::Step FolderWait::tick() {
    if (found_)
        return Step::Found;
    ++count_;
    if (count_ > kFolderWaitTicks)
        return Step::TimedOut;
    if (count_ % kFolderWaitTestEvery == 0 && test_(folder_)) {
        found_ = true;
        --count_;
        return Step::Found;
    }
    return Step::Waiting;
}

bool waitForFolder(const std::filesystem::path& folder, const ExistenceTest& test,
                   Sleeper& sleeper) {
    FolderWait wait(folder, test);
    while (true) {
        sleeper.sleep(kFolderWaitTick);
        switch (wait.tick()) {
            case FolderWait::Step::Waiting:
                break;
            case FolderWait::Step::Found:
                sleeper.sleep(kFolderWaitTick);
                return true;
            case FolderWait::Step::TimedOut:
                return false;
        }
    }
}

}  // namespace velmo
