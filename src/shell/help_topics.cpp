#include "shell/help_topics.h"

#include <QDir>

namespace mx {

QString helpFilePath(const QString& programFolder)
{
    const QString trimmed = programFolder.trimmed();
    const bool endsInSeparator = trimmed.endsWith(u'/') || trimmed.endsWith(QDir::separator());
    return programFolder + (endsInSeparator ? QString() : QString(QDir::separator())) +
           QString::fromUtf16(kHelpFileName);
}

QString helpAnchor(int contextId)
{
    switch (contextId) {
    case kTableEditorHelpContext:
        return QStringLiteral("table-editor");
    case kNoteEditorHelpContext:
        return QStringLiteral("note-editor");
    default:
        return QString::fromUtf16(kHelpContentsAnchor);
    }
}

} // namespace mx
