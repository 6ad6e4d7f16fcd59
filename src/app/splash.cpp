#include "app/splash.h"

#include "app/logo_art.h"
#include "app/startup_trace.h"
#include "common/twips.h"
#include "platform/window_placement.h"
#include "version.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace mx {
namespace {

QLabel* makeLabel(QWidget* parent, const QString& name, const QString& text, double points, bool bold, QRect twips)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    label->setFont(font);
    label->setGeometry(twipsRect(twips.x(), twips.y(), twips.width(), twips.height()));
    return label;
}

} // namespace

SplashForm::SplashForm(QWidget* parent) : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setAccessibleName(QStringLiteral("Mensurix is starting"));
    setAttribute(Qt::WA_DeleteOnClose);

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(QStringLiteral("Splash frame: click to cancel start-up"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setGeometry(twipsRect(120, 60, 6240, 3255));
    Frame1->installEventFilter(this);

    imgLogo = new QLabel(Frame1);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setAccessibleName(QStringLiteral("Mensurix icon"));
    imgLogo->setGeometry(twipsRect(240, 300, 720, 720));
    imgLogo->setPixmap(productIcon(twipsToPixels(720)));

    lblProductName = makeLabel(Frame1, QStringLiteral("lblProductName"), QStringLiteral("Product"), 24, true,
                               {1200, 180, 4900, 660});
    lblPlatform = makeLabel(Frame1, QStringLiteral("lblPlatform"), QStringLiteral("Metric, English and more"), 14.25,
                            true, {1200, 900, 4900, 420});
    lblVersion =
        makeLabel(Frame1, QStringLiteral("lblVersion"), QStringLiteral("Version"), 12, true, {1200, 1380, 4900, 360});
    lblCompany = makeLabel(Frame1, QStringLiteral("lblCompany"), QStringLiteral("Company"), 8.25, false,
                           {2880, 2160, 3240, 240});
    lblCopyright = makeLabel(Frame1, QStringLiteral("lblCopyright"), QStringLiteral("Copyright"), 8.25, false,
                             {2880, 2430, 3240, 240});
    Label1 = makeLabel(Frame1, QStringLiteral("Label1"), QStringLiteral("A Halbrecht Group company"), 8.25, false,
                       {2880, 2700, 3240, 240});
    for (QLabel* label : {lblCompany, lblCopyright, Label1})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    imgCompanyLogo = new QLabel(Frame1);
    imgCompanyLogo->setObjectName(QStringLiteral("imgCompanyLogo"));
    imgCompanyLogo->setAccessibleName(QStringLiteral("Quorvane logo"));
    imgCompanyLogo->setGeometry(twipsRect(240, 2460, 2595, 435));
    imgCompanyLogo->setPixmap(makerLogo(twipsSize(2595, 435)));

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    connect(Timer1, &QTimer::timeout, this, &SplashForm::Timer1_Timer);

    Form_Load();
    Timer1->start();
}

void SplashForm::Form_Load()
{
    // The single-instance refusal happens before this window exists (see main), so that nothing is shown.
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    centreOnScreen(this);
    lblVersion->setText(QStringLiteral("Version %1.%2").arg(version::kMajor).arg(version::kMinor));
    lblProductName->setText(QString::fromUtf8(version::kTitle));
    lblCompany->setText(QString::fromUtf8(version::kCompanyName));
    lblCopyright->setText(QString::fromUtf8(version::kLegalNotice));
}

void SplashForm::Timer1_Timer()
{
    ++TickCount;
    if (TickCount > kTicksShown - 1) {
        Timer1->stop();
        Q_EMIT finished();
        close();
    }
}

void SplashForm::Frame1_Click()
{
    Timer1->stop();
    close();
}

bool SplashForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Frame1 && event->type() == QEvent::MouseButtonRelease) {
        Frame1_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void SplashForm::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!painted_) {
        painted_ = true;
        trace::mark("splash-visible");
    }
}

void SplashForm::keyPressEvent(QKeyEvent* event)
{
    event->accept(); // a key press on the splash does nothing
}

} // namespace mx
