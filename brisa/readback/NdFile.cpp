#include "NdFile.h"

#include <QSaveFile>

namespace brisa::readback {

SaveResult saveNdFile(const QString& path, const ReadBackBuffer& buffer) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {false, file.errorString()};
    const auto size = qint64(buffer.size());
    if (file.write(reinterpret_cast<const char*>(buffer.data()), size) != size) {
        const QString why = file.errorString();
        file.cancelWriting();
        return {false, why};
    }
    if (!file.commit()) return {false, file.errorString()};
    return {};
}

}  // namespace brisa::readback
