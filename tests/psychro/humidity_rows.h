#pragma once

#include "psychro/humidity_procedures.h"

#include <QStringList>

// The Humidity tab's six boxes as the rows write them: "dry|wet|RH|vapour|dew point|grains".
namespace mx::test {

// Boxes left off at the end are empty.
inline HumidityBoxes boxesOf(const QString& text)
{
    const QStringList t = text.split(u'|');
    return {t.value(0), t.value(1), t.value(2), t.value(3), t.value(4), t.value(5)};
}

// Empty boxes at the end are left off.
inline QString textOf(const HumidityBoxes& b)
{
    QString text =
        QStringList{b.dryAirTemp, b.wetBulbTemp, b.humidity, b.vaporPressure, b.dewPoint, b.grainsPerLb}.join(u'|');
    while (text.endsWith(u'|'))
        text.chop(1);
    return text;
}

// Messages as "title [buttons icon] text", the title left off where it is the application's.
inline QStringList describedMessages(const PsychroMessages& messages)
{
    static const char* const buttons[] = {"Ok", "OkCancel", "YesNo", "YesNoCancel"};
    static const char* const icons[] = {"None", "Question", "Exclamation", "Information", "Critical"};
    QStringList lines;
    for (const PsychroMessage& m : messages)
        lines << (m.title.isEmpty() ? QString() : m.title + u' ') + u'[' + QLatin1String(buttons[int(m.buttons)]) +
                     u' ' + QLatin1String(icons[int(m.icon)]) + QStringLiteral("] ") + m.text;
    return lines;
}

} // namespace mx::test
