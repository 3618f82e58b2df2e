#pragma once

#include <QString>

#include "ConfigFiles.h"
#include "NodeImage.h"

namespace brisa::readback {

// Writes the read-back buffer as a ".nd" file: exactly its 301 bytes, nothing else. The file
// is replaced whole or left as it was.
SaveResult saveNdFile(const QString& path, const ReadBackBuffer& buffer);

}  // namespace brisa::readback
