#include "ImageReader.h"

#include <algorithm>

namespace brisa::readback {

ImageReader::ImageReader(exchange::NodeRequests& requests, exchange::Exchange& exchange,
                         form::MousePointer& pointer, QObject* parent)
    : QObject(parent), requests_(requests), exchange_(exchange), pointer_(pointer) {
    connect(&exchange, &exchange::Exchange::runningChanged, this, &ImageReader::exchangeRunning);
}

bool ImageReader::start() {
    if (exchange_.running()) return false;
    image_.fill(0);
    next_ = FirstImageBlock;
    reading_ = true;
    exchange_.begin(exchange::Exchange::Kind::ReadBack);
    pointer_.setBusy(true);
    // The node gets the same time as for every other request, whatever the last run left.
    requests_.armWatchdog();
    requests_.read(next_);
    return true;
}

void ImageReader::blockRead(int block, const compiler::NodeData& data) {
    if (!reading_ || block != next_ || exchange_.kind() != exchange::Exchange::Kind::ReadBack)
        return;
    std::copy(data.begin(), data.end(), image_.begin() + (block - FirstImageBlock) * 16);
    emit blockStored(block);
    if (block < LastImageBlock) {
        requests_.read(++next_);
        return;
    }
    reading_ = false;
    exchange_.end();
    pointer_.setBusy(false);
    emit imageRead(image_);
}

void ImageReader::exchangeRunning(bool running) {
    if (running || !reading_) return;
    reading_ = false;
    emit failed();
}

}  // namespace brisa::readback
