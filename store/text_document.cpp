#include "store/text_document.h"

#include "store/cp932.h"
#include "store/file_helpers.h"
#include "store/fresh_link.h"
#include "store/line_file.h"
#include "store/regular_file.h"
#include "store/start_end_log.h"
#include "store/text_helpers.h"

namespace fs = std::filesystem;

namespace velmo {

namespace {

constexpr Retry kReadRetry{5, std::chrono::milliseconds(500)};
constexpr Retry kWriteRetry{5, std::chrono::milliseconds(500)};
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr char32_t kReplacement = 0xFFFD;

// The whole file; nothing when it is missing, not an ordinary file, or could not be
// read in any try (only a refused open or read is worth another try).
std::optional<std::string> readWholeFile(const fs::path& path, Sleeper& sleeper) {
    for (int attempt = 1; attempt <= kReadRetry.tries; ++attempt) {
        std::optional<FreshLink> link;
        const OpenedFile file =
            openRegularFile(freshReadPath(resolveCaseInsensitive(path), link), FileAccess::Read);
        if (file.outcome == OpenOutcome::Opened) {
            std::string bytes;
            if (readAll(file.fd.get(), bytes))
                return bytes;
        } else if (file.outcome != OpenOutcome::Failed) {
            return std::nullopt;
        }
        if (attempt < kReadRetry.tries)
            sleeper.sleep(kReadRetry.pause);
    }
    return std::nullopt;
}

struct Utf8Check {
    bool valid = true;
    bool nonAscii = false;
};

Utf8Check checkUtf8(std::string_view bytes) {
    Utf8Check check;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            ++pos;
            continue;
        }
        check.nonAscii = true;
        const std::size_t from = pos;
        // A real U+FFFD takes three bytes; one byte taken means malformed.
        if (cp932::nextCodePoint(bytes, pos) == kReplacement && pos - from == 1) {
            check.valid = false;
            return check;
        }
    }
    return check;
}

// Cuts a text at every CR LF, LF and CR, noting the first kind and a final one.
void splitInto(std::string_view text, TextDocument& document) {
    document.lines.clear();
    bool anyEnd = false;
    std::size_t begin = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n", begin);
        document.lines.emplace_back(text.substr(begin, end - begin));
        if (end == std::string_view::npos) {
            document.finalLineEnd = false;
            break;
        }
        LineEnding kind = text[end] == '\n' ? LineEnding::Lf : LineEnding::Cr;
        begin = end + 1;
        if (kind == LineEnding::Cr && begin < text.size() && text[begin] == '\n') {
            kind = LineEnding::CrLf;
            ++begin;
        }
        if (!anyEnd)
            document.lineEnding = kind;
        anyEnd = true;
        if (begin == text.size()) {
            document.finalLineEnd = true;
            break;
        }
    }
    if (!anyEnd)
        document.lineEnding = LineEnding::CrLf;
}

std::string_view lineEndText(LineEnding ending) {
    switch (ending) {
        case LineEnding::Lf:
            return "\n";
        case LineEnding::Cr:
            return "\r";
        case LineEnding::CrLf:
            break;
    }
    return "\r\n";
}

std::string joinLines(const TextDocument& document) {
    const std::string_view end = lineEndText(document.lineEnding);
    std::size_t size = 0;
    for (const std::string& line : document.lines)
        size += line.size() + end.size();
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < document.lines.size(); ++i) {
        if (i > 0)
            text += end;
        text += document.lines[i];
    }
    if (document.finalLineEnd && !document.lines.empty())
        text += end;
    return text;
}

}  // namespace

TextDocument parseTextDocument(std::string_view bytes) {
    TextDocument document;
    document.binary = bytes.find('\0') != std::string_view::npos;
    if (document.binary)
        document.raw = bytes;

    const bool bom = bytes.starts_with(kUtf8Bom);
    const std::string_view body = bom ? bytes.substr(kUtf8Bom.size()) : bytes;
    const Utf8Check utf8 = checkUtf8(body);
    if (utf8.valid && (bom || utf8.nonAscii)) {
        document.encoding = TextEncoding::Utf8;
        document.utf8Bom = bom;
        splitInto(body, document);
    } else {
        document.encoding = TextEncoding::Cp932;
        // CR and LF are never trail bytes, so decoding first cuts no line differently.
        splitInto(cp932::decode(bytes), document);
    }
    return document;
}

std::optional<std::string> textDocumentBytes(const TextDocument& document) {
    if (document.binary)
        return std::nullopt;
    std::string text = joinLines(document);
    if (document.encoding == TextEncoding::Utf8)
        return document.utf8Bom ? std::string(kUtf8Bom) + text : text;
    try {
        return cp932::encode(text);
    } catch (const cp932::EncodeError&) {
        return std::nullopt;
    }
}

std::optional<TextDocument> readTextDocument(const fs::path& file, UserInterface& ui,
                                             Sleeper& sleeper) {
    const std::optional<std::string> bytes = readWholeFile(file, sleeper);
    if (!bytes) {
        ui.message(readErrorText(file));
        return std::nullopt;
    }
    return parseTextDocument(*bytes);
}

bool writeTextDocument(const fs::path& file, const TextDocument& document, UserInterface& ui,
                       Sleeper& sleeper) {
    if (document.binary)
        return false;
    if (document.encoding == TextEncoding::Cp932) {
        for (const std::string& line : document.lines) {
            if (const std::optional<std::string> message = unencodableTextMessage(line)) {
                ui.message(*message);
                return false;
            }
        }
    }
    const std::optional<std::string> bytes = textDocumentBytes(document);
    if (!bytes || !writeFileAtomically(file, *bytes, kWriteRetry, sleeper, NewFileAccess::Umask)) {
        ui.message(writeFailedText(file));
        return false;
    }
    return true;
}

}  // namespace velmo
