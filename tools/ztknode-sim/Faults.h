#pragma once

#include <QByteArray>
#include <cstdint>
#include <vector>

#include "Frame.h"

namespace nodesim {

// Every-Nth faults on the node's replies; 0 turns a fault off. All of them count the same
// replies, so that the Nth reply of the run is hit whichever options are given.
struct FaultOptions {
    int drop = 0;     // no reply at all
    int corrupt = 0;  // reply with a wrong checksum
    int partial = 0;  // only the first PartialBytes of the reply
    // Line noise: 1 to 19 bytes of garbage, then a silence of four receive gaps (200 ms), then
    // the reply.
    int garbageBefore = 0;
    // Line noise right behind the reply, before the host's next request.
    int garbageAfter = 0;
    int twice = 0;  // the reply goes on the line twice, back to back
    int late = 0;   // the reply is held lateMs
    int lateMs = 2500;
};

enum class Fault { None, Drop, Partial, Corrupt };

constexpr int PartialBytes = 12;
// Silence between garbage and the reply it came before: four times the host's 50 ms receive
// gap, so that the host drops the garbage before the reply starts even when it is busy.
constexpr qint64 SilenceAfterGarbageNs = 200'000'000;

// What hits one reply.
struct ReplyFaults {
    Fault fault = Fault::None;
    bool garbageBefore = false;
    bool garbageAfter = false;
    bool twice = false;
    bool late = false;
};

// Counts the replies the node has to give and says which faults hit each one. Of drop, partial
// and corrupt only one hits a reply: drop wins over partial, partial over corrupt. The others
// combine with them.
class FaultPlan {
public:
    explicit FaultPlan(FaultOptions options) : options_(options) {}
    ReplyFaults next();

private:
    static bool hits(int every, std::uint64_t n) { return every > 0 && n % every == 0; }
    FaultOptions options_;
    std::uint64_t replies_ = 0;
};

// The bytes that go on the line for `reply` under `fault` (empty for a drop).
QByteArray applyFault(Fault fault, const ztklink::frame::Bytes& reply);

// Garbage for the line: 1 to 19 bytes (never a whole frame), the same sequence in every run.
class Garbage {
public:
    QByteArray next();

private:
    std::uint32_t next32();
    std::uint32_t state_ = 0x2545F491;
};

// A piece of what the node puts on the line for one reply: `afterNs` after the reply is ready.
struct LineChunk {
    qint64 afterNs = 0;
    QByteArray bytes;
};

// Everything one reply puts on the line under `faults`, in order; nothing for a dropped reply.
std::vector<LineChunk> lineChunks(const ReplyFaults& faults, const ztklink::frame::Bytes& reply,
                                  int lateMs, Garbage& garbage);

}  // namespace nodesim
