// A large file costs the store little more than its own size: its bytes are
// held once with a small record per line, and a write reads it once.
#include "store/SettingsStore.h"
#include "support/HeapCounter.h"
#include "support/TestEnv.h"

#include <gtest/gtest.h>

#include <functional>

using namespace portdesk;
using portdesk::test::TestEnv;
using portdesk::test::writeBytes;

namespace {

TEST(LargeFile, ReadsAndWritesHoldAtMostThreeTimesTheFile)
{
    TestEnv env;
    const QString file = env.path("large.dcl");
    // Declaration-like: short key lines, 12 bytes each, a hundred a section.
    QByteArray bytes;
    for (int i = 0; bytes.size() < 4 * 1024 * 1024; ++i) {
        if (i % 100 == 0)
            bytes += "[S" + QByteArray::number(i / 100) + "]\r\n";
        bytes += 'K' + QByteArray::number(i).rightJustified(7, '0') + "=v\r\n";
    }
    ASSERT_TRUE(writeBytes(file, bytes));
    const struct {
        const char *what;
        std::function<bool()> run;
    } calls[] = {
        {"read", [&] { return ReadKey(file, "S1000", "K0100050", "") == "v"; }},
        {"write", [&] { return WriteKey(file, "S1000", "K0100050", "w"); }},
        {"read writing back", [&] { return ReadKey(file, "S1000", "new", "d") == "d"; }},
        {"delete", [&] { return DeleteKey(file, "S1000", "K0100051"); }},
    };
    for (const auto &call : calls) {
        const std::size_t before = test::heapInUse();
        test::resetHeapPeak();
        ASSERT_TRUE(call.run()) << call.what;
        EXPECT_LE(test::heapPeak() - before, std::size_t(3 * bytes.size())) << call.what;
    }
}

} // namespace
