// What --port names: a device path as given, or a port number through section Puertos.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "PortOption.h"
#include "QtPrinters.h"

namespace {

struct PortCase {
    const char* value;
    std::optional<brisacli::PortChoice> port;
};
using P = brisacli::PortChoice;

class PortOption : public ::testing::TestWithParam<PortCase> {};

TEST_P(PortOption, ResolvesThroughTheSettingsFile) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("Brisa.ini");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Sets]\r\nCOM3=/no/es/esta\r\n[puertos]\r\nCOM3=/dev/serial/by-id/usb-FTDI\r\n"
            "com12=/dev/ttyUSB1\r\n");
    f.close();
    EXPECT_EQ(brisacli::resolvePort(QLatin1String(GetParam().value), ini), GetParam().port);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PortOption,
    ::testing::Values(PortCase{"/dev/pts/7", P{"/dev/pts/7", 1}},
                      PortCase{"build/nodo/link", P{"build/nodo/link", 1}},
                      PortCase{"COM3", P{"/dev/serial/by-id/usb-FTDI", 3}},
                      PortCase{"3", P{"/dev/serial/by-id/usb-FTDI", 3}},
                      PortCase{"com12", P{"/dev/ttyUSB1", 1}},  // beyond the driver's 8
                      PortCase{"COM4", P{"/dev/ttyS3", 4}},
                      PortCase{"16", P{"/dev/ttyS15", 1}},
                      PortCase{"COM0", std::nullopt}, PortCase{"COM17", std::nullopt},
                      PortCase{"ttyUSB0", std::nullopt}, PortCase{"", std::nullopt}));

}  // namespace
