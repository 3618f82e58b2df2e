#pragma once

#include <QList>
#include <QObject>
#include <functional>

#include "CommZTK90.h"
#include "MessagePresenter.h"
#include "QtSerialPort.h"
#include "SerialDevices.h"
#include "Session.h"
#include "form/MainForm.h"

namespace brisa {

// Which device each PC port COM1: .. COM16: stands for on this machine. The map lives in
// section "Puertos" of the settings file (keys COM1 .. COM16, a device path each; a missing key
// means /dev/ttyS<n-1>) and feeds the link driver. The "Seteos" page shows the device of the
// chosen port, offers the serial devices found and takes a path typed by hand (pseudo-terminals
// are never enumerated).
class PortDevices : public QObject {
    Q_OBJECT
  public:
    using ListDevices = std::function<QList<ztklink::SerialDevice>()>;

    PortDevices(form::MainForm& form, Session& session, ztklink::CommZTK90& driver,
                MessagePresenter& messages, ListDevices listDevices, QObject* parent = nullptr);

    static constexpr const char* Section = "Puertos";

    // Reads the map from the settings file and hands it to the driver. Writes nothing.
    void load();
    const ztklink::PortMap& map() const { return map_; }
    // Shows the device of the chosen port on the page.
    void showCurrent();
    // Looks for serial devices again and offers them in cbDevices.
    void refresh();
    // Makes `device` the one of the chosen port: saved in "Puertos" (other keys kept) and
    // handed to the driver. Tells the user why when it cannot.
    bool assign(const QString& device);

  private:
    void cbDevices_Click();
    void applyToDriver(int port);

    form::MainForm& form_;
    Session& session_;
    ztklink::CommZTK90& driver_;
    MessagePresenter& messages_;
    ListDevices listDevices_;
    ztklink::PortMap map_;
    QList<ztklink::SerialDevice> found_;
};

}  // namespace brisa
