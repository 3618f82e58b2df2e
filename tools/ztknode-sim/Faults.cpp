#include "Faults.h"

namespace nodesim {

Fault FaultPlan::next() {
    ++replies_;
    if (hits(options_.drop, replies_)) return Fault::Drop;
    if (hits(options_.partial, replies_)) return Fault::Partial;
    if (hits(options_.corrupt, replies_)) return Fault::Corrupt;
    return Fault::None;
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

}  // namespace nodesim
