#include "NodeConfig.h"

#include "compiler/Text.h"

namespace brisa {

QString allBlocksList() {
    QString list;
    for (int b = 0; b < limits::AllBlocks; ++b)
        list += QStringLiteral("%1,").arg(b, 3, 10, QLatin1Char('0'));
    return list;
}

QString StrHardVer(float hardVer) {
    static const char* const names[] = {
        "Modbus <--> TALVO (485 <--> 232)",
        "TALVO <--> TALVO (485 <--> 232)",
        "Ethernet TALVO <--> TALVO (Ethernet <--> 232)",
        "Ethernet Modbus <--> TALVO (Ethernet <--> 232)",
        "Ethernet Modbus/Modbus <--> TALVO (Ethernet/485 <--> 232)",
        "Ethernet TALVO/ModBUS <--> TALVO (Ethernet/485 <--> 232)",
    };
    for (int h = 1; h <= 6; ++h)
        if (hardVer == float(h)) return QString::fromLatin1(names[h - 1]);
    return {};
}

QString NodeTypeShortName(int code) {
    static const char* const names[] = {
        "Modbus <> TALVO (485 <> 232)",
        "TALVO <> TALVO (485 <> 232)",
        "EtTALVO <> TALVO (Ethernet <> 232)",
        "EtModbus <> TALVO (Ethernet <> 232)",
        "EtModbus/Modbus <> TALVO (Ethernet/485 <> 232)",
    };
    if (code >= 1 && code <= 5) return QString::fromLatin1(names[code - 1]);
    return QStringLiteral("Desconocido %1").arg(code);
}

qint16 BytesToWord(quint8 high, quint8 low) { return compiler::bytesToWord(high, low); }

std::pair<quint8, quint8> WordToBytes(qint16 value) {
    const auto bytes = compiler::wordToBytes(value);
    return {bytes.low, bytes.high};
}

}  // namespace brisa
