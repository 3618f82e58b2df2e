#include "Pty.h"

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace testsupport {

Pty::Pty() {
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) {
        master_ = slave_ = -1;
        return;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    // Raw on both ends, and our own slave handle kept open so that the master never sees a
    // hang-up while the code under test reopens the device.
    termios t{};
    ::tcgetattr(slave_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    notifier_ = std::make_unique<QSocketNotifier>(master_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        char buf[512];
        ssize_t n;
        bool any = false;
        while ((n = ::read(master_, buf, sizeof buf)) > 0) {
            received_.append(buf, static_cast<int>(n));
            any = true;
        }
        if (any) emit bytesReceived();
    });
}

Pty::~Pty() {
    notifier_.reset();
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
}

void Pty::write(const QByteArray& bytes) {
    if (master_ >= 0) (void)::write(master_, bytes.constData(), bytes.size());
}

QByteArray Pty::takeReceived() {
    QByteArray all;
    all.swap(received_);
    return all;
}

void Pty::closeMaster() {
    notifier_.reset();
    if (master_ >= 0) ::close(master_);
    master_ = -1;
    if (slave_ >= 0) ::close(slave_);
    slave_ = -1;
}

}  // namespace testsupport
