#pragma once

#include <QByteArray>

#include <array>

// Settings files for the application's suites.
namespace mx::test {

// The eleven numbers of "Position Information", in the file's order.
using StoredNumbers = std::array<qint64, 11>;
inline const StoredNumbers kStoredNumbers{1500, 3000, 4500, 600, 300, 150, 600, 900, 7200, 5400, 0};

// The file with every key, in the order the exit writes them.
inline QByteArray settingsText(const StoredNumbers& numbers, const QByteArray& centre, const QByteArray& tips,
                               const QByteArray& eol = "\r\n")
{
    static const char* const keys[] = {"Main Window Left",   "Main Window Top",   "Calculator Left",  "Calculator Top",
                                       "Table Editor Left",  "Table Editor Top",  "Note Editor Left", "Note Editor Top",
                                       "Note Editor Height", "Note Editor Width", "Note Editor State"};
    QByteArray text = "[Position Information]" + eol;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        text += QByteArray(keys[i]) + '=' + (numbers[i] < 0 ? "" : " ") + QByteArray::number(numbers[i]) + eol;
    return text + "Center All Forms=" + centre + eol + "[Startup Tips]" + eol + "Show Tips=" + tips + eol;
}

} // namespace mx::test
