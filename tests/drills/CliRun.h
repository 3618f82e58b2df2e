#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace drills {

// brisa-cli as a process, run beside the event loop that the drill's own exchanges need.
class CliRun {
  public:
    void start(const QStringList& args, const QString& program = QStringLiteral(BRISA_CLI_PATH));
    // Runs the event loop until the process ends; false (and the process killed) after
    // `timeoutMs`.
    bool wait(int timeoutMs = 30000);

    bool exitedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    int exitCode() const { return process_.exitCode(); }
    QString out() const { return out_; }
    QString err() const { return err_; }
    qint64 elapsedMs() const { return elapsedMs_; }
    // "exit 1 after 2100 ms; stderr: ..." for a failure message.
    QString describe() const;

  private:
    QProcess process_;
    QElapsedTimer clock_;
    QString out_, err_;
    qint64 elapsedMs_ = -1;
};

}  // namespace drills
