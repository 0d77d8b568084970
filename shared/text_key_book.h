#pragma once
// The reversible text cipher of the administrator and rights files, and the framed
// file they are stored in: one line holding a random header code, the fields and half
// the header code, joined by 0x7F 0xFE and enciphered with a key.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/clock.h"
#include "core/user_interface.h"
#include "store/line_file.h"

namespace velmo {

inline constexpr std::string_view kDefaultCipherKey = "VIMBEQUARNELOTARSKOLDRUIN";

inline constexpr const char* kNoCipherFileMessage =
    "設定ファイルの指定が有りません。\r\n設定ファイルは作成できませんでした。";
inline constexpr const char* kHeaderCodeMessage = "ヘッダーコード作成エラー";
inline constexpr const char* kCipherCheckMessage = "暗号化エラー(TextKeyBook)";
inline constexpr const char* kCipherReadMessage = "テキストコード読込エラー発生\r\n中止します";

// Each byte b of at least 32 whose XOR with the key byte at its place is also at least
// 32 becomes that XOR; every other byte stays. The key runs along the bytes, starting
// again after its last byte; a blank key means the default key. Its own inverse.
std::string transformText(std::string_view bytes, std::string_view key = {});

// A fresh header code: 6 to 99 decimal digits drawn from `random` (a number in 0..n-1
// for n), and its half code: the first half of the digits (all of them below 2).
using RandomNumber = std::function<std::uint32_t(std::uint32_t bound)>;
std::string newHeaderCode(const RandomNumber& random);
std::string halfCode(std::string_view headerCode);

// The bytes of a framed file for the fields (CP932 bytes): enciphered frame and CR LF.
std::string framedFileBytes(std::string_view headerCode, const std::vector<std::string>& fields,
                            std::string_view key = {});

// The fields of a framed file's bytes: nothing unless the frame has a header code, at
// least `minimumFields` fields and the matching half code.
std::optional<std::vector<std::string>> framedFileFields(std::string_view bytes,
                                                         std::size_t minimumFields,
                                                         std::string_view key = {});

// Saves the fields (UTF-8) as a framed file with a fresh header code, checking the
// encipherment first; false with its message on failure. Five tries 500 ms apart.
bool saveFramedFile(const std::filesystem::path& path, const std::vector<std::string>& fields,
                    const RandomNumber& random, UserInterface& ui, Sleeper& sleeper,
                    NewFileAccess access = NewFileAccess::Umask);

// Loads a framed file (five tries 300 ms apart); kCipherReadMessage and nothing
// when it cannot be read or its frame is not whole.
std::optional<std::vector<std::string>> loadFramedFile(const std::filesystem::path& path,
                                                       std::size_t minimumFields, UserInterface& ui,
                                                       Sleeper& sleeper);

}  // namespace velmo
