#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <cstdio>

#include "AboutWindow.h"
#include "App.h"
#include "MainWindow.h"
#include "QtMessagePresenter.h"

namespace {

// Pictures of every page of the window into `folder`, for looking at the window without
// running it (tools/screenshots.sh). Ends the program without saving anything.
int takeScreenshots(brisa::ui::MainWindow& window, brisa::App& app, const QString& folder) {
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "No se pudo crear la carpeta %s\n", qPrintable(folder));
        return 1;
    }
    struct Shot {
        const char* name;
        int tab1, tabEth, tabMail;
    };
    const Shot shots[] = {{"0-tipo-nodo", 0, 0, 5}, {"1-puertos", 1, 0, 5},
                          {"2-ethernet", 2, 0, 5},  {"2-email-1", 2, 1, 0},
                          {"2-email-configuracion", 2, 1, 5}, {"2-email-correo", 2, 1, 6},
                          {"3-programa", 3, 0, 5},  {"4-interrogar", 4, 0, 5},
                          {"5-seteos", 5, 0, 5}};
    for (const Shot& s : shots) {
        app.form.Tab1.setCurrentPage(s.tab1);
        app.form.tabEth.setCurrentPage(s.tabEth);
        app.form.TabMail.setCurrentPage(s.tabMail);
        QApplication::processEvents();
        const QString file = QDir(folder).filePath(QString::fromLatin1(s.name) + QStringLiteral(".png"));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    // The read-back window with a node image as programming leaves it: priority blocks 10
    // and 11, used blocks 0 to 2, 192.168.1.10/255.255.255.0, TCP port 502.
    brisa::readback::NodeImage image{};
    const std::uint8_t scan[] = {10, 11, 0, 1, 10, 11, 2};
    std::copy(std::begin(scan), std::end(scan), image.begin());
    const std::uint8_t header[] = {10, 0, 11, 0, 5, 2, 0xC0, 0x12, 0x00, 0x4B, 1, 0, 0, 7};
    std::copy(std::begin(header), std::end(header), image.begin() + 216);
    const std::uint8_t network[] = {192, 168, 1, 10, 255, 255, 255, 0, 0x01, 0xF6};
    std::copy(std::begin(network), std::end(network), image.begin() + 232);
    app.dwPrg.window.setVisible(true);
    app.readBack.takeImage(image);
    app.dwPrg.lstPrg.setListIndex(229);
    QApplication::processEvents();
    // The program's and the link driver's About windows.
    const std::pair<const char*, QWidget*> windows[] = {
        {"6-programa-recuperado", &window.dwPrgWindow()},
        {"7-acerca-de", window.showAbout()},
        {"8-acerca-de-ztk90", ztklink::AboutWindow::showForThisThread()},
    };
    QApplication::processEvents();
    for (auto [name, shown] : windows) {
        const QString file = QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
        if (!shown || !shown->grab().save(file)) {
            std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(file));
            return 1;
        }
        std::printf("%s\n", qPrintable(file));
    }
    std::printf("ventana principal: %dx%d en una pantalla libre de %dx%d\n", window.frameGeometry().width(),
                window.frameGeometry().height(), window.screen()->availableGeometry().width(),
                window.screen()->availableGeometry().height());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisa"));

    // Qt's own texts (dialog buttons, file dialogs) in Spanish.
    QTranslator qtSpanish;
    if (qtSpanish.load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtSpanish);

    // Hidden option: --screenshots DIR writes a picture of each page and ends.
    const QStringList args = QApplication::arguments();
    const qsizetype shotsAt = args.indexOf(QStringLiteral("--screenshots"));
    const QString shotsFolder = shotsAt > 0 ? args.value(shotsAt + 1) : QString();

    brisa::ui::QtMessagePresenter boxes;
    brisa::ui::StderrMessagePresenter printed;
    brisa::MessagePresenter& messages =
        shotsFolder.isEmpty() ? static_cast<brisa::MessagePresenter&>(boxes) : printed;
    brisa::App app(messages);
    brisa::ui::MainWindow window(app);
    boxes.setParent(&window);
    app.startUp();
    window.fitToScreen();
    window.show();

    if (!shotsFolder.isEmpty()) return takeScreenshots(window, app, shotsFolder);
    return QApplication::exec();
}
