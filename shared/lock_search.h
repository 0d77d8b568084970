#pragma once
// The lock search ("ロック検索"): who holds which lock of the shared folder, as
// one text for a message box (the options dialog) or a terminal (velmo-tool locks).

#include <filesystem>
#include <string>

namespace velmo {

// The holder shown for a lock file whose line 1 cannot be read, is empty or half written.
inline constexpr const char* kUnknownHolder = "（不明）";
// Lock lines after the maintenance line.
inline constexpr int kLockSearchLines = 10;

// Up to 11 lines joined by CR LF: line 0 "メンテナンスロック：" + the holder of the shared
// folder's mente.lock (empty when there is none), then for each "*.lock" of the shared
// "Data/Files1/", in name order (byte order) and at most 10, its display name padded with
// blanks and cut to 18 CP932 bytes, "：" and its holder. When there is neither:
// "ロックされているファイルは有りませんでした。". Reads every file without blocking.
std::string lockSearchText(const std::filesystem::path& sharedFolder);

}  // namespace velmo
