#include "CliRun.h"

#include "Wait.h"

namespace drills {

void CliRun::start(const QStringList& args, const QString& program) {
    clock_.start();
    process_.start(program, args);
}

bool CliRun::wait(int timeoutMs) {
    const bool ended =
        testsupport::waitUntil([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs);
    elapsedMs_ = clock_.elapsed();
    if (!ended) {
        process_.kill();
        process_.waitForFinished(3000);
    }
    out_ = QString::fromUtf8(process_.readAllStandardOutput());
    err_ = QString::fromUtf8(process_.readAllStandardError());
    return ended;
}

QString CliRun::describe() const {
    return QStringLiteral("%1 %2 after %3 ms; stdout: %4; stderr: %5")
        .arg(exitedNormally() ? QStringLiteral("exit") : QStringLiteral("crash"))
        .arg(exitCode())
        .arg(elapsedMs_)
        .arg(out_.trimmed(), err_.trimmed());
}

}  // namespace drills
