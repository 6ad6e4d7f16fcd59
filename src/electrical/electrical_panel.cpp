#include "electrical/electrical_panel.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "electrical/formula_wheel.h"
#include "platform/box_text.h"
#include "platform/form_layout.h"
#include "platform/key_filter.h"
#include "platform/result_copy.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>

namespace mx {
namespace {

// The panel, in twips: the wheel fills its left side, the entries stand in a column to its right.
constexpr int kPanelWidth = 6180;
constexpr int kColumnLeft = 4650;
constexpr int kColumnWidth = 1530;
constexpr int kBoxLeft = 4830;
constexpr int kBoxWidth = 1140;

// The selection frame's client area in its own scale units (pixels); the formula pictures sit inside it with equal
// margins on both sides, at the offsets each formula names.
constexpr QSize kSelectionClient{80, 52};
constexpr int kSelectionBorder = 2;

// Quadrant names show beside their centre squares (twips of the wheel): below the lower squares, above the upper.
constexpr int kNameGap = 30;

// The column's controls keep their designed sizes whatever their contents ask for.
template <typename W> W* fixSize(W* widget)
{
    widget->setFixedSize(widget->size());
    return widget;
}

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& text, int top)
{
    auto* label = fixSize(placeControl(new QLabel(text, parent), name, {kColumnLeft, top, kColumnWidth, 255}));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLineEdit* makeValueBox(QWidget* parent, const QString& name, const QString& accessibleName, int top)
{
    auto* box = fixSize(placeControl(new QLineEdit(parent), name, {kBoxLeft, top, kBoxWidth, 315}));
    box->setAccessibleName(accessibleName);
    box->setEnabled(false);
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    box->setPalette(pal);
    return box;
}

void paintBlackOnYellow(QLabel* label)
{
    label->setAutoFillBackground(true);
    label->setBackgroundRole(QPalette::Window); // not the panel's button face, which children inherit
    QPalette pal = label->palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 0));
    pal.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(pal);
}

} // namespace

ElectricalPanel::ElectricalPanel(QWidget* parent) : TabPanel(parent)
{
    setObjectName(QStringLiteral("PicElectrical"));
    setAccessibleName(QStringLiteral("Electrical Calculator"));
    setFixedSize(twipsSize(kPanelWidth, kWheelAreaTwips));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    wheel_ = new FormulaWheel(this);
    wheel_->setGeometry(twipsRect(0, 0, kWheelAreaTwips, kWheelAreaTwips));
    wheel_->setFixedSize(wheel_->size());

    for (int q = 0; q < kQuadrantCount; ++q) {
        auto* name = new QLabel(quadrantName(Quantity(q)), wheel_);
        name->setObjectName(QStringLiteral("Label19(%1)").arg(q));
        name->setAlignment(Qt::AlignCenter);
        name->setFrameShape(QFrame::Box);
        name->setMargin(1);
        name->setFont(QToolTip::font());
        name->setAutoFillBackground(true);
        name->setBackgroundRole(QPalette::ToolTipBase);
        name->setForegroundRole(QPalette::ToolTipText);
        name->setAccessibleDescription(QStringLiteral("Quadrant name"));
        // A hint only: the mouse goes on talking to the wheel beneath it.
        name->setAttribute(Qt::WA_TransparentForMouseEvents);
        // Sized to its text, whatever the tool-tip font, and centred on its square.
        const QRect square = wheelSpots()[std::size_t(kElectricalFormulaCount + q)].twips;
        const bool lower = Quantity(q) == Quantity::Resistance || Quantity(q) == Quantity::Emf;
        const QSize size = name->sizeHint();
        const int top = lower ? twipsToPixels(square.top() + square.height() + kNameGap)
                              : twipsToPixels(square.top() - kNameGap) - size.height();
        name->setGeometry(QRect(QPoint(twipsToPixels(square.center().x()) - size.width() / 2, top), size));
        name->setFixedSize(size);
        name->hide();
        quadrantNames_[std::size_t(q)] = name;
    }

    quadrantTipTimer_ = new QTimer(this);
    quadrantTipTimer_->setObjectName(QStringLiteral("timElecTips"));
    quadrantTipTimer_->setInterval(kQuadrantTipDelayMs);

    instruction_ =
        fixSize(placeControl(new QLabel(QStringLiteral("Select the desired formula from the wheel above."), this),
                             QStringLiteral("Label18"), {kColumnLeft, 0, kColumnWidth, 900}));
    instruction_->setAlignment(Qt::AlignCenter);
    instruction_->setWordWrap(true);

    selectionFrame_ = new QFrame(this);
    selectionFrame_->setObjectName(QStringLiteral("picElecSelect"));
    selectionFrame_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    selectionFrame_->setLineWidth(kSelectionBorder);
    const QSize frameSize = kSelectionClient + QSize(2 * kSelectionBorder, 2 * kSelectionBorder);
    selectionFrame_->setGeometry(QRect(twipsRect(4770, 960, 0, 0).topLeft(), frameSize));
    selectionFrame_->setFixedSize(frameSize);
    selectionFrame_->setAutoFillBackground(true);
    selectionFrame_->setBackgroundRole(QPalette::Base);
    {
        QPalette pal = selectionFrame_->palette();
        pal.setColor(QPalette::Base, Qt::white);
        selectionFrame_->setPalette(pal);
    }
    selectionFrame_->setToolTip(selectedFormulaToolTip());
    selectionFrame_->setAccessibleName(selectedFormulaToolTip());
    for (int i = 0; i < kElectricalFormulaCount; ++i) {
        auto* picture = new FormulaPicture(i, selectionFrame_);
        const QPoint offset = electricalFormulas()[std::size_t(i)].selectionOffset;
        const QSize size = kSelectionClient - QSize(2 * offset.x(), 2 * offset.y());
        picture->setGeometry(QRect(selectionFrame_->contentsRect().topLeft() + offset, size));
        picture->setFixedSize(size);
        picture->hide();
        formulaPictures_[std::size_t(i)] = picture;
    }

    firstCaption_ = makeCaption(this, QStringLiteral("lblL1"), QStringLiteral("1st Value"), 1890);
    firstValueBox_ = makeValueBox(this, QStringLiteral("txtEle1"), firstCaption_->text(), 2160);
    secondCaption_ = makeCaption(this, QStringLiteral("lblL2"), QStringLiteral("2nd Value"), 2550);
    secondValueBox_ = makeValueBox(this, QStringLiteral("txtEle2"), secondCaption_->text(), 2820);
    firstCaption_->setBuddy(firstValueBox_);
    secondCaption_->setBuddy(secondValueBox_);
    answerCaption_ = makeCaption(this, QStringLiteral("Label20"), QStringLiteral("Answer"), 3225);

    answer_ = fixSize(placeControl(new QLabel(this), QStringLiteral("lblEle"), {kColumnLeft, 3495, kColumnWidth, 315}));
    answer_->setAlignment(Qt::AlignCenter);
    answer_->setFrameShape(QFrame::Box);
    answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    answer_->setAccessibleDescription(QStringLiteral("Answer"));
    paintBlackOnYellow(answer_);
    installResultCopy(answer_, [this] { return unitOfCaption(answerCaption_->text()); });

    calculateButton_ = fixSize(placeControl(new QPushButton(QStringLiteral("Calculate"), this),
                                            QStringLiteral("cmdEleCalc"), {kBoxLeft, 3960, kBoxWidth, 375}));
    calculateButton_->setAccessibleName(QStringLiteral("Calculate"));
    calculateButton_->setEnabled(false);
    answerCaption_->setBuddy(answer_);
    // After the formula spots of the wheel: the two values, Calculate, then the answer.
    setTabChain({firstValueBox_, secondValueBox_, calculateButton_, answer_});

    connect(wheel_, &FormulaWheel::formulaClicked, this, &ElectricalPanel::pickFormula);
    connect(wheel_, &FormulaWheel::quadrantSpotHovered, this, &ElectricalPanel::quadrantSpotHovered);
    connect(wheel_, &FormulaWheel::wheelHovered, this, &ElectricalPanel::hideQuadrantNames);
    connect(quadrantTipTimer_, &QTimer::timeout, this, &ElectricalPanel::showQuadrantName);
    connect(calculateButton_, &QPushButton::clicked, this, &ElectricalPanel::calculate);
    for (QLineEdit* box : {firstValueBox_, secondValueBox_})
        installKeyPressFilter(
            box, [this](int code) { return valueBoxKeyPress(code); }, ControlCodes::Filtered);
}

void ElectricalPanel::tabChosen()
{
    wheel_->clipToDisc();
    setBackgroundRole(QPalette::Button);
    paintBlackOnYellow(answer_);
    for (QLabel* name : quadrantNames_)
        name->hide();
}

void ElectricalPanel::pickFormula(int index)
{
    if (index < 0 || index >= kElectricalFormulaCount)
        return;
    pickedFormula_ = index;
    for (FormulaPicture* picture : formulaPictures_)
        picture->hide();
    formulaPictures_[std::size_t(index)]->show();
    calculateButton_->setEnabled(true);
    firstValueBox_->setEnabled(true);
    secondValueBox_->setEnabled(true);
    const ElectricalFormula& formula = electricalFormulas()[std::size_t(index)];
    firstCaption_->setText(QString::fromUtf16(formula.firstCaption));
    secondCaption_->setText(QString::fromUtf16(formula.secondCaption));
    answerCaption_->setText(QString::fromUtf16(formula.answerCaption));
    firstValueBox_->setAccessibleName(firstCaption_->text());
    secondValueBox_->setAccessibleName(secondCaption_->text());
    answer_->clear();
    firstValueBox_->clear();
    secondValueBox_->clear();
}

void ElectricalPanel::calculate()
{
    answer_->clear();
    const ElectricalResult result =
        calculateElectrical(pickedFormula_, firstValueBox_->text(), secondValueBox_->text());
    switch (result.status) {
    case ElectricalStatus::Answered:
        showInLabel(answer_, result.answer);
        break;
    case ElectricalStatus::Fault:
        showMessage(electricalFaultMessage());
        break;
    case ElectricalStatus::NoFormula:
        break;
    }
}

void ElectricalPanel::quadrantSpotHovered(int index)
{
    restingQuadrant_ = index;
    // Moving on within a square does not put the name off again.
    if (!quadrantTipTimer_->isActive())
        quadrantTipTimer_->start();
}

void ElectricalPanel::showQuadrantName()
{
    quadrantTipTimer_->stop();
    if (restingQuadrant_ >= 0 && restingQuadrant_ < kQuadrantCount)
        quadrantNames_[std::size_t(restingQuadrant_)]->show();
}

void ElectricalPanel::hideQuadrantNames()
{
    for (QLabel* name : quadrantNames_)
        name->hide();
    quadrantTipTimer_->stop();
}

int ElectricalPanel::valueBoxKeyPress(int code)
{
    const bool allowed = code == kBackspace || code == '.' || (code >= '0' && code <= '9');
    return allowed ? code : kDiscard;
}

} // namespace mx
