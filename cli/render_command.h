#pragma once
// velmo-tool render: the month view drawn off-screen into a PNG file, from the data and
// settings of a start folder, as the main window shows that month.

#include <optional>
#include <string>
#include <vector>

#include "core/user_interface.h"
#include "monthview/kvmcal_properties.h"
#include "store/settings.h"

namespace velmo {

struct RenderRequest {
    int year = 0;
    int month = 0;
    std::string outFile;
    std::optional<Ymd> today;
    bool rokuyo = false;
    std::optional<std::pair<int, int>> size;  // width, height
};

// The arguments after "render"; nothing (after a message on stderr) when they are wrong.
std::optional<RenderRequest> parseRenderArguments(const std::vector<std::string>& arguments);

// The month view's metrics for the stored row-layout preset (vCalGyou; an unknown id is
// "５行"). A preset that takes its column width from the screen uses requestedWidth when
// given, else the width of "５行". cbMonthBtn and udYokoC adjust the width as in the
// main window.
KvMCalProperties rowPresetProperties(KvMCalProperties base, const DisplayKeys& display,
                                     std::optional<int> requestedWidth);

// Runs the command; 0 when the picture was written, 1 when it could not be, 2 for bad
// arguments.
int runRenderCommand(const std::string& startFolder, const std::vector<std::string>& arguments,
                     UserInterface& ui);

}  // namespace velmo
