#include <QtTest>

#include <cstdio>
#include <cstdlib>

#include "tests/support/test_failure.h"

namespace velmo::testing {

void failRunningTest(const std::string& message, const char* file, int line) {
    if (QTest::currentTestFunction() == nullptr) {
        std::fprintf(stderr, "%s:%d: test failure outside a running test: %s\n", file, line,
                     message.c_str());
        std::abort();
    }
    QTest::qFail(message.c_str(), file, line);
}

}  // namespace velmo::testing
