#include "monthview/cal_fonts.h"

namespace velmo {

TCalExFonts::TCalExFonts() {
    fonts_[cfWeekday].colour = 0x000000;
    fonts_[cfSaturday].colour = 0xFF0000;
    fonts_[cfSunday].colour = 0x0000FF;
    fonts_[cfDayOfWeek].colour = 0xFFFFFF;
    fonts_[cfHoliday].colour = 0x0000FF;
    fonts_[cfSpecialDay].colour = 0x008000;
    fonts_[cfRokuyo].colour = 0x000000;
    fonts_[cfRokuyo].size = 10;
}

const CalFont& TCalExFonts::font(int index) const {
    if (index < 0 || index >= kCalFontCount)
        index = cfWeekday;
    return fonts_[static_cast<std::size_t>(index)];
}

void TCalExFonts::setFont(int index, const CalFont& font) {
    if (index < 0 || index >= kCalFontCount)
        return;
    bool changed = false;
    for (int i = 0; i < kCalFontCount; ++i) {
        if (i != index && !synchronize_)
            continue;
        CalFont& target = fonts_[static_cast<std::size_t>(i)];
        if (target != font) {
            target = font;
            changed = true;
        }
    }
    if (changed && onChange_)
        onChange_();
}

}  // namespace velmo
