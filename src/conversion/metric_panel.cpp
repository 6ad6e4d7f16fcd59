#include "conversion/metric_panel.h"

#include "common/message_service.h"
#include "conversion/metric_conversions.h"
#include "platform/box_text.h"
#include "platform/form_layout.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mx {
namespace {

// The frame fills the panel; sizes in twips.
constexpr int kFrameWidth = 5640;
constexpr int kFrameHeight = 3060;

constexpr const char* kRowNames[] = {"first row", "second row"};

} // namespace

MetricPanel::MetricPanel(MetricConversions& conversions, QWidget* parent) : TabPanel(parent), conversions_(conversions)
{
    setObjectName(QStringLiteral("picMetric"));
    setAccessibleName(QStringLiteral("Metric Conversion"));
    setFixedSize(twipsSize(kFrameWidth, kFrameHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    frame_ = placeFrame(this, QStringLiteral("Frame3"), QStringLiteral("Metric vs English"),
                        {0, 0, kFrameWidth, kFrameHeight});
    // The controls stand on a plain sheet over the whole frame: a screen reader takes the caption of a frame its
    // controls are directly in as their label, and "Metric vs English" labels none of them.
    QWidget* f = placeControl(new QWidget(frame_), QStringLiteral("frame3Controls"), {0, 0, kFrameWidth, kFrameHeight});
    f->setAccessibleDescription(QStringLiteral("Metric vs English"));

    QLabel* typeCaption = placeLabel(f, QStringLiteral("Label5"), QStringLiteral("Conversion Type"),
                                     {2108, 136, 1394, 255}, Qt::AlignHCenter);
    typeList_ = placeControl(new QComboBox(f), QStringLiteral("Combo2"), {2160, 420, 1335, 315});
    typeList_->setAccessibleName(QStringLiteral("Conversion Type"));
    typeList_->setMaxVisibleItems(15);
    QLabel* pairCaption = placeLabel(f, QStringLiteral("Label6"), QStringLiteral("Conversion Selection"),
                                     {1445, 816, 2771, 187}, Qt::AlignHCenter);
    pairList_ = placeControl(new QComboBox(f), QStringLiteral("Combo1"), {840, 1080, 3900, 315});
    pairList_->setAccessibleName(QStringLiteral("Conversion Selection"));
    pairList_->setMaxVisibleItems(20);
    QLabel* valueCaption = placeLabel(f, QStringLiteral("Label17"), QStringLiteral("Value to convert"),
                                      {612, 1683, 1462, 187}, Qt::AlignRight);
    valueBox_ = placeControl(new QLineEdit(f), QStringLiteral("metricText1"), {2280, 1620, 1000, 285});
    valueBox_->setAccessibleName(QStringLiteral("Value to convert"));
    typeCaption->setBuddy(typeList_);
    pairCaption->setBuddy(pairList_);
    valueCaption->setBuddy(valueBox_);
    paintBox(valueBox_, Qt::white);
    convertButton_ =
        placeControl(new QPushButton(QStringLiteral("Convert"), f), QStringLiteral("Convert"), {3600, 1590, 1000, 315});
    convertButton_->setAccessibleName(QStringLiteral("Convert"));
    placeLabel(f, QStringLiteral("Label15"), QStringLiteral("From"), {1632, 2040, 408, 187});
    placeLabel(f, QStringLiteral("Label16"), QStringLiteral("To"), {3485, 2023, 323, 187});

    const int rowTop[] = {2280, 2640};
    // The captions as designed: "Degrees C" to "Degrees F" in row 1, the reverse in row 2.
    const char16_t* const fromCaption[] = {u"Degrees C", u"Degrees F"};
    const char16_t* const toCaption[] = {u"Degrees F", u"Degrees C"};
    for (std::size_t row = 0; row < 2; ++row) {
        const QString which = QString::fromLatin1(kRowNames[row]);
        fromUnits_[row] =
            placeLabel(f, QStringLiteral("lblScale(%1)").arg(row + 2), QString::fromUtf16(fromCaption[row]),
                       {60, rowTop[row], 1980, 195}, Qt::AlignRight);
        fromUnits_[row]->setAccessibleDescription(QStringLiteral("Unit converted from, ") + which);
        toUnits_[row] = placeLabel(f, QStringLiteral("lblScale(%1)").arg(row), QString::fromUtf16(toCaption[row]),
                                   {3480, rowTop[row], 1980, 195});
        toUnits_[row]->setAccessibleDescription(QStringLiteral("Unit converted to, ") + which);

        QLabel* answer = placeLabel(f, QStringLiteral("lblAnswer(%1)").arg(row), QString(),
                                    {2160, rowTop[row], 1200, 255}, Qt::AlignRight);
        paintAnswerLabel(answer);
        // The unit shown beside an answer is the one it is in.
        installResultCopy(answer, [unit = toUnits_[row]] { return unit->text(); });
        answers_[row] = answer;
    }
    describeAnswers();
    setTabChain({typeList_, pairList_, valueBox_, convertButton_, answers_[0], answers_[1]});

    connect(typeList_, &QComboBox::activated, this, &MetricPanel::onTypeChosen);
    connect(pairList_, &QComboBox::activated, this, &MetricPanel::onPairChosen);
    connect(convertButton_, &QPushButton::clicked, this, &MetricPanel::onConvert);
    connect(valueBox_, &QLineEdit::textChanged, this, &MetricPanel::onValueEdited);
    installKeyPressFilter(valueBox_, [this](int code) { return filterTypedKey(code); });
    fillLists();
}

void MetricPanel::fillLists()
{
    pairList_->clear();
    pairList_->addItems(temperaturePairNames());
    pairList_->setCurrentIndex(0);
    typeList_->clear();
    typeList_->addItems(conversionTypes());
    typeList_->setCurrentIndex(0);
}

void MetricPanel::onTypeChosen()
{
    pairList_->clear();
    valueBox_->clear();
    clearAnswers();
    showCategory(conversions_.chooseCategory(typeList_->currentText()));
}

void MetricPanel::tableSaved(const QString& path)
{
    const std::optional<CategoryChoice> choice = conversions_.tableSaved(path);
    if (!choice)
        return;
    pairList_->clear();
    clearAnswers();
    showCategory(*choice);
}

void MetricPanel::showCategory(const CategoryChoice& choice)
{
    Q_EMIT tableEditorAllowed(choice.tableEditorAllowed);
    if (!choice.missingTableQuestion.isEmpty()) {
        if (showMessage(choice.missingTableQuestion, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
            Q_EMIT newTableRequested();
        return;
    }
    if (!choice.pairs.isEmpty()) {
        pairList_->addItems(choice.pairs);
        pairList_->setCurrentIndex(0);
        onPairChosen();
    }
}

void MetricPanel::onPairChosen()
{
    const auto units = conversions_.pairUnits(pairList_->currentText(), pairList_->currentIndex());
    if (!units)
        return;
    toUnits_[0]->setText(units->first);
    fromUnits_[1]->setText(units->first);
    toUnits_[1]->setText(units->second);
    fromUnits_[0]->setText(units->second);
    describeAnswers();
    clearAnswers();
}

void MetricPanel::describeAnswers()
{
    // The unit caption beside an answer is not made its label: a unit from a table may hold an "&", which a label
    // with a buddy would take for a mnemonic and hide.
    for (std::size_t row = 0; row < 2; ++row)
        answers_[row]->setAccessibleDescription(
            QStringLiteral("Answer, %1, in %2").arg(QString::fromLatin1(kRowNames[row]), toUnits_[row]->text()));
}

int MetricPanel::filterTypedKey(int code)
{
    if (code == kEnter) {
        if (!pairList_->currentText().isEmpty())
            onConvert();
        return kDiscard;
    }
    const bool allowed = code == kBackspace || isValueCharacter(char32_t(code));
    return allowed ? code : kDiscard;
}

void MetricPanel::onValueEdited()
{
    clearAnswers();
}

void MetricPanel::onConvert()
{
    const ConversionOutcome outcome =
        conversions_.convert(pairList_->currentText(), pairList_->currentIndex(), valueBox_->text());
    if (!outcome.message.isEmpty())
        showMessage(outcome.message);
    if (!outcome.answers)
        return;
    showInLabel(answers_[0], outcome.answers->answer0);
    showInLabel(answers_[1], outcome.answers->answer1);
}

QString MetricPanel::valueText() const
{
    return valueBox_->text();
}

QString MetricPanel::secondRowToUnit() const
{
    return toUnits_[1]->text();
}

void MetricPanel::clearAnswers()
{
    answers_[0]->clear();
    answers_[1]->clear();
}

} // namespace mx
