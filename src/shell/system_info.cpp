#include "shell/system_info.h"

#include <QDir>
#include <QFileInfo>

namespace mx {

QList<ProgramCommand> knownSystemInfoPrograms()
{
    return {
        {QStringLiteral("kinfocenter"), {}},                                         // KDE Plasma
        {QStringLiteral("gnome-control-center"), {QStringLiteral("info-overview")}}, // GNOME: the About page
        {QStringLiteral("xfce4-about"), {}},                                         // Xfce
        {QStringLiteral("hardinfo2"), {}},
        {QStringLiteral("hardinfo"), {}},
        {QStringLiteral("mate-system-monitor"), {}},
    };
}

std::optional<ProgramCommand> findSystemInfoProgram(const QString& searchPath)
{
    const QStringList folders = searchPath.split(u':', Qt::SkipEmptyParts);
    for (const ProgramCommand& known : knownSystemInfoPrograms()) {
        for (const QString& folder : folders) {
            if (QDir::isRelativePath(folder))
                continue;
            const QFileInfo candidate(QDir(folder).filePath(known.program));
            if (candidate.isFile() && candidate.isExecutable())
                return ProgramCommand{candidate.absoluteFilePath(), known.arguments};
        }
    }
    return std::nullopt;
}

std::optional<ProgramCommand> findSystemInfoProgram()
{
    return findSystemInfoProgram(qEnvironmentVariable("PATH"));
}

} // namespace mx
