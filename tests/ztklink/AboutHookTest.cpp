#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>
#include <memory>
#include <vector>

#include "CommZTK90.h"
#include "FakeSerialPort.h"
#include "ManualClock.h"

using namespace ztklink;

namespace {

// This program does not link the companion library: the driver alone opens no window, even in
// a host with a QApplication (the test programs run one), and runs whatever the host installs.
TEST(AboutHook, WithoutTheCompanionNothingOpensAndTheHostsHandlerRuns) {
    testsupport::ManualClock clock;
    CommZTK90 ztk(std::make_unique<testsupport::FakeSerialPort>(), clock);
    ztk.About();
    QCoreApplication::processEvents();
    EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty());

    int calls = 0;
    EXPECT_FALSE(setAboutHandler([&] { ++calls; }));  // none was installed
    ztk.About();
    ztk.About();
    EXPECT_EQ(calls, 2);

    // A handler that takes itself out while it runs finishes its run (its state is on the heap,
    // large enough for the sanitizer build to see a use after free).
    setAboutHandler([&calls, state = std::vector<int>(64, 1)] {
        setAboutHandler({});
        calls += state.back();
    });
    ztk.About();
    ztk.About();  // now empty: nothing
    EXPECT_EQ(calls, 3);
    EXPECT_FALSE(setAboutHandler({}));
}

}  // namespace
