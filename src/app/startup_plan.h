#pragma once

#include "platform/ini_file.h"

#include <QPoint>

// What the start does with the settings file: a plain function over the file's values, applied by the main window.
namespace mx {

struct StartupPlan {
    bool recovery = false; // the settings could not be taken: centre, show the tip, save the positions at exit
    bool centre = true;    // centre the main window on the screen; else put it at `position`
    QPoint position;       // twips, the stored "Main Window Left" and "Main Window Top"
    bool restoreDefaultsMark = false; // mnuCenter checked
    bool savePositionsMark = true;    // mnuSavePositions checked (its mark when the window is made)
    bool showTip = false;
};

// Reads the settings into the program-wide values (after resetting them) and decides the start: the first-run rule,
// centring, the check marks, the tip, and on a run-time error (a value too long, a number out of range, a sum of
// the positions beyond 32 bits) the recovery path, which also sets CenterForms, CenterAllForms, ShowTipsAtStartup
// and SavePositionsOnExit as that path does.
StartupPlan planStartup(const IniDocument& settings);

} // namespace mx
