#include "store/fresh_link.h"

#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>

#include "store/temporary_files.h"

namespace velmo {

namespace {

constexpr long kFuseMagic = 0x65735546;
constexpr long kNfsMagic = 0x6969;
constexpr long kCifsMagic = 0xFF534D42;
constexpr long kSmb2Magic = 0xFE534D42;
constexpr long kSmbMagic = 0x517B;

}  // namespace

bool servedFromClientCache(const std::filesystem::path& folder) {
    struct statfs info {};
    if (::statfs(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return false;
    const long type = static_cast<long>(info.f_type);
    return type == kFuseMagic || type == kNfsMagic || type == kCifsMagic || type == kSmb2Magic ||
           type == kSmbMagic;
}

std::optional<FreshLink> FreshLink::make(const std::filesystem::path& file) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        const std::filesystem::path link =
            file.parent_path() / newTemporaryName(file.filename().string());
        if (::link(file.c_str(), link.c_str()) == 0)
            return FreshLink(link);
        if (errno != EEXIST)
            return std::nullopt;
    }
    return std::nullopt;
}

FreshLink::FreshLink(FreshLink&& other) noexcept : link_(std::move(other.link_)) {
    other.link_.clear();
}

FreshLink& FreshLink::operator=(FreshLink&& other) noexcept {
    if (this != &other) {
        if (!link_.empty())
            ::unlink(link_.c_str());
        link_ = std::move(other.link_);
        other.link_.clear();
    }
    return *this;
}

FreshLink::~FreshLink() {
    if (!link_.empty())
        ::unlink(link_.c_str());
}

std::filesystem::path freshReadPath(const std::filesystem::path& file,
                                    std::optional<FreshLink>& link) {
    if (servedFromClientCache(file.parent_path()))
        link = FreshLink::make(file);
    return link ? link->path() : file;
}

}  // namespace velmo
