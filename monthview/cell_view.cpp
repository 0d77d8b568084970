#include "monthview/cell_view.h"

#include "calendar/lunisolar.h"
#include "monthview/cell_text.h"
#include "monthview/hide_tags.h"
#include "store/entry_line.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

// The neighbour tint of a day number: weekend colours keep their hue under the
// neighbour colour, every other day is drawn in the neighbour colour.
Colour neighbourTint(const TKvMCalModel& model, Colour colour, TDayFlags flags) {
    const Colour neighbour = model.resolveColour(model.properties().NeighborColor);
    if (flags & (dfSunday | dfSaturday))
        return model.resolveColour(colour) | neighbour;
    return neighbour;
}

struct Background {
    std::optional<Colour> fill;
    bool drawContent = true;
};

Background backgroundOf(const TKvMCalModel& model, std::int32_t day, bool neighbour) {
    const KvMCalProperties& p = model.properties();
    const KvMCalState& s = model.state();
    // A neighbour cell hidden by ShowNeighbor keeps a highlight but shows nothing in it.
    const bool hiddenNeighbour = neighbour && !p.ShowNeighbor;
    if (s.RangeStart >= 1 && (day == s.RangeStart || (s.RangeStart <= day && day <= s.RangeEnd)))
        return {kRangeColour, !hiddenNeighbour};
    if (day == s.ClickedDay && model.clickMarkDrawn())
        return {kClickMarkColour, !hiddenNeighbour};
    if (!neighbour) {
        if (day == s.TodayDay && p.IsToDay)
            return {kTodayColour, true};
        if (s.RangeStart > 0)
            return {kClWindow, true};
        return {std::nullopt, true};
    }
    if (hiddenNeighbour)
        return {std::nullopt, false};
    if (s.RangeStart > 0)
        return {kClWindow, true};
    return {std::nullopt, true};
}

}  // namespace

HeaderCellView headerCellView(const TKvMCalModel& model, int column) {
    const KvMCalProperties& p = model.properties();
    HeaderCellView view;
    view.rect = headerRect(p, column);
    view.fillRect = {view.rect.left + 1, view.rect.top + 1, view.rect.right, view.rect.bottom};
    view.fill = p.DayOfWeekBkColor;
    const int weekday = columnWeekday(p.FirstDayOfWeek, column);
    view.text = std::string(weekdayShortName(weekday));
    const int fontIndex = weekday == kSunday     ? cfSunday
                          : weekday == kSaturday ? cfSaturday
                                                 : cfWeekday;
    view.textColour = model.fonts().font(fontIndex).colour;
    view.face = model.fonts().font(cfWeekday).face;
    view.fontHeight = p.LenFontYoubiH;
    view.grid = gridLinesOf(view.rect, model.controlSize());
    return view;
}

DayCellView dayCellView(const TKvMCalModel& model, int cellIndex) {
    const KvMCalProperties& p = model.properties();
    DayCellView view;
    view.index = cellIndex;
    view.row = cellIndex / kColumnCount + 1;
    view.column = cellIndex % kColumnCount;
    view.rect = cellRectOfIndex(p, cellIndex);
    view.day = model.cellDay(cellIndex);
    view.date = juliusDayToYmd(view.day);
    view.neighbour = !model.inDisplayedMonth(view.day);

    const Background background = backgroundOf(model, view.day, view.neighbour);
    view.fill = background.fill;
    view.drawContent = background.drawContent;
    view.titleBackground = background.fill.value_or(kUnfilledCellBackground);
    if (!view.drawContent)
        return view;
    view.grid = gridLinesOf(view.rect, model.controlSize());

    const Ymd& d = view.date;
    view.flags = model.dayFlags(d.year, d.month, d.day);
    view.hasSpecialDay = (view.flags & dfSpecial) != 0;
    view.font = model.fonts().font(model.dayFontIndex(view.flags));
    view.numberColour =
        view.neighbour ? neighbourTint(model, view.font.colour, view.flags) : view.font.colour;
    view.numberBold = p.isFontBold || view.font.bold;
    view.numberFontHeight = dayNumberFontHeight(p, view.neighbour);
    view.numberText = std::to_string(d.day);
    view.nameFontHeight = nameFontHeight(p, view.neighbour);
    view.nameLift = nameLift(p, view.neighbour);

    if (p.ShowRokuyo) {
        const int rokuyo = rokuyoOf(view.day);
        if (rokuyo != kRokuyoUnknown)
            view.rokuyoText = " " + std::string(rokuyoName(rokuyo)) + " ";
        view.rokuyoColour = view.neighbour ? p.NeighborColor : model.fonts().font(cfRokuyo).colour;
    }

    const NameColours colours{model.resolveColour(model.fonts().font(cfSpecialDay).colour),
                              model.resolveColour(model.fonts().font(cfSunday).colour),
                              model.resolveColour(p.NeighborColor)};
    view.names = namePieces(model.dayNames(d.year, d.month, d.day), view.hasSpecialDay,
                            view.neighbour, colours);
    view.overflow = model.cellOverflows(cellIndex);
    return view;
}

std::optional<DayLineView> dayLineView(const TKvMCalModel& model, int cellIndex, int slot) {
    const KvMCalProperties& p = model.properties();
    if (slot < 0 || slot >= p.ItemGyo)
        return std::nullopt;
    const CellSlot& cellSlot = model.cellSlot(cellIndex, slot);
    const std::string* line = model.dayLineOf(cellSlot);
    if (!line)
        return std::nullopt;

    const std::vector<std::string> fields = splitFields(*line, ',');
    const std::string stored = fields.size() > 3 ? fields[3] : std::string();
    bool blockOpen = cellSlot.hideBlockOpen;
    const HiddenText hidden = applyHideRule(textForEditing(stored), blockOpen);
    if (!hidden.visible)
        return std::nullopt;
    const TaggedLine tagged = applyLineTags(expandTabs(hidden.shown, tabSpaceCount(p)));

    DayLineView view;
    view.text = tagged.text;
    view.bold = tagged.bold;
    view.strikeOut = tagged.strikeOut;

    const bool neighbourLine = cellSlot.monthSlot != model.state().CurrentSlot;
    const Colour base = neighbourLine ? p.NeighborColor : model.standardColour();
    view.colour = base;
    if (fields.size() > 5 && !fields[4].empty() && fields[4] != "1") {
        // A colour text that does not read keeps the line's plain colour.
        const Colour own = textToColour(fields[4], base);
        view.colour =
            neighbourLine ? model.resolveColour(own) | model.resolveColour(p.NeighborColor) : own;
    }

    const Rect cell = cellRectOfIndex(p, cellIndex);
    view.face = model.fonts().font(cfDayOfWeek).face;
    view.fontHeight = p.LenFontYoteiH;
    view.rect = {cell.left + p.LenItemLeftM,
                 slotTextTop(model.metrics(), cell, slot, p.LenFontYoteiH), cell.right,
                 cell.bottom};
    view.overflow = slot == p.ItemGyo - 1 && model.cellOverflows(cellIndex);
    view.markRight = cell.right - 2;
    view.markTop = cell.bottom - p.LenFontYoteiH - 1;
    return view;
}

std::optional<PeriodBarView> periodBarView(const TKvMCalModel& model, int cellIndex, int slot) {
    const KvMCalProperties& p = model.properties();
    if (slot < 0 || slot >= p.ItemGyo)
        return std::nullopt;
    const CellSlot& cellSlot = model.cellSlot(cellIndex, slot);
    const std::string* line = model.periodLineOf(cellSlot);
    if (!line)
        return std::nullopt;
    const std::optional<PeriodBar> bar = parsePeriodBar(*line);
    if (!bar)
        return std::nullopt;
    const std::int32_t day = model.cellDay(cellIndex);
    const bool neighbour = !model.inDisplayedMonth(day);
    if (neighbour && !p.ShowNeighbor)
        return std::nullopt;

    PeriodBarView view;
    const Colour own = bar->record.colour().value_or(model.standardColour());
    view.colour = neighbour ? model.resolveColour(own) | model.resolveColour(p.NeighborColor) : own;
    view.penWidth = bar->record.drawnThickness();
    view.selected = cellSlot.lineIndex == model.periods().selectedPeriod;
    if (view.selected) {
        view.colour = kSelectedPeriodColour;
        view.penWidth = kSelectedPeriodPenWidth;
    }
    const Rect cell = cellRectOfIndex(p, cellIndex);
    view.shape =
        periodBarShape(*bar, day, cell, slotTextTop(model.metrics(), cell, slot, p.LenFontYoteiH),
                       p.LenFontYoteiH);
    view.titleBackground =
        backgroundOf(model, day, neighbour).fill.value_or(kUnfilledCellBackground);
    return view;
}

std::vector<std::string> monthMemoTexts(const MonthSlot& slot) {
    std::vector<std::string> texts;
    for (const std::string& line : slot.lines) {
        if (entryDay(line) == kMonthMemoDay)
            texts.push_back(entryStoredText(line));
    }
    return texts;
}

MemoAreaView memoAreaView(const TKvMCalModel& model) {
    const KvMCalProperties& p = model.properties();
    MemoAreaView view;
    view.shown = model.memoShown();
    if (!view.shown)
        return view;
    view.rect = memoAreaRect(p, model.rowCount(), model.controlSize());
    view.fontHeight = p.LenFontYoteiH;
    view.textColour = model.standardColour();
    view.left = view.rect.left + p.LenItemLeftM;

    const int current = model.state().CurrentSlot;
    if (current < 0 || current >= kMonthSlotCount)
        return view;
    const std::vector<std::string> texts =
        monthMemoTexts(model.monthSlots()[static_cast<std::size_t>(current)]);
    const int capacity = p.ItemGyo + 1;
    const int count = static_cast<int>(texts.size());
    const int offset = p.TukiMUeTume || count >= capacity ? 0 : capacity - count;
    const int pitch = model.metrics().LinePitch;
    const int base = view.rect.top + p.LenHidukeH + p.LenTopItem - pitch;
    for (int j = 0; j < count && j < capacity; ++j) {
        view.lines.push_back({texts[static_cast<std::size_t>(j)],
                              base + pitch * (j + offset) + pitch - p.LenFontYoteiH});
    }
    return view;
}

}  // namespace velmo
