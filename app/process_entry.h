#pragma once

namespace velmo {

// The desktop program from start to end: the sibling-edition check, the hand-over to a
// running copy, the main window and the event loop. Returns the process exit code.
int runProcess(int argc, char** argv);

}  // namespace velmo
