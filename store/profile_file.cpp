#include "store/profile_file.h"

#include <algorithm>
#include <limits>

#include "store/cp932.h"
#include "store/file_helpers.h"
#include "store/regular_file.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isQuoted(std::string_view text) {
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

std::string_view unquote(std::string_view value) {
    return isQuoted(value) ? value.substr(1, value.size() - 2) : value;
}

// The form a value takes on its line so that reading gives it back unchanged.
std::string storedValue(std::string_view value) {
    const bool loses =
        (!value.empty() && (isBlank(value.front()) || isBlank(value.back()))) || isQuoted(value);
    if (!loses)
        return std::string(value);
    return '"' + std::string(value) + '"';
}

enum class Kind { Blank, Comment, Section, Key, Other };

struct Parsed {
    Kind kind = Kind::Blank;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // raw value of a key, trimmed, quotes kept
};

Parsed parse(std::string_view line) {
    const std::string_view t = trim(line);
    if (t.empty())
        return {};
    if (t.front() == ';')
        return {Kind::Comment, {}, {}};
    if (t.front() == '[') {
        const std::size_t close = t.rfind(']');
        if (close != std::string_view::npos && close > 0) {
            return {Kind::Section, trim(t.substr(1, close - 1)), {}};
        }
        return {Kind::Other, {}, {}};
    }
    const std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return {Kind::Other, {}, {}};
    return {Kind::Key, trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
}

bool hasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool validName(std::string_view name) {
    return !name.empty() && trim(name).size() == name.size() && !hasLineBreakOrNul(name);
}

bool validSectionName(std::string_view section) {
    return validName(section) && section.find(']') == std::string_view::npos;
}

bool validKeyName(std::string_view key) {
    return validName(key) && key.find('=') == std::string_view::npos && key.front() != ';' &&
           key.front() != '[';
}

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

enum class ReadResult { Read, Missing, Unreadable, Failed };

// One attempt. Only a failure that might pass (a busy share, a refused open) is worth
// retrying; a folder or a pipe in the file's place stays that way.
ReadResult readOnce(const fs::path& path, std::string& bytes) {
    const OpenedFile file = openRegularFile(path, FileAccess::Read);
    switch (file.outcome) {
        case OpenOutcome::Missing:
            return ReadResult::Missing;
        case OpenOutcome::NotRegular:
            return ReadResult::Unreadable;
        case OpenOutcome::Failed:
            return ReadResult::Failed;
        case OpenOutcome::Opened:
            break;
    }
    bytes.clear();
    return readAll(file.fd.get(), bytes) ? ReadResult::Read : ReadResult::Failed;
}

}  // namespace

ProfileFile ProfileFile::load(const fs::path& path, Retry retry, Sleeper& sleeper) {
    ProfileFile file(path);
    file.reload(retry, sleeper);
    return file;
}

ProfileFile ProfileFile::load(const fs::path& path, const FolderListing& folder, Retry retry,
                              Sleeper& sleeper) {
    ProfileFile file(folder.find(path.filename().string()).value_or(path));
    file.readFile(retry, sleeper);
    return file;
}

ProfileFile::LoadOutcome ProfileFile::reload(Retry retry, Sleeper& sleeper) {
    path_ = resolveCaseInsensitive(path_);
    return readFile(retry, sleeper);
}

ProfileFile::LoadOutcome ProfileFile::readFile(Retry retry, Sleeper& sleeper) {
    lines_.clear();
    modified_ = false;
    outcome_ = LoadOutcome::Unreadable;
    std::string bytes;
    const int tries = std::max(1, retry.tries);
    for (int attempt = 1; attempt <= tries; ++attempt) {
        switch (readOnce(path_, bytes)) {
            case ReadResult::Read:
                lines_ = splitLines(cp932::decode(bytes));
                return outcome_ = LoadOutcome::Loaded;
            case ReadResult::Missing:
                return outcome_ = LoadOutcome::Missing;
            case ReadResult::Unreadable:
                return outcome_;
            case ReadResult::Failed:
                if (attempt < tries)
                    sleeper.sleep(retry.pause);
                break;
        }
    }
    return outcome_;
}

std::optional<ProfileFile::Span> ProfileFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Parsed p = parse(lines_[i]);
        if (p.kind != Kind::Section || !equalsIgnoringAsciiCase(p.name, section))
            continue;
        std::size_t end = i + 1;
        while (end < lines_.size() && parse(lines_[end]).kind != Kind::Section)
            ++end;
        return Span{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> ProfileFile::findKey(const Span& span, std::string_view key) const {
    for (std::size_t i = span.header + 1; i < span.end; ++i) {
        const Parsed p = parse(lines_[i]);
        if (p.kind == Kind::Key && equalsIgnoringAsciiCase(p.name, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileFile::find(std::string_view section, std::string_view key) const {
    const auto span = findSection(section);
    if (!span)
        return std::nullopt;
    const auto index = findKey(*span, key);
    if (!index)
        return std::nullopt;
    return std::string(unquote(parse(lines_[*index]).value));
}

std::string ProfileFile::readString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
    if (auto value = find(section, key))
        return std::move(*value);
    return std::string(defaultValue);
}

int ProfileFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    const auto value = find(section, key);
    if (!value)
        return defaultValue;
    return parseDelphiInteger(*value).value_or(defaultValue);
}

bool ProfileFile::readBool(std::string_view section, std::string_view key,
                           bool defaultValue) const {
    return readInt(section, key, defaultValue ? 1 : 0) != 0;
}

bool ProfileFile::writeString(std::string_view section, std::string_view key,
                              std::string_view value) {
    if (!validSectionName(section) || !validKeyName(key) || hasLineBreakOrNul(value)) {
        return false;
    }
    const auto span = findSection(section);
    if (!span) {
        lines_.push_back('[' + std::string(section) + ']');
        lines_.push_back(std::string(key) + '=' + storedValue(value));
        modified_ = true;
        return true;
    }
    if (const auto index = findKey(*span, key)) {
        const Parsed p = parse(lines_[*index]);
        if (unquote(p.value) == value)
            return true;  // keep the line exactly as it is
        lines_[*index] = std::string(p.name) + '=' + storedValue(value);
        modified_ = true;
        return true;
    }
    std::size_t at = span->header + 1;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const Kind kind = parse(lines_[i]).kind;
        if (kind != Kind::Blank && kind != Kind::Comment)
            at = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at),
                  std::string(key) + '=' + storedValue(value));
    modified_ = true;
    return true;
}

bool ProfileFile::writeInt(std::string_view section, std::string_view key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool ProfileFile::writeBool(std::string_view section, std::string_view key, bool value) {
    return writeString(section, key, value ? "1" : "0");
}

bool ProfileFile::sectionExists(std::string_view section) const {
    return findSection(section).has_value();
}

bool ProfileFile::keyExists(std::string_view section, std::string_view key) const {
    const auto span = findSection(section);
    return span && findKey(*span, key).has_value();
}

std::vector<std::string> ProfileFile::readSection(std::string_view section) const {
    std::vector<std::string> names;
    const auto span = findSection(section);
    if (!span)
        return names;
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        const Parsed p = parse(lines_[i]);
        if (p.kind != Kind::Key || p.name.empty())
            continue;
        bool seen = false;
        for (const std::string& name : names)
            seen = seen || equalsIgnoringAsciiCase(name, p.name);
        if (!seen)
            names.emplace_back(p.name);
    }
    return names;
}

void ProfileFile::eraseSection(std::string_view section) {
    while (const auto span = findSection(section)) {
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(span->header),
                     lines_.begin() + static_cast<std::ptrdiff_t>(span->end));
        modified_ = true;
    }
}

void ProfileFile::deleteKey(std::string_view section, std::string_view key) {
    const auto span = findSection(section);
    if (!span)
        return;
    for (std::size_t i = span->end; i-- > span->header + 1;) {
        const Parsed p = parse(lines_[i]);
        if (p.kind == Kind::Key && equalsIgnoringAsciiCase(p.name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            modified_ = true;
        }
    }
}

std::optional<char32_t> ProfileFile::firstUnencodable() const {
    for (const std::string& line : lines_) {
        if (auto c = cp932::firstUnencodable(line))
            return c;
    }
    return std::nullopt;
}

ProfileFile::SaveOutcome ProfileFile::save(Retry retry, Sleeper& sleeper) {
    if (outcome_ == LoadOutcome::Unreadable)
        return SaveOutcome::Refused;
    std::string bytes;
    try {
        for (const std::string& line : lines_) {
            bytes += cp932::encode(line);
            bytes += "\r\n";
        }
    } catch (const cp932::EncodeError&) {
        return SaveOutcome::Unencodable;
    }
    // Another program may have created the file under another spelling meanwhile.
    path_ = resolveCaseInsensitive(path_);
    if (!writeFileAtomically(path_, bytes, retry, sleeper))
        return SaveOutcome::Failed;
    outcome_ = LoadOutcome::Loaded;
    modified_ = false;
    return SaveOutcome::Saved;
}

std::optional<std::int32_t> parseDelphiInteger(std::string_view text) {
    std::string_view t = trim(text);
    bool negative = false;
    if (!t.empty() && (t.front() == '+' || t.front() == '-')) {
        negative = t.front() == '-';
        t.remove_prefix(1);
    }
    unsigned base = 10;
    if (!t.empty() && (t.front() == '$' || t.front() == 'x' || t.front() == 'X')) {
        base = 16;
        t.remove_prefix(1);
    } else if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    if (t.empty())
        return std::nullopt;
    // Decimal magnitude may reach 2^31 for the negative end; hex may use all 32 bits.
    const std::uint64_t limit =
        base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    std::uint64_t magnitude = 0;
    for (const char c : t) {
        unsigned digit;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    std::uint32_t bits = static_cast<std::uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    return static_cast<std::int32_t>(bits);
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

}  // namespace velmo
