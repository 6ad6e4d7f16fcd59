#include "psychro/humidity_panel.h"

#include "platform/box_text.h"
#include "platform/form_layout.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"
#include "psychro/panel_layout.h"

#include <QCheckBox>
#include <QFont>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace mx {
namespace {

using namespace psychro_layout;

// The panel, in twips, from its right-most box and its buttons.
constexpr int kPanelWidth = 6000;
constexpr int kPanelHeight = 3600;

constexpr int kLeftBoxWidth = 1000;
constexpr int kRightBoxWidth = 1095;
constexpr int kBoxHeight = 285;
constexpr int kIconSize = 480;

bool isDigit(int code)
{
    return code >= '0' && code <= '9';
}

bool isArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

int keepNumberKey(int code, bool minusAllowed)
{
    const bool kept = code == kBackspace || code == '.' || isDigit(code) || (minusAllowed && code == '-');
    return kept ? code : kDiscard;
}

// An input of the current method is white and editable; an output is yellow and locked. Both take the focus: an
// output to be read and copied from the keyboard (Tab reaches the outputs after the inputs and the buttons).
void setBoxRole(QLineEdit* box, bool input)
{
    paintBox(box, input ? kInputColour : kOutputColour);
    box->setReadOnly(!input);
}

QLineEdit* makeBox(QWidget* parent, const QString& name, const QString& accessibleName, int left, int top, int width)
{
    auto* box = placeControl(new QLineEdit(parent), name, {left, top, width, kBoxHeight});
    box->setAccessibleName(accessibleName);
    return box;
}

QRadioButton* makeOption(QWidget* frame, const QString& name, const QString& caption, int left, int top, int width)
{
    auto* option = placeControl(new QRadioButton(caption, frame), name, {left, top, width, 255});
    option->setAccessibleName(caption);
    return option;
}

} // namespace

HumidityPanel::HumidityPanel(QWidget* parent) : TabPanel(parent)
{
    setObjectName(QStringLiteral("picHumidity"));
    setAccessibleName(QStringLiteral("Humidity Calculator"));
    setFixedSize(twipsSize(kPanelWidth, kPanelHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    extendedRange_ = placeControl(new QCheckBox(QStringLiteral("Extended Range"), this), QStringLiteral("Check1"),
                                  {1860, 300, 1695, 255});
    extendedRange_->setAccessibleName(QStringLiteral("Extended Range"));

    scaleFrame_ =
        placeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Temperature Scale"), {120, 675, 2340, 1215});
    scaleFrame_->setAccessibleName(QStringLiteral("Temperature Scale"));
    fahrenheit_ = makeOption(scaleFrame_, QStringLiteral("Option1"), QStringLiteral("Fahrenheit"), 120, 360, 1800);
    celsius_ = makeOption(scaleFrame_, QStringLiteral("Option2"), QStringLiteral("Celsius"), 120, 660, 1800);
    fahrenheit_->setChecked(true);

    methodFrame_ =
        placeFrame(this, QStringLiteral("Frame2"), QStringLiteral("Calculation Method"), {2580, 675, 2520, 1215});
    methodFrame_->setAccessibleName(QStringLiteral("Calculation Method"));
    wetBulbMethod_ =
        makeOption(methodFrame_, QStringLiteral("Option3"), QStringLiteral("Dry Bulb / Wet Bulb"), 120, 300, 2280);
    humidityMethod_ =
        makeOption(methodFrame_, QStringLiteral("Option4"), QStringLiteral("Dry Bulb / %RH"), 120, 550, 2280);
    dewPointMethod_ =
        makeOption(methodFrame_, QStringLiteral("Option5"), QStringLiteral("Dry Bulb / Dew Point"), 120, 840, 2280);
    wetBulbMethod_->setChecked(true);
    dewPointMethod_->setEnabled(false);

    logoImage_ = placeControl(new QLabel(this), QStringLiteral("Image1(1)"), {5220, 840, kIconSize, kIconSize});
    logoImage_->setAccessibleName(QStringLiteral("Logo"));

    dryBulbLabel_ = placeLabel(this, QStringLiteral("Label1(0)"), QString(), {75, 2070, 1740, kBoxHeight});
    dryBulbBox_ =
        makeBox(this, QStringLiteral("DryAirTemp"), QStringLiteral("Dry air temperature"), 1860, 2070, kLeftBoxWidth);
    wetBulbLabel_ = placeLabel(this, QStringLiteral("Label2"), QString(), {75, 2430, 1740, kBoxHeight});
    wetBulbBox_ =
        makeBox(this, QStringLiteral("WetBulbTemp"), QStringLiteral("Wet bulb temperature"), 1860, 2430, kLeftBoxWidth);
    humidityLabel_ =
        placeLabel(this, QStringLiteral("Label3"), QStringLiteral("%Relative Humidity"), {60, 2790, 1755, kBoxHeight});
    humidityBox_ = makeBox(this, QStringLiteral("Humidity"), QStringLiteral("Relative humidity, percent"), 1860, 2790,
                           kLeftBoxWidth);
    vaporLabel_ = placeLabel(this, QStringLiteral("Label4"), QStringLiteral("Vapor Pressure InHg"),
                             {2985, 2070, 1815, kBoxHeight});
    vaporBox_ = makeBox(this, QStringLiteral("VaporPressure"), QStringLiteral("Vapor pressure, inches of mercury"),
                        4860, 2040, kRightBoxWidth);
    dewPointLabel_ = placeLabel(this, QStringLiteral("Label7"), QString(), {2970, 2430, 1830, kBoxHeight});
    dewPointBox_ =
        makeBox(this, QStringLiteral("DewPoint"), QStringLiteral("Dew point temperature"), 4860, 2430, kRightBoxWidth);
    grainsLabel_ = placeLabel(this, QStringLiteral("Label8(0)"), QStringLiteral("Grains/Lb Dry Air"),
                              {2985, 2790, 1815, kBoxHeight});
    grainsBox_ = makeBox(this, QStringLiteral("GrainsPerLB"), QStringLiteral("Grains of water per pound of dry air"),
                         4860, 2790, kRightBoxWidth);
    dryBulbLabel_->setBuddy(dryBulbBox_);
    wetBulbLabel_->setBuddy(wetBulbBox_);
    humidityLabel_->setBuddy(humidityBox_);
    vaporLabel_->setBuddy(vaporBox_);
    dewPointLabel_->setBuddy(dewPointBox_);
    grainsLabel_->setBuddy(grainsBox_);
    const HumidityCaptions captions = humidityCaptions(scale_);
    dryBulbLabel_->setText(captions.dryAirTemp);
    wetBulbLabel_->setText(captions.wetBulbTemp);
    dewPointLabel_->setText(captions.dewPoint);

    // Designed as locked outputs; the method options choose which of the three variable boxes is the input.
    for (QLineEdit* output : {vaporBox_, dewPointBox_, grainsBox_})
        output->setReadOnly(true);
    // Every box the program may fill, copied with the unit its caption names (the vapour pressure's names it last).
    for (auto [box, caption] : {std::pair{wetBulbBox_, wetBulbLabel_}, std::pair{humidityBox_, humidityLabel_},
                                std::pair{dewPointBox_, dewPointLabel_}, std::pair{grainsBox_, grainsLabel_}})
        installResultCopy(box, [caption] { return unitOfCaption(caption->text()); });
    installResultCopy(vaporBox_, [] { return QStringLiteral("InHg"); });

    calculate_ = placeControl(new QPushButton(QStringLiteral("Calculate"), this), QStringLiteral("cmdHumCalculate"),
                              {1860, 3240, 1000, 315});
    calculate_->setAccessibleName(QStringLiteral("Calculate"));
    clear_ = placeControl(new QPushButton(QStringLiteral("Clear"), this), QStringLiteral("cmdHumClear(0)"),
                          {3420, 3240, 1000, 315});
    clear_->setAccessibleName(QStringLiteral("Clear"));
    orderTabStops(HumidityMethod::DryBulbWetBulb);

    // Free space beside the range check box, so that an altitude figure is never taken for a sea-level one.
    pressureCaption_ =
        placeLabel(this, QStringLiteral("lblPressure"), QString(), {3600, 300, 2340, 255}, Qt::AlignRight);
    pressureCaption_->setFont(scaledFont(pressureCaption_->font(), 0.9));
    pressureCaption_->setAccessibleDescription(QStringLiteral("Barometric pressure of the calculation"));
    pressureCaption_->hide();

    connect(fahrenheit_, &QRadioButton::clicked, this, [this] { chooseScale(TemperatureScale::Fahrenheit); });
    connect(celsius_, &QRadioButton::clicked, this, [this] { chooseScale(TemperatureScale::Celsius); });
    connect(wetBulbMethod_, &QRadioButton::clicked, this, [this] { chooseMethod(HumidityMethod::DryBulbWetBulb); });
    connect(humidityMethod_, &QRadioButton::clicked, this, [this] { chooseMethod(HumidityMethod::DryBulbRH); });
    connect(dewPointMethod_, &QRadioButton::clicked, this, [this] { chooseMethod(HumidityMethod::DryBulbDewPoint); });
    connect(extendedRange_, &QCheckBox::toggled, this, &HumidityPanel::extendedRangeChanged);
    connect(calculate_, &QPushButton::clicked, this, &HumidityPanel::calculate);
    connect(clear_, &QPushButton::clicked, this, &HumidityPanel::clearBoxes);
    for (QRadioButton* option : {fahrenheit_, celsius_})
        option->installEventFilter(this);
    installKeyPressFilter(dryBulbBox_, [this](int code) { return dryBulbKeyPress(code); });
    installKeyPressFilter(wetBulbBox_, [this](int code) { return wetBulbKeyPress(code); });
    installKeyPressFilter(humidityBox_, [this](int code) { return humidityKeyPress(code); });
}

bool HumidityPanel::eventFilter(QObject* watched, QEvent* event)
{
    const bool arrowOnScale = (watched == fahrenheit_ || watched == celsius_) && event->type() == QEvent::KeyPress &&
                              isArrowKey(static_cast<QKeyEvent*>(event)->key());
    if (!arrowOnScale)
        return TabPanel::eventFilter(watched, event);
    // An arrow key chooses the neighbouring scale and only then moves the focus onto it: the choice must still end
    // in the dry bulb, as a click's does. A key the option leaves unused goes on to its parents.
    const bool wasFahrenheit = fahrenheit_->isChecked();
    watched->event(event);
    if (fahrenheit_->isChecked() != wasFahrenheit)
        dryBulbBox_->setFocus();
    return true;
}

// The source may have been read since the caption was last set: the settings are read after the panel is made.
void HumidityPanel::showEvent(QShowEvent* event)
{
    TabPanel::showEvent(event);
    showPressure();
}

void HumidityPanel::setPressureSource(const BarometricPressure* pressure)
{
    pressureSource_ = pressure;
    showPressure();
}

BarometricPressure HumidityPanel::pressure() const
{
    return pressureSource_ ? *pressureSource_ : BarometricPressure();
}

void HumidityPanel::pressureSet()
{
    showPressure();
    // Figures worked out at the old pressure would now stand beside the new one: they go, the entries stay.
    QLineEdit* input = method() == HumidityMethod::DryBulbRH         ? humidityBox_
                       : method() == HumidityMethod::DryBulbDewPoint ? dewPointBox_
                                                                     : wetBulbBox_;
    for (QLineEdit* box : {wetBulbBox_, humidityBox_, vaporBox_, dewPointBox_, grainsBox_})
        if (box != input)
            box->clear();
    Q_EMIT pressureChanged(pressure());
    Q_EMIT readingChanged();
}

HumidityReading HumidityPanel::reading() const
{
    return {scale_, extendedRange_->isChecked(), pressure(), result_};
}

void HumidityPanel::calculateFrom(const QString& dryBulb, const QString& relativeHumidity)
{
    initHumidity();
    humidityMethod_->setChecked(true);
    chooseMethod(HumidityMethod::DryBulbRH);
    showInBox(dryBulbBox_, dryBulb);
    showInBox(humidityBox_, relativeHumidity);
    calculate();
}

void HumidityPanel::showPressure()
{
    const BarometricPressure inUse = pressure();
    pressureCaption_->setText(pressureCaption(inUse));
    pressureCaption_->setVisible(!inUse.isStandard());
}

void HumidityPanel::tabChosen()
{
    initHumidity();
}

void HumidityPanel::initHumidity()
{
    if (initDone_)
        return;
    const QIcon icon = window()->windowIcon();
    if (!icon.isNull())
        logoImage_->setPixmap(icon.pixmap(twipsSize(kIconSize, kIconSize)));
    scale_ = TemperatureScale::Fahrenheit;
    rhInputMode_ = false;
    paintBox(dryBulbBox_, kInputColour);
    paintBox(wetBulbBox_, kInputColour);
    paintBox(humidityBox_, kOutputColour);
    humidityBox_->setReadOnly(true);
    paintBox(vaporBox_, kOutputColour);
    paintBox(dewPointBox_, kOutputColour);
    paintBox(grainsBox_, kOutputColour);
    initDone_ = true;
}

void HumidityPanel::chooseScale(TemperatureScale scale)
{
    const ScaleSwitch converted = convertHumidityScale(boxTexts(), scale_, scale);
    setBoxTexts(converted.boxes);
    if (result_) {
        const ScaleSwitch result = convertHumidityScale(*result_, scale_, scale);
        result_ = result.messages.isEmpty() ? std::optional(result.boxes) : std::nullopt;
    }
    scale_ = scale;
    const HumidityCaptions captions = humidityCaptions(scale);
    dryBulbLabel_->setText(captions.dryAirTemp);
    wetBulbLabel_->setText(captions.wetBulbTemp);
    dewPointLabel_->setText(captions.dewPoint);
    dryBulbBox_->setFocus();
    showAll(converted.messages);
    Q_EMIT readingChanged();
}

void HumidityPanel::chooseMethod(HumidityMethod method)
{
    setBoxRole(wetBulbBox_, method == HumidityMethod::DryBulbWetBulb);
    setBoxRole(humidityBox_, method == HumidityMethod::DryBulbRH);
    setBoxRole(dewPointBox_, method == HumidityMethod::DryBulbDewPoint);
    rhInputMode_ = method == HumidityMethod::DryBulbRH;
    orderTabStops(method);
}

void HumidityPanel::orderTabStops(HumidityMethod method)
{
    QLineEdit* input = method == HumidityMethod::DryBulbRH         ? humidityBox_
                       : method == HumidityMethod::DryBulbDewPoint ? dewPointBox_
                                                                   : wetBulbBox_;
    QList<QWidget*> chain = {extendedRange_,  fahrenheit_, celsius_, wetBulbMethod_, humidityMethod_,
                             dewPointMethod_, dryBulbBox_, input,    calculate_,     clear_};
    for (QLineEdit* box : {wetBulbBox_, humidityBox_, vaporBox_, dewPointBox_, grainsBox_})
        if (box != input)
            chain.append(box);
    setTabChain(chain);
}

void HumidityPanel::extendedRangeChanged()
{
    dewPointMethod_->setEnabled(extendedRange_->isChecked());
    if (!extendedRange_->isChecked() && dewPointMethod_->isChecked()) {
        wetBulbMethod_->setChecked(true);
        chooseMethod(HumidityMethod::DryBulbWetBulb);
    }
    Q_EMIT readingChanged();
}

void HumidityPanel::calculate()
{
    const HumidityOutcome outcome =
        calculateHumidity({boxTexts(), scale_, method(), extendedRange_->isChecked(), rhInputMode_, pressure()});
    setBoxTexts(outcome.boxes);
    rhInputMode_ = outcome.rhInputMode;
    result_ = outcome.messages.isEmpty() ? std::optional(outcome.boxes) : std::nullopt;
    // Told before the messages are shown, so that what draws the tab does not wait for their answers.
    Q_EMIT readingChanged();
    showAll(outcome.messages);
}

void HumidityPanel::clearBoxes()
{
    for (QLineEdit* box : {dryBulbBox_, wetBulbBox_, humidityBox_, vaporBox_, dewPointBox_, grainsBox_})
        box->clear();
    dryBulbBox_->setFocus();
    result_.reset();
    Q_EMIT readingChanged();
}

int HumidityPanel::dryBulbKeyPress(int code)
{
    if (code == kEnter) {
        (rhInputMode_ ? humidityBox_ : wetBulbBox_)->setFocus();
        return kDiscard;
    }
    return keepNumberKey(code, true);
}

int HumidityPanel::wetBulbKeyPress(int code)
{
    if (code == kEnter) {
        if (!wetBulbBox_->text().isEmpty())
            calculate();
        else
            humidityBox_->setFocus();
        return kDiscard;
    }
    return keepNumberKey(code, true);
}

int HumidityPanel::humidityKeyPress(int code)
{
    if (code == kEnter) {
        calculate();
        return kDiscard;
    }
    return keepNumberKey(code, false);
}

HumidityMethod HumidityPanel::method() const
{
    if (humidityMethod_->isChecked())
        return HumidityMethod::DryBulbRH;
    if (dewPointMethod_->isChecked())
        return HumidityMethod::DryBulbDewPoint;
    return HumidityMethod::DryBulbWetBulb;
}

HumidityBoxes HumidityPanel::boxTexts() const
{
    return {dryBulbBox_->text(), wetBulbBox_->text(),  humidityBox_->text(),
            vaporBox_->text(),   dewPointBox_->text(), grainsBox_->text()};
}

void HumidityPanel::setBoxTexts(const HumidityBoxes& boxes)
{
    showInBox(dryBulbBox_, boxes.dryAirTemp);
    showInBox(wetBulbBox_, boxes.wetBulbTemp);
    showInBox(humidityBox_, boxes.humidity);
    showInBox(vaporBox_, boxes.vaporPressure);
    showInBox(dewPointBox_, boxes.dewPoint);
    showInBox(grainsBox_, boxes.grainsPerLb);
}

} // namespace mx
