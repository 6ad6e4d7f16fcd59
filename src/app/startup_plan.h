#pragma once

#include "app/settings.h"
#include "platform/ini_file.h"

#include <QPoint>

// What the start does with the settings file: a plain function of the file's values, applied by the main window.
namespace mx {

struct StartupPlan {
    bool recovery = false; // the settings could not be taken: centre, show the tip, save the positions at exit
    bool centre = true;    // centre the main window on the screen; else put it at `position`
    QPoint position;       // twips, the stored "Main Window Left" and "Main Window Top"
    bool restoreDefaultsMark = false; // mnuCenter checked
    bool savePositionsMark = true;    // mnuSavePositions checked (its mark when the window is made)
    bool savePositionsAtExit = false; // only the recovery path asks for it
    bool showTip = false;
};

struct Startup {
    Settings settings;
    StartupPlan plan;
};

// Reads the settings and decides the start: the first-run rule (all places 0: centre), centring, the check marks, the
// tip, and on a run-time error (a value too long, a number out of range, a sum of the positions beyond 32 bits) the
// recovery path.
Startup planStartup(const IniDocument& file);

} // namespace mx
