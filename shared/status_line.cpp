#include "shared/status_line.h"

namespace velmo {

void SilentStatusLine::show(const std::string&, StatusColour) {}

void SilentStatusLine::clear() {}

}  // namespace velmo
