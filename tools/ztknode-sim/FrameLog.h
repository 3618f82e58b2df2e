#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace nodesim {

// Lost: a reply logged as sent that the line did not take (nobody drained it).
enum class Direction : char { Received = '<', Sent = '>', Lost = '!' };

// One log line: direction, milliseconds since start, the bytes in hex ("< 12 01 0B 00 ...").
QByteArray logLine(Direction direction, qint64 ms, const QByteArray& bytes);

// The --log file: one line per frame, written through at once so that a crash loses nothing.
class FrameLog {
public:
    bool open(const QString& path, QString* error);
    bool isOpen() const { return file_.isOpen(); }
    void write(Direction direction, qint64 ms, const QByteArray& bytes);

private:
    QFile file_;
};

}  // namespace nodesim
