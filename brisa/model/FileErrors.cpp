#include "FileErrors.h"

namespace brisa {

QString fileErrorText(QFileDevice::FileError error) {
    switch (error) {
        case QFileDevice::NoError:
            return QString();
        case QFileDevice::ReadError:
            return QStringLiteral("no se pudo leer el archivo");
        case QFileDevice::WriteError:
            return QStringLiteral("no se pudo escribir el archivo (¿disco lleno?)");
        case QFileDevice::OpenError:
            return QStringLiteral("no se pudo abrir o crear el archivo en esa carpeta");
        case QFileDevice::PermissionsError:
            return QStringLiteral("permiso denegado");
        case QFileDevice::RenameError:
            return QStringLiteral("no se pudo reemplazar el archivo anterior");
        case QFileDevice::ResourceError:
            return QStringLiteral("faltan recursos del sistema");
        default:
            return QStringLiteral("error del sistema de archivos");
    }
}

}  // namespace brisa
