#include "dialogs/memorial_day_window.h"

#include "dialogs/day_editor.h"

namespace velmo {

MemorialDayAnswer TfmDayMemorialDialog::run(const MemorialDayRequest& request) {
    // The editor formats request.weekdayLabel's text from the weekday number, so the
    // label and its colour always agree.
    editor_.openMemorialDay({request.name, request.fromYearText, request.toYearText,
                             request.weekday, request.dateLabel});
    const bool writeBack = editor_.execEditor();
    const MemorialDayFields fields = editor_.memorialDayFields();
    return {writeBack, fields.name, fields.fromYear, fields.toYear};
}

}  // namespace velmo
