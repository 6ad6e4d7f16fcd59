#include "conversion/metric_panel.h"

#include "common/globals.h"
#include "common/message_service.h"
#include "common/twips.h"
#include "conversion/conversion.h"
#include "platform/key_filter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace mx {
namespace {

// Frame3 and the panel around it, in twips.
constexpr int kFrameWidth = 5640;
constexpr int kFrameHeight = 3060;

template <typename W> W* place(W* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(twipsRect(left, top, width, height));
    return widget;
}

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, Qt::Alignment align, int left, int top,
                  int width, int height)
{
    auto* label = place(new QLabel(text, parent), name, left, top, width, height);
    label->setAlignment(align | Qt::AlignVCenter);
    return label;
}

} // namespace

MetricPanel::MetricPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("picMetric"));
    setAccessibleName(QStringLiteral("Metric Conversion"));
    setFixedSize(twipsSize(kFrameWidth, kFrameHeight));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    Frame3 = place(new QGroupBox(QStringLiteral("Metric vs English"), this), QStringLiteral("Frame3"), 0, 0,
                   kFrameWidth, kFrameHeight);
    Frame3->setAccessibleName(QStringLiteral("Metric vs English"));
    // The caption sits on the frame's top line, so the controls below it keep their designed places.
    Frame3->setStyleSheet(QStringLiteral("QGroupBox#Frame3 { border: 1px solid palette(mid); border-radius: 2px;"
                                         " margin-top: 6px; }"
                                         "QGroupBox#Frame3::title { subcontrol-origin: margin; left: 8px;"
                                         " padding: 0 2px; }"));
    QWidget* f = Frame3;

    Label5 = makeLabel(f, QStringLiteral("Label5"), QStringLiteral("Conversion Type"), Qt::AlignHCenter, 2108, 136,
                       1394, 255);
    Combo2 = place(new QComboBox(f), QStringLiteral("Combo2"), 2160, 420, 1335, 315);
    Combo2->setAccessibleName(QStringLiteral("Conversion Type"));
    Combo2->setMaxVisibleItems(15);
    Label6 = makeLabel(f, QStringLiteral("Label6"), QStringLiteral("Conversion Selection"), Qt::AlignHCenter, 1445, 816,
                       2771, 187);
    Combo1 = place(new QComboBox(f), QStringLiteral("Combo1"), 840, 1080, 3900, 315);
    Combo1->setAccessibleName(QStringLiteral("Conversion Selection"));
    Combo1->setMaxVisibleItems(20);
    Label17 = makeLabel(f, QStringLiteral("Label17"), QStringLiteral("Value to convert"), Qt::AlignRight, 612, 1683,
                        1462, 187);
    metricText1 = place(new QLineEdit(f), QStringLiteral("metricText1"), 2280, 1620, 1000, 285);
    metricText1->setAccessibleName(QStringLiteral("Value to convert"));
    {
        QPalette pal = metricText1->palette();
        pal.setColor(QPalette::Base, Qt::white);
        pal.setColor(QPalette::Text, Qt::black);
        metricText1->setPalette(pal);
    }
    Convert = place(new QPushButton(QStringLiteral("Convert"), f), QStringLiteral("Convert"), 3600, 1590, 1000, 315);
    Convert->setAccessibleName(QStringLiteral("Convert"));
    Convert->setAutoDefault(false);
    Label15 = makeLabel(f, QStringLiteral("Label15"), QStringLiteral("From"), Qt::AlignLeft, 1632, 2040, 408, 187);
    Label16 = makeLabel(f, QStringLiteral("Label16"), QStringLiteral("To"), Qt::AlignLeft, 3485, 2023, 323, 187);

    lblScale[2] =
        makeLabel(f, QStringLiteral("lblScale(2)"), QStringLiteral("Degrees C"), Qt::AlignRight, 60, 2280, 1980, 195);
    lblScale[0] =
        makeLabel(f, QStringLiteral("lblScale(0)"), QStringLiteral("Degrees F"), Qt::AlignLeft, 3480, 2280, 1980, 195);
    lblScale[3] =
        makeLabel(f, QStringLiteral("lblScale(3)"), QStringLiteral("Degrees F"), Qt::AlignRight, 60, 2640, 1980, 195);
    lblScale[1] =
        makeLabel(f, QStringLiteral("lblScale(1)"), QStringLiteral("Degrees C"), Qt::AlignLeft, 3480, 2640, 1980, 195);
    lblScale[2]->setAccessibleDescription(QStringLiteral("Unit converted from, first row"));
    lblScale[0]->setAccessibleDescription(QStringLiteral("Unit converted to, first row"));
    lblScale[3]->setAccessibleDescription(QStringLiteral("Unit converted from, second row"));
    lblScale[1]->setAccessibleDescription(QStringLiteral("Unit converted to, second row"));
    for (int i = 0; i < 2; ++i) {
        auto* answerLabel = makeLabel(f, QStringLiteral("lblAnswer(%1)").arg(i), QString(), Qt::AlignRight, 2160,
                                      i == 0 ? 2280 : 2640, 1200, 255);
        answerLabel->setFrameShape(QFrame::Box);
        answerLabel->setAutoFillBackground(true);
        answerLabel->setBackgroundRole(QPalette::Window); // not the panel's button face, which children inherit
        answerLabel->setMargin(1);
        answerLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        QPalette pal = answerLabel->palette();
        pal.setColor(QPalette::Window, QColor(255, 255, 0));
        pal.setColor(QPalette::WindowText, Qt::black);
        answerLabel->setPalette(pal);
        answerLabel->setAccessibleDescription(i == 0 ? QStringLiteral("Answer, first row")
                                                     : QStringLiteral("Answer, second row"));
        lblAnswer[std::size_t(i)] = answerLabel;
    }

    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Convert, &QPushButton::clicked, this, &MetricPanel::Convert_Click);
    connect(metricText1, &QLineEdit::textChanged, this, &MetricPanel::metricText1_Change);
    installKeyPressFilter(metricText1, [this](int code) { return metricText1_KeyPress(code); });
}

void MetricPanel::fillLists()
{
    Combo1->clear();
    Combo1->addItems(temperaturePairNames());
    Combo1->setCurrentIndex(0);
    Combo2->clear();
    Combo2->addItems(conversionTypes());
    Combo2->setCurrentIndex(0);
    CurrentCategory = Combo2->currentText();
}

void MetricPanel::Combo2_Click()
{
    loadCategory(Combo2->currentText());
}

void MetricPanel::reloadTable()
{
    loadCategory(CurrentCategory);
}

void MetricPanel::loadCategory(const QString& category)
{
    CurrentCategory = category;
    Combo1->clear();
    metricText1->clear();
    lblAnswer[0]->clear();
    lblAnswer[1]->clear();

    if (category == QStringView(kTemperatureCategory)) {
        Combo1->addItems(temperaturePairNames());
        Combo1->setCurrentIndex(0);
        Combo1_Click();
        Q_EMIT tableEditorAllowed(false);
        return;
    }
    Q_EMIT tableEditorAllowed(true);
    TablePath = AppPath + category + QStringLiteral(".tbl");

    const TableReadResult result = readConversionTable(TablePath, ConversionTable);
    if (result.status == TableReadStatus::Missing) {
        if (showMessage(missingTableQuestion(category), MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
            Q_EMIT createTableRequested();
        return;
    }
    // Any other failure loads nothing and says nothing: the empty pair list tells the user.
    if (result.status != TableReadStatus::Ok || result.count == 0)
        return;
    QStringList names;
    names.reserve(result.count);
    for (int i = 0; i < result.count; ++i)
        names.append(ConversionTable[std::size_t(i)].Name);
    Combo1->addItems(names);
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

void MetricPanel::Combo1_Click()
{
    PairUnits units;
    if (const auto pair = temperaturePairNamed(Combo1->currentText())) {
        units = temperaturePairUnits(*pair);
    } else {
        const int index = Combo1->currentIndex();
        if (index < 0 || index >= kMaxTableEntries)
            return;
        const ConversionEntry& e = ConversionTable[std::size_t(index)];
        units = {e.FirstUnit, e.SecondUnit};
    }
    lblScale[0]->setText(units.first);
    lblScale[3]->setText(units.first);
    lblScale[1]->setText(units.second);
    lblScale[2]->setText(units.second);
    lblAnswer[0]->clear();
    lblAnswer[1]->clear();
}

int MetricPanel::metricText1_KeyPress(int code)
{
    if (code == kEnter) {
        if (!Combo1->currentText().isEmpty())
            Convert_Click();
        return kDiscard;
    }
    const bool allowed = code == kBackspace || code == '-' || code == '.' || (code >= '0' && code <= '9');
    return allowed ? code : kDiscard;
}

void MetricPanel::metricText1_Change()
{
    lblAnswer[0]->clear();
    lblAnswer[1]->clear();
}

void MetricPanel::Convert_Click()
{
    const QString pair = Combo1->currentText();
    if (pair.isEmpty())
        return;
    const auto temperature = temperaturePairNamed(pair);
    if (!temperature) {
        Multiply(Combo1->currentIndex());
        return;
    }
    switch (*temperature) {
    case TemperaturePair::FvsC:
        FvsC();
        break;
    case TemperaturePair::FvsR:
        FvsR();
        break;
    case TemperaturePair::CvsK:
        CvsK();
        break;
    }
}

void MetricPanel::Multiply(int index)
{
    const MultiplyResult result = multiplyByFactor(ConversionTable, index, metricText1->text());
    switch (result.status) {
    case MultiplyStatus::Ok:
        showAnswers(result.answers.answer0, result.answers.answer1);
        break;
    case MultiplyStatus::OutOfSync:
        showMessage(outOfSyncMessage());
        break;
    case MultiplyStatus::ValueOutOfRange:
        showMessage(valueTooLargeMessage());
        break;
    }
}

void MetricPanel::FvsC()
{
    showTemperatures(TemperaturePair::FvsC);
}

void MetricPanel::FvsR()
{
    showTemperatures(TemperaturePair::FvsR);
}

void MetricPanel::CvsK()
{
    showTemperatures(TemperaturePair::CvsK);
}

void MetricPanel::showTemperatures(TemperaturePair pair)
{
    const MetricAnswers a = convertTemperature(pair, metricText1->text());
    showAnswers(a.answer0, a.answer1);
}

void MetricPanel::showAnswers(const QString& answer0, const QString& answer1)
{
    lblAnswer[0]->setText(answer0);
    lblAnswer[1]->setText(answer1);
}

} // namespace mx
