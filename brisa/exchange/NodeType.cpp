#include "NodeType.h"

#include "NodeConfig.h"
#include "NumberText.h"
#include "SettingsStore.h"

namespace brisa::exchange {

namespace {
constexpr int Baud4800 = 2;  // positions in the PC link speed list
constexpr int Baud9600 = 3;
}  // namespace

NodeType::NodeType(form::MainForm& form, Session& session, ztklink::CommZTK90& link,
                   MainFormHandlers& handlers, QObject* parent)
    : QObject(parent), form_(form), session_(session), link_(link) {
    connect(&form.opNodo232x485, &form::OptionButton::click, this, &NodeType::opNodo232x485_Click);
    connect(&form.opNodoEth, &form::OptionButton::click, this, &NodeType::opNodoEth_Click);
    connect(&handlers, &MainFormHandlers::adaptToNodeRequested, this, &NodeType::AdaptaAlNodo);
    connect(&form.cbBaudios, &form::ListControl::click, this, &NodeType::cbBaudios_Click);
}

void NodeType::opNodo232x485_Click() {
    form_.fr485.setEnabled(true);
    form_.opPortPLC[0].setEnabled(true);
    form_.frEth.setEnabled(false);
    form_.frMail.setEnabled(false);
    form_.mnMemH.setEnabled(true);
    form_.cmdCompilar.setEnabled(true);
    form_.nmRecupProg.setEnabled(true);
    session_.hardVer = 1.0f;
    cbSoftVer_Change();
}

void NodeType::opNodoEth_Click() {
    form_.fr485.setEnabled(false);
    form_.opPortPLC[0].setEnabled(false);
    form_.opPortPLC[1].setValue(true);
    form_.frEth.setEnabled(true);
    // frMail: the adaptation decides from the software version.
    form_.mnMemH.setEnabled(false);
    form_.cmdCompilar.setEnabled(true);
    form_.nmRecupProg.setEnabled(false);
    session_.hardVer = 4.0f;
    cbSoftVer_Change();
}

void NodeType::cbSoftVer_Change() {
    session_.softVer = float(parseDecimal(form_.cbSoftVer.text()).value_or(0.0));
    AdaptaAlNodo();
}

void NodeType::cbBaudios_Click() {
    if (const auto baud = parseInteger(form_.cbBaudios.text()))
        (void)link_.setBaudios(int(*baud));  // the list offers only speeds the driver takes
}

void NodeType::AdaptaAlNodo() {
    const float hw = session_.hardVer;
    const float sw = session_.softVer;
    // A compiled image was built for the node chosen before; it may not fit this one.
    form_.cmdProgramar.setVisible(false);
    form_.cbBaudios.setListIndex(Baud4800);
    QString name;
    if (hw == 1.0f) {
        name = StrHardVer(hw);
        if (sw < 1.10f || sw > 2.00f) {
            form_.mnMemH.setChecked(false);
            form_.mnMemH.setEnabled(false);
            emit removeHighMemoryRequested();
        } else {
            form_.mnMemH.setEnabled(true);
        }
    } else if (hw == 3.0f || hw == 4.0f || hw == 5.0f || hw == 6.0f) {
        form_.opPortPLC[1].setValue(true);
        // Switched off as the user would, through the menu.
        if (form_.mnMemH.checked()) form_.mnMemH.choose();
        name = StrHardVer(hw);
        if (sw < 1.11f || sw > 1.20f) {
            form_.frMail.setEnabled(false);
        } else {
            form_.frMail.setEnabled(true);
            form_.cbBaudios.setListIndex(Baud9600);
        }
    }
    form_.frMail.setDisabledTip(hw == 1.0f
                                    ? QStringLiteral("Sólo en nodos Ethernet ModBus con software 1.11 a 1.20")
                                    : QStringLiteral("Requiere software 1.11 a 1.20"));
    SettingsStore store;
    store.selectFile(session_.dataFolderPath() + QStringLiteral("Hardware.dsc"));
    const QString section = QStringLiteral("Des");
    const QString decimal = decimalSymbol();
    QString description = store.readValue(section, descriptionKey(hw, sw, decimal), QString());
    // The file is written with points; a system with a decimal comma finds its keys there.
    if (description.isEmpty() && decimal != QLatin1String("."))
        description = store.readValue(section, descriptionKey(hw, sw, QStringLiteral(".")), QString());
    form_.lbAboutVer.setCaption(name + QStringLiteral("\r\n") + description);
}

QString NodeType::systemDecimalSymbol() { return SettingsStore::regionalSettings().decimalSymbol; }

QString NodeType::descriptionKey(float hardVer, float softVer, const QString& decimalSymbol) {
    QString version = QString::number(double(softVer), 'f', 2);
    version.replace(QLatin1Char('.'), decimalSymbol);
    return QString::number(double(hardVer)) + QLatin1Char('_') + version;
}

}  // namespace brisa::exchange
