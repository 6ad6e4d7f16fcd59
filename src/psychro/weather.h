#pragma once

#include "psychro/psychro_message.h"

#include <QString>
#include <QStringView>

#include <optional>

// Wind chill and heat index, computed in degrees Fahrenheit and miles per hour, and the Wind tab's two Calculate
// actions over its box texts.
namespace mx {

// Never warmer than the air itself.
double WindChill(double T, double V);
double HeatIndex(double T, double RH);

// What a Calculate of the Wind tab shows: a new answer, or messages and the old answer left as it is.
struct WeatherAnswer {
    std::optional<QString> answer;
    PsychroMessages messages;
};

WeatherAnswer windChillAnswer(QStringView temperature, QStringView speed, bool celsius, bool kilometersPerHour);
WeatherAnswer heatIndexAnswer(QStringView temperature, QStringView humidity, bool celsius);

struct WindCaptions {
    QString temperature; // both calculators
    QString windChill;
    QString heatIndex;
};

WindCaptions windCaptions(bool celsius);
QString windSpeedCaption(bool kilometersPerHour);

} // namespace mx
