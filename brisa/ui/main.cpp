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
#include "TipWindow.h"

namespace {

bool saveShot(QWidget& w, const QString& folder, const QString& name) {
    QApplication::processEvents();
    const QString file = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!w.grab().save(file)) {
        std::fprintf(stderr, "No se pudo escribir %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// The wizard at each step (on an Ethernet node, which has all five), the tips window and the
// help window at its contents and at a page's section.
int takeWizardAndHelpScreenshots(brisa::ui::MainWindow& window, brisa::App& app,
                                 const QString& folder) {
    app.dwPrg.window.setVisible(false);
    app.form.opNodoEth.setValue(true);
    app.form.cmdWizard.press();
    for (int step = 1; step <= brisa::wizard::Wizard::LastStep; ++step) {
        if (!saveShot(window.wizardWindow(), folder, QStringLiteral("7-asistente-%1").arg(step)))
            return 1;
        app.wizardForm.cmdSiguiente.press();
    }
    app.wizardForm.cmdAnterior.press();  // step 4: the e-mail page behind it
    if (!saveShot(window, folder, QStringLiteral("7-asistente-ventana"))) return 1;
    app.wizardForm.cmdTip.press();
    if (!saveShot(window.wizardWindow(), folder, QStringLiteral("7-asistente-sin-sugerencia")))
        return 1;
    if (!saveShot(window.wizardWindow().tipWindow(), folder, QStringLiteral("8-sugerencia")))
        return 1;
    app.tipForm.close();
    app.wizardForm.cmdCancel.press();
    window.showHelp();
    if (!saveShot(window.helpWindow(), folder, QStringLiteral("9-ayuda"))) return 1;
    app.form.Tab1.setCurrentPage(1);
    window.showPageHelp();
    if (!saveShot(window.helpWindow(), folder, QStringLiteral("9-ayuda-puertos"))) return 1;
    return 0;
}

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
    return takeWizardAndHelpScreenshots(window, app, folder);
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Brisa"));
    // The driver's "Acerca de" (CommZTK90::About) opens its window in this program.
    ztklink::widgets::install();

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
