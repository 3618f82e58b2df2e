#include "FrameLog.h"

namespace nodesim {

QByteArray logLine(Direction direction, qint64 ms, const QByteArray& bytes) {
    QByteArray line;
    line.append(static_cast<char>(direction));
    line.append(' ');
    line.append(QByteArray::number(ms));
    line.append(' ');
    line.append(bytes.toHex(' ').toUpper());
    line.append('\n');
    return line;
}

bool FrameLog::open(const QString& path, QString* error) {
    file_.setFileName(path);
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) return true;
    if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file_.errorString());
    return false;
}

void FrameLog::write(Direction direction, qint64 ms, const QByteArray& bytes) {
    if (file_.isOpen()) file_.write(logLine(direction, ms, bytes));
}

}  // namespace nodesim
