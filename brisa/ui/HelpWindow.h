#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QPushButton;

namespace brisa::ui {

// "Ayuda": the user manual (an HTML file next to the program) in a window of the program's
// own, with back and forward, owned by the main window and not modal.
class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* owner);

    // Shows the manual at `url` (a local file, with a section as its fragment) and brings the
    // window to the front. A manual that is missing is said so in the window.
    void showAt(const QUrl& url);
    QTextBrowser& browser() { return *browser_; }

  private:
    QTextBrowser* browser_;
    QPushButton *back_, *forward_, *contents_;
    QUrl contentsUrl_;
};

}  // namespace brisa::ui
