#pragma once
// Named places where a write can be cut off by a crash, for the tests that kill a
// writer there with SIGKILL: when VELMO_CRASH_POINT names the place, the process stops
// itself (SIGSTOP) on reaching it, so the test kills it at exactly that moment. With
// VELMO_CRASH_POINT_HIT=N as well, only the Nth time the place is reached stops, so a
// test can cut a long operation at a chosen step. Without the variable a crash point
// costs one comparison.

namespace velmo {

// "lock-created": a lock file was just taken; "temporary-written": a data file's
// replacement is flushed but not yet renamed into place; "before-counter": a shared
// write is in place but the update counter not yet raised; "backup-file-copied": a
// folder copy of a backup has just written one more file.
void crashPoint(const char* name);

}  // namespace velmo
