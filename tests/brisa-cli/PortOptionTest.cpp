// What --port names: a device path as given, or a port number through section Puertos.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "PortOption.h"
#include "QtPrinters.h"

namespace {

struct PortCase {
    const char* value;
    std::optional<QString> device;
};

class PortOption : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortOption, ResolvesThroughTheSettingsFile) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("Brisa.ini");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Sets]\r\nCOM3=/no/es/esta\r\n[puertos]\r\nCOM3=/dev/serial/by-id/usb-FTDI\r\n"
            "com12=/dev/ttyUSB1\r\n");
    f.close();
    EXPECT_EQ(brisacli::resolvePort(QLatin1String(GetParam().value), ini), GetParam().device);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PortOption,
    ::testing::Values(PortCase{"/dev/pts/7", QStringLiteral("/dev/pts/7")},
                      PortCase{"build/nodo/link", QStringLiteral("build/nodo/link")},
                      PortCase{"COM3", QStringLiteral("/dev/serial/by-id/usb-FTDI")},
                      PortCase{"3", QStringLiteral("/dev/serial/by-id/usb-FTDI")},
                      PortCase{"com12", QStringLiteral("/dev/ttyUSB1")},
                      PortCase{"COM4", QStringLiteral("/dev/ttyS3")},
                      PortCase{"16", QStringLiteral("/dev/ttyS15")},
                      PortCase{"COM0", std::nullopt}, PortCase{"COM17", std::nullopt},
                      PortCase{"ttyUSB0", std::nullopt}, PortCase{"", std::nullopt}));

}  // namespace
