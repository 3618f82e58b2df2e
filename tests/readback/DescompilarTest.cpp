// "Descompilar": a decoded image back into the main window's block program, and the round trip
// compile -> image -> node memory -> decode -> "Descompilar" -> compile.
#include "FormSnapshot.h"
#include "ReadBackFixture.h"
#include "compiler/Text.h"
#include "readback/AnalizaRx.h"
#include "readback/Descompilar.h"

using namespace brisa;

namespace {

class Descompilar : public ReadBackFixture {
  protected:
    // Decodes `memory` and takes it into the main window.
    void descompilar(const readback::NodeImage& memory) {
        readback::ReadBackBuffer buffer{};
        std::copy(memory.begin(), memory.end(), buffer.begin());
        readback::ConfNodo conf;
        readback::analizaRx(buffer, conf);
        readback::descompilar(conf, form, app.session, app.blocks,
                              [this] { app.StartUpControls(); });
    }
    static readback::NodeImage image(std::initializer_list<int> scan, int pri1, int pri2) {
        readback::NodeImage m{};
        int i = 0;
        for (int b : scan) m[i++] = std::uint8_t(b);
        m[229] = std::uint8_t(scan.size());
        m[216] = std::uint8_t(pri1), m[217] = std::uint8_t(pri1 >> 8);
        m[218] = std::uint8_t(pri2), m[219] = std::uint8_t(pri2 >> 8);
        return m;
    }
    bool inFree(int block) const {
        for (const QString& e : form.lstBlockFree.items())
            if (compiler::textInt(e) == block) return true;
        return false;
    }
};

TEST_F(Descompilar, PriorityRepeatsLeaveTheUsedList) {
    descompilar(image({10, 11, 0, 1, 10, 11}, 10, 11));
    EXPECT_EQ(form.lstUsed.items(), QStringList({"000", "001"}));
    EXPECT_EQ(form.txtPri[0].text(), "10");
    EXPECT_EQ(form.txtPri[1].text(), "11");
    for (int b : {0, 1, 10, 11}) EXPECT_FALSE(inFree(b)) << b;
    EXPECT_TRUE(inFree(2));
    // High memory is on whatever the image holds, and nothing is compiled.
    EXPECT_TRUE(form.mnMemH.checked());
    EXPECT_TRUE(app.session.memH);
    EXPECT_TRUE(inFree(255));
    EXPECT_EQ(form.lstCompilado.count(), 0);
}

TEST_F(Descompilar, NoPriorityBlocksLeaveTheFieldsEmpty) {
    form.txtPri[0].setText(QStringLiteral("007"));
    descompilar(image({5, 6}, 0xFFFF, 0xFFFF));
    EXPECT_EQ(form.lstUsed.items(), QStringList({"005", "006"}));
    EXPECT_EQ(form.txtPri[0].text(), "");
    EXPECT_EQ(form.txtPri[1].text(), "");
}

// The block map follows: used and priority blocks from the image, high memory offered.
TEST_F(Descompilar, TheBlockMapShowsTheDecodedProgram) {
    using State = exchange::BlockMap::State;
    const exchange::BlockMap& map = app.blockMap;
    form.lstUsed.addItem(QStringLiteral("030"));
    ASSERT_EQ(map.cell(30).state, State::Used);
    descompilar(image({10, 11, 0, 200, 10, 11}, 10, 11));
    const std::pair<int, exchange::BlockMap::Cell> cells[] = {
        {0, {State::Used, 0, false, false}},     {200, {State::Used, 0, true, false}},
        {10, {State::Priority, 1, false, false}}, {11, {State::Priority, 2, false, false}},
        {30, {State::Free, 0, false, false}},     {1, {State::Free, 0, false, true}},
        {255, {State::Free, 0, true, false}},     {100, {State::Unavailable, 0, false, false}},
    };
    for (const auto& [block, cell] : cells) EXPECT_TRUE(map.cell(block) == cell) << block;
}

TEST_F(Descompilar, ABlockTheFreeListLacksIsStillUsed) {
    descompilar(image({5, 5, 40}, 0xFFFF, 0xFFFF));
    EXPECT_EQ(form.lstUsed.items(), QStringList({"005", "005", "040"}));
    EXPECT_FALSE(inFree(5));
}

TEST_F(Descompilar, IdsSpeedsAndNetworkAreSelectedWhereTheListsHaveThem) {
    form.opPortPLC[0].setValue(true);
    readback::NodeImage m = image({1}, 0xFFFF, 0xFFFF);
    m[220] = 7, m[221] = 12;       // ids 485 and 232
    m[222] = 0x80, m[223] = 0x25;  // 232 at 9600
    m[224] = 0x58, m[225] = 0x02;  // 485 at 600
    const std::uint8_t net[] = {192, 168, 1, 10, 255, 255, 255, 0, 0xC3, 0x50};
    std::copy(std::begin(net), std::end(net), m.begin() + 232);
    m[226] = 1;  // port B: not applied
    descompilar(m);
    EXPECT_EQ(form.cbId485.text(), "7");
    EXPECT_EQ(form.cbId232.text(), "12");
    EXPECT_EQ(form.cbBaudios232.text(), "9600");
    EXPECT_EQ(form.cbBaudios485.text(), "600");
    EXPECT_EQ(form.txtIP[0].text(), "192");
    EXPECT_EQ(form.txtIP[3].text(), "10");
    EXPECT_EQ(form.txtMsk[3].text(), "0");
    EXPECT_EQ(form.txtPort.text(), "50000");
    EXPECT_TRUE(form.opPortPLC[0].value());
}

TEST_F(Descompilar, ValuesNoListHasKeepTheResetSelection) {
    readback::NodeImage m = image({}, 0xFFFF, 0xFFFF);
    m[220] = 0, m[221] = 0;        // the id lists start at 1
    m[222] = 0x39, m[223] = 0x30;  // 12345 baud
    m[224] = 0xFF, m[225] = 0xFF;
    descompilar(m);
    EXPECT_EQ(form.cbId485.listIndex(), 0);
    EXPECT_EQ(form.cbId232.listIndex(), 0);
    EXPECT_EQ(form.cbBaudios232.text(), "4800");
    EXPECT_EQ(form.cbBaudios485.text(), "19200");
}

TEST_F(Descompilar, AnEntryCountBeyondTheImageTakesWhatItHolds) {
    readback::NodeImage m{};
    m.fill(3);
    m[229] = 255;
    m[216] = m[217] = m[218] = m[219] = 0xFF;
    descompilar(m);
    EXPECT_EQ(form.lstUsed.count(), readback::MaxScanEntries);
}

// --- the round trip ---

struct RoundTrip {
    const char* name;
    QStringList used;
    QString pri1, pri2;
    bool highMemory;
};

class RoundTrips : public Descompilar, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(RoundTrips, CompilingAgainGivesTheSameScanList) {
    const RoundTrip c = GetParam();
    select(c.used, c.pri1, c.pri2, c.highMemory);
    ASSERT_TRUE(form.cmdProgramar.visible()) << form.lbCompilado.caption().toStdString();
    const QStringList first = form.lstCompilado.items();
    const auto image = compiler::buildImage(app.session.hardVer, app.session.softVer,
                                            exchange::imageSnapshot(form));

    descompilar(nodeMemoryOf(image));
    form.cmdCompilar.press();

    QList<int> before, after;
    for (const QString& e : first) before << compiler::textInt(e);
    for (const QString& e : form.lstCompilado.items()) after << compiler::textInt(e);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(before.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Selections, RoundTrips,
    ::testing::Values(
        RoundTrip{"TwoPriorities", {"000", "001", "002", "003", "004"}, "010", "011", false},
        RoundTrip{"FirstPriorityOnly", {"005", "006", "007", "008"}, "020", {}, false},
        RoundTrip{"SecondPriorityOnly", {"005", "006", "007"}, {}, "021", false},
        RoundTrip{"NoPriority", {"031", "000", "017"}, {}, {}, false},
        RoundTrip{"OddUsedCount", {"001", "002", "003"}, "009", "008", false},
        RoundTrip{"PrioritiesOnly", {}, "004", "003", false},
        RoundTrip{"HighMemory", {"200", "201", "002", "255"}, "250", "192", true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
