#include "conversion/table_editor_window.h"

#include "common/message_service.h"
#include "common/text_pieces.h"
#include "platform/clipboard.h"
#include "platform/form_layout.h"
#include "platform/menu_layout.h"
#include "platform/pieced_text_box.h"
#include "platform/soft_breaks.h"
#include "platform/tool_icons.h"

#include <QAction>
#include <QCloseEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMetaMethod>
#include <QMimeData>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

#include <array>
#include <utility>
#include <functional>
#include <vector>

namespace mx {
namespace {

// Outer size the window opens with, and the client area below the menu bar that leaves (twips).
constexpr QSize kOpeningSize(5700, 6180);
constexpr QSize kClientSize(5610, 5520);

// The help topic of the editor.
constexpr int kEditorHelpContext = 30;

const std::vector<MenuOfBar>& menuLayout()
{
    static const std::vector<MenuOfBar> menus = {
        {u"mnuFile", u"&File", {{u"mnuSave", u"&Save"}, {u"mnuFileS", u""}, {u"mnuExit", u"E&xit"}}},
        {u"mnuEdit",
         u"&Edit",
         {{u"mnuCut", u"C&ut"},
          {u"mnuCopy", u"&Copy"},
          {u"mnuPaste", u"&Paste"},
          {u"mnuEditS", u""},
          {u"mnuCheckTable", u"Check &Table"}}},
        {u"mnuHelp",
         u"&Help",
         {{u"mnuContents", u"&Contents"},
          {u"mnuAdding", u"&Editor Help"},
          {u"mnuHelpS", u""},
          {u"mnuAbout", u"&About"}}},
    };
    return menus;
}

struct ToolButton {
    const char16_t* key;
    const char16_t* toolTip;
    bool separated; // a gap sets it apart from the buttons before it
};

constexpr std::array<ToolButton, 5> kToolButtons = {{
    {u"tlbSave", u"Save", false},
    {u"tlbCut", u"Cut", false},
    {u"tlbCopy", u"Copy", false},
    {u"tlbPaste", u"Paste", false},
    {u"tlbCheck", u"Check Table", true},
}};

// The document's own text: its toPlainText() would turn a no-break space (a byte of the code page) into a blank.
// The pieces of an over-long line are one line again.
QString rawText(const QPlainTextEdit* box)
{
    const QTextDocument* document = box->document();
    QString text;
    text.reserve(document->characterCount());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        text += block.text();
        if (block.next().isValid() && !endsSoftly(block))
            text += u'\n';
    }
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

} // namespace

TableEditorWindow::TableEditorWindow(const QString& path, const QString& category, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      document_(path, category)
{
    setObjectName(kFormName);
    // No accessible name of its own: the title ("Editor - Length") names the window and the table in it.
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(document_.caption());

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("frmTableEditorClient"));
    client->setFixedSize(twipsSize(kClientSize.width(), kClientSize.height()));
    setCentralWidget(client);

    buildMenus();
    buildToolBar(client);

    textBox_ = placeControl(new PiecedTextBox<QPlainTextEdit>(client), QStringLiteral("txtEditor"), {60, 420, 5475, 5055});
    textBox_->setAccessibleName(QStringLiteral("Table text"));
    textBox_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox_->setTabChangesFocus(true);
    textBox_->installEventFilter(this);
    // Mouse moves over the text arrive at its viewport, and only with tracking on while no button is held.
    textBox_->viewport()->setMouseTracking(true);
    textBox_->viewport()->installEventFilter(this);

    // A line too long to lay out at once is held in pieces.
    const PiecedLines text = splitLongLines(document_.load());
    textBox_->setPlainText(text.text);
    markSoftEnds(*textBox_->document(), text.softEnds);
    // Loading the text is no change of the user's.
    document_.setDirty(false);
    if (document_.readOnly()) {
        textBox_->setReadOnly(true);
        for (const char* name : {"mnuSave", "mnuCut", "mnuPaste"})
            menuEntry(name)->setEnabled(false);
        for (const char* key : {"tlbSave", "tlbPaste"})
            toolBar_->findChild<QAction*>(QString::fromLatin1(key))->setEnabled(false);
    }
    connect(textBox_, &QPlainTextEdit::textChanged, this, &TableEditorWindow::onTextChanged);

    adjustSize();
    setFixedSize(size());
    textBox_->setFocus();
}

AccessoryWindowTraits TableEditorWindow::traits()
{
    return {.formName = kFormName, .openingSizeTwips = kOpeningSize};
}

void TableEditorWindow::buildMenus()
{
    buildMenuBar(menuBar(), menuLayout());
    connect(menuEntry("mnuSave"), &QAction::triggered, this, &TableEditorWindow::saveFile);
    menuEntry("mnuSave")->setShortcuts(QKeySequence::Save);
    connect(menuEntry("mnuExit"), &QAction::triggered, this, &QWidget::close);
    connect(menuEntry("mnuCut"), &QAction::triggered, this, &TableEditorWindow::onCut);
    connect(menuEntry("mnuCopy"), &QAction::triggered, this, &TableEditorWindow::onCopy);
    connect(menuEntry("mnuPaste"), &QAction::triggered, this, &TableEditorWindow::onPaste);
    connect(menuEntry("mnuCheckTable"), &QAction::triggered, this, &TableEditorWindow::onCheckTable);
    connect(menuEntry("mnuContents"), &QAction::triggered, this, &TableEditorWindow::helpContentsRequested);
    connect(menuEntry("mnuAdding"), &QAction::triggered, this,
            [this] { Q_EMIT helpTopicRequested(kEditorHelpContext); });
    connect(menuEntry("mnuAbout"), &QAction::triggered, this, &TableEditorWindow::aboutRequested);
    // Help and the about box are not the editor's: their entries wait for someone to answer them.
    for (const char* name : {"mnuContents", "mnuAdding", "mnuAbout"})
        menuEntry(name)->setEnabled(false);
}

void TableEditorWindow::buildToolBar(QWidget* client)
{
    toolBar_ = placeControl(new QToolBar(client), QStringLiteral("Toolbar1"), {0, 0, kClientSize.width(), 420});
    toolBar_->setAccessibleName(QStringLiteral("Tool bar"));
    toolBar_->setMovable(false);
    toolBar_->setFloatable(false);
    toolBar_->setIconSize(QSize(16, 16));
    for (const ToolButton& button : kToolButtons) {
        if (button.separated)
            toolBar_->addSeparator();
        QAction* action = toolBar_->addAction(toolIcon(button.key), QString::fromUtf16(button.toolTip));
        action->setObjectName(QString::fromUtf16(button.key));
        action->setToolTip(QString::fromUtf16(button.toolTip));
    }
    cutButton_ = toolBar_->findChild<QAction*>(QStringLiteral("tlbCut"));
    copyButton_ = toolBar_->findChild<QAction*>(QStringLiteral("tlbCopy"));
    cutButton_->setEnabled(false);
    copyButton_->setEnabled(false);
    connect(toolBar_, &QToolBar::actionTriggered, this, &TableEditorWindow::onToolButton);
}

QAction* TableEditorWindow::menuEntry(const char* name) const
{
    return menuBar()->findChild<QAction*>(QString::fromLatin1(name));
}

void TableEditorWindow::onToolButton(QAction* button)
{
    const QString key = button->objectName();
    if (key == u"tlbSave")
        saveFile();
    else if (key == u"tlbCut")
        onCut();
    else if (key == u"tlbCopy")
        onCopy();
    else if (key == u"tlbPaste")
        onPaste();
    else if (key == u"tlbCheck")
        onCheckTable();
}

bool TableEditorWindow::saveFile()
{
    if (document_.readOnly())
        return false;
    if (!document_.replaceQuestion().isEmpty() &&
        showMessage(document_.replaceQuestion(), MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    const QString text = rawText(textBox_);
    const QString failure = document_.save(text);
    if (!failure.isEmpty()) {
        showMessage(failure, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    document_.setDirty(false);
    Q_EMIT saved(document_.path());
    // The file is written all the same; a table the tab cannot load says why instead of leaving an empty list.
    const TableCheck check = checkTableText(text, document_.encoding());
    if (!check.loads)
        showMessage(check.answer, MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

void TableEditorWindow::onCheckTable()
{
    const TableCheck check = checkTableText(rawText(textBox_), document_.encoding());
    showMessage(check.answer, MsgButtons::Ok,
                check.fault == TableFault::None ? MsgIcon::Information : MsgIcon::Exclamation);
}

QString TableEditorWindow::selectedText() const
{
    QString text = selectedTextJoined(textBox_->textCursor());
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    return text;
}

void TableEditorWindow::onCut()
{
    if (document_.readOnly())
        return;
    if (putSelectionOnClipboard(selectedText(), ClipboardUse::Cut))
        textBox_->textCursor().removeSelectedText();
}

void TableEditorWindow::onCopy()
{
    putSelectionOnClipboard(selectedText(), ClipboardUse::Copy);
}

void TableEditorWindow::onPaste()
{
    // Pasting from a clipboard without text would only delete the selection.
    const QString text = clipboardText();
    if (text.isEmpty() || document_.readOnly())
        return;
    QTextCursor cursor = textBox_->textCursor();
    insertTextInPieces(cursor, text);
    textBox_->setTextCursor(cursor);
}

void TableEditorWindow::onTextChanged()
{
    document_.setDirty(true);
}

void TableEditorWindow::updateCutAndCopy()
{
    const bool selected = textBox_->textCursor().hasSelection();
    cutButton_->setEnabled(selected && !document_.readOnly());
    copyButton_->setEnabled(selected);
}

bool TableEditorWindow::eventFilter(QObject* watched, QEvent* event)
{
    // Before the key takes effect: a key that clears the selection turns the buttons off at the next key or move.
    // The button's release also counts, so that a selection dragged with a single move shows at once.
    const QEvent::Type type = event->type();
    if ((watched == textBox_ && type == QEvent::KeyPress) ||
        (watched == textBox_->viewport() && (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)))
        updateCutAndCopy();
    return QMainWindow::eventFilter(watched, event);
}

bool TableEditorWindow::mayClose()
{
    if (!document_.isDirty() || closeAgreed_)
        return true;
    const MsgAnswer answer =
        showMessage(TableEditorDocument::closeQuestion(), MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    // A save that fails keeps the window open: closing would lose the text.
    if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && !saveFile()))
        return false;
    closeAgreed_ = true;
    return true;
}

void TableEditorWindow::closeEvent(QCloseEvent* event)
{
    if (mayClose())
        event->accept();
    else
        event->ignore();
}

void TableEditorWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // The warning opens over the window, once it is there to be seen.
    if (!document_.loadWarning().isEmpty() && !std::exchange(warningShown_, true))
        QTimer::singleShot(0, this, [this] {
            showMessage(document_.loadWarning(), MsgButtons::Ok, MsgIcon::Exclamation);
        });
}

void TableEditorWindow::connectNotify(const QMetaMethod& signal)
{
    QMainWindow::connectNotify(signal);
    if (signal == QMetaMethod::fromSignal(&TableEditorWindow::helpContentsRequested))
        menuEntry("mnuContents")->setEnabled(true);
    else if (signal == QMetaMethod::fromSignal(&TableEditorWindow::helpTopicRequested))
        menuEntry("mnuAdding")->setEnabled(true);
    else if (signal == QMetaMethod::fromSignal(&TableEditorWindow::aboutRequested))
        menuEntry("mnuAbout")->setEnabled(true);
}

} // namespace mx
