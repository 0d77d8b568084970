#pragma once
// The seven fonts of a calendar as data. The painter maps the face through the
// platform's face table and uses the colour; the month view sets pixel heights from its
// Len metrics when it draws, so the size here matters mostly to the small calendars.

#include <array>
#include <functional>
#include <string>

#include "store/colour_text.h"

namespace velmo {

enum CalFontIndex {
    cfWeekday = 0,
    cfSaturday = 1,
    cfSunday = 2,
    cfDayOfWeek = 3,
    cfHoliday = 4,
    cfSpecialDay = 5,
    cfRokuyo = 6,
};
inline constexpr int kCalFontCount = 7;

inline constexpr const char* kDefaultCalFontFace = "ＭＳ Ｐゴシック";

struct CalFont {
    std::string face = kDefaultCalFontFace;
    int size = 9;  // points
    Colour colour = 0x000000;
    bool bold = false;

    // The size in pixels at 96 dots per inch, rounded.
    int pixelSize() const { return (size * 96 + 36) / 72; }
    bool operator==(const CalFont&) const = default;
};

class TCalExFonts {
public:
    // Weekday black, Saturday blue, Sunday red, DayOfWeek white, Holiday red, SpecialDay
    // green (0x008000), Rokuyo black of size 10.
    TCalExFonts();

    // An index outside 0..6 reads the Weekday font.
    const CalFont& font(int index) const;
    // Stores the font; while Synchronize is on the value goes into all seven. Calls the
    // change hook when anything changed.
    void setFont(int index, const CalFont& font);

    bool synchronize() const { return synchronize_; }
    void setSynchronize(bool on) { synchronize_ = on; }

    void setOnChange(std::function<void()> onChange) { onChange_ = std::move(onChange); }

    bool operator==(const TCalExFonts& other) const { return fonts_ == other.fonts_; }

private:
    std::array<CalFont, kCalFontCount> fonts_;
    bool synchronize_ = false;
    std::function<void()> onChange_;
};

}  // namespace velmo
