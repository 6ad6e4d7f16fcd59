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

} // namespace mx::test
