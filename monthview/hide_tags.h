#pragma once
// The hide rule: text between "<H>" and "</H>" (any letter case) is not shown in the
// month view. A "<H>" without its "</H>" hides the rest of its line and every following
// line of the same day up to a line with "</H>". Layout and drawing apply the same
// rule, so a line takes a position exactly when it shows something.

#include <string>
#include <string_view>

namespace velmo {

struct HiddenText {
    std::string shown;     // what is drawn
    bool visible = false;  // the line takes a line position
};

// Applies the rule to one line's text; blockOpen carries the open block from the day's
// previous line to the next and starts false for each day. Every "<H>".."</H>" pair of
// the line is taken out; a line without any tag and outside a block is visible even when
// its text is empty.
HiddenText applyHideRule(std::string_view text, bool& blockOpen);

}  // namespace velmo
