#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <deque>
#include <vector>

#include "Faults.h"
#include "FrameLog.h"
#include "Node.h"
#include "Options.h"
#include "PreciseAlarm.h"
#include "RequestCutter.h"

namespace nodesim {

// Plays a Node on one end of a byte stream (the pseudo-terminal's master side): cuts the
// incoming bytes into frames, answers them with the line's timing and the chosen faults,
// logs the frames and, while the node is inspected, puts its scan on the line.
// Event-driven only: a socket notifier for input, timers for every wait.
class NodeLink : public QObject {
    Q_OBJECT
public:
    // `fd` must be non-blocking; it stays owned by the caller. `log` may be null.
    NodeLink(int fd, Node& node, const Options& options, FrameLog* log, QObject* parent = nullptr);

    // Silence that ends a partial request (its bytes are dropped).
    static constexpr qint64 GapNs = 50'000'000;
    // Interval between two inspected bytes.
    static constexpr int StreamIntervalMs = 50;
    // Quiet time between the last inspected byte and a reply: a host that caught the tail of
    // the stream gives those bytes up as a partial reply before the reply starts.
    static constexpr qint64 QuietBeforeReplyNs = 60'000'000;

private:
    struct Pending {
        qint64 dueNs;
        QByteArray bytes;
    };

    qint64 nowNs() const { return PreciseAlarm::monotonicNowNs() - startNs_; }
    qint64 msSinceStart() const { return nowNs() / 1'000'000; }
    void onReadable();
    void onGap();
    void takeFrame(const QByteArray& bytes, qint64 firstByteNs);
    void queueOnLine(const QByteArray& bytes, qint64 readyNs);
    void armSendTimer();
    void sendDue();
    void onStreamTick();
    void followMode();
    bool writeOut(const QByteArray& bytes);

    int fd_;
    Node& node_;
    Options options_;
    FaultPlan faults_;
    FrameLog* log_;
    qint64 startNs_;
    QSocketNotifier notifier_;
    QTimer gap_;
    PreciseAlarm send_;
    QTimer stream_;
    qint64 recvTimeNs_ = 0;  // a request's own time on the line, with --pace
    qint64 charTimeNs_ = 0;  // one character's time on the line, with --pace
    Garbage garbage_;

    RequestCutter requests_;
    qint64 firstByteNs_ = 0;
    std::deque<Pending> pending_;
    qint64 lineFreeNs_ = 0;
    qint64 lastStreamByteNs_ = -QuietBeforeReplyNs;
    std::vector<std::uint8_t> streamOrder_;
    std::size_t streamPos_ = 0;
};

}  // namespace nodesim
