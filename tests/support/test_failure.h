#pragma once
// Fails the running test from code that is not the test body itself (a test double's
// callback or destructor). Plain tests link the GoogleTest version, widget tests the
// QtTest one; outside a running test it stops the program, so no failure goes unseen.

#include <string>

namespace velmo::testing {

void failRunningTest(const std::string& message, const char* file, int line);

}  // namespace velmo::testing
