#include "psychro/wind_panel.h"

#include "platform/box_text.h"
#include "platform/form_layout.h"
#include "platform/result_copy.h"
#include "psychro/panel_layout.h"
#include "psychro/weather.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace mx {
namespace {

using namespace psychro_layout;

// The panel, in twips, from its frames.
constexpr int kPanelWidth = 6000;
constexpr int kPanelHeight = 3300;

constexpr int kRowHeight = 285;
constexpr int kChillBoxWidth = 675;
constexpr int kHeatBoxWidth = 615;

QRadioButton* makeOption(QWidget* frame, const QString& name, const QString& caption, int left, int top, int width)
{
    auto* option = placeControl(new QRadioButton(caption, frame), name, {left, top, width, 255});
    option->setAccessibleName(caption);
    // The designed places leave little room between the two options of a frame: the caption sits close to its
    // circle so that "Miles per Hour" is read whole.
    option->setStyleSheet(QStringLiteral("QRadioButton { spacing: 1px; }"));
    return option;
}

QLineEdit* makeBox(QWidget* parent, const QString& name, const QString& accessibleName, int left, int top, int width)
{
    auto* box = placeControl(new QLineEdit(parent), name, {left, top, width, kRowHeight});
    box->setAccessibleName(accessibleName);
    paintBox(box, kInputColour);
    return box;
}

QLabel* makeAnswer(QWidget* parent, const QString& name, const QString& description, int left, int top, int width)
{
    auto* label = placeLabel(parent, name, QString(), {left, top, width, kRowHeight});
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setAccessibleDescription(description);
    paintAnswerLabel(label);
    return label;
}

} // namespace

WindPanel::WindPanel(QWidget* parent) : TabPanel(parent)
{
    setObjectName(QStringLiteral("picWind"));
    setAccessibleName(QStringLiteral("Wind Chill / Heat Index"));
    setFixedSize(twipsSize(kPanelWidth, kPanelHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    speedFrame_ = placeFrame(this, QStringLiteral("Frame6"), QString(), {0, 0, 3180, 600});
    speedFrame_->setAccessibleName(QStringLiteral("Wind speed unit"));
    speedUnits_[0] =
        makeOption(speedFrame_, QStringLiteral("optMPHKPH(0)"), QStringLiteral("Miles per Hour"), 60, 180, 1320);
    speedUnits_[1] =
        makeOption(speedFrame_, QStringLiteral("optMPHKPH(1)"), QStringLiteral("Kilometers per Hour"), 1380, 180, 1790);
    speedUnits_[0]->setChecked(true);

    temperatureFrame_ = placeFrame(this, QStringLiteral("Frame7"), QString(), {3300, 0, 2640, 600});
    temperatureFrame_->setAccessibleName(QStringLiteral("Temperature unit"));
    temperatureUnits_[0] =
        makeOption(temperatureFrame_, QStringLiteral("optCorF(0)"), QStringLiteral("Degrees F"), 120, 180, 1200);
    temperatureUnits_[1] =
        makeOption(temperatureFrame_, QStringLiteral("optCorF(1)"), QStringLiteral("Degrees C"), 1380, 180, 1200);
    temperatureUnits_[0]->setChecked(true);

    windChillFrame_ = placeFrame(this, QStringLiteral("Frame4"), QStringLiteral("Wind Chill"), {120, 840, 2880, 2400});
    windChillFrame_->setAccessibleName(QStringLiteral("Wind Chill"));
    temperatureLabels_[0] =
        placeLabel(windChillFrame_, QStringLiteral("lblDegrees(0)"), QString(), {120, 360, 1800, kRowHeight});
    chillTemperatureBox_ = makeBox(windChillFrame_, QStringLiteral("Text3"),
                                   QStringLiteral("Wind chill air temperature"), 1980, 360, kChillBoxWidth);
    speedLabel_ = placeLabel(windChillFrame_, QStringLiteral("lblMPH"), QString(), {180, 900, 1740, kRowHeight});
    speedBox_ =
        makeBox(windChillFrame_, QStringLiteral("Text4"), QStringLiteral("Wind speed"), 1980, 840, kChillBoxWidth);
    windChillCaption_ =
        placeLabel(windChillFrame_, QStringLiteral("lblChillDegrees"), QString(), {180, 1380, 1740, kRowHeight});
    windChillAnswer_ = makeAnswer(windChillFrame_, QStringLiteral("lblChill"), QStringLiteral("Wind chill temperature"),
                                  1980, 1380, kChillBoxWidth);
    installResultCopy(windChillAnswer_, [this] { return unitOfCaption(windChillCaption_->text()); });
    calculateWindChill_ = placeControl(new QPushButton(QStringLiteral("Calculate"), windChillFrame_),
                                       QStringLiteral("cmdChill"), {720, 1920, 1455, 375});
    calculateWindChill_->setAccessibleName(QStringLiteral("Calculate wind chill"));

    heatIndexFrame_ = placeFrame(this, QStringLiteral("Frame5"), QStringLiteral("Heat Index"), {3120, 840, 2820, 2400});
    heatIndexFrame_->setAccessibleName(QStringLiteral("Heat Index"));
    temperatureLabels_[1] =
        placeLabel(heatIndexFrame_, QStringLiteral("lblDegrees(1)"), QString(), {60, 360, 1860, kRowHeight});
    heatTemperatureBox_ = makeBox(heatIndexFrame_, QStringLiteral("Text5"),
                                  QStringLiteral("Heat index air temperature"), 1980, 360, kHeatBoxWidth);
    humidityLabel_ = placeLabel(heatIndexFrame_, QStringLiteral("Label21"), QStringLiteral("Relative Humidity"),
                                {120, 900, 1800, kRowHeight});
    humidityBox_ = makeBox(heatIndexFrame_, QStringLiteral("Text6"), QStringLiteral("Relative humidity, percent"), 1980,
                           840, kHeatBoxWidth);
    heatIndexCaption_ =
        placeLabel(heatIndexFrame_, QStringLiteral("lblHeatDegrees"), QString(), {120, 1380, 1800, kRowHeight});
    heatIndexAnswer_ = makeAnswer(heatIndexFrame_, QStringLiteral("lblHeat"), QStringLiteral("Heat index temperature"),
                                  1980, 1380, kHeatBoxWidth);
    installResultCopy(heatIndexAnswer_, [this] { return unitOfCaption(heatIndexCaption_->text()); });
    calculateHeatIndex_ = placeControl(new QPushButton(QStringLiteral("Calculate"), heatIndexFrame_),
                                       QStringLiteral("cmdHeat"), {660, 1980, 1500, 375});
    calculateHeatIndex_->setAccessibleName(QStringLiteral("Calculate heat index"));

    temperatureLabels_[0]->setBuddy(chillTemperatureBox_);
    speedLabel_->setBuddy(speedBox_);
    temperatureLabels_[1]->setBuddy(heatTemperatureBox_);
    humidityLabel_->setBuddy(humidityBox_);
    windChillCaption_->setBuddy(windChillAnswer_);
    heatIndexCaption_->setBuddy(heatIndexAnswer_);
    // Each calculator in turn: its inputs, its button, then its answer.
    setTabChain({speedUnits_[0], speedUnits_[1], temperatureUnits_[0], temperatureUnits_[1], chillTemperatureBox_,
                 speedBox_, calculateWindChill_, windChillAnswer_, heatTemperatureBox_, humidityBox_,
                 calculateHeatIndex_, heatIndexAnswer_});
    chooseTemperatureUnit();
    chooseSpeedUnit();

    for (QRadioButton* option : temperatureUnits_)
        connect(option, &QRadioButton::clicked, this, &WindPanel::chooseTemperatureUnit);
    for (QRadioButton* option : speedUnits_)
        connect(option, &QRadioButton::clicked, this, &WindPanel::chooseSpeedUnit);
    connect(calculateWindChill_, &QPushButton::clicked, this, &WindPanel::calculateWindChill);
    connect(calculateHeatIndex_, &QPushButton::clicked, this, &WindPanel::calculateHeatIndex);
}

bool WindPanel::celsius() const
{
    return temperatureUnits_[1]->isChecked();
}

void WindPanel::chooseTemperatureUnit()
{
    const WindCaptions captions = windCaptions(celsius());
    temperatureLabels_[0]->setText(captions.temperature);
    temperatureLabels_[1]->setText(captions.temperature);
    windChillCaption_->setText(captions.windChill);
    heatIndexCaption_->setText(captions.heatIndex);
}

void WindPanel::chooseSpeedUnit()
{
    speedLabel_->setText(windSpeedCaption(speedUnits_[1]->isChecked()));
}

void WindPanel::calculateWindChill()
{
    const WeatherAnswer result =
        windChillAnswer(chillTemperatureBox_->text(), speedBox_->text(), celsius(), speedUnits_[1]->isChecked());
    if (result.answer)
        showInLabel(windChillAnswer_, *result.answer);
    showAll(result.messages);
}

void WindPanel::calculateHeatIndex()
{
    const WeatherAnswer result = heatIndexAnswer(heatTemperatureBox_->text(), humidityBox_->text(), celsius());
    if (result.answer)
        showInLabel(heatIndexAnswer_, *result.answer);
    showAll(result.messages);
}

} // namespace mx
