#pragma once

#include "shell/tips.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace mx {

// The tip of the day (frmTip), run modally through execDialog: at start when the tips setting asks for it and from
// Help > Show tip of the day. Each opening shows the tip after the one last closed with OK. The check box starts
// ticked; after the window closes, showTipsAtStartup() is the value for the tips setting.
class TipWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr QLatin1StringView kFormName{"frmTip"};

    // The tips file and the counter file are taken from `places` (see TipBook).
    explicit TipWindow(const FilePlaces& places, QWidget* parent = nullptr);

    bool showTipsAtStartup() const { return showTipsAtStartup_; }

    static constexpr int kWidthTwips = 5535;
    static constexpr int kHeightTwips = 3690;

Q_SIGNALS:
    void showTipsAtStartupChanged(bool show);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Reads the tips and shows the next one; false when the file cannot be read (the caller shows the message).
    bool loadTips(const QString& fileName);
    void showNextTip();
    void showCurrentTip();
    void onOk();
    void onShowAtStartupClicked();

    TipBook book_;
    bool showTipsAtStartup_ = true;
    bool centred_ = false;
    QLabel* picture_ = nullptr;
    QLabel* didYouKnow_ = nullptr;
    QScrollArea* tipScroller_ = nullptr;
    QLabel* tipText_ = nullptr;
    QCheckBox* showAtStartupBox_ = nullptr;
    QPushButton* nextTipButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
};

} // namespace mx
