#pragma once

#include <QtGlobal>

#include "Frame.h"

namespace nodesim {

// Character framing on the line: 8E2 is start + 8 data + parity + 2 stop bits, 8N1 is
// start + 8 data + 1 stop bit.
enum class Framing { E2, N1 };

constexpr int bitsPerChar(Framing f) { return f == Framing::E2 ? 12 : 10; }

constexpr qint64 charTimeNs(int baud, Framing f) {
    return baud > 0 ? qint64(bitsPerChar(f)) * 1'000'000'000 / baud : 0;
}

// Time a whole frame takes on the line: 50 ms at 4800 baud 8E2.
constexpr qint64 frameTimeNs(int baud, Framing f) {
    return baud > 0 ? qint64(ztklink::frame::Size) * bitsPerChar(f) * 1'000'000'000 / baud : 0;
}

}  // namespace nodesim
