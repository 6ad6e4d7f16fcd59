#pragma once

#include <QChar>
#include <QStringView>

// Blanks as the data files and typed numbers know them: the space and the tab only. QString::trimmed() would also
// take line ends and the no-break space that byte 0xA0 decodes to, which are data here.
namespace mx {

inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

inline QStringView trimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace mx
