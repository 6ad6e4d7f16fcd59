#pragma once

#include <QWidget>

#include <functional>

class QPushButton;
class QShortcut;
class QTextBrowser;

// Help: one HTML file beside the program, shown in a viewer window that belongs to the main window. setUpHelp is
// called once by the main window's start-up; from then on every window asks for the contents or a topic by context
// id. The viewer is created on the first request, brought forward by later ones and destroyed when closed.
namespace mx {

class HelpViewer : public QWidget {
    Q_OBJECT
public:
    // `owner` (the main window) owns the viewer; it opens as a window of its own beside it.
    HelpViewer(QString helpFile, QWidget* owner);

    // Shows the topic at `anchor`, loading the file first if need be. A help file that is missing or cannot be
    // read is reported in the viewer itself.
    void showTopic(const QString& anchor);

    QTextBrowser* browser() const { return browser_; }
    QString helpFile() const { return helpFile_; }

private:
    void onLinkClicked(const QUrl& link);

    QString helpFile_;
    QTextBrowser* browser_ = nullptr;
    QPushButton* contentsButton_ = nullptr;
    QPushButton* backButton_ = nullptr;
    QPushButton* forwardButton_ = nullptr;
};

// Sets the help file from the program's folder (helpFilePath()) and the window that owns the viewer; `opened` (if
// given) learns of the viewer each time one is made, so that it is carried along with the program's other windows.
void setUpHelp(QWidget* owner, const QString& programFolder, std::function<void(QWidget*)> opened = {});
// Opens the help at the topic of a context id (30 the table editor, 140 the note editor), or at the contents for
// an id without a topic. Nothing happens before setUpHelp.
void showHelpTopic(int contextId);
// Opens the help at its contents page.
void showHelpContents();

// The viewer while it is open, else nullptr.
HelpViewer* openHelpViewer();

// F1 in `window` opens the topic of `contextId`, or the contents for kHelpContentsContext (0).
QShortcut* installHelpKey(QWidget* window, int contextId);

} // namespace mx
