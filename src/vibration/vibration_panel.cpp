#include "vibration/vibration_panel.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "platform/box_text.h"
#include "platform/form_layout.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace mx {
namespace {

// The panel and its two frames, in twips.
constexpr int kPanelWidth = 6000;
constexpr int kSineFrameHeight = 2520;
constexpr int kRandomFrameTop = 2640;
constexpr int kRandomFrameHeight = 1740;
constexpr int kPanelHeight = kRandomFrameTop + kRandomFrameHeight;

// Rows inside a frame: a caption to the left of its box.
constexpr int kCaptionLeft = 120;
constexpr int kCaptionWidth = 3120;
constexpr int kBoxLeft = 3360;
constexpr int kBoxWidth = 1080;
constexpr int kBoxHeight = 285;
constexpr int kFirstRowTop = 600;
constexpr int kSineRowStep = 480; // room for a caption on two lines
constexpr int kRandomRowStep = 360;
constexpr int kSineCaptionHeight = 450;
constexpr int kRandomCaptionHeight = 255;
constexpr int kButtonLeft = 4560;
constexpr int kButtonWidth = 1200;
constexpr int kButtonHeight = 375;
constexpr int kButtonRaise = (kBoxHeight - kButtonHeight) / 2; // a button centred on its row

struct RowDesign {
    const char16_t* boxName;
    const char16_t* captionName;
    const char16_t* caption;
};

QGroupBox* makeFrame(QWidget* parent, const QString& name, const QString& caption, int top, int height)
{
    return placeFrame(parent, name, caption, {0, top, kPanelWidth, height});
}

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& text, int left, int top, int width, int height,
                    Qt::Alignment align)
{
    auto* label = placeControl(new QLabel(text, parent), name, {left, top, width, height});
    label->setAlignment(align | Qt::AlignVCenter);
    label->setWordWrap(true);
    return label;
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& accessible,
                        int top)
{
    auto* button =
        placeControl(new QPushButton(caption, parent), name, {kButtonLeft, top, kButtonWidth, kButtonHeight});
    button->setAccessibleName(accessible);
    return button;
}

// Digits, "-", "." and Backspace are typed; every other character is dropped, the clipboard shortcuts too.
int keepNumberCharacter(int code)
{
    const bool kept = code == kBackspace || code == '-' || code == '.' || (code >= '0' && code <= '9');
    return kept ? code : kDiscard;
}

QLineEdit* makeBox(QWidget* parent, const QString& name, const QString& accessible, const QString& description, int top)
{
    auto* box = placeControl(new QLineEdit(parent), name, {kBoxLeft, top, kBoxWidth, kBoxHeight});
    box->setAccessibleName(accessible);
    box->setAccessibleDescription(description);
    installKeyPressFilter(box, keepNumberCharacter, ControlCodes::Filtered);
    return box;
}

} // namespace

VibrationPanel::VibrationPanel(QWidget* parent) : TabPanel(parent)
{
    setObjectName(QStringLiteral("picVibration"));
    setAccessibleName(QStringLiteral("Vibration Calculator"));
    setFixedSize(twipsSize(kPanelWidth, kPanelHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
    setMouseTracking(true);

    const QString enterTwo = QStringLiteral("Enter 2 Known values only.");
    const UnitCaptions captions = startingCaptions();

    sineFrame_ =
        makeFrame(this, QStringLiteral("Frame1"), QStringLiteral("Vibration Calculation"), 0, kSineFrameHeight);
    sineHint_ = makeCaption(sineFrame_, QStringLiteral("Label1(0)"), enterTwo, 240, 260, 3600, 255, Qt::AlignLeft);
    sineHint_->setAccessibleDescription(QStringLiteral("Sine vibration: enter two known values only"));
    const std::array<RowDesign, kSineBoxCount> sineRows = {{
        {u"Text1(0)", u"Label8", u"Frequency in Hz"},
        {u"Text1(1)", u"Label10", nullptr},
        {u"Text1(2)", u"Label9", u"Peak acceleration in g's"},
        {u"Text1(3)", u"Label11", nullptr},
    }};
    for (std::size_t i = 0; i < sineRows.size(); ++i) {
        const RowDesign& row = sineRows[i];
        const int top = kFirstRowTop + int(i) * kSineRowStep;
        QString caption = row.caption ? QString::fromUtf16(row.caption) : QString();
        if (i == kDisplacementBox)
            caption = captions.displacement;
        if (i == kVelocityBox)
            caption = captions.velocity;
        sineLabels_[i] =
            makeCaption(sineFrame_, QString::fromUtf16(row.captionName), caption, kCaptionLeft,
                        top + (kBoxHeight - kSineCaptionHeight) / 2, kCaptionWidth, kSineCaptionHeight, Qt::AlignRight);
        sineBoxes_[i] = makeBox(sineFrame_, QString::fromUtf16(row.boxName), caption,
                                QStringLiteral("Sine vibration: fill in any two of the four values"), top);
        sineLabels_[i]->setBuddy(sineBoxes_[i]);
    }
    calculateSineButton_ =
        makeButton(sineFrame_, QStringLiteral("cmdVibCalc1"), QStringLiteral("Calculate"),
                   QStringLiteral("Calculate sine vibration"), kFirstRowTop + kSineRowStep + kButtonRaise);
    clearSineButton_ =
        makeButton(sineFrame_, QStringLiteral("cmdVibClear1"), QStringLiteral("Clear"),
                   QStringLiteral("Clear sine vibration"), kFirstRowTop + 2 * kSineRowStep + kButtonRaise);
    englishOption_ = placeControl(new QRadioButton(QStringLiteral("English"), sineFrame_), QStringLiteral("optEnglish"),
                                  {kButtonLeft, 240, 1080, 255});
    englishOption_->setAccessibleName(QStringLiteral("English units"));
    englishOption_->setChecked(true);
    metricOption_ = placeControl(new QRadioButton(QStringLiteral("Metric"), sineFrame_), QStringLiteral("optMetric"),
                                 {kButtonLeft, 540, 1080, 255});
    metricOption_->setAccessibleName(QStringLiteral("Metric units"));

    randomFrame_ = makeFrame(this, QStringLiteral("Frame2"),
                             QStringLiteral("Vibration Level for Random Noise of Uniform Spectral Density"),
                             kRandomFrameTop, kRandomFrameHeight);
    randomHint_ = makeCaption(randomFrame_, QStringLiteral("Label1(1)"), enterTwo, 240, 260, 3600, 255, Qt::AlignLeft);
    randomHint_->setAccessibleDescription(QStringLiteral("Random vibration: enter two known values only"));
    const std::array<RowDesign, kRandomBoxCount> randomRows = {{
        {u"Text2(0)", u"Label12", u"Bandwidth in Hz"},
        {u"Text2(1)", u"Label13", u"Acceleration density (g^2/Hz)"},
        {u"Text2(2)", u"Label14", u"Acceleration g RMS"},
    }};
    for (std::size_t i = 0; i < randomRows.size(); ++i) {
        const RowDesign& row = randomRows[i];
        const int top = kFirstRowTop + int(i) * kRandomRowStep;
        const QString caption = QString::fromUtf16(row.caption);
        randomLabels_[i] = makeCaption(randomFrame_, QString::fromUtf16(row.captionName), caption, kCaptionLeft,
                                       top + (kBoxHeight - kRandomCaptionHeight) / 2, kCaptionWidth,
                                       kRandomCaptionHeight, Qt::AlignRight);
        randomBoxes_[i] = makeBox(randomFrame_, QString::fromUtf16(row.boxName), caption,
                                  QStringLiteral("Random vibration: fill in any two of the three values"), top);
        randomLabels_[i]->setBuddy(randomBoxes_[i]);
    }
    calculateRandomButton_ = makeButton(randomFrame_, QStringLiteral("cmdVibCalc2"), QStringLiteral("Calculate"),
                                        QStringLiteral("Calculate random vibration"), kFirstRowTop + kButtonRaise);
    clearRandomButton_ =
        makeButton(randomFrame_, QStringLiteral("cmdVibClear2"), QStringLiteral("Clear"),
                   QStringLiteral("Clear random vibration"), kFirstRowTop + 2 * kRandomRowStep + kButtonRaise);

    for (QLabel* label : sineLabels_)
        label->setAccessibleDescription(QStringLiteral("Caption of the box to its right"));
    for (QLabel* label : randomLabels_)
        label->setAccessibleDescription(QStringLiteral("Caption of the box to its right"));
    // Each box is copied with the unit its caption names; the overall level's caption names it in its own words.
    // The boxes refuse the clipboard keys while they hold what the user typed; what a calculation or a unit switch
    // wrote into them is a result, which Ctrl+C copies.
    for (std::size_t i = 0; i < sineBoxes_.size(); ++i)
        installResultCopy(
            sineBoxes_[i], [caption = sineLabels_[i]] { return unitOfCaption(caption->text()); },
            TypedBoxCopy::ProgramText);
    for (std::size_t i = 0; i < randomBoxes_.size(); ++i) {
        installResultCopy(
            randomBoxes_[i],
            [caption = randomLabels_[i], overall = i == kOverallBox] {
                return overall ? QStringLiteral("g RMS") : unitOfCaption(caption->text());
            },
            TypedBoxCopy::ProgramText);
    }

    connect(calculateSineButton_, &QPushButton::clicked, this, &VibrationPanel::onCalculateSine);
    connect(clearSineButton_, &QPushButton::clicked, this, &VibrationPanel::onClearSine);
    connect(calculateRandomButton_, &QPushButton::clicked, this, &VibrationPanel::onCalculateRandom);
    connect(clearRandomButton_, &QPushButton::clicked, this, &VibrationPanel::onClearRandom);
    // Every click runs the unit step, on the option in force too (its captions are set again); each option decides
    // by its own state. Space and the arrow keys click as well.
    connect(englishOption_, &QRadioButton::clicked, this, [this] { onUnitsChosen(englishOption_->isChecked()); });
    connect(metricOption_, &QRadioButton::clicked, this, [this] { onUnitsChosen(!metricOption_->isChecked()); });
}

void VibrationPanel::tabChosen()
{
    englishUnits_ = englishOption_->isChecked();
}

SineEntries VibrationPanel::sineEntries() const
{
    SineEntries entries;
    for (std::size_t i = 0; i < sineBoxes_.size(); ++i)
        entries.text[i] = sineBoxes_[i]->text();
    entries.englishUnits = englishUnits_;
    return entries;
}

void VibrationPanel::showSineTexts(const SineTexts& texts)
{
    for (std::size_t i = 0; i < sineBoxes_.size(); ++i)
        showInBox(sineBoxes_[i], texts[i]);
}

void VibrationPanel::showUnitCaptions(const UnitCaptions& captions)
{
    sineLabels_[kDisplacementBox]->setText(captions.displacement);
    sineBoxes_[kDisplacementBox]->setAccessibleName(captions.displacement);
    sineLabels_[kVelocityBox]->setText(captions.velocity);
    sineBoxes_[kVelocityBox]->setAccessibleName(captions.velocity);
}

void VibrationPanel::onCalculateSine()
{
    const SineOutcome outcome = calculateSine(sineEntries());
    for (const QString& message : outcome.messages)
        showMessage(message);
    showSineTexts(outcome.text);
}

void VibrationPanel::onCalculateRandom()
{
    RandomTexts entries;
    for (std::size_t i = 0; i < randomBoxes_.size(); ++i)
        entries[i] = randomBoxes_[i]->text();
    const RandomOutcome outcome = calculateRandom(entries);
    for (const QString& message : outcome.messages)
        showMessage(message);
    for (std::size_t i = 0; i < randomBoxes_.size(); ++i)
        showInBox(randomBoxes_[i], outcome.text[i]);
}

void VibrationPanel::onClearSine()
{
    for (QLineEdit* box : sineBoxes_)
        box->clear();
}

void VibrationPanel::onClearRandom()
{
    for (QLineEdit* box : randomBoxes_)
        box->clear();
}

void VibrationPanel::onUnitsChosen(bool english)
{
    const UnitSwitchOutcome outcome = switchUnits(sineEntries(), english);
    englishUnits_ = outcome.englishUnits;
    showUnitCaptions(outcome.captions);
    showSineTexts(outcome.text);
}

} // namespace mx
