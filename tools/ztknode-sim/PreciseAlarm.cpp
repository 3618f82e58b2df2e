#include "PreciseAlarm.h"

#include <sys/timerfd.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>

namespace nodesim {

PreciseAlarm::PreciseAlarm(QObject* parent) : QObject(parent) {
    fd_ = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd_ < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        std::uint64_t expirations = 0;
        if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations) emit fired();
    });
}

PreciseAlarm::~PreciseAlarm() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

void PreciseAlarm::setDeadline(qint64 monotonicNs) {
    if (fd_ < 0) return;
    itimerspec when{};
    // A zero time would disarm the timer: a deadline already past fires at once instead.
    if (monotonicNs <= 0) monotonicNs = 1;
    when.it_value.tv_sec = monotonicNs / 1'000'000'000;
    when.it_value.tv_nsec = monotonicNs % 1'000'000'000;
    ::timerfd_settime(fd_, TFD_TIMER_ABSTIME, &when, nullptr);
}

void PreciseAlarm::cancel() {
    if (fd_ < 0) return;
    itimerspec when{};
    ::timerfd_settime(fd_, 0, &when, nullptr);
}

qint64 PreciseAlarm::monotonicNowNs() {
    timespec ts{};
    ::clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

}  // namespace nodesim
