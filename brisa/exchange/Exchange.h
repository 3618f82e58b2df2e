#pragma once

#include <QObject>

namespace brisa::exchange {

// Which chain of requests the configurator is running with the node, if any. A chain begins
// with the first request of a user action and ends when its last reply is handled or the link
// fails; meanwhile nothing may start another one or end the program without asking.
class Exchange : public QObject {
    Q_OBJECT
  public:
    enum class Kind { None, Programming, Query, ReadBack, ModeSwitch };

    using QObject::QObject;

    Kind kind() const { return kind_; }
    bool running() const { return kind_ != Kind::None; }

    // Starts a chain (or starts one over, which changes nothing seen from outside).
    void begin(Kind kind);
    void end();

  signals:
    void runningChanged(bool running);

  private:
    Kind kind_ = Kind::None;
};

}  // namespace brisa::exchange
