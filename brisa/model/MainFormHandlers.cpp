#include "MainFormHandlers.h"

#include <QLoggingCategory>

#include "NumberText.h"

Q_DECLARE_LOGGING_CATEGORY(lcConfig)

namespace brisa {

using namespace form;

MainFormHandlers::MainFormHandlers(MainForm& form, Session& session, ConfigFiles& files,
                                   MessagePresenter& messages, SetPcPort setPcPort,
                                   PcPortInUse pcPortInUse, QObject* parent)
    : QObject(parent),
      form_(form),
      session_(session),
      files_(files),
      messages_(messages),
      setPcPort_(std::move(setPcPort)),
      pcPortInUse_(std::move(pcPortInUse)) {
    connect(&form.cbPSerie, &ListControl::click, this, &MainFormHandlers::cbPSerie_Click);
    connect(&form.cbSoftVer, &ListControl::click, this, &MainFormHandlers::cbSoftVer_Click);
    connect(&form.cbMinutosPop, &ListControl::click, this, &MainFormHandlers::cbMinutosPop_Click);
    connect(&form.chkAutenticacion, &CheckBox::click, this,
            &MainFormHandlers::chkAutenticacion_Click);
    for (ComboBox* list : {&form.cbBaudios232, &form.cbBaudios485, &form.cbId232, &form.cbId485})
        connect(list, &ListControl::click, this, &MainFormHandlers::invalidateCompiled);
    for (OptionButton& option : form.opPortPLC)
        connect(&option, &OptionButton::click, this, &MainFormHandlers::invalidateCompiled);
}

void MainFormHandlers::FillPortLists() {
    for (ListControl* list : std::initializer_list<ListControl*>{
             &form_.cbId232, &form_.cbId485, &form_.cbBaudios232, &form_.cbBaudios485,
             &form_.lstBlockFree, &form_.lstUsed})
        list->clear();
    for (int k = 1; k <= limits::Ids; ++k) {
        form_.cbId232.addItem(QString::number(k));
        form_.cbId485.addItem(QString::number(k));
    }
    session_.allBlocks = allBlocksList();
    for (int p = 0; p < limits::Speeds; ++p) {
        form_.cbBaudios232.addItem(QString::number(600 << p));
        form_.cbBaudios485.addItem(QString::number(600 << p));
    }
    form_.cbBaudios.clear();
    for (int p = 0; p <= 4; ++p) form_.cbBaudios.addItem(QString::number(1200 << p));
    // The only place that fills it: position p always stands for port p + 1.
    form_.cbPSerie.clear();
    for (int n = 1; n <= limits::PcPorts; ++n)
        form_.cbPSerie.addItem(QStringLiteral("COM%1:").arg(n));
}

void MainFormHandlers::cbMinutosPopStartUp() {
    form_.cbMinutosPop.clear();
    for (const char* entry : {"Nunca", "3", "10", "30", "60", "90", "120", "240", "PLC"})
        form_.cbMinutosPop.addItem(QLatin1String(entry));
    form_.cbMinutosPop.setListIndex(0);
}

void MainFormHandlers::FillSoftVerList() {
    form_.cbSoftVer.clear();
    for (int v = 100; v < 100 + limits::SoftVersions; ++v)
        form_.cbSoftVer.addItem(
            QStringLiteral("%1.%2").arg(v / 100).arg(v % 100, 2, 10, QLatin1Char('0')));
}

void MainFormHandlers::cbPSerie_Click() {
    const int port = form_.cbPSerie.listIndex() + 1;
    const int previous = pcPortInUse_();
    const ztklink::Result r = setPcPort_(port);
    if (!r.ok()) {
        refusePcPort(r);
        return;
    }
    session_.config.port = qint16(port);
    if (port != previous) form_.lbStatus.setCaption(QString());
    if (!session_.loading) {
        const SaveResult saved = files_.CollectAndSaveSettings();
        if (!saved.ok)
            messages_.warning(QStringLiteral("Configuración"),
                              QStringLiteral("No se pudo guardar la configuración en \"%1\": %2.")
                                  .arg(session_.settingsPath(), saved.error));
    }
    form_.lbPortPC.setCaption(QStringLiteral("PC ") + form_.cbPSerie.text());
}

void MainFormHandlers::refusePcPort(const ztklink::Result& refusal) {
    QString text = QStringLiteral("%1 no se puede usar para programar: %2")
                       .arg(form_.cbPSerie.text(), refusal.description());
    // The window, the record and the settings file name the port that programming uses.
    const int inUse = pcPortInUse_();
    const bool listed = inUse >= 1 && inUse <= form_.cbPSerie.count();
    if (listed) text += QStringLiteral("\nSe sigue usando COM%1:.").arg(inUse);
    // A load reports it once the window is filled, with what else the load has to say.
    files_.warnAfterFill(QStringLiteral("Puerto serie"), text);
    if (listed) form_.cbPSerie.setListIndex(inUse - 1);
}

void MainFormHandlers::cbSoftVer_Click() {
    session_.softVer = float(parseDecimal(form_.cbSoftVer.text()).value_or(0.0));
    const int position = form_.cbSoftVer.listIndex();
    session_.config.softVer = qint16(position);
    if (!session_.savesSettings) {
        emit adaptToNodeRequested();
        return;
    }
    store_.selectFile(session_.settingsPath());
    QString error;
    if (!store_.writeValue(QStringLiteral("Sets"), QStringLiteral("SoftVer"),
                           QString::number(position), &error))
        qCWarning(lcConfig) << "SoftVer not saved:" << session_.settingsPath() << error;
    emit adaptToNodeRequested();
}

void MainFormHandlers::cbMinutosPop_Click() {
    const int position = form_.cbMinutosPop.listIndex();
    if (position >= 1)
        form_.pnlAutent.setEnabled(true);
    else if (form_.chkAutenticacion.value() == 0)
        form_.pnlAutent.setEnabled(false);
    form_.frPopPLC.setEnabled(position == limits::MinPopPlc);
}

void MainFormHandlers::chkAutenticacion_Click() {
    if (form_.chkAutenticacion.value() != 0)
        form_.pnlAutent.setEnabled(true);
    else if (form_.cbMinutosPop.listIndex() == 0)
        form_.pnlAutent.setEnabled(false);
}

void MainFormHandlers::invalidateCompiled() { form_.cmdProgramar.setVisible(false); }

}  // namespace brisa
