// Files that are not what the program expects: a read-only application folder at shutdown, a
// "Brisa.ini" that is a folder, a program file of 10 MB, a program file with NUL bytes and
// bytes that are no Windows-1252 character. Each ends in a message or a refusal, never a crash,
// and no file is ever left half-written.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "CliRun.h"
#include "DrillWindow.h"
#include "IniFile.h"

namespace {

using namespace drills;

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Everything inside a folder, recursively, with sizes: what a half-written file would change.
QStringList listing(const QString& folder) {
    QStringList all;
    QDir dir(folder);
    for (const QFileInfo& i :
         dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name)) {
        all << i.fileName() + QStringLiteral(" ") + QString::number(i.isDir() ? -1 : i.size());
        if (i.isDir())
            for (const QString& inner : listing(i.filePath())) all << i.fileName() + u'/' + inner;
    }
    return all;
}

// The log lines the program writes (qWarning and its categories) while it lives.
class LogCapture {
  public:
    LogCapture() {
        lines().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& m) { lines() << m; });
    }
    ~LogCapture() { qInstallMessageHandler(previous_); }
    static QStringList& lines() {
        static QStringList all;
        return all;
    }

  private:
    QtMessageHandler previous_;
};

// Folders made read-only (mode 0555) for as long as this lives. The drills run as root on the
// CI machines, and root writes into any folder: this thread then also goes without the
// capabilities that let it (CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH), as an ordinary user.
class ReadOnly {
  public:
    explicit ReadOnly(const QStringList& folders) : folders_(folders) {
        for (const QString& f : folders_)
            QFile::setPermissions(f, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup |
                                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, saved_) != 0) return;
        __user_cap_data_struct reduced[2] = {saved_[0], saved_[1]};
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = ::syscall(SYS_capset, &header_, reduced) == 0;
    }
    ~ReadOnly() {
        if (dropped_) ::syscall(SYS_capset, &header_, saved_);
        for (const QString& f : folders_)
            QFile::setPermissions(f, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // Whether a file can still be created in `folder` (then the drill cannot be run here).
    static bool writable(const QString& folder) {
        QFile probe(folder + QStringLiteral("/.probe"));
        if (!probe.open(QIODevice::WriteOnly)) return false;
        probe.remove();
        return true;
    }

  private:
    QStringList folders_;
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
    bool dropped_ = false;
};

// A window started over `folder`, messages recorded.
struct Started {
    explicit Started(const QString& folder) : app(startWindowCore(messages, folder)) {}
    RecordingPresenter messages;
    std::unique_ptr<brisa::App> app;
};

// brisa-cli's exit: a message and 0, 1 or 2, never a signal.
void endsWithAMessage(const CliRun& cli) {
    EXPECT_TRUE(cli.exitedNormally()) << cli.describe().toStdString();
    EXPECT_TRUE(cli.exitCode() >= 0 && cli.exitCode() <= 2) << cli.describe().toStdString();
    if (cli.exitCode() != 0) {
        EXPECT_FALSE(cli.err().isEmpty()) << cli.describe().toStdString();
    }
}

TEST(Files, AReadOnlyApplicationFolderAtShutdown) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Brisa.ini"));
    ASSERT_TRUE(writeAll(settings, "[Sets]\r\nBaudios=4800\r\nPort=1\r\n; del usuario\r\n"));
    Started s(dir.path());
    const QString files = dir.filePath(QStringLiteral("Files"));
    ASSERT_TRUE(QFileInfo(files).isDir());
    s.app->form.txtIP[0].setText(QStringLiteral("10"));  // something to save
    const QByteArray before = readAll(settings);
    const QStringList contents = listing(dir.path());

    LogCapture log;
    {
        ReadOnly readOnly({dir.path(), files});
        ASSERT_FALSE(ReadOnly::writable(dir.path())) << "the folder could not be made read-only";
        // "Salvar" into the read-only "Files" folder: refused with a message.
        s.messages.shown.clear();
        EXPECT_FALSE(s.app->files.saveProgramFile(files + QStringLiteral("/planta.nod")));
        ASSERT_EQ(s.messages.shown.size(), 1);
        EXPECT_TRUE(s.messages.shown[0].contains(QLatin1String("No se pudo guardar el archivo")))
            << s.messages.shown[0].toStdString();
        // Closing ("Terminar", the window's close button): never refused, the failure logged.
        s.app->requestQuit();
    }
    EXPECT_EQ(readAll(settings), before);
    EXPECT_EQ(listing(dir.path()), contents) << "a file was left behind";
    EXPECT_TRUE(LogCapture::lines().join(u'\n').contains(
        QLatin1String("settings file not saved at closing")))
        << LogCapture::lines().join(u'\n').toStdString();
}

TEST(Files, ASettingsFileThatIsAFolder) {
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("Brisa.ini"));
    ASSERT_TRUE(QDir().mkpath(settings));
    ASSERT_TRUE(writeAll(settings + QStringLiteral("/guardado.txt"), "del usuario"));
    {
        Started s(dir.path());
        ASSERT_EQ(s.messages.shown.size(), 1) << s.messages.shown.join(u'\n').toStdString();
        EXPECT_TRUE(s.messages.shown[0].contains(QStringLiteral("dañado")))
            << s.messages.shown[0].toStdString();
        // The folder is set aside whole, and the program starts from the defaults.
        EXPECT_EQ(readAll(dir.filePath(QStringLiteral("Brisa.ini.bad/guardado.txt"))),
                  "del usuario");
        EXPECT_EQ(s.app->form.cbPSerie.listIndex(), 0);
        s.app->shutDown();
    }
    // The settings file is written whole at the closing.
    const auto written = brisa::IniFile::load(settings);
    ASSERT_TRUE(written.has_value());
    EXPECT_TRUE(written->value(QStringLiteral("Sets"), QStringLiteral("Port")).has_value());
    EXPECT_TRUE(readAll(settings).endsWith("\r\n"));

    // brisa-cli next to a "Brisa.ini" folder, asked for COM1: (looked up in that file).
    QTemporaryDir cliDir;
    for (const QString& part :
         {QStringLiteral(BRISA_CLI_PATH), QStringLiteral(ZTKLINK_LIBRARY_PATH)})
        ASSERT_TRUE(QFile::copy(part, cliDir.filePath(QFileInfo(part).fileName())));
    ASSERT_TRUE(QDir().mkpath(cliDir.filePath(QStringLiteral("Brisa.ini"))));
    CliRun cli;
    cli.start({QStringLiteral("query"), QStringLiteral("--port"), QStringLiteral("COM1"),
               QStringLiteral("--baud"), QStringLiteral("19200")},
              cliDir.filePath(QFileInfo(QStringLiteral(BRISA_CLI_PATH)).fileName()));
    ASSERT_TRUE(cli.wait());
    endsWithAMessage(cli);
    EXPECT_TRUE(QFileInfo(cliDir.filePath(QStringLiteral("Brisa.ini"))).isDir());
}

TEST(Files, AProgramFileOfTenMegabytes) {
    QTemporaryDir dir;
    Started s(dir.path());
    brisa::App& app = *s.app;
    QByteArray big = readAll(dataFile("serial.nod"));
    const QByteArray filler = "; relleno que ningún programa escribió\r\n";
    while (big.size() < 10 * 1024 * 1024) big += filler;
    const QString path = dir.filePath(QStringLiteral("grande.nod"));
    ASSERT_TRUE(writeAll(path, big));

    const brisa::NodeConfig record = app.session.config;
    const QString ip = app.form.txtIP[0].text();
    const QStringList used = app.form.lstUsed.items();
    QElapsedTimer clock;
    clock.start();
    s.messages.shown.clear();
    EXPECT_FALSE(app.files.loadProgramFile(path));
    EXPECT_LT(clock.elapsed(), 3000);
    ASSERT_EQ(s.messages.shown.size(), 1);
    EXPECT_TRUE(s.messages.shown[0].contains(QLatin1String("demasiado grande")))
        << s.messages.shown[0].toStdString();
    EXPECT_TRUE(app.session.config == record);
    EXPECT_EQ(app.form.txtIP[0].text(), ip);
    EXPECT_EQ(app.form.lstUsed.items(), used);

    // "Salvar" over it: refused, and the file stays as it was.
    s.messages.shown.clear();
    EXPECT_FALSE(app.files.saveProgramFile(path));
    EXPECT_EQ(s.messages.shown.size(), 1);
    EXPECT_EQ(readAll(path), big);

    // A settings file of that size at start-up is set aside, and the program starts.
    QTemporaryDir other;
    ASSERT_TRUE(writeAll(other.filePath(QStringLiteral("Brisa.ini")), big));
    Started again(other.path());
    ASSERT_EQ(again.messages.shown.size(), 1);
    EXPECT_TRUE(again.messages.shown[0].contains(QLatin1String("demasiado grande")));
    EXPECT_EQ(readAll(other.filePath(QStringLiteral("Brisa.ini.bad"))).size(), big.size());

    CliRun cli;
    cli.start({QStringLiteral("compile"), path});
    ASSERT_TRUE(cli.wait(10000));
    endsWithAMessage(cli);
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.err().contains(QLatin1String("demasiado grande")))
        << cli.describe().toStdString();
    EXPECT_LT(cli.elapsedMs(), 5000);
}

TEST(Files, AProgramFileWithNulBytesAndBytesNoCodePageCharacter) {
    QTemporaryDir dir;
    Started s(dir.path());
    brisa::App& app = *s.app;
    const QByteArray original = readAll(dataFile("serial.nod"));
    ASSERT_TRUE(original.contains("[Net]\r\n"));

    // In texts: loaded; the bytes the code page lacks show as U+FFFD, NUL stays NUL.
    static const char kTexts[] =
        "[Net]\r\nFrom=pla\0nta\x81\x8d\x8f\x90\x9d@ejemplo.com\r\n0Msg=\0\0\0\r\n\0\0\0\0\r\n";
    QByteArray texts = original;
    texts.replace("[Net]\r\n", QByteArray(kTexts, sizeof kTexts - 1));
    const QString textsPath = dir.filePath(QStringLiteral("textos.nod"));
    ASSERT_TRUE(writeAll(textsPath, texts));
    s.messages.shown.clear();
    ASSERT_TRUE(app.files.loadProgramFile(textsPath)) << s.messages.shown.join(u'\n').toStdString();
    EXPECT_EQ(app.form.txtRemitente.text(),
              QStringLiteral("pla") + QChar(0) + QStringLiteral("nta") +
                  QString(5, QChar::ReplacementCharacter) + QStringLiteral("@ejemplo.com"));
    EXPECT_EQ(app.form.txtMensaje[0].text(), QString(3, QChar(0)));
    // "Salvar": the file is whole and loads back; the bytes the code page lacks are now "?".
    const QString saved = dir.filePath(QStringLiteral("Files/salvado.nod"));
    ASSERT_TRUE(app.files.saveProgramFile(saved)) << s.messages.shown.join(u'\n').toStdString();
    const QByteArray savedBytes = readAll(saved);
    EXPECT_TRUE(savedBytes.endsWith("\r\n"));
    static const char kSaved[] = "From=pla\0nta?????@ejemplo.com\r\n";
    EXPECT_TRUE(savedBytes.contains(QByteArray(kSaved, sizeof kSaved - 1)));
    ASSERT_TRUE(app.files.loadProgramFile(saved));

    // In a number: the file is refused, naming the key, and nothing changes.
    QByteArray number = original;
    static const char kNumber[] = "Baud232=\0";
    number.replace("Baud232=", QByteArray(kNumber, sizeof kNumber - 1));
    const QString numberPath = dir.filePath(QStringLiteral("numero.nod"));
    ASSERT_TRUE(writeAll(numberPath, number));
    const brisa::NodeConfig record = app.session.config;
    s.messages.shown.clear();
    EXPECT_FALSE(app.files.loadProgramFile(numberPath));
    ASSERT_EQ(s.messages.shown.size(), 1);
    EXPECT_TRUE(s.messages.shown[0].contains(QLatin1String("Baud232")))
        << s.messages.shown[0].toStdString();
    EXPECT_TRUE(app.session.config == record);

    for (const QString& path : {textsPath, numberPath}) {
        CliRun cli;
        cli.start({QStringLiteral("compile"), path});
        ASSERT_TRUE(cli.wait(10000));
        endsWithAMessage(cli);
        EXPECT_EQ(cli.exitCode(), path == textsPath ? 0 : 1) << cli.describe().toStdString();
    }
}

}  // namespace
