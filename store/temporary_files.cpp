#include "store/temporary_files.h"

#include <random>

namespace velmo {

namespace {

constexpr std::string_view kAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kSuffixLength = 6;
constexpr std::string_view kEnd = ".tmp";

}  // namespace

std::string newTemporaryName(std::string_view targetName) {
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    // Appended piece by piece: GCC 12 at -O3 gives a false -Wrestrict for "." + string.
    std::string name = ".";
    name += targetName;
    name += '.';
    for (std::size_t i = 0; i < kSuffixLength; ++i)
        name += kAlphabet[pick(random)];
    name += kEnd;
    return name;
}

}  // namespace velmo
