#include "monthview/month_grid.h"

#include <algorithm>
#include <type_traits>
#include <vector>

#include "monthview/hide_tags.h"
#include "monthview/name_pieces.h"
#include "monthview/period_bar.h"
#include "store/entry_line.h"
#include "store/file_helpers.h"
#include "store/rule_file.h"
#include "store/text_helpers.h"

namespace velmo {
namespace {

const CellSlot kFreeSlot{};

// Months counted from year 0, so that "after" and "before" work across a year's end.
int monthKey(int year, int month) {
    return year * 12 + month;
}

}  // namespace

std::string CellSlot::kindText() const {
    switch (kind) {
        case SlotKind::DayLine:
            return std::string(1, static_cast<char>('0' + monthSlot));
        case SlotKind::Period:
            return "F";
        case SlotKind::Free:
            break;
    }
    return {};
}

TKvMCalModel::TKvMCalModel(std::int32_t today)
    : TCustomCalendarEx(today), metrics_(deriveMetrics(properties_)) {
    state_.TodayDay = today;
    for (int index = cfWeekday; index <= cfSpecialDay; ++index) {
        CalFont font = fonts().font(index);
        font.size = 12;
        fonts().setFont(index, font);
    }
    firstCellDay_ = velmo::firstCellDay(year(), month(), properties_.FirstDayOfWeek,
                                        properties_.FirstRowFirstDay);
}

template <class T>
void TKvMCalModel::assign(T KvMCalProperties::*member, T value) {
    KvMCalProperties next = properties_;
    next.*member = value;
    next = normalizedProperties(next);
    if (next == properties_)
        return;
    properties_ = next;
    if constexpr (std::is_same_v<T, bool>) {
        // Flags that only steer interaction or the skipping itself.
        if (member == &KvMCalProperties::NeighborJump || member == &KvMCalProperties::SkipUpDate ||
            member == &KvMCalProperties::SkipUpDate2) {
            return;
        }
    }
    propertyChanged();
}

void TKvMCalModel::set(std::uint8_t KvMCalProperties::*member, int value) {
    assign(member, saturateByte(value));
}

void TKvMCalModel::set(bool KvMCalProperties::*member, bool value) {
    assign(member, value);
}

void TKvMCalModel::set(Colour KvMCalProperties::*member, Colour value) {
    assign(member, value);
}

void TKvMCalModel::set(TDayOfWeek KvMCalProperties::*member, TDayOfWeek value) {
    assign(member, value);
}

void TKvMCalModel::setProperties(const KvMCalProperties& properties) {
    const KvMCalProperties next = normalizedProperties(properties);
    if (next == properties_)
        return;
    properties_ = next;
    propertyChanged();
}

void TKvMCalModel::setDataKyoFile(const std::string& folder, UserInterface& ui, Sleeper& sleeper) {
    if (folder == dataKyoFile_)
        return;
    dataKyoFile_ = folder;
    if (!folder.empty()) {
        if (const auto file = findCaseInsensitive(folder, kSpecialDayFileName))
            loadSpecialDayRules(rules(), *file, ui, sleeper);
    }
    propertyChanged();
}

void TKvMCalModel::readHolidayFile(const std::filesystem::path& file, UserInterface& ui,
                                   Sleeper& sleeper) {
    loadHolidayRules(rules(), file, ui, sleeper);
}

void TKvMCalModel::updateMetrics() {
    metrics_ = deriveMetrics(properties_);
    propertyChanged();
}

bool TKvMCalModel::updatesSkipped() const {
    return properties_.SkipUpDate || properties_.SkipUpDate2;
}

int TKvMCalModel::rowCount() const {
    return velmo::rowCount(year(), month(), firstCellDay_, properties_.AutoResize,
                           properties_.LastRowLastDay);
}

bool TKvMCalModel::inDisplayedMonth(std::int32_t day) const {
    const Ymd date = juliusDayToYmd(day);
    return date.year == year() && date.month == month();
}

int TKvMCalModel::monthSlotFor(const Ymd& date) const {
    const int current = std::clamp(state_.CurrentSlot, 0, kMonthSlotCount - 1);
    const int cell = monthKey(date.year, date.month);
    const int shown = monthKey(year(), month());
    if (cell > shown && current < 4)
        return current + 1;
    if (cell < shown && current > 0)
        return current - 1;
    return current;
}

const CellSlot& TKvMCalModel::cellSlot(int cellIndex, int slot) const {
    if (cellIndex < 0 || cellIndex >= kCellCount || slot < 0 || slot >= kSlotsPerCell)
        return kFreeSlot;
    return cellSlots_[static_cast<std::size_t>(cellIndex)][static_cast<std::size_t>(slot)];
}

bool TKvMCalModel::cellOverflows(int cellIndex) const {
    const int itemGyo = properties_.ItemGyo;
    return itemGyo > 0 && cellSlot(cellIndex, itemGyo).kind == SlotKind::DayLine;
}

const std::string* TKvMCalModel::dayLineOf(const CellSlot& slot) const {
    if (slot.kind != SlotKind::DayLine || slot.monthSlot < 0 || slot.monthSlot >= kMonthSlotCount)
        return nullptr;
    const LineList& lines = monthSlots_[static_cast<std::size_t>(slot.monthSlot)].lines;
    if (slot.lineIndex < 0 || static_cast<std::size_t>(slot.lineIndex) >= lines.size())
        return nullptr;
    return &lines[static_cast<std::size_t>(slot.lineIndex)];
}

const std::string* TKvMCalModel::periodLineOf(const CellSlot& slot) const {
    if (slot.kind != SlotKind::Period || slot.lineIndex < 0 ||
        static_cast<std::size_t>(slot.lineIndex) >= periods_.lines.size()) {
        return nullptr;
    }
    return &periods_.lines[static_cast<std::size_t>(slot.lineIndex)];
}

Size TKvMCalModel::controlSize() const {
    return controlSize_.value_or(preferredControlSize(properties_));
}

void TKvMCalModel::setControlSize(Size size) {
    if (controlSize_ == size)
        return;
    controlSize_ = size;
    relayout();
}

void TKvMCalModel::clearCellSlots() {
    for (CellSlotRow& cell : cellSlots_)
        cell.fill(CellSlot{});
}

void TKvMCalModel::relayout() {
    if (state_.Suspended)
        return;
    // All ten slots, not only 0..ItemGyo: a smaller ItemGyo must not leave old slots behind.
    clearCellSlots();
    sortPeriodLines(periods_);
    firstCellDay_ = velmo::firstCellDay(year(), month(), properties_.FirstDayOfWeek,
                                        properties_.FirstRowFirstDay);
    layoutPeriodBars();
    layoutDayLines();
    redrawGrid();
    state_.ClickMark = false;
}

void TKvMCalModel::layoutPeriodBars() {
    const int lanes = properties_.ItemGyo + 1;
    const std::int32_t first = firstCellDay_;
    const std::int32_t last = firstCellDay_ + kCellCount - 1;
    // Line 0 is the file's header, never a period.
    for (std::size_t i = 1; i < periods_.lines.size(); ++i) {
        const std::optional<PeriodBar> bar = parsePeriodBar(periods_.lines[i]);
        if (!bar || bar->endDay < first || bar->startDay > last)
            continue;
        const auto from = static_cast<std::size_t>(std::max(bar->startDay, first) - first);
        const auto to = static_cast<std::size_t>(std::min(bar->endDay, last) - first);
        for (int lane = 0; lane < lanes; ++lane) {
            const auto l = static_cast<std::size_t>(lane);
            bool free = true;
            for (std::size_t cell = from; cell <= to && free; ++cell)
                free = cellSlots_[cell][l].kind == SlotKind::Free;
            if (!free)
                continue;
            for (std::size_t cell = from; cell <= to; ++cell)
                cellSlots_[cell][l] = {SlotKind::Period, 0, static_cast<int>(i), false};
            break;
        }
    }
}

void TKvMCalModel::layoutDayLines() {
    const int itemGyo = properties_.ItemGyo;
    // Per month slot, the indexes of its lines by day, built when a cell first needs it.
    std::array<std::vector<std::vector<int>>, kMonthSlotCount> byDay;
    auto linesOfDay = [&](int slot, int day) -> const std::vector<int>& {
        std::vector<std::vector<int>>& index = byDay[static_cast<std::size_t>(slot)];
        if (index.empty()) {
            index.resize(32);
            const LineList& lines = monthSlots_[static_cast<std::size_t>(slot)].lines;
            for (std::size_t i = 0; i < lines.size(); ++i) {
                const std::optional<int> d = entryDay(lines[i]);
                if (d && *d >= 1 && *d <= 31)
                    index[static_cast<std::size_t>(*d)].push_back(static_cast<int>(i));
            }
        }
        return index[static_cast<std::size_t>(day)];
    };

    struct Visible {
        int lineIndex;
        bool hideBlockOpen;
    };
    std::vector<Visible> visible;
    for (int cell = 0; cell < kCellCount; ++cell) {
        Ymd date;
        try {
            date = juliusDayToYmd(cellDay(cell));
        } catch (const EJuliusError&) {
            continue;  // beyond the calendar's range: an empty cell
        }
        const int slot = monthSlotFor(date);
        const MonthSlot& month = monthSlots_[static_cast<std::size_t>(slot)];
        if (month.year != date.year || month.month != date.month)
            continue;

        visible.clear();
        bool blockOpen = false;
        for (int lineIndex : linesOfDay(slot, date.day)) {
            const bool before = blockOpen;
            const std::string& line = month.lines[static_cast<std::size_t>(lineIndex)];
            if (applyHideRule(entryStoredText(line), blockOpen).visible)
                visible.push_back({lineIndex, before});
        }

        const int count = static_cast<int>(visible.size());
        const int start = properties_.UeTume || count >= itemGyo ? 0 : itemGyo - count;
        CellSlotRow& slots = cellSlots_[static_cast<std::size_t>(cell)];
        for (const Visible& line : visible) {
            for (int position = start; position <= itemGyo; ++position) {
                CellSlot& target = slots[static_cast<std::size_t>(position)];
                if (target.kind != SlotKind::Free)
                    continue;
                target = {SlotKind::DayLine, slot, line.lineIndex, line.hideBlockOpen};
                break;
            }
        }
    }
}

void TKvMCalModel::redrawGrid() {
    memoShown_ = properties_.TukiMemo && rowCount() >= 2;
    clickMarkDrawn_ = state_.ClickMark;
    notifyRedraw();
}

void TKvMCalModel::showYmd(int year, int month, int day) {
    setJuliusDay(clampedYmdToJuliusDay(year, month, day));
}

CellQuery TKvMCalModel::queryCell(int column, int row) const {
    CellQuery query;
    if (column < 0 || column >= kColumnCount || row < 1 || row > kWeekRowCount)
        return query;
    const int cell = (row - 1) * kColumnCount + column;
    const Ymd date = juliusDayToYmd(cellDay(cell));
    query.month = date.month;
    query.day = date.day;
    const DayNameList names = dayNames(date.year, date.month, date.day);
    query.names = names.names;
    if (properties_.ShowRokuyo)
        return query;
    const QueriedNames split = queryNames(names);
    query.specialNames = split.specialDays;
    query.holidayName = split.holiday;
    for (int position = 0; position < static_cast<int>(query.lines.size()); ++position) {
        if (const std::string* line = dayLineOf(cellSlot(cell, position)))
            query.lines[static_cast<std::size_t>(position)] =
                textForEditing(entryStoredText(*line));
    }
    return query;
}

PeriodEditResult TKvMCalModel::deletePeriod(int index, UserInterface& ui,
                                            const SharedFolderHooks& shared) {
    if (index <= 0 || static_cast<std::size_t>(index) >= periods_.lines.size())
        return {};
    PeriodEditResult result;
    if (ask(ui, kDeletePeriodQuestion, DefaultButton::No))
        result = velmo::deletePeriod(periods_, index, shared);
    relayout();
    return result;
}

int TKvMCalModel::dayFontIndex(TDayFlags flags) const {
    return TCustomCalendarEx::dayFontIndex(flags & ~TDayFlags{dfSpecial});
}

void TKvMCalModel::setStandardColour(Colour colour) {
    if (colour == standardColour_)
        return;
    standardColour_ = colour;
    if (!updatesSkipped())
        relayout();
}

}  // namespace velmo
