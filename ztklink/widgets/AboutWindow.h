#pragma once

#include <QDialog>

#include "ztklink_widgets_export.h"

class QLabel;
class QPushButton;

namespace ztklink {

// The driver's About window. One per thread; opening it again raises the existing one.
class ZTKLINK_WIDGETS_EXPORT AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(QWidget* parent = nullptr);

    static AboutWindow* showForThisThread();
    static AboutWindow* existingForThisThread();

    // Time before "&Aceptar" appears, so that the notice is seen before the window is closed.
    static constexpr int AcceptDelayMs = 1500;

    QLabel* versionLabel() const { return lbVersion_; }
    QLabel* descriptionLabel() const { return lbDescription_; }
    QPushButton* acceptButton() const { return cmdAceptar_; }

private:
    QLabel* lbVersion_;
    QLabel* lbDescription_;
    QPushButton* cmdAceptar_;
};

// How the control looks when a host places it on a window: one fixed picture. The widget's
// size always snaps back to the picture's.
class ZTKLINK_WIDGETS_EXPORT CommZTK90Picture : public QWidget {
    Q_OBJECT
public:
    explicit CommZTK90Picture(QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

namespace widgets {

// Makes CommZTK90::About() open AboutWindow (in a host with a QApplication; elsewhere it does
// nothing). Loading this library already does it; a host calls it as well so that a linker that
// drops libraries nothing refers to (--as-needed) keeps this one. Replaces any other handler.
ZTKLINK_WIDGETS_EXPORT void install();

}  // namespace widgets
}  // namespace ztklink
