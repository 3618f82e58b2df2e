#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <memory>

namespace testsupport {

// A pseudo-terminal pair made with openpty: the code under test opens slavePath() as its
// serial device, the test plays the far end on the master side.
class Pty : public QObject {
    Q_OBJECT
public:
    Pty();
    ~Pty() override;

    bool ok() const { return master_ >= 0; }
    QString slavePath() const { return slavePath_; }
    void write(const QByteArray& bytes);
    // Everything received from the code under test so far (taken out).
    QByteArray takeReceived();
    const QByteArray& received() const { return received_; }
    // Closes the master side: the code under test sees its device go away.
    void closeMaster();

signals:
    void bytesReceived();

private:
    int master_ = -1;
    int slave_ = -1;
    QString slavePath_;
    QByteArray received_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace testsupport
