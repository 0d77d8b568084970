#pragma once
// The one exception of the date arithmetic. Its message is shown to the user as it
// is, so the texts below are part of the program's user interface.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace velmo {

// The ten days between the last Julian and the first Gregorian date.
inline constexpr const char* kJuliusGapMessage = "1582/10/5-10/14は存在しません。";

class EJuliusError : public std::runtime_error {
public:
    explicit EJuliusError(const std::string& message) : std::runtime_error(message) {}

    // A date of 1582-10-05 .. 1582-10-14.
    static EJuliusError gap() { return EJuliusError(kJuliusGapMessage); }

    // A date or year beyond the supported years; e.g. "1000000/1/1は扱える範囲外です。".
    static EJuliusError dateOutOfRange(std::int64_t year, std::int64_t month, std::int64_t day) {
        return EJuliusError(std::to_string(year) + "/" + std::to_string(month) + "/" +
                            std::to_string(day) + "は扱える範囲外です。");
    }
    static EJuliusError yearOutOfRange(std::int64_t year) {
        return EJuliusError(std::to_string(year) + "年は扱える範囲外です。");
    }
    // A day number beyond the supported years, e.g. read from a damaged file.
    static EJuliusError dayNumberOutOfRange(std::int64_t juliusDay) {
        return EJuliusError("ユリウス日" + std::to_string(juliusDay) + "は扱える範囲外です。");
    }
};

}  // namespace velmo
