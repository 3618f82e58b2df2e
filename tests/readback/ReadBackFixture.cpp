#include "ReadBackFixture.h"

#include "Frame.h"

using namespace brisa;

readback::NodeImage ReadBackFixture::nodeMemoryOf(const QList<compiler::ImageBlock>& image) {
    readback::NodeImage memory{};
    for (const compiler::ImageBlock& b : image) {
        int at = -1;
        if (compiler::isScanListBlock(b.block)) at = compiler::firstScanEntry(b.block);
        if (b.block == compiler::HeaderBlock) at = readback::Offset::Header;
        if (b.block == compiler::NetworkBlock) at = readback::Offset::Network;
        if (at >= 0) std::copy(b.bytes.begin(), b.bytes.end(), memory.begin() + at);
    }
    return memory;
}

bool ReadBackFixture::readPending() const {
    if (port->written.isEmpty()) return false;
    const QByteArray& f = port->written.last();
    const int block = quint8(f.at(2));
    return quint8(f.at(1)) == ztklink::frame::Command::Read && block >= readback::FirstImageBlock &&
           block <= readback::LastImageBlock;
}

void ReadBackFixture::answerRead(const readback::NodeImage& memory) {
    const int block = lastBlock();
    ztklink::frame::Data d{};
    std::copy_n(memory.begin() + (block - readback::FirstImageBlock) * 16, 16, d.begin());
    const auto frame =
        ztklink::frame::blockFrame(1, ztklink::frame::Command::Read, std::uint8_t(block), d);
    port->receive(QByteArray(reinterpret_cast<const char*>(frame.data()), qsizetype(frame.size())));
}

int ReadBackFixture::answerAllReads(const readback::NodeImage& memory) {
    int answered = 0;
    while (readPending()) {
        const qsizetype before = port->written.size();
        answerRead(memory);
        ++answered;
        if (port->written.size() == before) break;
    }
    return answered;
}

void ReadBackFixture::select(const QStringList& used, const QString& pri1, const QString& pri2,
                             bool highMemory) {
    chooseNode(false, QStringLiteral("2.00"));
    app.blocks.PrgClear();
    if (highMemory) form.mnMemH.choose();
    for (const QString& b : used) {
        form.lstBlockFree.setListIndex(form.lstBlockFree.find(b));
        form.cmdAdd.press();
    }
    const QString pri[] = {pri1, pri2};
    for (int i = 0; i < 2; ++i) {
        if (pri[i].isEmpty()) continue;
        form.lstBlockFree.setListIndex(form.lstBlockFree.find(pri[i]));
        (i == 0 ? form.cmdAddPri1 : form.cmdAddPri2).press();
    }
    form.cmdCompilar.press();
}
