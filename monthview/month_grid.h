#pragma once
// The model of the month view TKvMCal: its published properties, the state the main
// window reads and writes, the six month slots and the period lines it owns, and the
// layout that decides which schedule line and which period bar goes into which line
// position (cell slot) of which day cell. Nothing here draws; the widget wraps the model,
// paints from it (see cell_view.h) in the redraw hook and forwards its events.
//
// Relayout runs on every property change (unless SkipUpDate, SkipUpDate2 or Suspended),
// on a change of the selected date, after updateMetrics, on a size change, and when the
// main window asks for it after changing month slots, period lines, rules or options.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/clock.h"
#include "core/user_interface.h"
#include "monthview/custom_calendar.h"
#include "monthview/grid_geometry.h"
#include "monthview/kvmcal_properties.h"
#include "store/month_file.h"
#include "store/period_file.h"
#include "store/shared_folder_hooks.h"

namespace velmo {

inline constexpr int kMonthSlotCount = 6;
// The default colour of schedule lines.
inline constexpr Colour kStandardLineColour = 0x484848;

enum class SlotKind { Free, DayLine, Period };

// One line position of a day cell.
struct CellSlot {
    SlotKind kind = SlotKind::Free;
    // DayLine: the month slot (0..5) whose lines hold the line.
    int monthSlot = 0;
    // DayLine: index into that slot's lines; Period: index into the period lines.
    int lineIndex = 0;
    // DayLine: whether a hide block was open before this line, so the painter can apply
    // the hide rule exactly as the layout did (see visibleDayLineText).
    bool hideBlockOpen = false;

    // The stored kind letter: "" free, "0".."5" a day line of that month slot, "F" a bar.
    std::string kindText() const;
    bool operator==(const CellSlot&) const = default;
};

using CellSlotRow = std::array<CellSlot, kSlotsPerCell>;

// The internal state of TKvMCal that the main window and the interaction code read and
// write directly. After changing ClickMark, RangeStart/RangeEnd or the selected period
// they call redrawGrid.
struct KvMCalState {
    std::int32_t TodayDay = 0;
    std::int32_t ClickedDay = 0;
    bool ClickedInMonth = false;
    bool Suspended = false;       // while true relayout does nothing
    int CurrentSlot = 0;          // month slot of the displayed month, 0..5
    std::int32_t RangeStart = 0;  // 0: no highlighted range
    std::int32_t RangeEnd = 0;
    bool ExtendNames = false;  // names and rokuyo may run 9 pixels past the cell
    bool ClickMark = false;    // the cell of ClickedDay is drawn marked; relayout clears it
    bool JumpedToNeighbour = false;
    bool JumpForward = false;
    bool OutOfWindow = false;
    bool MemoClicked = false;
};

// What the export learns about one cell.
struct CellQuery {
    int month = 0;
    int day = 0;
    std::string names;                 // DayNames, comma text
    std::string specialNames;          // only without rokuyo
    std::string holidayName;           // only without rokuyo
    std::array<std::string, 5> lines;  // line positions 0..4, "，" back to ","; only without rokuyo
};

class TKvMCalModel : public TCustomCalendarEx {
public:
    // today: today's day number, which also becomes the selected date and TodayDay.
    explicit TKvMCalModel(std::int32_t today);

    // Published properties. A changed value relayouts unless a skip flag is set;
    // NeighborJump, SkipUpDate and SkipUpDate2 never relayout. Byte values saturate at
    // 0..255 and are then kept usable (normalizedProperties).
    const KvMCalProperties& properties() const { return properties_; }
    void set(std::uint8_t KvMCalProperties::*member, int value);
    void set(bool KvMCalProperties::*member, bool value);
    void set(Colour KvMCalProperties::*member, Colour value);
    void set(TDayOfWeek KvMCalProperties::*member, TDayOfWeek value);
    // All at once, as the display presets do; one relayout when anything changed.
    void setProperties(const KvMCalProperties& properties);

    // DataKyoFile: the common data folder. A different folder is stored and its
    // "Sday.myc", when it exists, read into the special-day list (a bad file shows the
    // special-day load message); then the view is relaid out.
    const std::string& dataKyoFile() const { return dataKyoFile_; }
    void setDataKyoFile(const std::string& folder, UserInterface& ui, Sleeper& sleeper);
    // Reads Hday.dat into the holiday list, as the control does when it is created.
    void readHolidayFile(const std::filesystem::path& file, UserInterface& ui, Sleeper& sleeper);

    // UpdateMetrics: derive LinePitch, DateBand and CellThird from the Len properties,
    // then relayout unless a skip flag is set.
    void updateMetrics();
    const DerivedMetrics& metrics() const { return metrics_; }

    KvMCalState& state() { return state_; }
    const KvMCalState& state() const { return state_; }

    // Month slots 0..4 (the month window) and 5 (the free month), filled by the main window.
    std::array<MonthSlot, kMonthSlotCount>& monthSlots() { return monthSlots_; }
    const std::array<MonthSlot, kMonthSlotCount>& monthSlots() const { return monthSlots_; }

    // PeriodLines (lines; line 0 is the file's header) and SelectedPeriod (selectedPeriod;
    // 0 = none), with the load bookkeeping of the period file.
    PeriodList& periods() { return periods_; }
    const PeriodList& periods() const { return periods_; }

    Colour standardColour() const { return standardColour_; }
    // The colour of plain schedule lines (the option edtCYotei); relayouts when it changes.
    void setStandardColour(Colour colour);

    // The day number of the top-left day cell, set by every relayout.
    std::int32_t firstCellDay() const { return firstCellDay_; }
    // Rows including the header row.
    int rowCount() const;
    // The day shown by a cell index 0..41.
    std::int32_t cellDay(int cellIndex) const { return firstCellDay_ + cellIndex; }
    // True when the day belongs to the displayed month (the month of JuliusDay).
    bool inDisplayedMonth(std::int32_t day) const;
    // The month slot whose lines a cell of this date takes: CurrentSlot, one later for a
    // day after the displayed month (while CurrentSlot is below 4), one earlier for a day
    // before it (while CurrentSlot is above 0).
    int monthSlotFor(const Ymd& date) const;

    // Cell slots as the last relayout left them. Out-of-range indexes read a free slot.
    const CellSlot& cellSlot(int cellIndex, int slot) const;
    const std::array<CellSlotRow, kCellCount>& cellSlots() const { return cellSlots_; }
    // More day lines than fit: slot ItemGyo holds a day line.
    bool cellOverflows(int cellIndex) const;
    // The line a slot names, or nothing when the slot is not of that kind or its index no
    // longer names a line.
    const std::string* dayLineOf(const CellSlot& slot) const;
    const std::string* periodLineOf(const CellSlot& slot) const;

    // The control's size; until the widget sets one, 7 × LenDayW + 3 by
    // 6 × LenDayH + LenYoubiH + 3. A new size relayouts.
    Size controlSize() const;
    void setControlSize(Size size);

    // MemoShown: the month memo area was part of the last redraw.
    bool memoShown() const { return memoShown_; }
    // ClickMark as it was at the last redraw: relayout clears ClickMark after drawing,
    // yet the mark stays in the picture until the next redraw.
    bool clickMarkDrawn() const { return clickMarkDrawn_; }

    // Relayout: clear every cell slot, sort the period lines, set FirstCellDay, lay out
    // the period bars and the day lines, redraw, then clear ClickMark.
    void relayout() override;
    // RedrawGrid: redraw with the current layout (runs the redraw hook).
    void redrawGrid();

    // ShowYmd: select ClampedYmdToJuliusDay(year, month 0..13, day).
    void showYmd(int year, int month, int day);

    // QueryCell for week row 1.. and column 0..6; an empty result for any other cell.
    CellQuery queryCell(int column, int row) const;

    // DeletePeriod: for an index naming a period, asks "この予定を削除してもいいですか？"
    // (No preselected) and on Yes deletes the line and clears SelectedPeriod; then
    // relayouts. An index of 0 or below, or past the last line, does nothing.
    PeriodEditResult deletePeriod(int index, UserInterface& ui, const SharedFolderHooks& shared);

    // The month view's day font: a special day keeps the weekday's or holiday's font.
    int dayFontIndex(TDayFlags flags) const override;

protected:
    bool updatesSkipped() const override;

private:
    template <class T>
    void assign(T KvMCalProperties::*member, T value);
    void clearCellSlots();
    void layoutPeriodBars();
    void layoutDayLines();

    KvMCalProperties properties_;
    DerivedMetrics metrics_;
    KvMCalState state_;
    std::string dataKyoFile_;
    std::array<MonthSlot, kMonthSlotCount> monthSlots_;
    PeriodList periods_;
    std::array<CellSlotRow, kCellCount> cellSlots_{};
    std::int32_t firstCellDay_ = 0;
    std::optional<Size> controlSize_;
    Colour standardColour_ = kStandardLineColour;
    bool memoShown_ = false;
    bool clickMarkDrawn_ = false;
};

}  // namespace velmo
