#pragma once
// What saving a month needs to know about the shared data folder. The shared-folder
// module supplies the network implementation; a local data folder uses LocalFolderHooks.

namespace velmo {

class SharedFolderHooks {
public:
    virtual ~SharedFolderHooks() = default;

    // True while the current data folder is the shared folder of several computers.
    virtual bool networkMode() const = 0;

    // Tells the other computers that the shared data changed. On failure the
    // implementation forgets the counter value it knew, so the next check reloads.
    virtual bool raiseUpdateCounter() = 0;

    // The shared data folder was found missing (the user was told): network mode ends.
    virtual void sharedFolderLost() {}
};

// A data folder that only this computer uses: no counter to raise.
class LocalFolderHooks final : public SharedFolderHooks {
public:
    bool networkMode() const override { return false; }
    bool raiseUpdateCounter() override { return true; }
};

}  // namespace velmo
