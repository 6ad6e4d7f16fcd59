#include "test_registry.h"

#include "scripted_messages.h"

#include <QTest>

#include <cstdio>
#include <cstring>
#include <vector>

namespace mx::test {
namespace {

struct Entry {
    const char* name;
    TestFactory factory;
};

std::vector<Entry>& registry()
{
    static std::vector<Entry> entries;
    return entries;
}

} // namespace

int registerTest(const char* name, TestFactory factory)
{
    registry().push_back({name, std::move(factory)});
    return int(registry().size());
}

int runRegisteredTests(int argc, char** argv, const std::function<int(const char* testName)>& afterEach)
{
    ScriptedMessages guard; // any unexpected message box fails the test instead of blocking
    setMessageService(&guard);

    const char* only = nullptr;
    std::vector<char*> args{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (i == 1 && argv[i][0] != '-')
            only = argv[i];
        else
            args.push_back(argv[i]);
    }
    int failures = 0;
    for (const auto& entry : registry()) {
        if (only && std::strcmp(only, entry.name) != 0)
            continue;
        auto test = entry.factory();
        failures += QTest::qExec(test.get(), int(args.size()), args.data());
        // A message no test asked for would have blocked a user: count it as a failure.
        for (const auto& shown : guard.shown) {
            std::fprintf(stderr, "FAIL!  : %s showed an unexpected message: %s\n", entry.name, qPrintable(shown.text));
            ++failures;
        }
        guard.clear();
        if (afterEach)
            failures += afterEach(entry.name);
    }
    setMessageService(nullptr);
    return failures == 0 ? 0 : 1;
}

} // namespace mx::test
