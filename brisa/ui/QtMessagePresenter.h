#pragma once

#include <QPointer>
#include <QWidget>

#include "MessagePresenter.h"

namespace brisa::ui {

// The core's messages as message boxes over the main window. A box waits for the user, as
// the start-up's regional warning must; Qt keeps the window painting meanwhile.
class QtMessagePresenter : public MessagePresenter {
  public:
    void setParent(QWidget* parent) { parent_ = parent; }
    void information(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    bool question(const QString& title, const QString& text) override;

  private:
    QPointer<QWidget> parent_;
};

// Messages written to the error output, for runs where nobody answers boxes (screenshots).
class StderrMessagePresenter : public MessagePresenter {
  public:
    void information(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
};

}  // namespace brisa::ui
