#include "PortDevices.h"

#include <QFileInfo>

#include "IniFile.h"
#include "SettingsStore.h"

namespace brisa {

namespace {

QString key(int port) { return QStringLiteral("COM%1").arg(port); }

}  // namespace

PortDevices::PortDevices(form::MainForm& form, Session& session, ztklink::CommZTK90& driver,
                         MessagePresenter& messages, ListDevices listDevices, QObject* parent)
    : QObject(parent),
      form_(form),
      session_(session),
      driver_(driver),
      messages_(messages),
      listDevices_(std::move(listDevices)) {
    connect(&form.cbPSerie, &form::ListControl::click, this, &PortDevices::showCurrent);
    connect(&form.cbDevices, &form::ListControl::click, this, &PortDevices::cbDevices_Click);
    connect(&form.txtDevice, &form::TextBox::confirmed, this,
            [this] { assign(form_.txtDevice.text()); });
    connect(&form.cmdDevices, &form::Label::click, this, &PortDevices::refresh);
}

void PortDevices::load() {
    map_.clear();
    // An unreadable file leaves the defaults; the settings load reports it.
    const IniFile file = IniFile::load(session_.settingsPath()).value_or(IniFile());
    for (int n = 1; n <= limits::PcPorts; ++n) {
        const QString device = file.value(QLatin1String(Section), key(n), QString()).trimmed();
        map_.set(n, device.isEmpty() ? ztklink::PortMap::platformDefault(n) : device);
    }
    applyToDriver(0);
}

void PortDevices::applyToDriver(int port) {
    ztklink::QtSerialPort* serial = driver_.qtPort();
    if (!serial) return;
    serial->setPortMap(map_);
    // The driver reopens an open port when its number is set again.
    if (port > 0 && driver_.COMM() == port) (void)driver_.setCOMM(port);
}

void PortDevices::showCurrent() {
    const int port = session_.config.port;
    if (port < 1 || port > limits::PcPorts) {
        form_.lbDevice.setCaption(QStringLiteral("Ningún puerto elegido"));
        form_.txtDevice.setText(QString());
        return;
    }
    const QString device = map_.device(port);
    QString caption = QStringLiteral("COM%1: es %2").arg(port).arg(device);
    if (!device.startsWith(QLatin1Char('/')) || !QFileInfo::exists(device))
        caption += QStringLiteral(" (no encontrado ahora)");
    if (port != driver_.COMM())
        caption += QStringLiteral("\nEl programa usa COM%1: (solo acepta COM1: a COM8:)")
                       .arg(driver_.COMM());
    form_.lbDevice.setCaption(caption);
    form_.txtDevice.setText(device);
}

void PortDevices::refresh() {
    found_ = listDevices_ ? listDevices_() : QList<ztklink::SerialDevice>{};
    form_.cbDevices.clear();
    for (const ztklink::SerialDevice& d : found_)
        form_.cbDevices.addItem(d.description.isEmpty()
                                    ? d.path
                                    : QStringLiteral("%1 (%2)").arg(d.path, d.description));
}

void PortDevices::cbDevices_Click() {
    const int i = form_.cbDevices.listIndex();
    if (i < 0 || i >= found_.size()) return;
    assign(found_[i].path);
}

bool PortDevices::assign(const QString& typed) {
    const QString title = QStringLiteral("Puerto serie");
    const QString device = typed.trimmed();
    const int port = session_.config.port;
    if (port < 1 || port > limits::PcPorts) {
        messages_.warning(title, QStringLiteral("Elija primero un puerto serie (COM1: a COM16:)."));
        return false;
    }
    if (device.isEmpty()) {
        messages_.warning(title, QStringLiteral("Escriba la ruta del dispositivo, por ejemplo "
                                                "/dev/ttyUSB0."));
        showCurrent();
        return false;
    }
    SettingsStore store;
    store.selectFile(session_.settingsPath());
    QString error;
    if (!store.writeValue(QLatin1String(Section), key(port), device, &error)) {
        messages_.warning(title, QStringLiteral("No se pudo guardar el dispositivo de COM%1: en "
                                                "\"%2\": %3.")
                                     .arg(port)
                                     .arg(session_.settingsPath(), error));
        showCurrent();
        return false;
    }
    map_.set(port, device);
    applyToDriver(port);
    showCurrent();
    return true;
}

}  // namespace brisa
