#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Finding the desktop's system-information tool. Linux desktops have no single one, so the program looks for the
// known tools of the common desktops on the search path, in order of preference.
namespace mx {

struct ProgramCommand {
    QString program; // a bare name in knownSystemInfoPrograms(), an absolute path once found
    QStringList arguments;

    bool operator==(const ProgramCommand&) const = default;
};

QList<ProgramCommand> knownSystemInfoPrograms();

// The first known tool found as an executable regular file in a folder of `searchPath` (folders separated by ":").
// Empty and relative entries are skipped: a tool is never started from whatever the current folder happens to be.
std::optional<ProgramCommand> findSystemInfoProgram(const QString& searchPath);

// The same over the PATH of the program's environment.
std::optional<ProgramCommand> findSystemInfoProgram();

} // namespace mx
