#include "shared/text_key_book.h"

#include <chrono>

#include "store/cp932.h"
#include "store/line_file.h"

namespace velmo {

namespace {

constexpr std::string_view kFieldBreak = "\x7F\xFE";
constexpr Retry kSaveRetry{5, std::chrono::milliseconds(500)};
constexpr Retry kLoadRetry{5, std::chrono::milliseconds(300)};

std::string_view keyOrDefault(std::string_view key) {
    return key.find_first_not_of(' ') == std::string_view::npos ? kDefaultCipherKey : key;
}

std::string replaceAllBytes(std::string_view text, std::string_view from, std::string_view to) {
    std::string result;
    std::size_t at = 0;
    for (std::size_t found; (found = text.find(from, at)) != std::string_view::npos;
         at = found + from.size())
        result.append(text.substr(at, found - at)).append(to);
    return result.append(text.substr(at));
}

std::vector<std::string> splitOnCrLf(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t found; (found = text.find("\r\n", at)) != std::string_view::npos;
         at = found + 2)
        lines.emplace_back(text.substr(at, found - at));
    if (at < text.size())
        lines.emplace_back(text.substr(at));
    return lines;
}

}  // namespace

std::string transformText(std::string_view bytes, std::string_view key) {
    const std::string_view k = keyOrDefault(key);
    std::string result(bytes);
    for (std::size_t i = 0; i < result.size(); ++i) {
        const auto b = static_cast<unsigned char>(result[i]);
        const auto x = static_cast<unsigned char>(b ^ static_cast<unsigned char>(k[i % k.size()]));
        if (b >= 32 && x >= 32)
            result[i] = static_cast<char>(x);
    }
    return result;
}

std::string newHeaderCode(const RandomNumber& random) {
    const std::size_t length = random(94) + 6;
    const std::string value = std::to_string(std::uint64_t{random(1'000'000'000)} + 1);
    std::string doubled = value;
    for (int i = 0; i < 100 && doubled.size() <= length; ++i)
        doubled += doubled;
    return doubled.size() > length ? doubled.substr(0, length) : std::string();
}

std::string halfCode(std::string_view headerCode) {
    return std::string(headerCode.size() < 2 ? headerCode
                                             : headerCode.substr(0, headerCode.size() / 2));
}

std::string framedFileBytes(std::string_view headerCode, const std::vector<std::string>& fields,
                            std::string_view key) {
    std::string frame = std::string(headerCode) + std::string(kFieldBreak);
    for (const std::string& field : fields)
        frame += field + std::string(kFieldBreak);
    frame += halfCode(headerCode) + std::string(kFieldBreak);
    return transformText(frame, key) + "\r\n";
}

std::optional<std::vector<std::string>> framedFileFields(std::string_view bytes,
                                                         std::size_t minimumFields,
                                                         std::string_view key) {
    const std::string plain = replaceAllBytes(
        replaceAllBytes(transformText(bytes, key), "\r\n", ""), kFieldBreak, "\r\n");
    std::vector<std::string> lines = splitOnCrLf(plain);
    if (lines.size() < minimumFields + 2 || lines.front().empty() ||
        lines.back() != halfCode(lines.front()))
        return std::nullopt;
    return std::vector<std::string>(lines.begin() + 1, lines.end() - 1);
}

bool saveFramedFile(const std::filesystem::path& path, const std::vector<std::string>& fields,
                    const RandomNumber& random, UserInterface& ui, Sleeper& sleeper,
                    NewFileAccess access) {
    if (path.empty()) {
        ui.message(kNoCipherFileMessage);
        return false;
    }
    const std::string header = newHeaderCode(random);
    if (header.empty()) {
        ui.message(kHeaderCodeMessage);
        return false;
    }
    std::vector<std::string> encoded;
    for (const std::string& field : fields)
        encoded.push_back(cp932::encode(field));
    const std::string bytes = framedFileBytes(header, encoded);
    // The file must give back exactly these fields before it replaces the old one.
    if (framedFileFields(bytes, encoded.size()) != encoded) {
        ui.message(kCipherCheckMessage);
        return false;
    }
    return writeFileAtomically(path, bytes, kSaveRetry, sleeper, access);
}

std::optional<std::vector<std::string>> loadFramedFile(const std::filesystem::path& path,
                                                       std::size_t minimumFields, UserInterface& ui,
                                                       Sleeper& sleeper) {
    LineList lines;
    std::optional<std::vector<std::string>> fields;
    if (readLinesRetrying(path, lines, kLoadRetry, sleeper)) {
        std::string bytes;
        for (std::size_t i = 0; i < lines.size(); ++i)
            bytes += (i ? "\r\n" : "") + cp932::encode(lines[i]);
        fields = framedFileFields(bytes, minimumFields);
    }
    if (!fields) {
        ui.message(kCipherReadMessage);
        return std::nullopt;
    }
    for (std::string& field : *fields)
        field = cp932::decode(field);
    return fields;
}

}  // namespace velmo
