#include "frame/command_line.h"

#include <gtest/gtest.h>

namespace velm {
namespace {

TEST(CommandLineTest, FileNameIsUnquotedOnceAndTakenAgainstTheStartFolder) {
    struct Case { const char* argument; const char* startFolder; const char* expected; } const cases[] = {
        {"\"\"", "/home/ann", ""},
        {"part.qvl", "/home/ann/", "/home/ann/part.qvl"},
        {"/data/part.qvl", "/home/ann", "/data/part.qvl"},
        {"\"my part.qvl\"", "/home/ann", "/home/ann/my part.qvl"},
        {"\"\"x.qvl\"\"", "/w", "/w/\"x.qvl\""},  // one pair only
        {"\"x.qvl", "/w", "/w/\"x.qvl"},          // no closing quote: kept
        {"part.qvl", "", "part.qvl"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveCommandLineFile(c.argument, c.startFolder), c.expected) << c.argument;
}

TEST(CommandLineTest, AppDirDropsTrailingSeparators) {
    EXPECT_EQ(AppDirOf("/opt/velm/"), "/opt/velm");
    EXPECT_EQ(AppDirOf("/"), "");  // the root: files are then "/VELM.HLP"
}

TEST(CommandLineTest, SplashWaitCanOnlyBeShortened) {
    struct Case { const char* text; double seconds; } const cases[] = {
        {nullptr, 3.0}, {"0", 0.0}, {"0.5", 0.5}, {"3.5", 3.0}, {"-1", 3.0}, {"1,5", 3.0}, {"nan", 3.0},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(SplashSecondsFrom(c.text), c.seconds) << (c.text ? c.text : "(unset)");
}

}  // namespace
}  // namespace velm
