#pragma once

#include <functional>

#include "ConfNodo.h"
#include "Session.h"
#include "exchange/BlockSelection.h"
#include "form/MainForm.h"

namespace brisa::readback {

// "Descompilar": turns a decoded node configuration back into the main window's block program,
// the inverse of "Compilar": the scan list without the priority repeats becomes the used list,
// the priority blocks their fields; ids, speeds and the network settings are selected where
// the window's lists have them. High memory is switched on so that any block of the image has
// its place. The PLC port is left as it is, and nothing is compiled.
// `startUpControls` brings the main window's controls to their start-up state first.
void descompilar(const ConfNodo& conf, form::MainForm& form, Session& session,
                 exchange::BlockSelection& blocks, const std::function<void()>& startUpControls);

}  // namespace brisa::readback
