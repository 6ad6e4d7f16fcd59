#pragma once

#include "test_helpers.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The conversion tables the suites load, and a program folder to hold them.
namespace mx::test {

// Length.tbl as most suites have it: two entries, written as a Windows-made table file is.
inline const QByteArray kLengthTable = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                                       "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n";

// `count` well-formed entries "Pair 0", "Pair 1", ..., each from A to B by 2: for the limits of a table.
inline QByteArray tableEntries(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "Pair " + QByteArray::number(i) + "\r\nA\r\nB\r\n2\r\n\r\n";
    return bytes;
}

// A temporary program folder of one test, with the table files it writes there.
class TableFolder {
public:
    bool isValid() const { return dir_.isValid(); }
    // The folder with its closing separator, as the program holds its own folder.
    QString path() const { return dir_.path() + u'/'; }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    bool write(const QString& name, const QByteArray& bytes) const { return writeFileBytes(filePath(name), bytes); }
    QByteArray read(const QString& name) const { return readFileBytes(filePath(name)); }

private:
    QTemporaryDir dir_;
};

} // namespace mx::test
