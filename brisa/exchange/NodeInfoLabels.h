#pragma once

#include "form/MainForm.h"

namespace brisa::exchange {

// Empties the thirteen labels that show what a query read from the node. Whatever changes the
// program on the window (compiling, a reset) makes them stale.
void lbInfNodoClear(form::MainForm& form);

}  // namespace brisa::exchange
