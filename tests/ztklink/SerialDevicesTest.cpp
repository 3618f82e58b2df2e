#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "SerialDevices.h"

using namespace ztklink;

namespace {

// A stand-in for /dev: two "devices" and a by-id folder that links to one of them.
TEST(SerialDevices, StableLinkIsOfferedInsteadOfTheKernelName) {
    QTemporaryDir dev;
    ASSERT_TRUE(dev.isValid());
    const QString usb0 = dev.filePath(QStringLiteral("ttyUSB0"));
    const QString usb1 = dev.filePath(QStringLiteral("ttyUSB1"));
    for (const QString& p : {usb0, usb1}) {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QDir(dev.path()).mkpath(QStringLiteral("serial/by-id")));
    const QString byId = dev.filePath(QStringLiteral("serial/by-id"));
    const QString link = byId + QStringLiteral("/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
    ASSERT_TRUE(QFile::link(usb1, link));

    QList<SerialDevice> devices = {{usb0, usb0, {}}, {usb1, usb1, {}}};
    preferStableLinks(devices, byId);
    EXPECT_EQ(devices[0].path, usb0);
    EXPECT_EQ(devices[1].path, link);
    EXPECT_EQ(devices[1].systemPath, usb1);

    // No by-id folder at all (no USB adapter ever plugged): kernel names stay.
    QList<SerialDevice> plain = {{usb0, usb0, {}}};
    preferStableLinks(plain, dev.filePath(QStringLiteral("missing")));
    EXPECT_EQ(plain[0].path, usb0);
}

}  // namespace
