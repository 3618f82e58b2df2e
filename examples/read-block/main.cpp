// Reads one PLC block through the ZTK90 link driver and prints its 16 data bytes.
//   read-block DEVICE [ID [BLOCK]]      read-block /dev/ttyUSB0 1 0
#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <ztklink/CommZTK90.h>
#include <ztklink/QtSerialPort.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "uso: read-block DISPOSITIVO [ID [BLOQUE]]\n";
        return 2;
    }
    ztklink::CommZTK90 link;
    ztklink::PortMap map;
    map.set(1, args[1]);  // the driver numbers its ports; number 1 stands for this device
    link.qtPort()->setPortMap(map);
    (void)link.setCOMM(1);
    (void)link.setWatchDogTime(1000);
    auto fail = [&](const QString& why) { QTextStream(stderr) << why << '\n'; app.exit(1); };
    QObject::connect(&link, &ztklink::CommZTK90::RespuestaPLC, [&](quint8, quint8 block, quint8) {
        QTextStream out(stdout);
        out << "Bloque " << block << ':';
        for (int i = 0; i < 16; ++i) out << ' ' << link.Dato(i).valueOr(0);
        out << '\n';
        app.exit(0);
    });
    QObject::connect(&link, &ztklink::CommZTK90::ErrorComm, [&](qint32, const QString& d) { fail(d); });
    QObject::connect(&link, &ztklink::CommZTK90::RespuestaPLCNoRecibida,
                     [&] { fail(QStringLiteral("Respuesta incompleta del nodo.")); });
    QObject::connect(&link, &ztklink::CommZTK90::PerroGuardian,
                     [&] { fail(QStringLiteral("El nodo no respondió a tiempo.")); });
    // Sent once the loop runs, so that an immediate failure can end it.
    QTimer::singleShot(0, &link, [&] {
        link.RecibirPLC(static_cast<quint8>(args.value(2, QStringLiteral("1")).toUInt()),
                        args.value(3, QStringLiteral("0")).toInt());
    });
    return app.exec();
}
