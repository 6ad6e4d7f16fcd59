#include "app/app_globals.h"

#include <QDir>

namespace mx {

QString AppPath;
QString NotesFile;
QString SettingsFile;


qint32 MainWindowLeft = 0, MainWindowTop = 0;
qint32 CalculatorLeft = 0, CalculatorTop = 0;
qint32 TableEditorLeft = 0, TableEditorTop = 0;
qint32 NoteEditorLeft = 0, NoteEditorTop = 0;
qint32 NoteEditorHeight = 0, NoteEditorWidth = 0;
qint16 NoteEditorState = 0;
QString CenterAllForms = QStringLiteral("Yes");
QString ShowTipsSetting = QStringLiteral("Yes");
bool CenterForms = true;
bool ShowTipsAtStartup = false;
bool SavePositionsOnExit = false;
bool RestoreDefaultsOnExit = false;
bool MainResizing = false;

void setAppPath(const QString& folder)
{
    QString path = QDir::toNativeSeparators(folder);
    if (!path.endsWith(QDir::separator()))
        path += QDir::separator();
    AppPath = path;
    NotesFile = AppPath + QStringLiteral("MXNotes.rtf");
    SettingsFile = AppPath + QStringLiteral("Mensurix.ini");
}

} // namespace mx
