#pragma once

#include "compiler/ImageSnapshot.h"
#include "form/MainForm.h"

namespace brisa::exchange {

// The fields the configuration image is built from, read from the window as it is now.
// Programming takes one each time the node acknowledges a block, so an edit made while the
// node is being programmed goes into the blocks that follow it.
compiler::ImageSnapshot imageSnapshot(const form::MainForm& f);

}  // namespace brisa::exchange
