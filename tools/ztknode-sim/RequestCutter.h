#pragma once

#include <QByteArray>
#include <vector>

namespace nodesim {

// Cuts the bytes that come from the host into 20-byte requests, recognised by length alone as
// the node does. Bytes short of a request wait for the rest until a silence on the line (the
// gap) drops them. Plain code, no timers: the caller says when the gap has passed.
class RequestCutter {
  public:
    // Appends `bytes` and returns every request now complete, in order.
    std::vector<QByteArray> take(const QByteArray& bytes);
    // The line was silent for the gap: what waits is no request.
    void gapPassed() { rx_.clear(); }
    // Bytes of an unfinished request are waiting.
    bool waiting() const { return !rx_.isEmpty(); }

  private:
    QByteArray rx_;
};

}  // namespace nodesim
