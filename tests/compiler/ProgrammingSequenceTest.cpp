#include <gtest/gtest.h>

#include <map>

#include "QtPrinters.h"
#include "compiler/ProgrammingSequence.h"

using namespace brisa::compiler;

namespace {
QList<int> range(int first, int last) {
    QList<int> r;
    for (int b = first; b <= last; ++b) r << b;
    return r;
}

// Plays a whole programming run: every sent block is acknowledged at once.
struct ProgrammingTrace {
    QList<int> sent;
    std::map<int, Progress> progressAfterAck;
    QList<QString> statuses;
    Completion completion = Completion::None;
    bool streamTaken = false;
    Progress last;
};

ProgrammingTrace play(double hardware, double software, bool highMemory) {
    ProgrammingTrace run;
    Progress p = startProgress(highMemory);
    int block = 5;
    run.sent << block;
    for (int guard = 0; guard < 300; ++guard) {
        const WriteStep step = writeStep(hardware, software, block, p);
        p = step.progress;
        run.progressAfterAck[block] = p;
        if (!step.status.isEmpty()) run.statuses << step.status;
        if (step.buildTextStream) {
            EXPECT_FALSE(run.streamTaken);
            EXPECT_EQ(step.nextBlock, 31);
            run.streamTaken = true;
        }
        if (step.completion != Completion::None) {
            EXPECT_EQ(step.nextBlock, -1);
            run.completion = step.completion;
            break;
        }
        if (step.nextBlock < 0) break;
        block = step.nextBlock;
        run.sent << block;
    }
    run.last = p;
    return run;
}
}  // namespace

TEST(SendingOrder, ByNodeTypeAndSoftwareVersion) {
    const QList<int> base{5, 1, 2, 3, 4, 6};
    EXPECT_EQ(sendingOrder(1, 1.0), base);
    EXPECT_EQ(sendingOrder(1, 1.5), base + range(7, 14));
    EXPECT_EQ(sendingOrder(2, 2.0), base + range(7, 14));
    EXPECT_EQ(sendingOrder(4, 1.0), base + range(30, 161));
    EXPECT_EQ(sendingOrder(4, 1.5).size(), 138);
    EXPECT_EQ(sendingOrder(3, 2.0), base + range(30, 161));
    EXPECT_EQ(sendingOrder(6, 1.0), base + range(30, 161));
    EXPECT_EQ(sendingOrder(7, 1.5), base);
}

TEST(ProgrammingRun, FollowsTheSendingOrderToItsCompletion) {
    struct Case {
        double hardware;
        double software;
        Completion completion;
        const char* lastStatus;
    };
    const Case cases[] = {
        {1, 1.0, Completion::Programado, "Programado"},
        {1, 2.0, Completion::ProgramadoFull, "Programado!"},
        {4, 1.5, Completion::ProgramadoFull, "Programado!"},
        {7, 1.5, Completion::None, nullptr},  // unknown type: stops after block 6, says nothing
    };
    for (const Case& c : cases) {
        for (bool highMemory : {false, true}) {
            SCOPED_TRACE(testing::Message() << "hw " << c.hardware << " sw " << c.software
                                            << " high memory " << highMemory);
            const ProgrammingTrace run = play(c.hardware, c.software, highMemory);
            EXPECT_EQ(run.sent, sendingOrder(c.hardware, c.software));
            EXPECT_EQ(run.completion, c.completion);
            if (c.lastStatus) {
                ASSERT_FALSE(run.statuses.isEmpty());
                EXPECT_EQ(run.statuses.last(), QString::fromLatin1(c.lastStatus));
            } else {
                EXPECT_TRUE(run.statuses.isEmpty());
            }
            EXPECT_EQ(run.streamTaken, c.hardware == 4);
        }
    }
}

TEST(ProgrammingRun, SerialNodeProgress) {
    EXPECT_EQ(startProgress(false), (Progress{1, 6}));
    EXPECT_EQ(startProgress(true), (Progress{1, 14}));

    const ProgrammingTrace full = play(1, 2.0, false);
    // Every reply sets the maximum to 15; the value follows the block sent.
    const std::pair<int, Progress> expected[] = {
        {5, {2, 15}}, {1, {3, 15}}, {2, {4, 15}},   {3, {5, 15}},  {4, {6, 15}},
        {6, {7, 15}}, {7, {8, 15}}, {13, {14, 15}}, {14, {0, 15}},
    };
    for (const auto& [ack, p] : expected) EXPECT_EQ(full.progressAfterAck.at(ack), p) << ack;

    // "Programado" fills the bar.
    const ProgrammingTrace serialV1 = play(1, 1.0, true);
    EXPECT_EQ(serialV1.last, (Progress{15, 15}));
}

TEST(ProgrammingRun, EthernetProgressWrapsDuringTheStream) {
    struct Case {
        bool highMemory;
        std::vector<std::pair<int, Progress>> afterAck;
    };
    const Case cases[] = {
        // Without high memory the bar ends at 6 and refuses 7, until block 30 widens it.
        {false,
         {{4, {6, 6}},
          {6, {6, 6}},
          {30, {6, 129}},
          {31, {7, 129}},
          {34, {10, 129}},
          {153, {129, 129}},
          {154, {1, 129}},
          {160, {7, 129}},
          {161, {0, 129}}}},
        {true,
         {{4, {6, 14}},
          {6, {7, 14}},
          {30, {7, 129}},
          {33, {10, 129}},
          {152, {129, 129}},
          {153, {1, 129}},
          {160, {8, 129}},
          {161, {0, 129}}}},
    };
    for (const Case& c : cases) {
        const ProgrammingTrace run = play(4, 1.5, c.highMemory);
        for (const auto& [ack, p] : c.afterAck)
            EXPECT_EQ(run.progressAfterAck.at(ack), p)
                << "high memory " << c.highMemory << " ack " << ack;
        EXPECT_EQ(run.statuses, (QList<QString>{QStringLiteral("Datos e-mail..."),
                                                QStringLiteral("Programado!")}));
    }
}

TEST(WriteStep, RepliesOutsideTheChainAreIgnored) {
    struct Case {
        double hardware;
        double software;
        int ack;
    };
    const Case cases[] = {
        {1, 2.0, 0}, {1, 2.0, 15}, {1, 2.0, 30},  {1, 2.0, 50},  {1, 2.0, 161},
        {4, 1.5, 7}, {4, 1.5, 14}, {4, 1.5, 162}, {4, 1.5, 240}, {7, 1.5, 6},
    };
    for (const Case& c : cases) {
        const Progress before{3, 129};
        const WriteStep step = writeStep(c.hardware, c.software, c.ack, before);
        SCOPED_TRACE(testing::Message() << "hw " << c.hardware << " ack " << c.ack);
        EXPECT_FALSE(step.handled);
        EXPECT_EQ(step.nextBlock, -1);
        EXPECT_TRUE(step.status.isEmpty());
        EXPECT_EQ(step.progress.value, before.value);
    }
}
