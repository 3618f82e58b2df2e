#include "FrameMonitor.h"

#include "Frame.h"

namespace brisa::monitor {

using ztklink::FrameDirection;
using ztklink::FrameVerdict;
namespace frame = ztklink::frame;

QString directionText(FrameDirection direction) {
    return direction == FrameDirection::ToNode ? QStringLiteral("PC → nodo") : QStringLiteral("nodo → PC");
}

QString verdictText(FrameVerdict verdict) {
    switch (verdict) {
        case FrameVerdict::Ok: return QStringLiteral("OK");
        case FrameVerdict::Checksum: return QStringLiteral("checksum");
        case FrameVerdict::Incomplete: return QStringLiteral("incompleta");
        case FrameVerdict::NoReply: return QStringLiteral("sin respuesta");
        case FrameVerdict::LineError: return QStringLiteral("error de línea");
    }
    return {};
}

QString hexText(const QByteArray& bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString requestMeaning(const QByteArray& bytes) {
    if (bytes.size() != frame::Size) return {};
    const auto command = static_cast<quint8>(bytes[1]);
    const int blockByte = static_cast<quint8>(bytes[2]);
    switch (command) {
        case frame::Command::Read: return QStringLiteral("lectura bloque %1").arg(blockByte);
        case frame::Command::ReadHigh: return QStringLiteral("lectura bloque %1").arg(blockByte + 256);
        case frame::Command::WriteHigh: return QStringLiteral("escritura bloque %1").arg(blockByte + 256);
        case frame::Command::AnalogRead: return QStringLiteral("lectura analógica");
        case frame::Command::AnalogWrite: return QStringLiteral("escritura analógica");
        case frame::Command::Write:
            if (blockByte == frame::ModeSwitchBlock) {
                const auto marker = static_cast<quint8>(bytes[frame::DataOffset]);
                if (marker == frame::InspectedMarker) return QStringLiteral("cambio de modo: inspección");
                if (marker == frame::NormalMarker) return QStringLiteral("cambio de modo: normal");
            }
            return QStringLiteral("escritura bloque %1").arg(blockByte);
        default: return {};
    }
}

QString lineText(const FrameLine& line) {
    // 59 characters hold 20 bytes: the columns after the bytes stay aligned.
    QString text = QStringLiteral("%1 ms  %2  %3  %4")
                       .arg(line.ms, 8)
                       .arg(directionText(line.direction), hexText(line.bytes).leftJustified(59),
                            verdictText(line.verdict).leftJustified(14));
    if (!line.meaning.isEmpty()) text += QStringLiteral("  ") + line.meaning;
    while (text.endsWith(QLatin1Char(' '))) text.chop(1);
    return text;
}

FrameMonitor::FrameMonitor(Clock clock, QObject* parent)
    : QObject(parent), clock_(std::move(clock)), start_(clock_()) {}

void FrameMonitor::watch(ztklink::CommZTK90& link) {
    link_ = &link;
    connect(&link, &ztklink::CommZTK90::frameTraffic, this, &FrameMonitor::add);
    connect(&link, &QObject::destroyed, this, [this] { link_ = nullptr; });
}

QString FrameMonitor::replyMeaning(const QByteArray& bytes, FrameVerdict verdict) const {
    if (link_ && link_->ModoSniffer() && verdict == FrameVerdict::Ok) {
        // An inspected node puts the numbers of the blocks it asks for on the line.
        QStringList blocks;
        for (char b : bytes) blocks << QStringLiteral("%1").arg(static_cast<quint8>(b), 3, 10, QLatin1Char('0'));
        return blocks.isEmpty() ? QString() : QStringLiteral("inspección: bloques ") + blocks.join(QLatin1Char(' '));
    }
    // A valid reply says itself what it answers; anything else is measured against the
    // request it should have answered.
    const QString answered = requestMeaning(verdict == FrameVerdict::Ok ? bytes : lastRequest_);
    return answered.isEmpty() ? QString() : QStringLiteral("respuesta a ") + answered;
}

void FrameMonitor::add(FrameDirection direction, const QByteArray& bytes, FrameVerdict verdict) {
    if (direction == FrameDirection::ToNode) lastRequest_ = bytes;
    if (paused_) return;
    FrameLine line{clock_() - start_, direction, bytes, verdict,
                   direction == FrameDirection::ToNode ? requestMeaning(bytes) : replyMeaning(bytes, verdict)};
    if (static_cast<int>(lines_.size()) >= Capacity) {
        emit aboutToRemoveFirst();
        lines_.pop_front();
        emit firstRemoved();
    }
    emit aboutToAppend();
    lines_.push_back(std::move(line));
    emit appended(lines_.back());
}

void FrameMonitor::clear() {
    emit aboutToClear();
    lines_.clear();
    emit cleared();
}

QString FrameMonitor::text() const {
    QString all;
    for (const FrameLine& line : lines_) all += lineText(line) + QLatin1Char('\n');
    return all;
}

}  // namespace brisa::monitor
