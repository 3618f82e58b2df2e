#include <gtest/gtest.h>

#include "Options.h"

using namespace nodesim;

namespace {

ParsedOptions parse(QStringList args) {
    args.prepend(QStringLiteral("ztknode-sim"));
    return parseOptions(args);
}

TEST(Options, DefaultsAreAFreshNodeOnAQuietLine) {
    const auto parsed = parse({"--link", "/tmp/n"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& o = std::get<Options>(parsed);
    EXPECT_EQ(o.link, "/tmp/n");
    EXPECT_EQ(o.identity.model, 4);
    EXPECT_EQ(o.identity.swMajor, 1);
    EXPECT_EQ(o.identity.swMinor, 15);
    EXPECT_EQ(o.baud, 4800);
    EXPECT_FALSE(o.pace);
    EXPECT_EQ(o.faults.drop + o.faults.corrupt + o.faults.partial + o.delayMs, 0);
    EXPECT_EQ(o.faults.garbageBefore + o.faults.garbageAfter + o.faults.twice + o.faults.late, 0);
}

TEST(Options, EveryOptionIsTaken) {
    const auto parsed = parse({"--link", "/tmp/n", "--model", "1", "--sw", "2.05", "--framing", "8e2",
                               "--baud", "9600", "--pace", "--log", "/tmp/l", "--drop", "5",
                               "--corrupt", "6", "--partial", "7", "--delay", "30", "--flip", "216",
                               "--flip", "0", "--garbage-before", "8", "--garbage-after", "9",
                               "--twice", "10", "--late", "11", "--late-ms", "4000"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed));
    const auto& o = std::get<Options>(parsed);
    EXPECT_EQ(o.identity.model, 1);
    EXPECT_EQ(o.identity.swMajor, 2);
    EXPECT_EQ(o.identity.swMinor, 5);
    EXPECT_EQ(o.framing, Framing::E2);
    EXPECT_EQ(o.baud, 9600);
    EXPECT_TRUE(o.pace);
    EXPECT_EQ(o.logFile, "/tmp/l");
    EXPECT_EQ(o.faults.drop, 5);
    EXPECT_EQ(o.faults.corrupt, 6);
    EXPECT_EQ(o.faults.partial, 7);
    EXPECT_EQ(o.delayMs, 30);
    EXPECT_EQ(o.flips, (std::vector<int>{216, 0}));
    EXPECT_EQ(o.faults.garbageBefore, 8);
    EXPECT_EQ(o.faults.garbageAfter, 9);
    EXPECT_EQ(o.faults.twice, 10);
    EXPECT_EQ(o.faults.late, 11);
    EXPECT_EQ(o.faults.lateMs, 4000);
}

TEST(Options, BadCommandLinesAreRefusedWithAReason) {
    const struct {
        QStringList args;
        const char* mentions;
    } cases[] = {
        {{}, "--link"},
        {{"--link", "/tmp/n", "--sw", "1.5"}, "--sw"},
        {{"--link", "/tmp/n", "--sw", "300.00"}, "--sw"},
        {{"--link", "/tmp/n", "--model", "70000"}, "--model"},
        {{"--link", "/tmp/n", "--framing", "7E1"}, "--framing"},
        {{"--link", "/tmp/n", "--baud", "0"}, "--baud"},
        {{"--link", "/tmp/n", "--drop", "0"}, "--drop"},
        {{"--link", "/tmp/n", "--partial", "x"}, "--partial"},
        {{"--link", "/tmp/n", "--delay", "-1"}, "--delay"},
        {{"--link", "/tmp/n", "--flip", "256"}, "--flip"},
        {{"--link", "/tmp/n", "--twice", "0"}, "--twice"},
        {{"--link", "/tmp/n", "--garbage-after", "-2"}, "--garbage-after"},
        {{"--link", "/tmp/n", "--late-ms", "x"}, "--late-ms"},
        {{"--link", "/tmp/n", "--speed", "1"}, "speed"},
        {{"--link", "/tmp/n", "extra"}, "extra"},
    };
    for (const auto& c : cases) {
        const auto parsed = parse(c.args);
        ASSERT_TRUE(std::holds_alternative<UsageError>(parsed)) << c.args.join(' ').toStdString();
        EXPECT_TRUE(std::get<UsageError>(parsed).message.contains(QLatin1String(c.mentions)))
            << std::get<UsageError>(parsed).message.toStdString();
    }
}

}  // namespace
