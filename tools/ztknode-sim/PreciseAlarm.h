#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace nodesim {

// A one-shot alarm at an absolute CLOCK_MONOTONIC time, delivered through the event loop.
// QTimer counts whole milliseconds, which alone would put up to a millisecond on every paced
// reply; a timerfd wakes the loop within microseconds of the deadline.
class PreciseAlarm : public QObject {
    Q_OBJECT
public:
    explicit PreciseAlarm(QObject* parent = nullptr);
    ~PreciseAlarm() override;

    bool ok() const { return fd_ >= 0; }
    void setDeadline(qint64 monotonicNs);
    void cancel();

    static qint64 monotonicNowNs();

signals:
    void fired();

private:
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace nodesim
