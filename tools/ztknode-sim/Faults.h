#pragma once

#include <QByteArray>
#include <cstdint>

#include "Frame.h"

namespace nodesim {

// Every-Nth faults on the node's replies; 0 turns a fault off.
struct FaultOptions {
    int drop = 0;     // no reply at all
    int corrupt = 0;  // reply with a wrong checksum
    int partial = 0;  // only the first PartialBytes of the reply
};

enum class Fault { None, Drop, Partial, Corrupt };

constexpr int PartialBytes = 12;

// Counts the replies the node has to give and says which fault, if any, hits each one.
// When several fall on the same reply, drop wins over partial, partial over corrupt.
class FaultPlan {
public:
    explicit FaultPlan(FaultOptions options) : options_(options) {}
    Fault next();

private:
    static bool hits(int every, std::uint64_t n) { return every > 0 && n % every == 0; }
    FaultOptions options_;
    std::uint64_t replies_ = 0;
};

// The bytes that go on the line for `reply` under `fault` (empty for a drop).
QByteArray applyFault(Fault fault, const ztklink::frame::Bytes& reply);

}  // namespace nodesim
