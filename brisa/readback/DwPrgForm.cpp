#include "DwPrgForm.h"

namespace brisa::readback {

DwPrgForm::DwPrgForm(QObject* parent) : QObject(parent) {
    for (int i = 0; i < 2; ++i) {
        lbPri[i].setObjectName(QStringLiteral("lbPri(%1)").arg(i));
        lbIpMsk[i].setObjectName(QStringLiteral("lbIpMsk(%1)").arg(i));
    }
    for (auto [c, n] : std::initializer_list<std::pair<QObject*, const char*>>{
             {&window, "frmDwPrg"},
             {&lstPrg, "lstPrg"},
             {&lstBloques, "lstBloques"},
             {&lbBlUsed, "lbBlUsed"},
             {&lbId485, "lbId485"},
             {&lbBaud485, "lbBaud485"},
             {&lbId232, "lbId232"},
             {&lbBaud232, "lbBaud232"},
             {&lbPort232, "lbPort232"},
             {&lbTcpPort, "lbTcpPort"},
             {&lbIndex, "lbIndex"},
             {&lbEstado, "lbEstado"},
             {&Pg1, "Pg1"},
             {&cmdSave, "cmdSave"},
             {&cmdExit, "cmdExit"},
             {&cmdDescompilar, "cmdDescompilar"}})
        c->setObjectName(QLatin1String(n));
    window.setVisible(false);
    cmdSave.setCaption(QStringLiteral("Salvar"));
    cmdSave.setToolTip(QStringLiteral("Guarda en formato binario"));
    cmdExit.setCaption(QStringLiteral("Cerrar"));
    cmdDescompilar.setCaption(QStringLiteral("Descompilar"));
    cmdDescompilar.setToolTip(
        QStringLiteral("Lleva el programa recuperado a la ventana principal"));
    // Nothing to save or take back before a whole image has come.
    cmdSave.setEnabled(false);
    cmdDescompilar.setEnabled(false);
    Pg1.setMax(16);
}

std::array<DwPrgForm::Field, 11> DwPrgForm::decodedFields() {
    return {{{&lbBlUsed, QStringLiteral("Bloques usados")},
             {&lbPri[0], QStringLiteral("Prioridad 1")},
             {&lbPri[1], QStringLiteral("Prioridad 2")},
             {&lbId485, QStringLiteral("Id 485")},
             {&lbBaud485, QStringLiteral("Baudios 485")},
             {&lbId232, QStringLiteral("Id 232")},
             {&lbBaud232, QStringLiteral("Baudios 232")},
             {&lbPort232, QStringLiteral("Puerto PLC")},
             {&lbIpMsk[0], QStringLiteral("Dirección IP")},
             {&lbIpMsk[1], QStringLiteral("Máscara de red")},
             {&lbTcpPort, QStringLiteral("Puerto Tcp/Ip")}}};
}

}  // namespace brisa::readback
