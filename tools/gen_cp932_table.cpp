// Generates store/cp932_table.inc from the C library's iconv "CP932", the converter that
// carries Windows code page 932 (NEC and IBM extensions, user-defined area).
//
//   gen_cp932_table > store/cp932_table.inc
//
// Besides the decode tables it lists every Unicode character that several codes decode to,
// with the code the encoder must produce. That choice is taken from iconv's encoder and
// checked against the order WideCharToMultiByte follows: JIS X 0208 first, then NEC row 13,
// then the IBM extensions FA40-FC4B, then the NEC-selected IBM extensions ED40-EEFC. The
// generator refuses to write a table when iconv disagrees with that order or with itself.

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kTrailCount = 188;  // 0x40-0x7E, 0x80-0xFC

bool isLead(int byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

int trailByte(int index) {
    return index < 0x3F ? 0x40 + index : 0x41 + index;
}

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) {
            iconv_close(cd_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts one complete input; nullopt when iconv rejects any part of it.
    std::optional<std::string> run(const std::string& input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string in = input;
        char out[64];
        char* inPtr = in.data();
        std::size_t inLeft = in.size();
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1) ||
            inLeft != 0) {
            return std::nullopt;
        }
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            return std::nullopt;
        }
        return std::string(out, outPtr);
    }

private:
    iconv_t cd_;
};

// Name under which iconv knows little-endian UCS-4, or nullptr.
const char* ucs4Name() {
    for (const char* candidate : {"UTF-32LE", "UCS-4LE"}) {
        if (Converter(candidate, "CP932").ok()) {
            return candidate;
        }
    }
    return nullptr;
}

// Decodes bytes to exactly one code point, or nullopt.
std::optional<char32_t> decodeOne(Converter& decoder, const std::string& bytes) {
    auto out = decoder.run(bytes);
    if (!out || out->size() != 4) {
        return std::nullopt;
    }
    const auto* p = reinterpret_cast<const unsigned char*>(out->data());
    return static_cast<char32_t>(p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24);
}

std::optional<std::string> encodeOne(Converter& encoder, char32_t codePoint) {
    std::string in(4, '\0');
    for (int i = 0; i < 4; ++i) {
        in[i] = static_cast<char>((codePoint >> (8 * i)) & 0xFF);
    }
    return encoder.run(in);
}

// Rank of a double-byte code in Windows' choice among duplicates; lower wins.
int windowsRank(int code) {
    const int lead = code >> 8;
    if (lead == 0x87) {
        return 1;  // NEC row 13
    }
    if (lead >= 0xFA && lead <= 0xFC) {
        return 2;  // IBM extensions
    }
    if (lead == 0xED || lead == 0xEE) {
        return 3;  // NEC-selected IBM extensions
    }
    return 0;  // JIS X 0208
}

}  // namespace

int main() {
    const char* ucs4 = ucs4Name();
    if (ucs4 == nullptr) {
        std::fprintf(stderr, "iconv has no CP932 converter\n");
        return 1;
    }
    Converter decoder(ucs4, "CP932");
    Converter encoder("CP932", ucs4);
    if (!decoder.ok() || !encoder.ok()) {
        std::fprintf(stderr, "iconv has no CP932 converter\n");
        return 1;
    }

    // Single bytes: 0xFFFF marks a byte that is no character on its own.
    std::vector<uint32_t> single(256, 0xFFFF);
    for (int b = 0; b < 256; ++b) {
        if (auto cp = decodeOne(decoder, std::string(1, static_cast<char>(b)))) {
            if (isLead(b)) {
                std::fprintf(stderr, "lead byte %02X decodes alone\n", b);
                return 1;
            }
            single[b] = *cp;
        }
    }

    // Double bytes, one row of 188 trail bytes per lead byte; 0 marks an unmapped pair.
    std::vector<int> leads;
    for (int b = 0x81; b <= 0xFC; ++b) {
        if (isLead(b)) {
            leads.push_back(b);
        }
    }
    std::vector<std::vector<uint32_t>> rows(leads.size(), std::vector<uint32_t>(kTrailCount, 0));
    std::map<char32_t, std::vector<int>> codesOf;
    int mapped = 0;
    for (std::size_t r = 0; r < leads.size(); ++r) {
        for (int t = 0; t < kTrailCount; ++t) {
            const int code = leads[r] << 8 | trailByte(t);
            std::string bytes{static_cast<char>(leads[r]), static_cast<char>(trailByte(t))};
            auto cp = decodeOne(decoder, bytes);
            if (!cp) {
                continue;
            }
            if (*cp == 0 || *cp > 0xFFFF) {
                std::fprintf(stderr, "%04X decodes outside the table's range: U+%X\n", code,
                             static_cast<unsigned>(*cp));
                return 1;
            }
            rows[r][t] = *cp;
            codesOf[*cp].push_back(code);
            ++mapped;
        }
    }
    for (int b = 0; b < 256; ++b) {
        if (single[b] != 0xFFFF && codesOf.count(single[b]) != 0) {
            std::fprintf(stderr, "U+%04X has a single-byte and a double-byte code\n",
                         static_cast<unsigned>(single[b]));
            return 1;
        }
    }

    // Every character must encode back to its code, or for duplicates to Windows' choice.
    std::vector<std::pair<char32_t, int>> preferred;
    int duplicateCodes = 0;
    for (const auto& [cp, codes] : codesOf) {
        auto encoded = encodeOne(encoder, cp);
        if (!encoded || encoded->size() != 2) {
            std::fprintf(stderr, "iconv cannot encode U+%04X back\n", static_cast<unsigned>(cp));
            return 1;
        }
        const int got = static_cast<unsigned char>((*encoded)[0]) << 8 |
                        static_cast<unsigned char>((*encoded)[1]);
        int windows = codes.front();
        for (int code : codes) {
            if (windowsRank(code) < windowsRank(windows)) {
                windows = code;
            }
        }
        if (got != windows) {
            std::fprintf(stderr, "U+%04X: iconv encodes %04X, Windows picks %04X\n",
                         static_cast<unsigned>(cp), got, windows);
            return 1;
        }
        if (codes.size() > 1) {
            preferred.emplace_back(cp, got);
            duplicateCodes += static_cast<int>(codes.size()) - 1;
        }
    }
    std::set<char32_t> singleChars;
    for (int b = 0; b < 256; ++b) {
        if (single[b] == 0xFFFF) {
            continue;
        }
        singleChars.insert(single[b]);
        auto encoded = encodeOne(encoder, single[b]);
        if (!encoded || *encoded != std::string(1, static_cast<char>(b))) {
            std::fprintf(stderr, "byte %02X does not round-trip through iconv\n", b);
            return 1;
        }
    }

    // Characters iconv encodes although no code decodes to them; the codec leaves them out.
    int oneWay = 0;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp) {
        if ((cp >= 0xD800 && cp <= 0xDFFF) || codesOf.count(cp) != 0) {
            continue;
        }
        if (singleChars.count(cp) != 0) {
            continue;
        }
        if (auto encoded = encodeOne(encoder, cp)) {
            std::fprintf(stderr, "one-way: U+%04X -> ", static_cast<unsigned>(cp));
            for (unsigned char c : *encoded) {
                std::fprintf(stderr, "%02X", c);
            }
            std::fprintf(stderr, "\n");
            ++oneWay;
        }
    }
    std::fprintf(stderr,
                 "%d double-byte codes, %zu characters with several codes, %d duplicate codes, %d "
                 "one-way encodings\n",
                 mapped, preferred.size(), duplicateCodes, oneWay);

    std::printf(
        "// Generated by tools/gen_cp932_table from the C library's iconv \"CP932\"; do not "
        "edit.\n");
    std::printf("// clang-format off\n");
    std::printf(
        "// %d double-byte codes; %zu characters have several codes (%d duplicate codes).\n\n",
        mapped, preferred.size(), duplicateCodes);
    std::printf(
        "// Single bytes: the code point, or 0xFFFF for a byte that is no character alone.\n");
    std::printf("inline constexpr char16_t kCp932SingleByte[256] = {\n");
    for (int b = 0; b < 256; ++b) {
        std::printf("%s0x%04X,%s", b % 12 == 0 ? "    " : " ", static_cast<unsigned>(single[b]),
                    b % 12 == 11 || b == 255 ? "\n" : "");
    }
    std::printf("};\n\n");
    std::printf(
        "// Lead bytes 0x81-0x9F then 0xE0-0xFC, one row each over the trail bytes 0x40-0x7E\n");
    std::printf("// and 0x80-0xFC; 0 marks a pair that is no character.\n");
    std::printf("inline constexpr int kCp932LeadCount = %zu;\n", leads.size());
    std::printf("inline constexpr int kCp932TrailCount = %d;\n", kTrailCount);
    std::printf(
        "inline constexpr char16_t kCp932DoubleByte[kCp932LeadCount][kCp932TrailCount] = {\n");
    for (std::size_t r = 0; r < leads.size(); ++r) {
        std::printf("    // %02X\n    {", leads[r]);
        for (int t = 0; t < kTrailCount; ++t) {
            if (t % 12 == 0 && t != 0) {
                std::printf("\n     ");
            } else if (t != 0) {
                std::printf(" ");
            }
            std::printf("0x%04X,", static_cast<unsigned>(rows[r][t]));
        }
        std::printf("},\n");
    }
    std::printf("};\n\n");
    std::printf("// Characters with several codes and the code Windows encodes them to.\n");
    std::printf("struct Cp932Preferred {\n    char16_t character;\n    std::uint16_t code;\n};\n");
    std::printf("inline constexpr Cp932Preferred kCp932Preferred[%zu] = {\n", preferred.size());
    for (std::size_t i = 0; i < preferred.size(); ++i) {
        std::printf("%s{0x%04X, 0x%04X},%s", i % 5 == 0 ? "    " : " ",
                    static_cast<unsigned>(preferred[i].first), preferred[i].second,
                    i % 5 == 4 || i + 1 == preferred.size() ? "\n" : "");
    }
    std::printf("};\n");
    return 0;
}
