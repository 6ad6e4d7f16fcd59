#include "psychro/barometer_dialog.h"

#include "common/message_service.h"
#include "platform/key_filter.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mx {
namespace {

// Each option is a bare radio button with its caption beside it as a label (the buddy of the option or of its
// box), so that the caption carries the mnemonic and a click on it chooses the line.
QRadioButton* makeOption(QWidget* parent, const QString& name, const QString& accessibleName)
{
    auto* option = new QRadioButton(parent);
    option->setObjectName(name);
    option->setAccessibleName(accessibleName);
    return option;
}

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& text, QWidget* buddy)
{
    auto* caption = new QLabel(text, parent);
    caption->setObjectName(name);
    caption->setBuddy(buddy);
    return caption;
}

// A box of digits and one point (and a minus sign where one makes sense); Enter presses `enter`.
QLineEdit* makeBox(QWidget* parent, const QString& name, const QString& accessibleName, bool minusAllowed,
                   QPushButton* enter)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessibleName);
    box->setMaxLength(12);
    installKeyPressFilter(box, [minusAllowed, enter](int code) {
        if (code == kEnter) {
            enter->click();
            return kDiscard;
        }
        const bool kept =
            code == kBackspace || code == '.' || (code >= '0' && code <= '9') || (minusAllowed && code == '-');
        return kept ? code : kDiscard;
    });
    return box;
}

QComboBox* makeUnits(QWidget* parent, const QString& name, const QString& accessibleName, const QStringList& units)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setAccessibleName(accessibleName);
    combo->addItems(units);
    return combo;
}

} // namespace

BarometerDialog::BarometerDialog(const BarometricPressure& current, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      chosen_(current)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Barometric Pressure"));
    setAccessibleName(QStringLiteral("Barometric Pressure"));

    auto* buttons = new QDialogButtonBox(this);
    ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->setAccessibleName(QStringLiteral("OK"));
    ok_->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdCancel"));
    cancel->setAccessibleName(QStringLiteral("Cancel"));

    standard_ = makeOption(this, QStringLiteral("optStandard"), QStringLiteral("Standard atmosphere"));
    altitude_ = makeOption(this, QStringLiteral("optAltitude"), QStringLiteral("Altitude"));
    reading_ = makeOption(this, QStringLiteral("optPressure"), QStringLiteral("Pressure"));
    altitudeBox_ = makeBox(this, QStringLiteral("txtAltitude"), QStringLiteral("Altitude"), true, ok_);
    altitudeUnit_ = makeUnits(this, QStringLiteral("cboAltitudeUnit"), QStringLiteral("Altitude unit"),
                              {QStringLiteral("ft"), QStringLiteral("m")});
    readingBox_ = makeBox(this, QStringLiteral("txtPressure"), QStringLiteral("Pressure"), false, ok_);
    readingUnit_ = makeUnits(
        this, QStringLiteral("cboPressureUnit"), QStringLiteral("Pressure unit"),
        {QStringLiteral("inHg"), QStringLiteral("psia"), QStringLiteral("hPa (mbar)"), QStringLiteral("kPa")});
    QLabel* standardCaption =
        makeCaption(this, QStringLiteral("lblStandard"), QStringLiteral("&Standard atmosphere (sea level)"), standard_);
    QLabel* altitudeCaption =
        makeCaption(this, QStringLiteral("lblAltitude"), QStringLiteral("&Altitude:"), altitudeBox_);
    QLabel* readingCaption = makeCaption(this, QStringLiteral("lblReading"), QStringLiteral("&Pressure:"), readingBox_);

    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("lblSummary"));
    summary_->setAccessibleDescription(QStringLiteral("The pressure the Humidity tab will calculate at"));
    summary_->setTextFormat(Qt::PlainText);
    summary_->setMinimumWidth(summary_->fontMetrics().horizontalAdvance(
        QStringLiteral("Standard atmosphere: 29.921 inHg = 14.696 psia = 1013.25 hPa")));

    auto* grid = new QGridLayout;
    grid->addWidget(standard_, 0, 0);
    grid->addWidget(standardCaption, 0, 1, 1, 3);
    grid->addWidget(altitude_, 1, 0);
    grid->addWidget(altitudeCaption, 1, 1);
    grid->addWidget(altitudeBox_, 1, 2);
    grid->addWidget(altitudeUnit_, 1, 3);
    grid->addWidget(reading_, 2, 0);
    grid->addWidget(readingCaption, 2, 1);
    grid->addWidget(readingBox_, 2, 2);
    grid->addWidget(readingUnit_, 2, 3);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(summary_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const QList<QWidget*> tabOrder{standard_,   altitude_,    altitudeBox_, altitudeUnit_, reading_,
                                   readingBox_, readingUnit_, ok_,          cancel};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    if (current.isStandard()) {
        standard_->setChecked(true);
        standard_->setFocus();
    } else {
        reading_->setChecked(true);
        readingBox_->setText(pressureFileText(current));
        readingBox_->setFocus();
    }

    // A click on a caption does what its mnemonic does. A box or unit clicked or reached by its mnemonic, typed in or
    // chosen, chooses its line; Tab passing through it does not.
    for (QLabel* caption : {standardCaption, altitudeCaption, readingCaption})
        caption->installEventFilter(this);
    for (QWidget* box : std::initializer_list<QWidget*>{altitudeBox_, altitudeUnit_, readingBox_, readingUnit_})
        box->installEventFilter(this);
    connect(altitudeBox_, &QLineEdit::textEdited, altitude_, [this] { altitude_->setChecked(true); });
    connect(altitudeUnit_, &QComboBox::activated, altitude_, [this] { altitude_->setChecked(true); });
    connect(readingBox_, &QLineEdit::textEdited, reading_, [this] { reading_->setChecked(true); });
    connect(readingUnit_, &QComboBox::activated, reading_, [this] { reading_->setChecked(true); });
    for (QRadioButton* option : {standard_, altitude_, reading_})
        connect(option, &QRadioButton::toggled, this, &BarometerDialog::showSummary);
    for (QLineEdit* box : {altitudeBox_, readingBox_})
        connect(box, &QLineEdit::textChanged, this, &BarometerDialog::showSummary);
    for (QComboBox* units : {altitudeUnit_, readingUnit_})
        connect(units, &QComboBox::currentIndexChanged, this, &BarometerDialog::showSummary);
    connect(buttons, &QDialogButtonBox::accepted, this, &BarometerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &BarometerDialog::reject);
    showSummary();
}

bool BarometerDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        if (auto* caption = qobject_cast<QLabel*>(watched)) {
            caption->buddy()->setFocus(Qt::MouseFocusReason);
            if (auto* option = qobject_cast<QRadioButton*>(caption->buddy()))
                option->setChecked(true);
        }
    }
    const bool chosenByFocus =
        event->type() == QEvent::FocusIn && (static_cast<QFocusEvent*>(event)->reason() == Qt::MouseFocusReason ||
                                             static_cast<QFocusEvent*>(event)->reason() == Qt::ShortcutFocusReason);
    if (chosenByFocus && (watched == altitudeBox_ || watched == altitudeUnit_))
        altitude_->setChecked(true);
    else if (chosenByFocus && (watched == readingBox_ || watched == readingUnit_))
        reading_->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

PressureEntry BarometerDialog::entry() const
{
    if (altitude_->isChecked())
        return pressureAtAltitude(altitudeBox_->text(), AltitudeUnit(altitudeUnit_->currentIndex()));
    if (reading_->isChecked())
        return pressureFromReading(readingBox_->text(), PressureUnit(readingUnit_->currentIndex()));
    return {BarometricPressure(), {}};
}

void BarometerDialog::showSummary()
{
    const PressureEntry chosen = entry();
    summary_->setText(chosen.pressure ? pressureSummary(*chosen.pressure) : QString());
}

void BarometerDialog::accept()
{
    const PressureEntry chosen = entry();
    if (!chosen.pressure) {
        showMessage(chosen.refusal, MsgButtons::Ok, MsgIcon::Exclamation);
        QLineEdit* box = altitude_->isChecked() ? altitudeBox_ : readingBox_;
        box->setFocus();
        box->selectAll();
        return;
    }
    chosen_ = *chosen.pressure;
    QDialog::accept();
}

} // namespace mx
