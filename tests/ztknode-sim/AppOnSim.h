#pragma once

#include "App.h"
#include "QtSerialPort.h"
#include "SimProcess.h"

namespace simtest {

// The window's core as the start-up leaves it, on the simulator's link as COM1: (PLC port B),
// its settings in the simulator's folder.
inline void linkAppToSim(brisa::App& app, const SimProcess& sim) {
    app.session.appFolder = sim.pathInFolder(QString());
    app.handlers.FillPortLists();
    app.handlers.cbMinutosPopStartUp();
    app.handlers.FillSoftVerList();
    ztklink::PortMap map;
    map.set(1, sim.link());
    app.ZTK90->qtPort()->setPortMap(map);
    (void)app.ZTK90->setCOMM(1);
    app.ZTK90->setPuertoPLC(ztklink::B);
}

}  // namespace simtest
