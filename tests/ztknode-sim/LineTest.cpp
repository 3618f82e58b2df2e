#include <gtest/gtest.h>

#include <vector>

#include "Faults.h"
#include "FrameLog.h"
#include "LineTiming.h"
#include "RequestCutter.h"

using namespace nodesim;
namespace frame = ztklink::frame;

namespace {

TEST(FaultPlan, HitsEveryNthReplyWithTheStrongestFault) {
    using F = Fault;
    const struct {
        const char* name;
        FaultOptions options;
        std::vector<Fault> expected;
    } cases[] = {
        {"none", {}, {F::None, F::None, F::None}},
        {"drop every 3rd", {.drop = 3}, {F::None, F::None, F::Drop, F::None, F::None, F::Drop}},
        {"every one", {.corrupt = 1}, {F::Corrupt, F::Corrupt}},
        {"partial beats corrupt", {.corrupt = 3, .partial = 2},
         {F::None, F::Partial, F::Corrupt, F::Partial, F::None, F::Partial}},
        {"drop beats partial", {.drop = 2, .partial = 2}, {F::None, F::Drop, F::None, F::Drop}},
    };
    for (const auto& c : cases) {
        FaultPlan plan(c.options);
        std::vector<Fault> got;
        for (std::size_t i = 0; i < c.expected.size(); ++i) got.push_back(plan.next().fault);
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(FaultPlan, FaultsShapeTheBytesOnTheLine) {
    frame::Data d{};
    d[0] = 0x42;
    const auto reply = frame::blockFrame(1, frame::Command::Read, 7, d);
    const QByteArray whole = frame::toByteArray(reply);

    EXPECT_EQ(applyFault(Fault::None, reply), whole);
    EXPECT_TRUE(applyFault(Fault::Drop, reply).isEmpty());
    EXPECT_EQ(applyFault(Fault::Partial, reply), whole.left(12));
    const QByteArray corrupt = applyFault(Fault::Corrupt, reply);
    ASSERT_EQ(corrupt.size(), frame::Size);
    EXPECT_EQ(corrupt.left(19), whole.left(19)) << "only the checksum is wrong";
    EXPECT_FALSE(frame::isValid(frame::fromByteArray(corrupt)));
}

TEST(FaultPlan, LineNoiseRepeatsAndLatenessCombineWithTheOtherFaults) {
    FaultPlan plan({.drop = 4, .garbageBefore = 2, .garbageAfter = 3, .twice = 3, .late = 4});
    std::vector<ReplyFaults> got;
    for (int i = 0; i < 4; ++i) got.push_back(plan.next());
    EXPECT_FALSE(got[0].garbageBefore || got[0].garbageAfter || got[0].twice || got[0].late);
    EXPECT_TRUE(got[1].garbageBefore);
    EXPECT_FALSE(got[1].garbageAfter);
    EXPECT_TRUE(got[2].garbageAfter && got[2].twice);
    EXPECT_EQ(got[3].fault, Fault::Drop);
    EXPECT_TRUE(got[3].late && got[3].garbageBefore);
}

TEST(LineChunks, EachFaultPutsItsBytesOnTheLineInOrder) {
    frame::Data d{};
    d[3] = 0x99;
    const auto reply = frame::blockFrame(1, frame::Command::Write, 5, d);
    const QByteArray whole = frame::toByteArray(reply);
    Garbage garbage;

    const auto plain = lineChunks({}, reply, 2500, garbage);
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_EQ(plain[0].afterNs, 0);
    EXPECT_EQ(plain[0].bytes, whole);

    EXPECT_TRUE(lineChunks({.fault = Fault::Drop, .garbageBefore = true}, reply, 2500, garbage).empty());

    const auto twice = lineChunks({.twice = true}, reply, 2500, garbage);
    ASSERT_EQ(twice.size(), 1u);
    EXPECT_EQ(twice[0].bytes, whole + whole);

    const auto after = lineChunks({.garbageAfter = true}, reply, 2500, garbage);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].bytes.left(frame::Size), whole);
    EXPECT_GE(after[0].bytes.size(), frame::Size + 1);
    EXPECT_LT(after[0].bytes.size(), 2 * frame::Size);

    // Garbage first, then a silence longer than the host's 50 ms receive gap, then the reply;
    // a late reply moves all of it.
    const auto before = lineChunks({.garbageBefore = true, .late = true}, reply, 3000, garbage);
    ASSERT_EQ(before.size(), 2u);
    EXPECT_EQ(before[0].afterNs, 3'000'000'000);
    EXPECT_GE(before[0].bytes.size(), 1);
    EXPECT_LT(before[0].bytes.size(), frame::Size);
    EXPECT_EQ(before[1].afterNs - before[0].afterNs, SilenceAfterGarbageNs);
    EXPECT_GT(SilenceAfterGarbageNs, 50'000'000);
    EXPECT_EQ(before[1].bytes, whole);

    const auto partialTwice = lineChunks({.fault = Fault::Partial, .twice = true}, reply, 0, garbage);
    ASSERT_EQ(partialTwice.size(), 1u);
    EXPECT_EQ(partialTwice[0].bytes, whole.left(PartialBytes) + whole.left(PartialBytes));
}

TEST(LineChunks, GarbageIsNeverAWholeFrameAndTheSameInEveryRun) {
    Garbage a, b;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray g = a.next();
        EXPECT_EQ(g, b.next());
        EXPECT_GE(g.size(), 1);
        EXPECT_LT(g.size(), frame::Size);
    }
}

TEST(RequestCutter, CutsTwentyByteRequestsAndTheGapDropsAnUnfinishedOne) {
    RequestCutter cutter;
    QByteArray bytes;
    for (int i = 0; i < 45; ++i) bytes.append(char(i));
    EXPECT_TRUE(cutter.take(bytes.left(7)).empty());
    EXPECT_TRUE(cutter.waiting());
    const auto two = cutter.take(bytes.mid(7));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], bytes.left(20));
    EXPECT_EQ(two[1], bytes.mid(20, 20));
    EXPECT_TRUE(cutter.waiting());  // 5 bytes of a third
    cutter.gapPassed();
    EXPECT_FALSE(cutter.waiting());
    const auto next = cutter.take(bytes.left(20));
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0], bytes.left(20)) << "nothing of the dropped bytes leads the next request";
}

TEST(LineTiming, FrameTimeFollowsTheCharacterFraming) {
    const struct {
        int baud;
        Framing framing;
        qint64 frameNs;
    } cases[] = {
        {4800, Framing::E2, 50'000'000},
        {4800, Framing::N1, 41'666'666},
        {19200, Framing::N1, 10'416'666},
        {9600, Framing::E2, 25'000'000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(frameTimeNs(c.baud, c.framing), c.frameNs) << c.baud;
        EXPECT_EQ(charTimeNs(c.baud, c.framing) * 20 / 1000, c.frameNs / 1000) << c.baud;
    }
}

TEST(FrameLog, LineHasDirectionTimeAndHexBytes) {
    EXPECT_EQ(logLine(Direction::Received, 1234, QByteArray::fromHex("010B00FF")), "< 1234 01 0B 00 FF\n");
    EXPECT_EQ(logLine(Direction::Sent, 0, QByteArray::fromHex("0a")), "> 0 0A\n");
}

}  // namespace
