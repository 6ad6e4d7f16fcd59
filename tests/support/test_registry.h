#pragma once

#include <QObject>

#include <functional>
#include <memory>

// One test executable per library: each test class registers itself, and a shared main runs them all.
// Usage of every suite: <exe> [ClassName] [Qt Test arguments...]; with a class name only that class runs.
namespace mx::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

int registerTest(const char* name, TestFactory factory);

// Runs every registered class (or the one named first on the command line) with a scripted message service that
// fails a test showing a message it did not ask for. `afterEach` may add failures of its own after each class.
int runRegisteredTests(int argc, char** argv, const std::function<int(const char* testName)>& afterEach = {});

} // namespace mx::test

#define MX_REGISTER_TEST(Class)                                                                                        \
    static const int mxRegistered##Class =                                                                             \
        ::mx::test::registerTest(#Class, [] { return std::unique_ptr<QObject>(new Class); });
