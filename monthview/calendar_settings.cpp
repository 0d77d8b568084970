#include "monthview/calendar_settings.h"

namespace velmo {

void applyCalendarSettings(TKvMCalModel& model, const TorkaSettings& settings) {
    KvMCalProperties p = model.properties();
    const CalendarKeys& c = settings.calendar;
    p.FirstDayOfWeek = c.rgStYoubi == 1 ? dowMon : dowSun;
    p.NeighborJump = c.cbNeighborJump;
    p.isFontBold = c.cbBold;
    p.NeighborColor = c.cbBold ? 0x999999 : 0xC0C0C0;
    p.UeTume = c.cbUetume;
    p.TukiMemo = c.cbTukiMemo;
    p.TukiMUeTume = c.cbTukiMUeTume;
    p.ShowRokuyo = !settings.colours.rbKinenbi;
    p.TabMojiSuu = saturateByte(settings.tabs.TabToSp);
    p.TabChousei = saturateByte(settings.tabs.TabAdj);
    model.setProperties(p);
    model.state().ExtendNames = c.cbNextDay;
    model.rules().setAutoEquinox(!c.cbEquinox);
    model.rules().setAutoFurikae(!c.cbFurikae);

    TCalExFonts& fonts = model.fonts();
    auto setFont = [&fonts](int index, auto change) {
        CalFont font = fonts.font(index);
        change(font);
        fonts.setFont(index, font);
    };
    setFont(cfWeekday, [&](CalFont& f) { f.colour = c.cbBold ? 0x333333 : 0x000000; });
    setFont(cfDayOfWeek,
            [&](CalFont& f) { f.face = c.cbToubai ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック"; });
    // The colour options come last, as at start-up, so the weekday colour is theirs.
    const ColourKeys& colours = settings.colours;
    setFont(cfSunday, [&](CalFont& f) { f.colour = colours.edtCSun; });
    setFont(cfSaturday, [&](CalFont& f) { f.colour = colours.edtCSat; });
    setFont(cfWeekday, [&](CalFont& f) { f.colour = colours.edtCWeekDay; });
    setFont(cfRokuyo, [&](CalFont& f) { f.colour = colours.edtCRokuyo; });
    setFont(cfSpecialDay, [&](CalFont& f) { f.colour = colours.edtCKinenbi; });
    model.setStandardColour(colours.edtCYotei);
}

}  // namespace velmo
