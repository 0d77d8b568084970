#pragma once
// The memorial-day page of the day editor TfmDay as editMemorialDay asks for it: one
// modal visit of the page per "記念日編集" command.
//
//   TfmDayMemorialDialog dialog(dayEditor);
//   editMemorialDay(rules, juliusDay, dialog, commonFolder, ui, sleeper);

#include "store/memorial_day_edit.h"

namespace velmo {

class TfmDay;

class TfmDayMemorialDialog final : public MemorialDayDialog {
public:
    explicit TfmDayMemorialDialog(TfmDay& editor) : editor_(editor) {}

    // Fills the page (the editor draws the weekday label itself, red for Sunday and blue
    // for Saturday), shows it modally and returns what the boxes hold afterwards.
    MemorialDayAnswer run(const MemorialDayRequest& request) override;

private:
    TfmDay& editor_;
};

}  // namespace velmo
