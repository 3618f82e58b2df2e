#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>

#include "CommZTK90.h"

namespace brisa::monitor {

// One frame (or run of bytes, or a reply that never came) as it went over the link.
struct FrameLine {
    qint64 ms = 0;  // since the monitor started
    ztklink::FrameDirection direction = ztklink::FrameDirection::ToNode;
    QByteArray bytes;
    ztklink::FrameVerdict verdict = ztklink::FrameVerdict::Ok;
    QString meaning;  // empty when the frame means nothing the configurator knows
};

QString directionText(ztklink::FrameDirection direction);
QString verdictText(ztklink::FrameVerdict verdict);
// "01 0B 64 ...", upper case, one space between bytes.
QString hexText(const QByteArray& bytes);
// What a frame written to the node asks for: "lectura bloque 100", "escritura bloque 31",
// "cambio de modo: inspección"; empty for anything else.
QString requestMeaning(const QByteArray& frame);
// The line as the monitor shows it and the trace file holds it.
QString lineText(const FrameLine& line);

// The traffic of one link control as lines: time, direction, bytes, verdict and meaning. It
// keeps the last Capacity lines; while paused, the traffic is not recorded.
class FrameMonitor : public QObject {
    Q_OBJECT
  public:
    static constexpr int Capacity = 10000;
    // Milliseconds on any steady clock; the monitor counts from the first reading.
    using Clock = std::function<qint64()>;

    explicit FrameMonitor(Clock clock, QObject* parent = nullptr);

    // Listens to the control's traffic until it or this monitor is destroyed.
    void watch(ztklink::CommZTK90& link);
    // One piece of traffic, as the driver reports it.
    void add(ztklink::FrameDirection direction, const QByteArray& bytes, ztklink::FrameVerdict verdict);

    const std::deque<FrameLine>& lines() const { return lines_; }
    void clear();
    void setPaused(bool paused) { paused_ = paused; }
    bool paused() const { return paused_; }
    // Every line kept, each ended by a line break.
    QString text() const;

  signals:
    // Around dropping the oldest line when full, around appending, around emptying: what a
    // list model needs to follow without resetting.
    void aboutToRemoveFirst();
    void firstRemoved();
    void aboutToAppend();
    void appended(const brisa::monitor::FrameLine& line);
    void aboutToClear();
    void cleared();

  private:
    QString replyMeaning(const QByteArray& bytes, ztklink::FrameVerdict verdict) const;

    Clock clock_;
    qint64 start_;
    std::deque<FrameLine> lines_;
    bool paused_ = false;
    QByteArray lastRequest_;  // the last frame written, for what a reply answers
    ztklink::CommZTK90* link_ = nullptr;
};

}  // namespace brisa::monitor
