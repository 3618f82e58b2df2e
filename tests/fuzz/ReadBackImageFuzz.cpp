// A node's memory as read back, and arbitrary 301-byte read-back buffers: decoded the way the
// window "Programa recuperado" decodes them (AnalizaRx), then taken back into the main window
// ("Descompilar"). Whatever the bytes say:
//  - the texts show every buffer byte and at most 217 scan entries, as many as the count byte
//    says up to that;
//  - the used list holds the scan entries without the priority blocks, in order; no block is
//    both free and used, the free list stays in ascending order;
//  - every numeric field ends inside its range and every list selection inside its list;
// and nothing outside the buffer is read (AddressSanitizer).
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include "AnalizaRx.h"
#include "Descompilar.h"
#include "FuzzApp.h"
#include "compiler/Text.h"

namespace {

using namespace brisa::readback;

QTemporaryDir* folder = nullptr;

void broken(const QString& what) { fuzz::broken("read-back image", what); }

void checkTexts(const ReadBackBuffer& b, const DwPrgTexts& t) {
    if (t.lstPrg.size() != ReadBackSize) broken(QStringLiteral("lstPrg does not show every byte"));
    for (int i = 0; i < ReadBackSize; ++i)
        if (t.lstPrg[i] != QString::number(b[i]))
            broken(QStringLiteral("lstPrg shows another byte"));
    const int entries = std::min<int>(b[Offset::EntryCount], MaxScanEntries);
    if (t.lstBloques.size() != entries) broken(QStringLiteral("lstBloques has another count"));
    for (int i = 0; i < entries; ++i)
        if (t.lstBloques[i] != QString::number(b[Offset::ScanList + i]))
            broken(QStringLiteral("lstBloques shows another entry"));
}

void checkWindow(const ConfNodo& conf, const brisa::form::MainForm& form) {
    using brisa::compiler::textValue;
    const auto isPriority = [&](int block) {
        return (conf.priority1 >= 0 && conf.priority1 <= 255 && block == conf.priority1) ||
               (conf.priority2 >= 0 && conf.priority2 <= 255 && block == conf.priority2);
    };
    QStringList expected;
    for (int i = 0; i < conf.storedEntries(); ++i)
        if (!isPriority(conf.scanEntries[i]))
            expected << QStringLiteral("%1").arg(conf.scanEntries[i], 3, 10, QLatin1Char('0'));
    if (form.lstUsed.items() != expected)
        broken(QStringLiteral("the used list is not the scan list without the priorities: ") +
               form.lstUsed.items().join(u','));
    const QStringList free = form.lstBlockFree.items();
    for (const QString& used : form.lstUsed.items())
        if (free.contains(used)) broken(QStringLiteral("block both free and used: ") + used);
    for (qsizetype i = 1; i < free.size(); ++i)
        if (textValue(free[i - 1]) >= textValue(free[i]))
            broken(QStringLiteral("the free list is out of order at ") + free[i]);
    if (const QString bad = fuzz::windowOutOfRange(form); !bad.isEmpty())
        broken(QStringLiteral("after Descompilar the window shows ") + bad);
    for (int i = 0; i < 4; ++i)
        if (form.txtIP[i].text() != QString::number(conf.ip[i]))
            broken(QStringLiteral("txtIP does not show the address"));
    if (form.txtPort.text() != QString::number(conf.tcpPort))
        broken(QStringLiteral("txtPort does not show the TCP port"));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ReadBackBuffer buffer{};
    std::copy_n(data, std::min<std::size_t>(size, ReadBackSize), buffer.begin());

    fuzz::FuzzApp f;
    brisa::App& app = *f.app;

    // Any buffer, decoded and taken back into the window.
    ConfNodo conf;
    checkTexts(buffer, analizaRx(buffer, conf));
    descompilar(conf, app.form, app.session, app.blocks, {});
    checkWindow(conf, app.form);

    // A node's memory image the way a reading hands it over, then "Descompilar" as pressed.
    NodeImage image{};
    std::copy_n(buffer.begin(), NodeImageSize, image.begin());
    app.readBack.takeImage(image);
    const ReadBackBuffer& held = app.readBack.buffer();
    if (!std::equal(image.begin(), image.end(), held.begin()))
        broken(QStringLiteral("the image is not what the buffer holds"));
    app.dwPrg.cmdDescompilar.press();
    checkWindow(app.readBack.confNodo(), app.form);

    // "Salvar": exactly the buffer's 301 bytes.
    if (size > ReadBackSize && data[ReadBackSize] % 8 == 0) {
        const QString path = folder->filePath(QStringLiteral("nodo.nd"));
        if (!app.readBack.saveTo(path)) broken(QStringLiteral("the buffer could not be saved"));
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly) ||
            file.readAll() != QByteArray(reinterpret_cast<const char*>(held.data()), ReadBackSize))
            broken(QStringLiteral("the .nd file is not the buffer"));
    }
    return 0;
}
