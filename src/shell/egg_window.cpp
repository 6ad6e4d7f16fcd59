#include "shell/egg_window.h"

#include "common/twips.h"
#include "platform/window_placement.h"
#include "shell/logo_link.h"
#include "shell/shell_art.h"

#include "version.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QTimer>

namespace mx {
namespace {

// Where the pictures stand when the window opens, in twips.
constexpr QRect kLogoTwips(2010, 2235, 2595, 435);
constexpr QRect kBallTwips(900, 900, 3300, 3345); // 220 by 223 pixels at (60, 60)
constexpr int kDirectionTwips = 480;

QSize pixels(QRect twips)
{
    return twipsSize(twips.width(), twips.height());
}

} // namespace

EggBall::EggBall(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void EggBall::setFillColor(const QColor& colour)
{
    colour_ = colour;
    update();
}

void EggBall::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(colour_);
    p.drawEllipse(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));
}

EggWindow::EggWindow(LogoLinkFlags& flags, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), flags_(flags),
      bounce_({twipsSize(kWidthTwips, kHeightTwips), pixels(kBallTwips), pixels(kLogoTwips),
               twipsSize(kDirectionTwips, kDirectionTwips)})
{
    setObjectName(QStringLiteral("frmEgg"));
    setWindowTitle(QStringLiteral("Mensurix"));
    setAccessibleName(QStringLiteral("Bouncing pictures"));
    setAccessibleDescription(QStringLiteral("Keys 1, 2 and 3 choose the picture; Enter, Escape or a click closes"));
    setFixedSize(twipsSize(kWidthTwips, kHeightTwips));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0, 0, 255));
    setPalette(pal);

    ball_ = new EggBall(this);
    ball_->setObjectName(QStringLiteral("shpBall"));
    ball_->setAccessibleName(QStringLiteral("Ball"));
    ball_->setGeometry(twipsRect(kBallTwips.x(), kBallTwips.y(), kBallTwips.width(), kBallTwips.height()));
    ball_->hide(); // it appears when chosen with the key 1

    logo_ = new QLabel(this);
    logo_->setObjectName(QStringLiteral("imgLogo"));
    logo_->setAccessibleName(QString::fromUtf8(version::kCompanyName) + QStringLiteral(" logo"));
    logo_->setGeometry(twipsRect(kLogoTwips.x(), kLogoTwips.y(), kLogoTwips.width(), kLogoTwips.height()));
    logo_->setPixmap(drawMakerLogo(logo_->size()));
    // On a white card: the logo's dark blue would vanish into the window's blue.
    QPalette card = logo_->palette();
    card.setColor(QPalette::Window, Qt::white);
    logo_->setPalette(card);
    logo_->setAutoFillBackground(true);
    logo_->installEventFilter(this);
    logoHome_ = logo_->pos();

    const struct {
        Heading heading;
        const char16_t* name;
        const char16_t* accessible;
    } pictures[] = {
        {Heading::DownRight, u"imgDR", u"Moving down and right"},
        {Heading::UpRight, u"imgUR", u"Moving up and right"},
        {Heading::UpLeft, u"imgUL", u"Moving up and left"},
        {Heading::DownLeft, u"imgDL", u"Moving down and left"},
    };
    for (const auto& picture : pictures) {
        auto* label = new QLabel(this);
        label->setObjectName(QString::fromUtf16(picture.name));
        label->setAccessibleName(QString::fromUtf16(picture.accessible));
        label->setGeometry(twipsRect(0, 0, kDirectionTwips, kDirectionTwips));
        label->setPixmap(drawDirectionPicture(picture.heading, label->width()));
        label->setVisible(picture.heading == Heading::DownRight);
        directions_[std::size_t(picture.heading)] = label;
    }

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("timBounce"));
    timer_->setInterval(kEggTickMs);
    connect(timer_, &QTimer::timeout, this, &EggWindow::onTick);

    centreOnScreen(this);
    setMask(QRegion(rect(), QRegion::Ellipse));
    if (flags_.HiddenAnimationEnabled)
        timer_->start();
}

QLabel* EggWindow::directionPicture(Heading heading) const
{
    return directions_[std::size_t(heading)];
}

void EggWindow::onTick()
{
    const bool colourChanged = bounce_.tick();
    switch (bounce_.mode()) {
    case EggMode::Ball: {
        if (colourChanged) {
            const EggColour c = kEggPalette[std::size_t(bounce_.colourIndex())];
            ball_->setFillColor(QColor(c.red, c.green, c.blue));
        }
        ball_->move(bounce_.position());
        break;
    }
    case EggMode::Logo:
        logo_->move(bounce_.position());
        break;
    case EggMode::Directions: {
        QLabel* shown = directionPicture(bounce_.heading());
        for (QLabel* picture : directions_)
            if (picture != shown)
                picture->hide();
        shown->move(bounce_.position());
        shown->show();
        break;
    }
    }
}

void EggWindow::chooseMode(int mode)
{
    if (!bounce_.chooseMode(mode))
        return;
    ball_->setVisible(mode == 1);
    if (mode != 2)
        logo_->move(logoHome_);
    for (QLabel* picture : directions_)
        picture->hide();
}

void EggWindow::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return;
    }
    if (key == Qt::Key_Escape) {
        closeResettingCount();
        return;
    }
    const QString text = event->text();
    if (text.isEmpty()) {
        QDialog::keyPressEvent(event);
        return;
    }
    // Any typed character stops the timer and starts it again; only 1, 2 and 3 change anything.
    timer_->stop();
    if (text.size() == 1 && text[0] >= u'1' && text[0] <= u'3')
        chooseMode(text[0].unicode() - u'0');
    timer_->start();
}

void EggWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        closeResettingCount();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

bool EggWindow::eventFilter(QObject* watched, QEvent* event)
{
    // A click on the logo does nothing, not even close the window.
    if (watched == logo_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
                             event->type() == QEvent::MouseButtonDblClick))
        return true;
    return QDialog::eventFilter(watched, event);
}

void EggWindow::closeResettingCount()
{
    flags_.ArmClickCount = 0;
    reject();
}

void EggWindow::done(int result)
{
    timer_->stop();
    flags_.HiddenAnimationArmed = false;
    flags_.WebDialogOpen = false;
    QDialog::done(result);
}

void EggWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Only an enabled animation may be seen at all.
    if (!flags_.HiddenAnimationEnabled)
        QTimer::singleShot(0, this, &QDialog::reject);
}

void EggWindow::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    setMask(QRegion(rect(), QRegion::Ellipse));
}

} // namespace mx
