#pragma once

#include <QDialog>
#include <QLabel>

class QGroupBox;
class QPushButton;
class QTextLayout;

namespace mx {

// A word-wrapped label that never breaks its line inside one phrase (a web address, which would otherwise break
// after "https://"), unless the phrase is wider than the label. The text itself is left as it is.
class UnbrokenPhraseLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    void setPhrase(const QString& phrase);
    // The lines as the label shows them.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void layOut(QTextLayout& layout) const;

    QString phrase_;
};

struct LogoLinkFlags;

// The web dialog (frmWebSite), run modally through execDialog after a click on the main window's link picture.
// Go There hands the maker's address to the browser and leaves the dialog open; Cancel (or Escape) clears the flags'
// WebDialogOpen and closes it. Closed by its close box, the flag stays set, so no new web-site hint is shown.
class WebSiteWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr QLatin1StringView kFormName{"frmWebSite"};

    // `address` is the maker's web address (makerWebAddress()); `flags` belongs to the main window. The dialog takes
    // its icon from `parent` when there is one.
    WebSiteWindow(QString address, LogoLinkFlags& flags, QWidget* parent = nullptr);

    QString address() const { return address_; }

    static constexpr int kWidthTwips = 5400;
    static constexpr int kHeightTwips = 2280;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onGoThere();
    void onCancel();

    QString address_;
    LogoLinkFlags& flags_;
    bool centred_ = false;
    QGroupBox* frame_ = nullptr;
    QLabel* picture_ = nullptr;
    UnbrokenPhraseLabel* message_ = nullptr;
    QPushButton* goThereButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace mx
