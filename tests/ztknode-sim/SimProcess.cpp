#include "SimProcess.h"

#include <QFile>
#include <QFileInfo>

#include "Wait.h"

namespace simtest {

SimProcess::SimProcess() {
    // A name of its own: the serial port's lock file is named after the device's last part.
    link_ = dir_.filePath(QFileInfo(dir_.path()).fileName() + QStringLiteral(".ztk"));
    QObject::connect(&process_, &QProcess::readyReadStandardOutput,
                     [this] { out_.append(process_.readAllStandardOutput()); });
    QObject::connect(&process_, &QProcess::readyReadStandardError,
                     [this] { err_.append(process_.readAllStandardError()); });
}

SimProcess::~SimProcess() {
    stop(SIGTERM, 3000);
    QFile::remove(link_);
}

void SimProcess::launch(const QStringList& args) {
    out_.clear();
    err_.clear();
    process_.start(QStringLiteral(ZTKNODE_SIM_PATH), QStringList{QStringLiteral("--link"), link_} + args);
}

bool SimProcess::start(const QStringList& args, int timeoutMs) {
    launch(args);
    const QByteArray ready = "ready " + QFile::encodeName(link_) + "\n";
    const bool ok = testsupport::waitUntil(
        [&] { return out_.contains(ready) || process_.state() == QProcess::NotRunning; },
        timeoutMs);
    return ok && out_.contains(ready);
}

bool SimProcess::runToEnd(const QStringList& args, int timeoutMs) {
    launch(args);
    return testsupport::waitUntil([&] { return process_.state() == QProcess::NotRunning; },
                                  timeoutMs);
}

bool SimProcess::stop(int signal, int timeoutMs) {
    if (process_.state() == QProcess::NotRunning) return true;
    const auto ended = [&] { return process_.state() == QProcess::NotRunning; };
    if (process_.state() == QProcess::Running) ::kill(static_cast<pid_t>(process_.processId()), signal);
    if (testsupport::waitUntil(ended, timeoutMs)) return true;
    process_.kill();
    testsupport::waitUntil(ended, 3000);
    return false;
}

}  // namespace simtest

namespace simtest {

void SimProcess::kill() {
    if (process_.state() == QProcess::Running) ::kill(static_cast<pid_t>(process_.processId()), SIGKILL);
}

QStringList SimProcess::loggedFrames(const QString& logFile) {
    QFile log(logFile);
    QStringList frames;
    if (!log.open(QIODevice::ReadOnly)) return frames;
    for (const QByteArray& line : log.readAll().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() > 2) frames << QString::fromLatin1(parts[0] + ' ' + parts.mid(2).join(' '));
    }
    return frames;
}

}  // namespace simtest
