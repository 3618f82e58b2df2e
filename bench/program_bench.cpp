// Programming an Ethernet node (138 blocks) against the simulated node with line timing, at
// 4800 baud 8E2 and 9600 baud 8N1. Prints the measured time against the line-time floor
// (2 x 20 characters per block; goal: ratio below 1.03) and the configurator's own share of
// each exchange, from taking in the reply's last byte to writing the next request (goal: under
// 1 ms). A timed program: run it by hand.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "App.h"
#include "QtSerialPort.h"

namespace {

class SilentPresenter : public brisa::MessagePresenter {
  public:
    void information(const QString&, const QString&) override {}
    void warning(const QString&, const QString&) override {}
};

// The real serial port, with the moments the driver takes bytes in and writes a request.
class TimingPort : public ztklink::SerialPort {
  public:
    explicit TimingPort(const QString& device) {
        ztklink::PortMap map;
        map.set(1, device);
        inner_.setPortMap(map);
        connect(&inner_, &ztklink::SerialPort::onComm, this, &ztklink::SerialPort::onComm);
        clock_.start();
    }
    QList<double> sharesUs;  // one per request that follows a reply

    ztklink::Result setCommPort(int n) override { return inner_.setCommPort(n); }
    int commPort() const override { return inner_.commPort(); }
    ztklink::Result setSettings(const QString& s) override { return inner_.setSettings(s); }
    QString settings() const override { return inner_.settings(); }
    ztklink::Result setDtrEnable(bool e) override { return inner_.setDtrEnable(e); }
    bool portOpen() const override { return inner_.portOpen(); }
    ztklink::Result setPortOpen(bool o) override { return inner_.setPortOpen(o); }
    ztklink::Checked<int> inBufferCount() const override { return inner_.inBufferCount(); }
    ztklink::Result clearInBuffer() override { return inner_.clearInBuffer(); }
    ztklink::Checked<int> outBufferCount() const override { return inner_.outBufferCount(); }
    ztklink::Result clearOutBuffer() override { return inner_.clearOutBuffer(); }
    QByteArray input() override {
        QByteArray bytes = inner_.input();
        if (!bytes.isEmpty()) lastInputNs_ = clock_.nsecsElapsed();
        return bytes;
    }
    ztklink::Result output(const QByteArray& bytes) override {
        if (lastInputNs_ >= 0) sharesUs << (clock_.nsecsElapsed() - lastInputNs_) / 1000.0;
        lastInputNs_ = -1;
        return inner_.output(bytes);
    }
    int commEvent() const override { return inner_.commEvent(); }
    ztklink::Error lastError() const override { return inner_.lastError(); }

  private:
    ztklink::QtSerialPort inner_;
    QElapsedTimer clock_;
    qint64 lastInputNs_ = -1;
};

struct Line {
    const char* name;
    int baud;
    const char* framing;
    ztklink::ModeloPuertoPLC plcPort;
    double floorSeconds;
};

bool runOne(const Line& line) {
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("nodo"));
    QProcess sim;
    QByteArray simOut;
    QObject::connect(&sim, &QProcess::readyReadStandardOutput,
                     [&] { simOut += sim.readAllStandardOutput(); });
    sim.start(QStringLiteral(ZTKNODE_SIM_PATH),
              {"--link", link, "--pace", "--baud", QString::number(line.baud), "--framing",
               QLatin1String(line.framing)});
    // Waits on the simulator's output for its "ready" line, five seconds at most.
    QEventLoop wait;
    QObject::connect(&sim, &QProcess::readyReadStandardOutput, &wait, &QEventLoop::quit);
    QObject::connect(&sim, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &wait, &QEventLoop::quit);
    deadline.start(5000);
    while (!simOut.contains("ready") && sim.state() != QProcess::NotRunning && deadline.isActive())
        wait.exec();
    if (!simOut.contains("ready")) {
        std::fprintf(stderr, "ztknode-sim did not start\n");
        return false;
    }

    SilentPresenter messages;
    brisa::App::Options options;
    auto port = std::make_unique<TimingPort>(link);
    TimingPort* timing = port.get();
    options.port = std::move(port);
    brisa::App app(messages, std::move(options));
    app.session.appFolder = dir.path() + QLatin1Char('/');
    app.handlers.FillPortLists();
    app.handlers.cbMinutosPopStartUp();
    app.handlers.FillSoftVerList();
    app.form.cbSoftVer.setListIndex(app.form.cbSoftVer.find(QStringLiteral("1.15")));
    app.form.opNodoEth.setValue(true);
    app.form.cbBaudios.setListIndex(app.form.cbBaudios.find(QString::number(line.baud)));
    app.ZTK90->setPuertoPLC(line.plcPort);
    for (const char* b : {"010", "011", "012"}) app.form.lstCompilado.addItem(QLatin1String(b));
    app.form.cmdProgramar.setVisible(true);  // compiled

    QEventLoop loop;
    bool ok = false;
    QObject::connect(&app.programming, &brisa::exchange::Programming::completed, [&] {
        ok = true;
        loop.quit();
    });
    QObject::connect(&app.dispatch, &brisa::exchange::Dispatch::failed, &loop, &QEventLoop::quit);
    QElapsedTimer elapsed;
    elapsed.start();
    app.form.cmdProgramar.press();
    loop.exec();
    const double seconds = elapsed.nsecsElapsed() / 1e9;
    sim.terminate();
    sim.waitForFinished(3000);
    if (!ok) {
        std::fprintf(stderr, "%s: programming failed: %s\n", line.name,
                     app.form.lbProgramado.caption().toLocal8Bit().constData());
        return false;
    }
    QList<double> s = timing->sharesUs;
    std::sort(s.begin(), s.end());
    std::printf("%-10s %7.3f s  floor %6.2f s  ratio %.4f (goal < 1.03)   own share per "
                "exchange: median %.0f us, max %.0f us over %lld (goal < 1000 us)\n",
                line.name, seconds, line.floorSeconds, seconds / line.floorSeconds,
                s.isEmpty() ? 0.0 : s[s.size() / 2], s.isEmpty() ? 0.0 : s.last(),
                static_cast<long long>(s.size()));
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const Line lines[] = {{"4800 8E2", 4800, "8E2", ztklink::A, 13.8},
                          {"9600 8N1", 9600, "8N1", ztklink::B, 5.75}};
    bool ok = true;
    for (const Line& l : lines) ok = runOne(l) && ok;
    return ok ? 0 : 1;
}
