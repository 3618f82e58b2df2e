// "Recuperar configuración desde el nodo": the chain of reads, the window frmDwPrg, what a
// broken chain leaves, saving ".nd" files.
#include <QDir>
#include <QFile>

#include "Frame.h"
#include "ReadBackFixture.h"

using namespace brisa;

namespace {

// Messages kept for the test to read.
class RecordingPresenter : public MessagePresenter {
  public:
    void information(const QString&, const QString& text) override { texts << text; }
    void warning(const QString& title, const QString& text) override {
        texts << title + ": " + text;
    }
    QStringList texts;
};

class ReadBackChain : public ReadBackFixture {
  protected:
    ReadBackChain() {
        chooseNode(false, QStringLiteral("2.00"));
        for (int i = 0; i < readback::NodeImageSize; ++i) memory[i] = std::uint8_t(i * 7);
        memory[229] = 4;
    }
    QList<int> readsRequested(qsizetype from = 0) const {
        QList<int> blocks;
        for (qsizetype i = from; i < port->written.size(); ++i)
            if (quint8(port->written[i].at(1)) == ztklink::frame::Command::Read)
                blocks << quint8(port->written[i].at(2));
        return blocks;
    }
    readback::NodeImage memory{};
    readback::DwPrgForm& dw = app.dwPrg;
};

TEST_F(ReadBackChain, ReadsBlocks100To115IntoTheBufferAndDecodes) {
    form.nmRecupProg.choose();
    EXPECT_TRUE(dw.window.visible());
    EXPECT_TRUE(form.pointer.busy());
    EXPECT_FALSE(form.nmRecupProg.enabled());
    EXPECT_FALSE(dw.cmdSave.enabled());
    EXPECT_EQ(answerAllReads(memory), 16);

    QList<int> expected;
    for (int b = 100; b <= 115; ++b) expected << b;
    EXPECT_EQ(readsRequested(), expected);
    const readback::ReadBackBuffer& buffer = app.readBack.buffer();
    EXPECT_TRUE(std::equal(memory.begin(), memory.end(), buffer.begin()));
    EXPECT_TRUE(std::all_of(buffer.begin() + 256, buffer.end(), [](auto b) { return b == 0; }));
    EXPECT_EQ(dw.lstPrg.count(), 301);
    EXPECT_EQ(dw.lstBloques.items(), QStringList({"0", "7", "14", "21"}));
    EXPECT_EQ(dw.lbBlUsed.caption(), "4");
    EXPECT_EQ(dw.Pg1.value(), dw.Pg1.max());
    EXPECT_EQ(app.readBack.confNodo().entryCount, 4);
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_FALSE(app.exchange.running());
    EXPECT_TRUE(form.nmRecupProg.enabled());
    EXPECT_TRUE(dw.cmdSave.enabled());
    EXPECT_TRUE(dw.cmdDescompilar.enabled());

    dw.lstPrg.setListIndex(229);
    EXPECT_EQ(dw.lbIndex.caption(), "229");

    // "Cerrar" keeps the buffer and the record.
    dw.cmdExit.press();
    EXPECT_FALSE(dw.window.visible());
    EXPECT_EQ(app.readBack.buffer()[229], 4);
    EXPECT_EQ(app.readBack.confNodo().scanEntries[1], 7);
}

struct BreakCase {
    const char* name;
    std::function<void(ReadBackChain&)> breakChain;
};

class BrokenChains : public ReadBackChain, public ::testing::WithParamInterface<BreakCase> {
  public:
    void advance(int ms) { clock.advance(ms); }
    void replyFor(int block) {
        const auto f = ztklink::frame::blockFrame(1, ztklink::frame::Command::Read,
                                                  std::uint8_t(block), ztklink::frame::Data{});
        port->receive(QByteArray(reinterpret_cast<const char*>(f.data()), 20));
    }
};

TEST_P(BrokenChains, KeepThePreviousImageAndOfferNothingHalfRead) {
    form.nmRecupProg.choose();
    answerAllReads(memory);
    const readback::ReadBackBuffer before = app.readBack.buffer();

    readback::NodeImage other{};
    other.fill(0x55);
    form.nmRecupProg.choose();
    for (int i = 0; i < 5; ++i) answerRead(other);
    GetParam().breakChain(*this);

    EXPECT_FALSE(app.exchange.running());
    EXPECT_FALSE(form.pointer.busy());
    EXPECT_EQ(app.readBack.buffer(), before);
    EXPECT_EQ(app.readBack.confNodo().entryCount, 4);
    EXPECT_FALSE(dw.cmdSave.enabled());
    EXPECT_FALSE(dw.cmdDescompilar.enabled());
    EXPECT_EQ(dw.lstPrg.count(), 0);
    EXPECT_TRUE(dw.lbEstado.caption().startsWith("Error")) << dw.lbEstado.caption().toStdString();
    // A late reply changes nothing; choosing the menu again starts over.
    const qsizetype sent = port->written.size();
    answerRead(other);
    EXPECT_EQ(port->written.size(), sent);
    form.nmRecupProg.choose();
    EXPECT_EQ(lastBlock(), 100);
    answerAllReads(other);
    EXPECT_EQ(app.readBack.buffer()[0], 0x55);
    EXPECT_TRUE(dw.cmdSave.enabled());
}

INSTANTIATE_TEST_SUITE_P(Breaks, BrokenChains,
                         ::testing::Values(BreakCase{"NoReply",
                                                     [](ReadBackChain& t) {
                                                         static_cast<BrokenChains&>(t).advance(
                                                             exchange::ReplyWatchdogMs);
                                                     }},
                                           BreakCase{"ReplyForAnotherBlock",
                                                     [](ReadBackChain& t) {
                                                         // Block 105 was asked; a repeat of block
                                                         // 104's reply comes.
                                                         static_cast<BrokenChains&>(t).replyFor(
                                                             104);
                                                     }}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReadBackChain, DescompilarIsRefusedWhileAnExchangeRuns) {
    form.nmRecupProg.choose();
    answerAllReads(memory);
    compileSomeBlocks();
    form.cmdProgramar.press();
    EXPECT_FALSE(dw.cmdDescompilar.enabled());
    app.readBack.cmdDescompilar_Click();  // even called directly
    EXPECT_EQ(form.lstCompilado.count(), 5);
    acknowledgeAll();
    EXPECT_TRUE(dw.cmdDescompilar.enabled());
}

class SaveNd : public ::testing::Test {
  protected:
    SaveNd() {
        app.session.appFolder = dir.path() + QLatin1Char('/');
        app.handlers.FillPortLists();
        app.form.opNodo232x485.setValue(true);
    }
    void readImage(std::uint8_t count) {
        readback::NodeImage m{};
        m.fill(0xA5);
        m[229] = count;
        app.readBack.takeImage(m);
    }
    QTemporaryDir dir;
    RecordingPresenter messages;
    App app{messages};
};

TEST_F(SaveNd, WritesExactly301BytesOverAnyEarlierFile) {
    readImage(9);
    const QString path = dir.filePath("nodo.nd");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'x'));
    old.close();

    QStringList asked;
    QObject::connect(&app.readBack, &readback::DwPrgHandlers::saveRequested,
                     [&] { asked << "path"; });
    app.dwPrg.cmdSave.press();
    EXPECT_EQ(asked.size(), 1);
    EXPECT_TRUE(app.readBack.saveTo(path));

    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    ASSERT_EQ(bytes.size(), 301);
    EXPECT_EQ(quint8(bytes[229]), 9);
    EXPECT_EQ(quint8(bytes[0]), 0xA5);
    EXPECT_EQ(bytes.mid(256), QByteArray(45, '\0'));
    EXPECT_TRUE(messages.texts.isEmpty());
    EXPECT_FALSE(app.form.pointer.busy());
}

TEST_F(SaveNd, AFailureNamesTheFileAndLeavesNoPartialFile) {
    readImage(1);
    const QString path = dir.filePath("no-existe/nodo.nd");
    EXPECT_FALSE(app.readBack.saveTo(path));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].startsWith(
        "Guardar configuración nodo: No se pudo guardar el archivo \"" + path + "\": "))
        << messages.texts[0].toStdString();
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(SaveNd, NothingToSaveBeforeAWholeImage) {
    bool asked = false;
    QObject::connect(&app.readBack, &readback::DwPrgHandlers::saveRequested, [&] { asked = true; });
    app.readBack.cmdSave_Click();
    EXPECT_FALSE(asked);
}

}  // namespace
