#pragma once

#include <QString>

#include "NodeConfig.h"

namespace brisa {

// The program-wide configuration record and what the program keeps beside it, never stored.
struct Session {
    NodeConfig config;
    // Folder of the settings, ending in the platform's separator; holds "Brisa.ini" and
    // "Files". The executable's folder, or the per-user one for an installed program.
    QString appFolder;
    // Folder of "Hardware.dsc" and the manual when not the application folder (installed).
    QString dataFolder;
    // True while the start-up or a load fills the window: choosing a PC port then does not
    // save the settings file (it would save a half-filled window).
    bool loading = false;
    // False for a host that only borrows the settings (brisa-cli): the file belongs to the
    // window, and a run from the command line must not replace the user's saved program.
    bool savesSettings = true;
    float hardVer = 0.0f;  // node type, set by the node type options
    float softVer = 0.0f;  // numeric value of the chosen software version
    // High memory (blocks 192..255) in use; mirrored by the check mark of mnMemH.
    bool memH = false;
    QString allBlocks = allBlocksList();

    QString settingsPath() const { return appFolder + QStringLiteral("Brisa.ini"); }
    QString dataFolderPath() const { return dataFolder.isEmpty() ? appFolder : dataFolder; }
};

}  // namespace brisa
