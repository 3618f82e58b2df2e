#pragma once

#include <QObject>

#include "MainFormHandlers.h"
#include "form/MainForm.h"

namespace brisa {

// The main window's own handlers that touch no configuration: where the focus goes when an
// entry field is confirmed with Enter or the e-mail tab changes page, the labels that act as
// links to pages, the network fields that make a compiled image stale when confirmed, and "."
// in an address octet moving on to the next octet.
class WindowHandlers : public QObject {
    Q_OBJECT
  public:
    WindowHandlers(form::MainForm& form, MainFormHandlers& handlers, QObject* parent = nullptr);

    // The maker's web site, opened by the title label.
    static constexpr const char* MakerUrl = "https://www.talvo.com.ar";

    void TabMail_Click();

  signals:
    // The title label was clicked: open the maker's web site.
    void webSiteRequested(const QString& url);

  private:
    void moveOnConfirm(form::TextBox& from, form::Control& to);
    void moveOnEnter(form::CheckBox& from, form::Control& to);
    void linkToPage(form::Label& label, int page);

    form::MainForm& form_;
};

}  // namespace brisa
