#pragma once

#include <QString>
#include <QtGlobal>

namespace brisa {

// Where the core's messages to the user go. The window shows them in message boxes; tests
// record them, so nothing waits for a user.
class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    virtual void information(const QString& title, const QString& text) = 0;
    virtual void warning(const QString& title, const QString& text) = 0;
    // A yes/no question; true for yes. Where nobody can answer, the answer is no.
    virtual bool question(const QString& title, const QString& text) {
        Q_UNUSED(title);
        Q_UNUSED(text);
        return false;
    }
};

}  // namespace brisa
