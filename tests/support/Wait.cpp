#include "Wait.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>

namespace testsupport {

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        // Objects closed with deleteLater() go now, as they would in the main loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (done()) loop.quit();
    });
    QObject::connect(&deadline, &QTimer::timeout, &loop, &QEventLoop::quit);
    poll.start(1);
    deadline.start(timeoutMs);
    loop.exec();
    return done();
}

}  // namespace testsupport
