#include <gtest/gtest.h>

#include <vector>

#include "Faults.h"
#include "FrameLog.h"
#include "LineTiming.h"

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
        for (std::size_t i = 0; i < c.expected.size(); ++i) got.push_back(plan.next());
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
