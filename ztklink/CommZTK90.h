#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

#include "LinkState.h"
#include "PropertyStore.h"
#include "ReceiveEngine.h"
#include "Result.h"
#include "SerialPort.h"
#include "Timer.h"
#include "ztklink_export.h"

namespace ztklink {

class QtSerialPort;

// PLC port model of the link: selects the character framing.
enum ModeloPuertoPLC : qint32 { A = 0, B = 1 };
// The type's other spelling, so that hosts written with it compile unchanged.
using Modelo_puerto_PLC = ModeloPuertoPLC;

constexpr int ErrArgument = 6;

// The ZTK90 link driver control: one serial port, the link settings, the request operations
// and the receive engine. Every outcome of a request arrives as a signal, raised synchronously
// on the control's thread; a handler may start the next request. Connect with direct (or auto)
// connections: TxCompletado hands out the RXs counter by reference.
//
// Property assignments that are refused return a Result carrying the error number and the
// Spanish message, and change nothing.
class ZTKLINK_EXPORT CommZTK90 : public QObject, private ReceiveEngine::Events {
    Q_OBJECT
public:
    // A control on a real serial port (QSerialPort) with real timers.
    explicit CommZTK90(QObject* parent = nullptr);
    // A control on the given port; timers come from `timers` (which must outlive the control).
    CommZTK90(std::unique_ptr<SerialPort> port, TimerFactory& timers, QObject* parent = nullptr);
    ~CommZTK90() override;

    // --- link settings (shared by every control on this thread) ---
    int Baudios() const { return link_->baudios; }
    Result setBaudios(int baudR);
    qint32 PuertoPLC() const { return link_->puertoPLC; }
    void setPuertoPLC(qint32 pplc);
    int COMM() const { return link_->comm; }
    Result setCOMM(int puertoSerie);
    int Id() const { return link_->id; }
    Result setId(int idPlc);
    bool ModoSniffer() const { return link_->modoSniffer; }
    void setModoSniffer(bool activado);
    void AppPath(const QString& ruta);
    QString appPath() const { return link_->appPath; }

    // --- per-control watchdog settings ---
    int WatchDogTime() const { return watchDogTime_; }
    Result setWatchDogTime(int milisegundos);
    bool WatchDogAuto() const { return watchDogAuto_; }
    void setWatchDogAuto(bool automatico);

    // The settings text given to the port: "4800,e,8,2" for port model A, ",n,8,1" otherwise.
    QString settingsText() const;

    // --- persistence in the host's property store ---
    void readProperties(const PropertyStore& store);
    void writeProperties(PropertyStore& store) const;

    // --- data areas ---
    Checked<int> Dato(int index) const;
    Result setDato(int index, int value);
    Checked<int> Word(int index) const;
    Result setWord(int index, int entero);

    // --- request operations: false when the driver was busy and did nothing ---
    bool RecibirPLC(quint8 id, int bloque);
    bool EnviarPLC(quint8 id, int bloque);
    bool LecturaAnalogica(quint8 id);
    bool EcrituraAnalogica(quint8 id);
    bool PorComando(quint8 id, quint8 cmd, quint8 bloque);

    bool WatchDogStatus() const { return engine_->watchdogActive(); }
    qint64 TXs() const { return link_->txs; }
    qint64 RXs() const { return link_->rxs; }

    // --- identity ---
    static QString Version();
    // Runs the About handler (see setAboutHandler): the companion library ztklink_widgets opens
    // its window without waiting for it; without the companion, or in a host without windows,
    // nothing happens.
    void About();

    SerialPort& port() { return *port_; }
    // The real serial port behind this control, or null when another port was given.
    QtSerialPort* qtPort() const;

signals:
    // Declared in this order on purpose: hosts bind to them by position.
    void RespuestaPLC(quint8 Id, quint8 Bloque, quint8 Cmd);
    void ErrorComm(qint32 Er, const QString& Desc);
    void RespuestaPLCNoRecibida(quint8 Id, quint8 Bloque);
    void PerroGuardian(qint64 TXs, qint64 RXs);
    void TxCompletado(qint64 TXs, qint64& RXs, qint32 RxBytes);
    void NewByte(quint8 NB);

    // A setting changed (its property name), so that the host can save it.
    void propertyChanged(const QString& name);

    // Every frame written and every run of bytes taken in or dropped, with what became of it,
    // raised just before the event it leads to (the events and their order stay as they are).
    // Nothing is copied while nobody is connected. A receiver only watches: it must not make a
    // request or destroy the control.
    void frameTraffic(ztklink::FrameDirection direction, const QByteArray& bytes,
                      ztklink::FrameVerdict verdict);

private:
    enum class Kind { Read, Write, AnalogRead, AnalogWrite, Raw };
    bool request(Kind kind, quint8 id, int bloque, quint8 cmd = 0);
    int watchdogMs() const;

    // ReceiveEngine::Events
    void reply(quint8 id, quint8 block, quint8 command) override;
    void error(int number, const QString& description) override;
    void noReply(quint8 id, quint8 block) override;
    void watchdog() override;
    void outputSent(int rxBytes) override;
    void newByte(quint8 byte) override;
    bool tapped() const override;
    void traffic(FrameDirection direction, const QByteArray& bytes, FrameVerdict verdict) override;
    std::weak_ptr<void> lifetime() const override { return alive_; }

    std::shared_ptr<LinkState> link_;
    std::unique_ptr<QtTimerFactory> ownTimers_;
    std::unique_ptr<SerialPort> port_;
    std::unique_ptr<Timer> gap_;
    std::unique_ptr<Timer> watchdog_;
    std::unique_ptr<ReceiveEngine> engine_;
    int watchDogTime_ = 0;
    bool watchDogAuto_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// What CommZTK90::About() does, for every control in the process. The driver itself needs no
// windows, so that console hosts load no graphics libraries: ztklink_widgets installs its About
// window here when it is loaded. An empty handler makes About() do nothing. Returns the handler
// it replaces. Set it before controls are used; it is not guarded against other threads.
ZTKLINK_EXPORT std::function<void()> setAboutHandler(std::function<void()> handler);

}  // namespace ztklink
