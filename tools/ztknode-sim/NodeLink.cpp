#include "NodeLink.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace nodesim {

namespace frame = ztklink::frame;

NodeLink::NodeLink(int fd, Node& node, const Options& options, FrameLog* log, QObject* parent)
    : QObject(parent),
      fd_(fd),
      node_(node),
      options_(options),
      faults_(options.faults),
      log_(log),
      startNs_(PreciseAlarm::monotonicNowNs()),
      notifier_(fd, QSocketNotifier::Read) {
    if (options_.pace) {
        recvTimeNs_ = frameTimeNs(options_.baud, options_.framing);
        charTimeNs_ = charTimeNs(options_.baud, options_.framing);
    }
    // Never shorter than two characters, so that a slow line is not cut inside a request.
    const qint64 gapNs = std::max(GapNs, 2 * charTimeNs(options_.baud, options_.framing));
    gap_.setSingleShot(true);
    gap_.setInterval(static_cast<int>((gapNs + 999'999) / 1'000'000));
    stream_.setInterval(StreamIntervalMs);
    stream_.setTimerType(Qt::PreciseTimer);
    connect(&notifier_, &QSocketNotifier::activated, this, &NodeLink::onReadable);
    connect(&gap_, &QTimer::timeout, this, &NodeLink::onGap);
    connect(&send_, &PreciseAlarm::fired, this, &NodeLink::sendDue);
    connect(&stream_, &QTimer::timeout, this, &NodeLink::onStreamTick);
}

void NodeLink::onReadable() {
    char buf[512];
    QByteArray in;
    for (;;) {
        const ssize_t n = ::read(fd_, buf, sizeof buf);
        if (n > 0) {
            if (!requests_.waiting() && in.isEmpty()) firstByteNs_ = nowNs();
            in.append(buf, static_cast<int>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // End of file or a hard error: the device is gone, there is nothing left to serve.
        std::fprintf(stderr, "ztknode-sim: reading the line failed: %s\n",
                     n == 0 ? "end of file" : std::strerror(errno));
        notifier_.setEnabled(false);
        break;
    }
    for (const QByteArray& request : requests_.take(in)) {
        const qint64 first = firstByteNs_;
        // A request that followed back to back started no earlier than this one's end.
        firstByteNs_ = first + recvTimeNs_;
        takeFrame(request, first);
    }
    if (requests_.waiting()) gap_.start();
    else gap_.stop();
}

void NodeLink::onGap() { requests_.gapPassed(); }

void NodeLink::takeFrame(const QByteArray& bytes, qint64 firstByteNs) {
    if (log_) log_->write(Direction::Received, msSinceStart(), bytes);
    const bool wasInspected = node_.mode() == Mode::Inspected;
    const auto reply = node_.respond(frame::fromByteArray(bytes));
    if (!reply) return;
    followMode();
    qint64 ready = std::max(firstByteNs + recvTimeNs_, nowNs()) + qint64(options_.delayMs) * 1'000'000;
    if (wasInspected) ready = std::max(ready, lastStreamByteNs_ + QuietBeforeReplyNs);
    for (const LineChunk& chunk : lineChunks(faults_.next(), *reply, options_.faults.lateMs, garbage_))
        queueOnLine(chunk.bytes, ready + chunk.afterNs);
}

void NodeLink::followMode() {
    const bool inspected = node_.mode() == Mode::Inspected;
    if (inspected && !stream_.isActive()) {
        streamOrder_ = node_.scanOrder();
        streamPos_ = 0;
        stream_.start();
    } else if (!inspected) {
        stream_.stop();
    }
}

void NodeLink::queueOnLine(const QByteArray& bytes, qint64 readyNs) {
    // The bytes start once the line is free and have fully arrived their own line time later:
    // they are handed over whole at that moment.
    const qint64 start = std::max(readyNs, lineFreeNs_);
    lineFreeNs_ = start + charTimeNs_ * bytes.size();
    pending_.push_back({lineFreeNs_, bytes});
    sendDue();
}

void NodeLink::sendDue() {
    while (!pending_.empty() && pending_.front().dueNs <= nowNs()) {
        const QByteArray bytes = pending_.front().bytes;
        pending_.pop_front();
        // Logged before it goes out: whoever reads the reply finds it in the log already.
        if (log_) log_->write(Direction::Sent, msSinceStart(), bytes);
        if (!writeOut(bytes) && log_) log_->write(Direction::Lost, msSinceStart(), bytes);
    }
    armSendTimer();
}

void NodeLink::armSendTimer() {
    if (pending_.empty()) {
        send_.cancel();
        return;
    }
    send_.setDeadline(startNs_ + pending_.front().dueNs);
}

void NodeLink::onStreamTick() {
    if (!pending_.empty() || streamOrder_.empty()) return;  // a reply has the line
    const char byte = static_cast<char>(streamOrder_[streamPos_]);
    streamPos_ = (streamPos_ + 1) % streamOrder_.size();
    writeOut(QByteArray(1, byte));
    lastStreamByteNs_ = nowNs();
}

bool NodeLink::writeOut(const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            // Nobody has drained the line for a long while: like a real line, the rest is lost.
            return false;
        }
    }
    return true;
}

}  // namespace nodesim
