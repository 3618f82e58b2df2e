#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>

#include "AppFixture.h"
#include "MainWindow.h"
#include "Wait.h"

// The started main window, shown and active, so that it takes keys, shortcuts and the focus.
class WindowFixture : public AppFixture {
  protected:
    WindowFixture() : window(*app) {
        startUp();
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
    }
    template <typename W = QWidget>
    W* widget(const QString& name) {
        return window.findChild<W*>(name);
    }
    template <typename W = QWidget>
    W* widget(const char* name) {
        return widget<W>(QLatin1String(name));
    }
    // Shows a page of the main tab and, on the Ethernet page, of its inner tabs.
    void showPage(int tab1, int tabEth = 0, int tabMail = 5) {
        app->form.Tab1.setCurrentPage(tab1);
        app->form.tabEth.setCurrentPage(tabEth);
        app->form.TabMail.setCurrentPage(tabMail);
        QApplication::processEvents();
    }
    // The name of the widget that has the keyboard focus.
    static QString focused() {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(nada)");
    }
    // Gives `w` the focus as Tab would (an entry field's text selected).
    static bool focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        return testsupport::waitUntil([w] { return w->hasFocus(); }, 2000);
    }

    brisa::ui::MainWindow window;
};
