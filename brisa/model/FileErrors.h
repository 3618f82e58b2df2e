#pragma once

#include <QFileDevice>
#include <QString>

namespace brisa {

// A file failure in Spanish, for the messages the user reads.
QString fileErrorText(QFileDevice::FileError error);

}  // namespace brisa
