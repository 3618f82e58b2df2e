#pragma once

#include <QObject>
#include <memory>

#include "ztklink_export.h"

namespace ztklink {

// A single-shot-or-repeating millisecond timer on the owner's thread. The driver sees timers
// only through this interface so that tests can run the gap timer and the watchdog on a
// manual clock instead of the wall clock.
class ZTKLINK_EXPORT Timer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Timer() override = default;

    // (Re)starts the timer so that it fires every `ms` milliseconds from now. `ms` > 0.
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

signals:
    void timeout();
};

class ZTKLINK_EXPORT TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

// Real timers: QTimer with millisecond precision.
class ZTKLINK_EXPORT QtTimerFactory : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

}  // namespace ztklink
