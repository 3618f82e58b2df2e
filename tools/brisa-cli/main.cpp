// brisa-cli: the configurator's core from the command line, for scripts and tests.
#include <QCoreApplication>
#include <QCommandLineParser>
#include <cstdio>

#include "Commands.h"
#include "Headless.h"

namespace {

int usageError(const QString& why) {
    if (!why.isEmpty()) brisacli::printError(why);
    std::fputs(brisacli::usageText().toLocal8Bit().constData(), stderr);
    return 2;
}

void addOptions(QCommandLineParser& p, int groups) {
    using namespace brisacli;
    const auto value = [](const char* name, const char* valueName) {
        return QCommandLineOption(QLatin1String(name), QString(), QLatin1String(valueName));
    };
    if (groups & NodeOptions)
        p.addOptions({value("node", "TIPO"), value("sw", "X.XX"),
                      QCommandLineOption(QStringLiteral("memh")), value("tcp-port", "N")});
    if (groups & LinkOptions)
        p.addOptions({value("port", "P"), value("baud", "N"), value("plc-port", "A|B"), value("trace", "ARCHIVO")});
    if (groups & JsonOption) p.addOption(QCommandLineOption(QStringLiteral("json")));
    if (groups & SaveOption) p.addOption(value("save", "ARCHIVO"));
    if (groups & NodOption) p.addOption(value("nod", "ARCHIVO"));
    if (groups & VerifyOption) p.addOption(QCommandLineOption(QStringLiteral("verify")));
    if (groups & SecondsOption) p.addOption(value("seconds", "N"));
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) return usageError(QString());
    const QString name = args.at(1);
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        std::fputs(brisacli::usageText().toLocal8Bit().constData(), stdout);
        return 0;
    }
    for (const brisacli::Subcommand& c : brisacli::subcommands()) {
        if (c.name != name) continue;
        QCommandLineParser parser;
        addOptions(parser, c.options);
        args.removeAt(1);
        if (!parser.parse(args)) return usageError(parser.errorText());
        const QStringList files = parser.positionalArguments();
        if (!c.takesFile && !files.isEmpty())
            return usageError(QStringLiteral("Sobran argumentos: %1").arg(files.join(QLatin1Char(' '))));
        if (c.takesFile && files.size() != 1)
            return usageError(files.isEmpty()
                                  ? c.missingArgument
                                  : QStringLiteral("Sobran argumentos: %1")
                                        .arg(files.mid(1).join(QLatin1Char(' '))));
        return c.run(parser);
    }
    return usageError(QStringLiteral("Orden desconocida: \"%1\".").arg(name));
}
