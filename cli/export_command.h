#pragma once
// velmo-tool export: the month written as the export page writes it (text, CSV, HTML,
// iCalendar or the spreadsheet calendar), with the page's settings from the settings file.

#include <string>
#include <vector>

#include "core/user_interface.h"

namespace velmo {

// Runs the command on the arguments after "export"; 0 when the file was written, 1 when
// it was not, 2 for bad arguments. An existing file is replaced only with --yes.
int runExportCommand(const std::string& startFolder, const std::vector<std::string>& arguments);

}  // namespace velmo
