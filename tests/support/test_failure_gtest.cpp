#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "tests/support/test_failure.h"

namespace velmo::testing {

void failRunningTest(const std::string& message, const char* file, int line) {
    if (::testing::UnitTest::GetInstance()->current_test_info() == nullptr) {
        std::fprintf(stderr, "%s:%d: test failure outside a running test: %s\n", file, line,
                     message.c_str());
        std::abort();
    }
    ADD_FAILURE_AT(file, line) << message;
}

}  // namespace velmo::testing
