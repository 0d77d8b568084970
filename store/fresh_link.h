#pragma once
// Reading what another computer just wrote to a shared folder. A network file system's
// client keeps the attributes of a file it has seen for a while: after another computer
// replaced the file, a read is cut at the old size and returns old contents, and a file
// it created may still look missing. A new name is looked up afresh, so such a file is
// read through a hard link made for the read and removed after it.

#include <filesystem>
#include <optional>

namespace velmo {

// True for a folder on a file system whose client may answer from its own cache: FUSE
// (sshfs and the like), NFS, CIFS and SMB.
bool servedFromClientCache(const std::filesystem::path& folder);

class FreshLink {
public:
    // A hard link to the file under a temporary name beside it; nothing when the file
    // is not there or the file system refuses links.
    static std::optional<FreshLink> make(const std::filesystem::path& file);

    FreshLink(FreshLink&& other) noexcept;
    FreshLink& operator=(FreshLink&& other) noexcept;
    FreshLink(const FreshLink&) = delete;
    FreshLink& operator=(const FreshLink&) = delete;
    ~FreshLink();

    const std::filesystem::path& path() const { return link_; }

private:
    explicit FreshLink(std::filesystem::path link) : link_(std::move(link)) {}
    std::filesystem::path link_;
};

// The path to read a data file through: a fresh link on such a file system, when one
// can be made (held in `link`), else the file itself.
std::filesystem::path freshReadPath(const std::filesystem::path& file,
                                    std::optional<FreshLink>& link);

}  // namespace velmo
