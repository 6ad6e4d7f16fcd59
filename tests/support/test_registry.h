#pragma once

#include <QObject>

#include <functional>
#include <memory>

// One test executable per subsystem: each test class registers itself, and the shared main runs them all.
namespace mx::test {

using TestFactory = std::function<std::unique_ptr<QObject>()>;

int registerTest(const char* name, TestFactory factory);

} // namespace mx::test

#define MX_REGISTER_TEST(Class)                                                                                        \
    static const int mxRegistered##Class =                                                                             \
        ::mx::test::registerTest(#Class, [] { return std::unique_ptr<QObject>(new Class); });
