#include "NodePty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace nodesim {

namespace {

QString systemError(const char* what) {
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

QByteArray readLinkTarget(const QByteArray& path) {
    char buf[4096];
    const ssize_t n = ::readlink(path.constData(), buf, sizeof buf - 1);
    return n < 0 ? QByteArray() : QByteArray(buf, static_cast<int>(n));
}

}  // namespace

NodePty::~NodePty() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

bool NodePty::open(QString* error) {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0) {
        *error = systemError("posix_openpt");
        return false;
    }
    if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        *error = systemError("unlockpt");
        return false;
    }
    char name[256] = {};
    if (::ptsname_r(master_, name, sizeof name) != 0) {
        *error = systemError("ptsname");
        return false;
    }
    slavePath_ = QString::fromLocal8Bit(name);
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        *error = systemError("opening the slave side");
        return false;
    }
    termios t{};
    if (::tcgetattr(slave_, &t) != 0) {
        *error = systemError("tcgetattr");
        return false;
    }
    ::cfmakeraw(&t);
    if (::tcsetattr(slave_, TCSANOW, &t) != 0) {
        *error = systemError("tcsetattr");
        return false;
    }
    return true;
}

bool claimLink(const QString& link, const QString& target, QString* error) {
    const QByteArray path = QFile::encodeName(link);
    struct stat st{};
    if (::lstat(path.constData(), &st) == 0) {
        const QByteArray old = S_ISLNK(st.st_mode) ? readLinkTarget(path) : QByteArray();
        struct stat dev{};
        const bool stale = old.startsWith("/dev/pts/") && ::stat(old.constData(), &dev) != 0 &&
                           errno == ENOENT;
        if (!stale) {
            *error = QStringLiteral("%1 already exists and is not a stale simulator link; "
                                    "remove it or choose another path")
                         .arg(link);
            return false;
        }
        if (::unlink(path.constData()) != 0 && errno != ENOENT) {
            *error = QStringLiteral("cannot replace the stale link %1: %2")
                         .arg(link, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    if (::symlink(QFile::encodeName(target).constData(), path.constData()) != 0) {
        *error = QStringLiteral("cannot create the link %1: %2")
                     .arg(link, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

void releaseLink(const QString& link, const QString& target) {
    const QByteArray path = QFile::encodeName(link);
    if (readLinkTarget(path) == QFile::encodeName(target)) ::unlink(path.constData());
}

}  // namespace nodesim
