#include "Headless.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>

#include "AppFolders.h"
#include "NumberText.h"
#include "compiler/ProgrammingSequence.h"

namespace brisacli {

void printError(const QString& text) {
    std::fprintf(stderr, "brisa-cli: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

void StderrPresenter::information(const QString& title, const QString& text) {
    printError(title + QStringLiteral(": ") + text);
}

void StderrPresenter::warning(const QString& title, const QString& text) {
    printError(title + QStringLiteral(": ") + text);
}

void startHeadless(brisa::App& app) {
    const brisa::AppFolders folders = brisa::chooseAppFolders(QCoreApplication::applicationDirPath());
    app.session.appFolder = folders.settings;
    app.session.dataFolder = folders.data;
    app.session.savesSettings = false;
    // A software version chosen here is a change of the list, not the user's choice that
    // the window saves into its settings file.
    QObject::disconnect(&app.form.cbSoftVer, &brisa::form::ListControl::click, &app.handlers,
                        nullptr);
    QObject::connect(&app.form.cbSoftVer, &brisa::form::ListControl::click, &app.nodeType,
                     &brisa::exchange::NodeType::cbSoftVer_Change);
    app.handlers.FillPortLists();
    app.handlers.cbMinutosPopStartUp();
    app.handlers.FillSoftVerList();
    app.ZTK90->setPuertoPLC(ztklink::B);
    app.form.opNodo232x485.setValue(true);
}

std::optional<Failure> loadProgram(brisa::App& app, const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        return Failure{1, QStringLiteral("No existe el archivo \"%1\".").arg(path)};
    if (!info.isFile() || !info.isReadable())
        return Failure{1, QStringLiteral("No se puede leer el archivo \"%1\".").arg(path)};
    if (!app.files.loadProgramFile(path))  // the core has said why on stderr
        return Failure{1, QStringLiteral("No se cargó el archivo \"%1\".").arg(path)};
    return std::nullopt;
}

std::optional<Failure> applyNodeChoices(brisa::App& app, const NodeChoices& c) {
    brisa::form::MainForm& f = app.form;
    (c.ethernet ? f.opNodoEth : f.opNodo232x485).setValue(true);
    if (c.softVer) {
        const auto value = brisa::parseDecimal(*c.softVer);
        const int position =
            value ? f.cbSoftVer.find(QString::number(*value, 'f', 2)) : -1;
        if (position < 0)
            return Failure{2, QStringLiteral("Versión de software no válida: \"%1\" (de 1.00 a "
                                             "2.00, por ejemplo 1.50).")
                                  .arg(*c.softVer)};
        f.cbSoftVer.setListIndex(position);
    }
    if (c.highMemory) {
        if (!f.mnMemH.enabled())
            return Failure{2, QStringLiteral("La memoria alta no está disponible para este tipo "
                                             "de nodo y versión de software.")};
        if (!f.mnMemH.checked()) f.mnMemH.choose();  // as the menu does: blocks 192..255 offered
    }
    if (c.tcpPort) f.txtPort.setText(QString::number(*c.tcpPort));
    return std::nullopt;
}

std::optional<Failure> compile(brisa::App& app) {
    // "&Compilar ", exactly as the window runs it.
    app.blocks.cmdCompilar_Click();
    if (!app.form.cmdProgramar.visible())
        return Failure{1, QStringLiteral("El nodo no puede recibir esta lista de bloques:\n") +
                              app.form.lbCompilado.caption().trimmed()};
    return std::nullopt;
}

}  // namespace brisacli
