#include "app/navigation/month_session.h"

#include "calendar/julius_day.h"
#include "store/file_helpers.h"
#include "store/period_file.h"

namespace velmo {

namespace {

// Outcomes that leave nothing behind: written, nothing to write, or not this save's job.
bool saved(SaveOutcome outcome) {
    return outcome == SaveOutcome::Written || outcome == SaveOutcome::Unchanged ||
           outcome == SaveOutcome::NothingToWrite || outcome == SaveOutcome::Skipped;
}

std::string monthKeptText(const MonthSlot& slot) {
    return std::to_string(slot.year) + "年" + std::to_string(slot.month) +
           "月の予定を保存できないため、他の月へは移動しません。\r\n"
           "保存先のフォルダやディスクを確認してください。";
}

}  // namespace

MonthSession::MonthSession(TKvMCalModel& view, MonthSessionContext context)
    : view_(view), context_(std::move(context)) {}

void MonthSession::startWindow(std::int32_t today) {
    runToday_ = today;
    const Ymd date = juliusDayToYmd(today);
    table_.fill(date.year, date.month);
    freeMonthMode_ = false;
    rememberedSlot_ = kCurrentMonthSlot;
    view_.state().TodayDay = today;
    view_.state().CurrentSlot = kCurrentMonthSlot;
    view_.setJuliusDay(today);
}

MonthFileContext MonthSession::monthContext() {
    const DataLocation& location = folders_->current();
    return {location.folder(), location.label(), context_.ui, context_.sleeper, context_.shared};
}

void MonthSession::reloadAll(const DataFolders& folders, DataKeys& names, std::int32_t today) {
    folders_ = folders;
    backupNames_ = &names;
    auto& slots = view_.monthSlots();
    // One listing of the data folder answers for every month and the period file here.
    const FolderListing listing(folders.current().folder());
    MonthFileContext months = monthContext();
    months.listing = &listing;
    for (int slot = 0; slot < kWindowSlots; ++slot) {
        slots[slot] = MonthSlot{};
        const MonthRecord& record = table_.record(slot);
        loadSlot(slots[slot], slot, record.year, record.month, false, months);
    }
    view_.periods() = PeriodList{};
    PeriodFileContext periods{folders.current(), folders.dataRoot, context_.ui, context_.sleeper,
                              context_.shared};
    periods.listing = &listing;
    // Ten-day backups are a local safety net; the shared folder has its own.
    if (!folders.current().isShared()) {
        PeriodBackupContext backups{folders.commonFolder, juliusDayToYmd(today), names,
                                    backupCleanupWanted_, context_.persistBackupNames};
        loadPeriodListWithBackups(view_.periods(), periods, backups);
    } else {
        loadPeriodList(view_.periods(), periods, nullptr);
    }
    view_.relayout();
}

void MonthSession::showSlot(int slot) {
    view_.state().CurrentSlot = slot;
    view_.state().OutOfWindow = slot == kFreeSlot;
    const MonthRecord& record = table_.record(slot);
    view_.showYmd(record.year, record.month, 1);
    notifyShown();
}

bool MonthSession::showMonth(std::string_view yyyymm) {
    const ShowMonthTarget target = showMonthTarget(table_, yyyymm);
    switch (target.kind) {
        case ShowMonthTarget::Kind::TooOld:
            context_.ui.message(kTooOldText);
            return false;
        case ShowMonthTarget::Kind::TooFar:
            context_.ui.message(kTooFarText);
            return false;
        case ShowMonthTarget::Kind::WindowSlot:
            leaveFreeMonth();
            rememberedSlot_ = target.slot;
            showSlot(target.slot);
            return true;
        case ShowMonthTarget::Kind::FreeMonth:
            return enterFreeMonth(target);
    }
    return false;
}

bool MonthSession::releaseFreeSlot() {
    MonthSlot& free = view_.monthSlots()[kFreeSlot];
    if (!folders_ || !hasUnsavedChange(free))
        return true;
    const SaveOutcome outcome = saveSlot(free, SaveRequest::SaveAll, monthContext());
    if (outcome == SaveOutcome::WriteFailed || outcome == SaveOutcome::NotRead) {
        context_.ui.message(monthKeptText(free));
        return false;
    }
    return true;
}

bool MonthSession::enterFreeMonth(const ShowMonthTarget& target) {
    // The free slot is about to hold another month: what it holds must reach its file.
    if (!releaseFreeSlot())
        return false;
    auto& free = view_.monthSlots()[kFreeSlot];
    freeMonthMode_ = true;
    table_.setFreeMonth(target.year, target.month);
    free = MonthSlot{};
    if (folders_)
        loadSlot(free, kFreeSlot, target.year, target.month, false, monthContext());
    showSlot(kFreeSlot);
    return true;
}

void MonthSession::leaveFreeMonth() {
    if (!freeMonthMode_)
        return;
    MonthSlot& free = view_.monthSlots()[kFreeSlot];
    if (folders_ && hasUnsavedChange(free) &&
        saveSlot(free, SaveRequest::SaveAll, monthContext()) == SaveOutcome::Declined) {
        free = MonthSlot{};
    }
    if (folders_) {
        savePeriodList(view_.periods(), SaveRequest::SaveAll, periodFiles());
    }
    freeMonthMode_ = false;
    view_.state().OutOfWindow = false;
}

void MonthSession::returnToRememberedSlot() {
    if (!freeMonthMode_)
        return;
    leaveFreeMonth();
    showSlot(rememberedSlot_);
}

void MonthSession::followView() {
    KvMCalState& s = view_.state();
    if (!freeMonthMode_ && !s.OutOfWindow) {
        if (selectedTab() != s.CurrentSlot || table_.record(s.CurrentSlot).month != view_.month())
            notifyShown();
        return;
    }
    const std::optional<int> slot = table_.windowSlotOf(view_.year(), view_.month());
    if (slot) {
        // Back inside the window: the slot's data is loaded already.
        leaveFreeMonth();
        s.CurrentSlot = *slot;
        rememberedSlot_ = *slot;
        notifyShown();
        return;
    }
    if (!s.JumpedToNeighbour)
        return;
    s.JumpedToNeighbour = false;
    // The view already shows the month, but its lines are still to be loaded; the
    // clicked day stays selected.
    const std::int32_t clicked = view_.juliusDay();
    if (showMonth(yearMonthText(view_.year(), view_.month()))) {
        view_.setJuliusDay(clicked);
    } else {
        // Out of reach: back to the month the free slot holds.
        const MonthRecord& held = table_.record(s.CurrentSlot);
        view_.showYmd(held.year, held.month, 1);
    }
}

void MonthSession::moveToday(std::int32_t today) {
    runToday_ = today;
    view_.state().TodayDay = today;
    view_.relayout();
}

void MonthSession::showTab(int tab) {
    if (freeMonthMode_) {
        if (tab == 1)
            showMonth(
                yearMonthText(juliusDayToYmd(runToday_).year, juliusDayToYmd(runToday_).month));
        return;
    }
    if (tab >= 0 && tab < kWindowSlots) {
        rememberedSlot_ = tab;
        showSlot(tab);
    }
}

void MonthSession::emptyAll() {
    for (MonthSlot& slot : view_.monthSlots())
        slot = MonthSlot{};
    view_.periods() = PeriodList{};
}

bool MonthSession::saveBeforeLeaving(const std::function<bool()>& fullSave) {
    if (!folders_ || !backupNames_)
        return fullSave();
    const PeriodFileContext periods = periodFiles();
    PeriodBackupContext backups{folders_->commonFolder, juliusDayToYmd(runToday_), *backupNames_,
                                backupCleanupWanted_, context_.persistBackupNames};
    const LeavingOutcome outcome = velmo::saveBeforeLeaving(periods, fullSave, backups);
    return outcome == LeavingOutcome::Done || outcome == LeavingOutcome::CleanUpFailed;
}

PeriodFileContext MonthSession::periodFiles() {
    return {folders_ ? folders_->current() : DataLocation{}, folders_ ? folders_->dataRoot : "",
            context_.ui, context_.sleeper, context_.shared};
}

void MonthSession::reloadShown() {
    if (!folders_)
        return;
    const int shown = view_.state().CurrentSlot;
    MonthSlot& month = view_.monthSlots().at(static_cast<std::size_t>(shown));
    loadSlot(month, shown, month.year, month.month, true, monthContext());
    loadPeriodList(view_.periods(), periodFiles(), nullptr);
    view_.relayout();
}

bool MonthSession::rereadIfUnread(int slot) {
    MonthSlot& month = view_.monthSlots().at(static_cast<std::size_t>(slot));
    if (!month.readFailed)
        return true;
    if (!folders_)
        return false;
    loadSlot(month, slot, month.year, month.month, false, monthContext());
    view_.relayout();
    return !month.readFailed;
}

bool MonthSession::saveAll() {
    if (!folders_)
        return true;
    bool ok = true;
    const MonthFileContext months = monthContext();
    auto& slots = view_.monthSlots();
    // The free slot first, as when it is left; it may hold a month whose earlier save
    // failed even after free-month mode ended. Unchanged slots write nothing.
    ok = saved(saveSlot(slots[kFreeSlot], SaveRequest::SaveAll, months)) && ok;
    for (int slot = 0; slot < kWindowSlots; ++slot)
        ok = saved(saveSlot(slots[slot], SaveRequest::SaveAll, months)) && ok;
    ok = saved(savePeriodList(view_.periods(), SaveRequest::SaveAll, periodFiles())) && ok;
    return ok;
}

std::vector<RescueFile> MonthSession::unsavedFiles() const {
    std::vector<RescueFile> files;
    if (!folders_)
        return files;
    const std::string& folder = folders_->current().folder();
    // The spelling already on disk, as the writer would have used it.
    const auto nameOf = [](const std::filesystem::path& path) {
        return resolveCaseInsensitive(path).filename().string();
    };
    for (const MonthSlot& slot : view_.monthSlots()) {
        if (hasUnsavedChange(slot))
            files.push_back({nameOf(monthFilePath(folder, slot.year, slot.month)), slot.lines});
    }
    if (hasUnsavedChange(view_.periods()))
        files.push_back({nameOf(periodFilePath(folder)), view_.periods().lines});
    return files;
}

std::vector<std::string> MonthSession::tabLabels() const {
    if (freeMonthMode_)
        return {table_.record(kFreeSlot).label, "今月"};
    std::vector<std::string> labels;
    labels.reserve(kWindowSlots);
    for (int slot = 0; slot < kWindowSlots; ++slot)
        labels.push_back(table_.record(slot).label);
    return labels;
}

int MonthSession::selectedTab() const {
    return freeMonthMode_ ? 0 : view_.state().CurrentSlot;
}

std::string MonthSession::shownYearMonth() const {
    const MonthRecord& record = table_.record(view_.state().CurrentSlot);
    return yearMonthText(record.year, record.month);
}

void MonthSession::notifyShown() {
    if (onShown_)
        onShown_();
}

}  // namespace velmo
