#include "NodePty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// A path with its folder resolved ("/tmp/x/../n" and "/tmp/n" are the same link), relative
// paths taken from `folder`.
QString resolved(const QString& path, const QString& folder) {
    const QFileInfo info(QDir(folder).absoluteFilePath(path));
    const QString dir = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (dir.isEmpty() ? info.absolutePath() : dir) + u'/' + info.fileName();
}

// Whether a running simulator other than this process was started on `link`: its command
// line names the same path (as seen from its own working folder).
bool servedByAnotherSimulator(const QString& link) {
    const QString wanted = resolved(link, QDir::currentPath());
    const QString self = QString::number(::getpid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!pid[0].isDigit() || pid == self) continue;
        QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "ztknode-sim") continue;
        QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
        if (!cmdline.open(QIODevice::ReadOnly)) continue;
        const QList<QByteArray> args = cmdline.readAll().split('\0');
        const QString cwd = QFile::symLinkTarget(QStringLiteral("/proc/%1/cwd").arg(pid));
        for (qsizetype i = 0; i < args.size(); ++i) {
            QByteArray path;
            if (args[i] == "--link" && i + 1 < args.size()) path = args[i + 1];
            else if (args[i].startsWith("--link=")) path = args[i].mid(7);
            if (!path.isEmpty() && resolved(QFile::decodeName(path), cwd) == wanted) return true;
        }
    }
    return false;
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

QString NodePty::linkTarget() const {
    return QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(slave_);
}

bool claimLink(const QString& link, const QString& target, QString* error) {
    const QByteArray path = QFile::encodeName(link);
    struct stat st{};
    if (::lstat(path.constData(), &st) == 0) {
        // A link that no running simulator was started on was left by one that was killed.
        // Simulators before this one linked /dev/pts/N itself.
        const QByteArray old = S_ISLNK(st.st_mode) ? readLinkTarget(path) : QByteArray();
        const bool stale = (old.startsWith("/proc/") || old.startsWith("/dev/pts/")) &&
                           !servedByAnotherSimulator(link);
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
