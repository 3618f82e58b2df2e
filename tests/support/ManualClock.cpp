#include "ManualClock.h"

namespace testsupport {

std::unique_ptr<ztklink::Timer> ManualClock::createTimer() {
    auto timer = std::make_unique<ManualTimer>(*this);
    timers_ << QPointer<ManualTimer>(timer.get());
    return timer;
}

void ManualClock::advance(qint64 ms) {
    const qint64 end = now_ + ms;
    for (;;) {
        ManualTimer* next = nullptr;
        for (const auto& t : timers_)
            if (t && t->active_ && t->due_ <= end && (!next || t->due_ < next->due_)) next = t;
        if (!next) break;
        now_ = next->due_;
        next->due_ += next->interval_;  // repeating, as QTimer does, until stopped
        emit next->timeout();
    }
    now_ = end;
}

}  // namespace testsupport
