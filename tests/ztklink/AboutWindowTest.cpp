#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QLabel>
#include <QPushButton>

#include "AboutWindow.h"
#include "CommZTK90.h"
#include "Wait.h"

using namespace ztklink;

namespace {

// Linking the library is enough: it installs the driver's About hook when it is loaded.
TEST(AboutWindow, ShowsTheDriverAndOffersAcceptAfterADelay) {
    CommZTK90 ztk;
    ztk.About();
    AboutWindow* w = AboutWindow::existingForThisThread();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Acerca de..."));
    EXPECT_EQ(w->versionLabel()->text(), QStringLiteral("1.00.000"));
    EXPECT_TRUE(w->descriptionLabel()->text().startsWith(
        QStringLiteral("Driver de comunicación para PLCs TALVO ZTK90 y compatibles.\n")));
    EXPECT_TRUE(w->descriptionLabel()->text().contains(QStringLiteral("\"como es\"")));

    ztk.About();  // one window per thread
    EXPECT_EQ(AboutWindow::existingForThisThread(), w);

    EXPECT_FALSE(w->acceptButton()->isVisible());
    ASSERT_TRUE(testsupport::waitUntil([&] { return w->acceptButton()->isVisible(); }, 5000));
    w->acceptButton()->click();
    EXPECT_FALSE(w->isVisible());
    delete AboutWindow::existingForThisThread();  // closed windows are freed by the main loop
}

TEST(ControlPicture, SnapsBackToThePictureSize) {
    CommZTK90Picture picture;
    const QSize size = picture.size();
    picture.resize(size * 3);
    EXPECT_EQ(picture.size(), size);
    EXPECT_FALSE(size.isEmpty());
}

}  // namespace
