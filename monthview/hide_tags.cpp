#include "monthview/hide_tags.h"

#include "monthview/cell_text.h"

namespace velmo {
namespace {

constexpr std::string_view kOpenTag = "<H>";
constexpr std::string_view kCloseTag = "</H>";

}  // namespace

HiddenText applyHideRule(std::string_view text, bool& blockOpen) {
    if (!blockOpen && findIgnoringCase(text, kOpenTag) == std::string_view::npos)
        return {std::string(text), true};

    HiddenText result;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        if (blockOpen) {
            const std::size_t close = findIgnoringCase(text, kCloseTag, pos);
            if (close == std::string_view::npos)
                break;
            blockOpen = false;
            pos = close + kCloseTag.size();
        } else {
            const std::size_t open = findIgnoringCase(text, kOpenTag, pos);
            if (open == std::string_view::npos) {
                result.shown.append(text.substr(pos));
                break;
            }
            result.shown.append(text.substr(pos, open - pos));
            blockOpen = true;
            pos = open + kOpenTag.size();
        }
    }
    result.visible = !result.shown.empty();
    return result;
}

}  // namespace velmo
