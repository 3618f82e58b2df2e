// The simulated node's frame handling (ztknode-sim): the bytes a host puts on the line, in
// arbitrary chunks with silences between them, cut into requests, answered by the node and
// put on the line with the fault options that do not spoil a reply on purpose (garbage
// before and after, twice, late, drop). Whatever comes in:
//  - the node answers only requests that pass the checksum and name node 1;
//  - every reply it gives passes the checksum, names node 1 and goes on the line whole (twice
//    back to back when asked), after the garbage that precedes it;
//  - the garbage is never a whole frame;
// and nothing is read or written out of range (AddressSanitizer).
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "Faults.h"
#include "Frame.h"
#include "Node.h"
#include "RequestCutter.h"

namespace {

namespace frame = ztklink::frame;
using namespace nodesim;

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "simulated node invariant broken: %s\n", what);
    std::abort();
}

QByteArray bytes(FuzzedDataProvider& in, std::size_t max) {
    const std::string s = in.ConsumeBytesAsString(in.ConsumeIntegralInRange<std::size_t>(0, max));
    return QByteArray(s.data(), qsizetype(s.size()));
}

// A request the node takes, so that the fuzzer reaches writes, reads and the mode switch.
QByteArray goodRequest(FuzzedDataProvider& in) {
    static constexpr std::uint8_t commands[] = {
        frame::Command::Read,      frame::Command::Write,      frame::Command::ReadHigh,
        frame::Command::WriteHigh, frame::Command::AnalogRead, frame::Command::AnalogWrite};
    frame::Data d{};
    for (auto& b : d) b = in.ConsumeIntegral<std::uint8_t>();
    const std::uint8_t command = commands[in.ConsumeIntegralInRange<int>(0, 5)];
    const std::uint8_t block = in.ConsumeIntegral<std::uint8_t>();
    if (in.ConsumeIntegralInRange<int>(0, 7) == 0)
        return frame::toByteArray(
            frame::blockFrame(NodeId, frame::Command::Write, ModeSwitchBlock,
                              modeSwitchData(in.ConsumeBool() ? InspectedMarker : NormalMarker)));
    if (frame::isAnalog(command)) return frame::toByteArray(frame::analogFrame(NodeId, command, d));
    return frame::toByteArray(frame::blockFrame(NodeId, command, block, d));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    Identity identity;
    identity.model = in.ConsumeIntegral<std::uint16_t>();
    identity.swMajor = in.ConsumeIntegral<std::uint8_t>();
    identity.swMinor = in.ConsumeIntegral<std::uint8_t>();
    Node node(identity);
    for (int i = in.ConsumeIntegralInRange<int>(0, 3); i > 0; --i)
        node.flipAfterWrites(in.ConsumeIntegralInRange<int>(-1, 256));
    FaultOptions options;
    options.drop = in.ConsumeIntegralInRange<int>(0, 5);
    options.garbageBefore = in.ConsumeIntegralInRange<int>(0, 5);
    options.garbageAfter = in.ConsumeIntegralInRange<int>(0, 5);
    options.twice = in.ConsumeIntegralInRange<int>(0, 5);
    options.late = in.ConsumeIntegralInRange<int>(0, 5);
    FaultPlan plan(options);
    Garbage garbage;
    RequestCutter cutter;

    int steps = 0;
    while (in.remaining_bytes() > 0 && steps++ < 300) {
        QByteArray chunk;
        switch (in.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                chunk = bytes(in, 48);
                break;
            case 1: {
                const QByteArray request = goodRequest(in);
                chunk = request.left(in.ConsumeIntegralInRange<qsizetype>(0, request.size()));
                break;
            }
            case 2:
                chunk = goodRequest(in);
                break;
            case 3:
                cutter.gapPassed();
                continue;
        }
        for (const QByteArray& request : cutter.take(chunk)) {
            check(request.size() == frame::Size, "a request that is not 20 bytes");
            const frame::Bytes asked = frame::fromByteArray(request);
            const auto reply = node.respond(asked);
            if (!reply) continue;
            check(frame::isValid(asked), "the node answered a request with a bad checksum");
            check(asked[0] == NodeId, "the node answered a request for another node");
            check(frame::isValid(*reply), "the node's reply has a bad checksum");
            check((*reply)[0] == NodeId, "the node's reply names another node");
            const ReplyFaults faults = plan.next();
            const auto chunks = lineChunks(faults, *reply, options.lateMs, garbage);
            if (faults.fault == Fault::Drop) {
                check(chunks.empty(), "a dropped reply put bytes on the line");
                continue;
            }
            check(!chunks.empty(), "a reply put nothing on the line");
            const QByteArray whole = frame::toByteArray(*reply);
            const QByteArray& line = chunks.back().bytes;
            check(line.left(frame::Size) == whole, "the reply does not lead its bytes on the line");
            if (faults.twice)
                check(line.mid(frame::Size, frame::Size) == whole, "the repeat differs");
            const qsizetype rest = line.size() - (faults.twice ? 2 : 1) * frame::Size;
            check(rest >= 0 && rest < frame::Size, "garbage behind the reply is a whole frame");
            check(faults.garbageAfter == (rest > 0),
                  "garbage behind the reply when none was asked");
            check(chunks.size() == (faults.garbageBefore ? 2u : 1u),
                  "garbage before when none was asked");
            if (faults.garbageBefore) {
                check(chunks[0].bytes.size() > 0 && chunks[0].bytes.size() < frame::Size,
                      "garbage before the reply is a whole frame");
                check(chunks[1].afterNs - chunks[0].afterNs >= SilenceAfterGarbageNs,
                      "no silence between the garbage and the reply");
            }
            check(chunks[0].afterNs == (faults.late ? qint64(options.lateMs) * 1'000'000 : 0),
                  "a reply held when it was not late, or not held when it was");
        }
        if (node.mode() == Mode::Inspected) {
            const auto order = node.scanOrder();
            check(!order.empty() && order.size() <= std::size_t(Memory::ScanListMax),
                  "the inspected scan is empty or longer than the scan list");
        }
    }
    return 0;
}
