#include "Timer.h"

#include <QTimer>

namespace ztklink {
namespace {

class QtTimer final : public Timer {
public:
    QtTimer() {
        timer_.setTimerType(Qt::PreciseTimer);
        connect(&timer_, &QTimer::timeout, this, &Timer::timeout);
    }
    void start(int ms) override { timer_.start(ms); }
    void stop() override { timer_.stop(); }
    bool isActive() const override { return timer_.isActive(); }

private:
    QTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimerFactory::createTimer() { return std::make_unique<QtTimer>(); }

}  // namespace ztklink
