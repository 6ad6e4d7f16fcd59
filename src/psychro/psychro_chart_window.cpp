#include "psychro/psychro_chart_window.h"

#include "common/message_service.h"
#include "common/twips.h"
#include "platform/atomic_file.h"
#include "platform/clipboard.h"
#include "platform/dialog_service.h"
#include "platform/result_copy.h"
#include "psychro/psychro_chart_view.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QStandardPaths>
#include <QSvgGenerator>
#include <QVBoxLayout>

namespace mx {
namespace {

constexpr QSize kOpeningSize(9720, 8520);
constexpr QSize kClientSize(9600, 8100);

const QString kPngFilter = QStringLiteral("PNG image (*.png)");
const QString kSvgFilter = QStringLiteral("SVG drawing (*.svg)");

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption, const QString& accessibleName)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(accessibleName);
    return button;
}

QLabel* makeResultLabel(QWidget* parent, const QString& name, const QString& description)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleDescription(description);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    installResultCopy(label);
    return label;
}

QString startFolder()
{
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

} // namespace

PsychroChartWindow::PsychroChartWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Psychrometric Chart"));
    setAccessibleName(QStringLiteral("Psychrometric Chart"));
    setAttribute(Qt::WA_DeleteOnClose);

    view_ = new PsychroChartView(this);
    pointLabel_ = makeResultLabel(this, QStringLiteral("lblChartPoint"), QStringLiteral("State of the Humidity tab"));
    cursorLabel_ = makeResultLabel(this, QStringLiteral("lblChartCursor"),
                                   QStringLiteral("State under the pointer or the cursor"));
    copyButton_ = makeButton(this, QStringLiteral("cmdChartCopy"), QStringLiteral("&Copy"),
                             QStringLiteral("Copy the chart as a picture"));
    saveButton_ = makeButton(this, QStringLiteral("cmdChartSave"), QStringLiteral("&Save..."),
                             QStringLiteral("Save the chart as a PNG or SVG file"));
    closeButton_ = makeButton(this, QStringLiteral("cmdChartClose"), QStringLiteral("Close"), QStringLiteral("Close"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {copyButton_, saveButton_, closeButton_})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addWidget(pointLabel_);
    layout->addWidget(cursorLabel_);
    layout->addLayout(buttons);
    setTabOrder(view_, pointLabel_);
    setTabOrder(pointLabel_, cursorLabel_);
    setTabOrder(cursorLabel_, copyButton_);
    resize(twipsSize(kClientSize.width(), kClientSize.height()));

    cursorLabel_->setText(view_->reading());
    showTab({}, std::nullopt);
    connect(view_, &PsychroChartView::readingChanged, cursorLabel_, &QLabel::setText);
    connect(view_, &PsychroChartView::statePicked, this, &PsychroChartWindow::statePicked);
    connect(copyButton_, &QPushButton::clicked, this, &PsychroChartWindow::copyChart);
    connect(saveButton_, &QPushButton::clicked, this, &PsychroChartWindow::saveChart);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
    // Ctrl+C on the chart copies the picture; on a label, its text.
    connect(new QShortcut(QKeySequence::Copy, view_, nullptr, nullptr, Qt::WidgetShortcut), &QShortcut::activated, this,
            &PsychroChartWindow::copyChart);
    connect(new QShortcut(QKeySequence::Save, this), &QShortcut::activated, this, &PsychroChartWindow::saveChart);
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this, &QWidget::close);
}

AccessoryWindowTraits PsychroChartWindow::traits()
{
    return {.formName = kFormName, .openingSizeTwips = kOpeningSize};
}

void PsychroChartWindow::showTab(const ChartSetup& setup, const std::optional<HumidityBoxes>& result)
{
    if (!(setup == view_->chart().setup()))
        view_->setChart(PsychroChart(setup));
    view_->setResult(result);
    pointLabel_->setText(tabPointText(view_->chart(), result));
}

void PsychroChartWindow::copyChart()
{
    if (!putImageOnClipboard(view_->picture(devicePixelRatioF())))
        showMessage(QStringLiteral("The chart could not be put on the clipboard."), MsgButtons::Ok,
                    MsgIcon::Exclamation);
}

QByteArray PsychroChartWindow::pngBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    view_->picture(devicePixelRatioF()).save(&buffer, "PNG");
    return bytes;
}

QByteArray PsychroChartWindow::svgBytes() const
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(view_->size());
    svg.setViewBox(view_->rect());
    // Letters as large as on the screen.
    svg.setResolution(view_->logicalDpiY());
    svg.setTitle(QStringLiteral("Psychrometric chart"));
    svg.setDescription(pointLabel_->text());
    QPainter painter(&svg);
    painter.setFont(view_->font());
    ChartMarks marks;
    marks.point = view_->markedPoint();
    paintPsychroChart(painter, QRectF(view_->rect()), view_->chart(), marks, chartColours(view_->palette()));
    painter.end();
    return bytes;
}

void PsychroChartWindow::saveChart()
{
    QFileDialog dialog(this, QStringLiteral("Save Chart"));
    dialog.setObjectName(QStringLiteral("dlgSaveChart"));
    // Qt's own dialog, and the question about an existing file asked through the message service.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({kPngFilter, kSvgFilter});
    dialog.setDirectory(saveFolder_.isEmpty() ? startFolder() : saveFolder_);
    dialog.selectFile(QStringLiteral("psychrometric-chart.png"));
    if (execDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    // A name without an extension takes the one of the type chosen.
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += dialog.selectedNameFilter() == kSvgFilter ? QStringLiteral(".svg") : QStringLiteral(".png");
    const QFileInfo file(path);
    saveFolder_ = file.absolutePath();
    if (file.exists() &&
        showMessage(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(file.fileName()),
                    MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return;
    const bool svg = file.suffix().compare(u"svg", Qt::CaseInsensitive) == 0;
    QString error;
    if (!writeFileAtomically(path, svg ? svgBytes() : pngBytes(), &error))
        showMessage(error, MsgButtons::Ok, MsgIcon::Exclamation);
}

} // namespace mx
