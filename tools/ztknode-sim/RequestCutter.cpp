#include "RequestCutter.h"

#include "Frame.h"

namespace nodesim {

std::vector<QByteArray> RequestCutter::take(const QByteArray& bytes) {
    rx_.append(bytes);
    std::vector<QByteArray> requests;
    while (rx_.size() >= ztklink::frame::Size) {
        requests.push_back(rx_.left(ztklink::frame::Size));
        rx_.remove(0, ztklink::frame::Size);
    }
    return requests;
}

}  // namespace nodesim
