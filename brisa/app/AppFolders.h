#pragma once

#include <QString>

namespace brisa {

// Where the program keeps its settings and files, and where it reads its data files.
struct AppFolders {
    // "Brisa.ini" and "Files"; ends in the platform's separator.
    QString settings;
    // "Hardware.dsc" and the manual; ends in the platform's separator.
    QString data;
    // True when both are the executable's folder (run from a build or an unpacked folder).
    bool portable = true;
};

// The executable's folder when it holds a writable "Brisa.ini" or is itself writable. An
// installed program's folder is neither: it then keeps its settings in the per-user folder
// ($XDG_CONFIG_HOME/brisa/) and reads its data from the installed data folder.
AppFolders chooseAppFolders(const QString& exeFolder);

}  // namespace brisa
