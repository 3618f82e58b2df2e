#include "DriverFixture.h"

#include <QDir>
#include <type_traits>

using namespace ztklink;
using testsupport::FakeSerialPort;

namespace {

TEST(LinkSettingsCreation, EverySettingIsZeroUntilLoaded) {
    testsupport::ManualClock clock;
    CommZTK90 ztk(std::make_unique<FakeSerialPort>(), clock);
    EXPECT_EQ(ztk.Baudios(), 0);
    EXPECT_EQ(ztk.PuertoPLC(), 0);
    EXPECT_EQ(ztk.COMM(), 0);
    EXPECT_EQ(ztk.Id(), 0);
    EXPECT_EQ(ztk.WatchDogTime(), 0);
    EXPECT_FALSE(ztk.WatchDogAuto());
    EXPECT_FALSE(ztk.ModoSniffer());
}

using LinkSettings = DriverFixture;

TEST_F(LinkSettings, EmptyStoreGivesDefaultsAndFirstRequestOpensWithThem) {
    EXPECT_EQ(ztk->Baudios(), 4800);
    EXPECT_EQ(ztk->PuertoPLC(), A);
    EXPECT_EQ(ztk->COMM(), 1);
    EXPECT_EQ(ztk->Id(), 1);
    EXPECT_EQ(ztk->WatchDogTime(), 1000);
    EXPECT_FALSE(ztk->WatchDogAuto());
    EXPECT_FALSE(ztk->ModoSniffer());
    EXPECT_EQ(ztk->settingsText(), QStringLiteral("4800,e,8,2"));

    EXPECT_TRUE(port->log.isEmpty()) << "loading must not touch the port";
    EXPECT_TRUE(ztk->RecibirPLC(1, 5));
    EXPECT_EQ(port->log.mid(0, 3),
              QStringList({"settings 4800,e,8,2", "dtr 0", "open"}));
    EXPECT_EQ(port->commPort(), 1);  // the port's own number: COMM was never set
}

TEST_F(LinkSettings, RefusedValuesCarryNumberAndMessageAndChangeNothing) {
    struct Case {
        const char* what;
        std::function<Result()> set;
        const char* message;
    };
    const Case cases[] = {
        {"Baudios 109", [&] { return ztk->setBaudios(109); }, "Los baudios están fuera de rango (109)"},
        {"Baudios 100", [&] { return ztk->setBaudios(100); }, "Los baudios están fuera de rango (100)"},
        {"Baudios 40000", [&] { return ztk->setBaudios(40000); }, "Los baudios están fuera de rango (40000)"},
        {"COMM 0", [&] { return ztk->setCOMM(0); }, "El puerto serie puede ser solo entre el 1 y el 8)"},
        {"COMM 9", [&] { return ztk->setCOMM(9); }, "El puerto serie puede ser solo entre el 1 y el 8)"},
        {"Id 0", [&] { return ztk->setId(0); }, "El Dato está fuera del rango 0 - 255"},
        {"Id 256", [&] { return ztk->setId(256); }, "El Dato está fuera del rango 0 - 255"},
    };
    for (const auto& c : cases) {
        const Result r = c.set();
        ASSERT_FALSE(r.ok()) << c.what;
        EXPECT_EQ(r.number(), 6) << c.what;
        EXPECT_EQ(r.description(), QString::fromUtf8(c.message)) << c.what;
    }
    EXPECT_EQ(ztk->Baudios(), 4800);
    EXPECT_EQ(ztk->COMM(), 1);
    EXPECT_EQ(ztk->Id(), 1);
    EXPECT_TRUE(port->log.isEmpty());
}

TEST_F(LinkSettings, LimitValuesAreAccepted) {
    EXPECT_TRUE(ztk->setBaudios(110).ok());
    EXPECT_TRUE(ztk->setBaudios(32767).ok());
    EXPECT_TRUE(ztk->setCOMM(8).ok());
    EXPECT_TRUE(ztk->setId(255).ok());
    EXPECT_EQ(ztk->Baudios(), 32767);
    EXPECT_EQ(ztk->COMM(), 8);
    EXPECT_EQ(ztk->Id(), 255);
}

TEST_F(LinkSettings, BaudiosWhileOpenClosesAndTheNextRequestReopensAtTheNewRate) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    ASSERT_TRUE(port->portOpen());
    port->log.clear();
    ASSERT_TRUE(ztk->setBaudios(9600).ok());
    EXPECT_FALSE(port->portOpen());
    EXPECT_EQ(port->log, QStringList({"close", "settings 9600,e,8,2", "dtr 0"}));
    port->log.clear();
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    EXPECT_EQ(port->log.mid(0, 3), QStringList({"settings 9600,e,8,2", "dtr 0", "open"}));
}

TEST_F(LinkSettings, BaudiosRefusedByThePortKeepsTheOldRate) {
    port->failOn(FakeSerialPort::Member::Settings, {380, QStringLiteral("no")});
    const Result r = ztk->setBaudios(9600);
    EXPECT_EQ(r.number(), 380);
    EXPECT_EQ(ztk->Baudios(), 4800);
}

TEST_F(LinkSettings, PuertoPLCOtherThanAOrBIsKeptWithoutTouchingThePort) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->log.clear();
    ztk->setPuertoPLC(2);
    EXPECT_EQ(ztk->PuertoPLC(), 2);
    EXPECT_TRUE(port->log.isEmpty());
    EXPECT_TRUE(port->portOpen());
    (void)port->setPortOpen(false);
    port->log.clear();
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    EXPECT_EQ(port->log.first(), QStringLiteral("settings 4800,n,8,1"));
}

// Hosts may name the port model type either way.
static_assert(std::is_same_v<Modelo_puerto_PLC, ModeloPuertoPLC>);

TEST_F(LinkSettings, PuertoPLCReopensAnOpenPortWithTheNewFraming) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->log.clear();
    ztk->setPuertoPLC(Modelo_puerto_PLC::B);
    EXPECT_EQ(port->log, QStringList({"close", "settings 4800,n,8,1", "open"}));
    EXPECT_TRUE(port->portOpen());
}

TEST_F(LinkSettings, COMMToAMissingPortWhileOpenSucceedsAndLeavesThePortClosed) {
    ASSERT_TRUE(ztk->RecibirPLC(1, 5));
    port->failOn(FakeSerialPort::Member::Open, {8002, QStringLiteral("No existe el puerto")});
    EXPECT_TRUE(ztk->setCOMM(4).ok());
    EXPECT_EQ(ztk->COMM(), 4);
    EXPECT_EQ(port->commPort(), 4);
    EXPECT_FALSE(port->portOpen());
}

TEST_F(LinkSettings, AppPathEndsInExactlyOneSeparator) {
    const QString sep = QDir::separator();
    ztk->AppPath(QStringLiteral("/opt/brisa"));
    EXPECT_EQ(ztk->appPath(), QStringLiteral("/opt/brisa") + sep);
    ztk->AppPath(QStringLiteral("/opt/brisa") + sep);
    EXPECT_EQ(ztk->appPath(), QStringLiteral("/opt/brisa") + sep);
}

TEST_F(LinkSettings, ChangesAreAnnouncedByName) {
    QStringList changed;
    QObject::connect(ztk.get(), &CommZTK90::propertyChanged, [&](const QString& n) { changed << n; });
    (void)ztk->setBaudios(9600);
    ztk->setPuertoPLC(B);
    ztk->setPuertoPLC(7);  // kept silently
    (void)ztk->setCOMM(2);
    (void)ztk->setId(5);  // not announced
    (void)ztk->setWatchDogTime(500);
    ztk->setWatchDogAuto(true);
    ztk->setModoSniffer(true);
    (void)ztk->setCOMM(9);  // refused: not announced
    EXPECT_EQ(changed, QStringList({"Baudios", "PuertoPLC", "COMM", "WatchDogTime", "WatchDogAuto",
                                    "ModoSniffer"}));
}

TEST_F(LinkSettings, SavingWritesEveryKeyInOrderAndOmitsSavingDefaults) {
    MemoryPropertyStore store;
    ztk->writeProperties(store);
    EXPECT_EQ(store.writeOrder, QStringList({"Baudios", "PuertoPLC", "COMM", "ID", "WatchDogTime",
                                             "WatchDogAuto", "ModoSniffer"}));
    // The first four have saving defaults equal to the loaded values; the last three never do.
    EXPECT_EQ(store.values.keys(), QStringList({"ModoSniffer", "WatchDogAuto", "WatchDogTime"}));

    (void)ztk->setBaudios(9600);
    ztk->setPuertoPLC(B);
    (void)ztk->setCOMM(3);
    (void)ztk->setId(7);
    MemoryPropertyStore saved;
    ztk->writeProperties(saved);

    testsupport::ManualClock otherClock;
    ztk.reset();  // a new thread-wide link state for the next control
    CommZTK90 reloaded(std::make_unique<FakeSerialPort>(), otherClock);
    reloaded.readProperties(saved);
    EXPECT_EQ(reloaded.Baudios(), 9600);
    EXPECT_EQ(reloaded.PuertoPLC(), B);
    EXPECT_EQ(reloaded.COMM(), 3);
    EXPECT_EQ(reloaded.Id(), 7);
}

TEST_F(LinkSettings, LoadingSkipsValuesThatCannotBeConverted) {
    MemoryPropertyStore store;
    store.values = {{"Baudios", "9600"},      // text that converts
                    {"PuertoPLC", "B"},       // does not: stays
                    {"COMM", 70000},          // does not fit 16 bits: stays
                    {"ID", "x"},              // stays
                    {"WatchDogTime", 250},
                    {"WatchDogAuto", "True"},
                    {"ModoSniffer", "maybe"}};  // stays
    ztk->readProperties(store);
    EXPECT_EQ(ztk->Baudios(), 9600);
    EXPECT_EQ(ztk->PuertoPLC(), A);
    EXPECT_EQ(ztk->COMM(), 1);
    EXPECT_EQ(ztk->Id(), 1);
    EXPECT_EQ(ztk->WatchDogTime(), 250);
    EXPECT_TRUE(ztk->WatchDogAuto());
    EXPECT_FALSE(ztk->ModoSniffer());
}

TEST_F(LinkSettings, LinkSettingsAreSharedOnAThreadWatchdogIsNot) {
    CommZTK90 second(std::make_unique<FakeSerialPort>(), clock);
    (void)ztk->setBaudios(19200);
    ztk->setModoSniffer(true);
    (void)ztk->setWatchDogTime(300);
    EXPECT_EQ(second.Baudios(), 19200);
    EXPECT_TRUE(second.ModoSniffer());
    EXPECT_EQ(second.WatchDogTime(), 0);
}

}  // namespace
