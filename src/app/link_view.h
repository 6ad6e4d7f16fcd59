#pragma once

#include "shell/logo_link.h"

#include <QList>
#include <QObject>

#include <functional>

class QLabel;
class QTimer;
class QWidget;

namespace mx {

// The maker's logo Image1(0), the link picture Image2 and the hint labels around them on the main window, shown as
// LogoHints decides. Reading the Metric tab and opening the web dialog are the wiring's.
class LinkView : public QObject {
    Q_OBJECT
public:
    // Makes the controls on `parent`, whose width (twips) sets where the link and the hints stand.
    LinkView(QWidget* parent, int widthTwips);

    // What the Metric tab holds now: the value box's text and the second row's "to" caption (lblScale(1)).
    struct MetricReading {
        QString valueText;
        QString secondUnitCaption;
    };
    void setMetricReader(std::function<MetricReading()> reader) { readMetric_ = std::move(reader); }
    // The pointer moving over this widget takes the plain hint away (the Metric, Humidity and Vibration panels).
    void hidePlainHintOver(QWidget* panel);
    // The pointer moving over this widget takes every hint away (the tab strip, like the logo).
    void hideAllHintsOver(QWidget* widget);

    // The run's flags of the link and the hidden animation, shared with the web dialog, about box and animation.
    LogoLinkFlags& flags() { return flags_; }

Q_SIGNALS:
    // A click on the link outside the arming condition: the web dialog should open.
    void webDialogRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onTick();
    void show();
    bool armingCondition() const;

    LogoLinkFlags flags_;
    LogoHints hints_{flags_};
    std::function<MetricReading()> readMetric_;
    QLabel* logo_ = nullptr;
    QLabel* link_ = nullptr;
    QLabel* tip_ = nullptr;
    QLabel* egg_ = nullptr;
    QLabel* egg2_ = nullptr;
    QLabel* egg3_ = nullptr;
    QTimer* timer_ = nullptr;
    QList<QObject*> plainHintWidgets_;
    QList<QObject*> allHintWidgets_;
};

} // namespace mx
