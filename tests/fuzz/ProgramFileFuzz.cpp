// Program files loaded the way "Car&gar " loads them (ConfigFiles::loadProgramFile), on a
// configurator set up as the window's start-up leaves it. Whatever the file holds:
//  - a refused file leaves the record and the window as they were, and the user is told;
//  - a loaded file leaves every numeric field inside its range and every list selection
//    inside its list; every value outside them is skipped and named in a message;
//  - the window, saved as "Salvar" saves it and loaded again, comes back the same and without
//    any message (texts as the code page holds them);
//  - compiling and building every block of the image from it never fails.
// The input is the file itself; its length being odd picks the Ethernet node type.
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "FormSnapshot.h"
#include "FuzzApp.h"
#include "IniFile.h"
#include "NumberText.h"
#include "compiler/Image.h"

namespace {

QTemporaryDir* folder = nullptr;

void broken(const QString& what) { fuzz::broken("program file", what); }

QStringList asTheCodePageHoldsIt(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines) out << brisa::IniFile::decode(brisa::IniFile::encode(l));
    return out;
}

// A free list that holds a block twice loses only one of them to the used list on a load (as
// it always has); the second goes on the next load. The window is compared without the used
// blocks in the free list.
QStringList withoutUsedInFree(QStringList state, const brisa::form::MainForm& form) {
    const QString prefix = form.lstBlockFree.objectName() + u'=';
    for (QString& line : state) {
        if (!line.startsWith(prefix)) continue;
        QStringList items = form.lstBlockFree.items();
        items.removeIf([&](const QString& b) { return form.lstUsed.items().contains(b); });
        line = prefix + QString::number(form.lstBlockFree.listIndex()) + u':' + items.join(u'|');
    }
    return state;
}

// The keys of `file` whose value lies outside its list or its entry field's range: what a
// load must skip and name.
QStringList outOfRange(const QByteArray& file, const brisa::form::MainForm& form) {
    using brisa::form::ListControl;
    using brisa::form::TextBox;
    const brisa::IniFile ini = brisa::IniFile::fromBytes(file);
    QStringList keys;
    const auto field = [&](const char* section, const QString& key, const TextBox& box) {
        const auto text = ini.value(QLatin1String(section), key);
        if (!text) return;
        const auto n = brisa::parseInteger(*text);  // not a number: a huge one, as it loaded
        const auto range = box.range();
        if (!n || (range && (*n < range->min || *n > range->max))) keys << key;
    };
    const auto position = [&](const char* section, const char* key, const ListControl& list,
                              int offset) {
        const auto text = ini.value(QLatin1String(section), QLatin1String(key));
        const auto n = text ? brisa::parseInteger(*text) : std::nullopt;
        if (n && (*n - offset < 0 || *n - offset >= list.count())) keys << QLatin1String(key);
    };
    for (int i = 0; i < 4; ++i) {
        field("Net", QStringLiteral("%1IP").arg(i), form.txtIP[i]);
        field("Net", QStringLiteral("%1MASK").arg(i), form.txtMsk[i]);
        field("Net", QStringLiteral("%1Gate").arg(i), form.txtGW[i]);
    }
    field("Net", QStringLiteral("TcpPort"), form.txtPort);
    for (int n = 0; n < brisa::TriggerSets; ++n) {
        field("Net", QStringLiteral("%1VrTr").arg(n), form.txtTriggerMail[n]);
        field("Net", QStringLiteral("%1VlTr").arg(n), form.txtValTriggerMail[n]);
        if (n < brisa::MailAccounts)
            field("Net", QStringLiteral("%1VarAttch").arg(n), form.txtVarAttach[n]);
    }
    position("Sets", "Port", form.cbPSerie, 1);
    position("Sets", "SoftVer", form.cbSoftVer, 0);
    position("Net", "MinPop", form.cbMinutosPop, 0);
    position("Prog", "Baud232", form.cbBaudios232, 0);
    position("Prog", "Baud485", form.cbBaudios485, 0);
    position("Prog", "Id232", form.cbId232, 0);
    position("Prog", "Id485", form.cbId485, 0);
    const auto rta = ini.value(QStringLiteral("Net"), QStringLiteral("MailRta"));
    const auto n = rta ? brisa::parseInteger(*rta) : std::nullopt;
    if (n && (*n < 0 || *n >= brisa::MailAccounts)) keys << QStringLiteral("MailRta");
    return keys;
}

bool write(const QString& path, const char* data, std::size_t size) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           f.write(data, qint64(size)) == qint64(size);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    folder = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzApp f;
    brisa::App& app = *f.app;
    brisa::form::MainForm& form = app.form;
    if (size % 2) form.opNodoEth.setValue(true);

    const QString path = folder->filePath(QStringLiteral("entrada.nod"));
    if (!write(path, reinterpret_cast<const char*>(data), size))
        broken(QStringLiteral("cannot write the input"));

    const QStringList window = fuzz::windowState(form);
    const brisa::NodeConfig record = app.session.config;
    if (!app.files.loadProgramFile(path)) {
        if (fuzz::windowState(form) != window)
            broken(QStringLiteral("a refused file changed the window"));
        if (!(app.session.config == record))
            broken(QStringLiteral("a refused file changed the record"));
        if (f.messages.shown.isEmpty())
            broken(QStringLiteral("a file was refused without a message"));
        return 0;
    }
    if (const QString bad = fuzz::windowOutOfRange(form); !bad.isEmpty())
        broken(QStringLiteral("after a load the window shows ") + bad);
    const QString told = f.messages.shown.join(u'\n');
    for (const QString& key :
         outOfRange(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)), form))
        if (!told.contains(QStringLiteral(" ") + key + u',') &&
            !told.contains(QStringLiteral(" ") + key + u'.'))
            broken(QStringLiteral("the value of ") + key +
                   QStringLiteral(" was skipped without a word: ") + told);

    // "Salvar", then "Cargar" of what was saved.
    const QStringList loaded =
        asTheCodePageHoldsIt(withoutUsedInFree(fuzz::windowState(form, true), form));
    const QString saved = folder->filePath(QStringLiteral("salvado.nod"));
    QFile::remove(saved);
    f.messages.shown.clear();
    if (!app.files.saveProgramFile(saved))
        broken(QStringLiteral("the loaded window could not be saved: ") +
               f.messages.shown.join(u' '));
    // A program file never carries the software version (only the settings file does), and
    // loading one without it selects 1.50: put it in as the settings file would hold it.
    if (form.cbSoftVer.listIndex() >= 0) {
        auto file = brisa::IniFile::load(saved);
        if (!file) broken(QStringLiteral("what was saved cannot be read"));
        file->setValue(QStringLiteral("Sets"), QStringLiteral("SoftVer"),
                       QString::number(form.cbSoftVer.listIndex()));
        if (!file->save(saved)) broken(QStringLiteral("cannot add the software version"));
    }
    if (!app.files.loadProgramFile(saved))
        broken(QStringLiteral("what was saved is refused: ") + f.messages.shown.join(u' '));
    if (!f.messages.shown.isEmpty())
        broken(QStringLiteral("loading what was saved is not quiet: ") +
               f.messages.shown.join(u' '));
    const QStringList reloaded = withoutUsedInFree(fuzz::windowState(form, true), form);
    if (reloaded != loaded) {
        QString diff;
        for (qsizetype i = 0; i < reloaded.size() && i < loaded.size(); ++i)
            if (reloaded[i] != loaded[i])
                diff += loaded[i] + QStringLiteral(" -> ") + reloaded[i] + u' ';
        broken(QStringLiteral("the window does not come back the same: ") + diff);
    }

    // "Compilar", and every block "Programar" would send.
    form.cmdCompilar.press();
    const auto image = brisa::compiler::buildImage(app.session.hardVer, app.session.softVer,
                                                   brisa::exchange::imageSnapshot(form));
    if (image.isEmpty()) broken(QStringLiteral("no block to send"));
    return 0;
}
