#pragma once

#include <QList>
#include <QPointer>

#include "Timer.h"

namespace testsupport {

class ManualTimer;

// Timers on a clock that moves only when the test says. Expiries run in time order and
// synchronously inside advance(), like the event loop would run them.
class ManualClock : public ztklink::TimerFactory {
public:
    std::unique_ptr<ztklink::Timer> createTimer() override;

    qint64 now() const { return now_; }
    // Moves the clock forward by `ms`, firing every timer that falls due on the way.
    void advance(qint64 ms);

private:
    friend class ManualTimer;
    qint64 now_ = 0;
    QList<QPointer<ManualTimer>> timers_;
};

class ManualTimer : public ztklink::Timer {
    Q_OBJECT
public:
    explicit ManualTimer(ManualClock& clock) : clock_(clock) {}
    void start(int ms) override {
        interval_ = ms;
        due_ = clock_.now() + ms;
        active_ = true;
    }
    void stop() override { active_ = false; }
    bool isActive() const override { return active_; }
    int interval() const { return interval_; }
    qint64 due() const { return due_; }

private:
    friend class ManualClock;
    ManualClock& clock_;
    int interval_ = 0;
    qint64 due_ = 0;
    bool active_ = false;
};

}  // namespace testsupport
