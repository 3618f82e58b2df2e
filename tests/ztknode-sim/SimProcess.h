#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <csignal>

namespace simtest {

// One ztknode-sim process on a link in its own temporary folder. Whatever happens in the
// test, the destructor stops the process (by its id) and removes the link.
class SimProcess {
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    QString link() const { return link_; }
    QString pathInFolder(const QString& name) const { return dir_.filePath(name); }
    // The frames of a log the simulator was started with (--log FILE): "< HEX" taken in,
    // "> HEX" sent, in order, without their times.
    static QStringList loggedFrames(const QString& logFile);

    // Starts the simulator on link() with `args` and waits for its "ready" line; false when
    // it ended or stayed silent instead.
    bool start(const QStringList& args = {}, int timeoutMs = 5000);
    // Starts it and waits for it to end on its own (a refused command line).
    bool runToEnd(const QStringList& args, int timeoutMs = 5000);
    // Sends `signal` and waits for the process to end; kills it when it does not.
    bool stop(int signal = SIGTERM, int timeoutMs = 5000);
    // Kills the process (SIGKILL) and returns at once, without running the event loop: from
    // inside an event handler, as a node that loses its power.
    void kill();

    bool running() const { return process_.state() != QProcess::NotRunning; }
    int exitCode() const { return process_.exitCode(); }
    bool exitedNormally() const { return process_.exitStatus() == QProcess::NormalExit; }
    QByteArray standardOutput() const { return out_; }
    QByteArray standardError() const { return err_; }

private:
    void launch(const QStringList& args);

    QTemporaryDir dir_;
    QString link_;
    QProcess process_;
    QByteArray out_;
    QByteArray err_;
};

}  // namespace simtest
