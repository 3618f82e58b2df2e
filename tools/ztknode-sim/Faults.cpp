#include "Faults.h"

namespace nodesim {

ReplyFaults FaultPlan::next() {
    ++replies_;
    ReplyFaults f;
    if (hits(options_.drop, replies_))
        f.fault = Fault::Drop;
    else if (hits(options_.partial, replies_))
        f.fault = Fault::Partial;
    else if (hits(options_.corrupt, replies_))
        f.fault = Fault::Corrupt;
    f.garbageBefore = hits(options_.garbageBefore, replies_);
    f.garbageAfter = hits(options_.garbageAfter, replies_);
    f.twice = hits(options_.twice, replies_);
    f.late = hits(options_.late, replies_);
    return f;
}

QByteArray applyFault(Fault fault, const ztklink::frame::Bytes& reply) {
    QByteArray bytes = ztklink::frame::toByteArray(reply);
    switch (fault) {
        case Fault::None: return bytes;
        case Fault::Drop: return {};
        case Fault::Partial: return bytes.left(PartialBytes);
        case Fault::Corrupt:
            bytes[ztklink::frame::Size - 1] = static_cast<char>(bytes[ztklink::frame::Size - 1] ^ 0x55);
            return bytes;
    }
    return bytes;
}

std::uint32_t Garbage::next32() {
    // xorshift32: plenty for noise, and the same bytes in every run.
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

QByteArray Garbage::next() {
    const int n = 1 + static_cast<int>(next32() % (ztklink::frame::Size - 1));
    QByteArray bytes(n, '\0');
    for (char& b : bytes) b = static_cast<char>(next32() >> 24);
    return bytes;
}

std::vector<LineChunk> lineChunks(const ReplyFaults& faults, const ztklink::frame::Bytes& reply,
                                  int lateMs, Garbage& garbage) {
    if (faults.fault == Fault::Drop) return {};
    const qint64 start = faults.late ? qint64(lateMs) * 1'000'000 : 0;
    std::vector<LineChunk> chunks;
    qint64 at = start;
    if (faults.garbageBefore) {
        chunks.push_back({at, garbage.next()});
        at += SilenceAfterGarbageNs;
    }
    const QByteArray once = applyFault(faults.fault, reply);
    QByteArray bytes = once;
    if (faults.twice) bytes += once;
    if (faults.garbageAfter) bytes += garbage.next();
    chunks.push_back({at, bytes});
    return chunks;
}

}  // namespace nodesim
