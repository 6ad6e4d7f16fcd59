#include "accessories/note_editor_window.h"

#include "accessories/note_formatting.h"
#include "accessories/notes_file.h"
#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"
#include "accessories/spelling_dialog.h"
#include "common/message_service.h"
#include "common/text_pieces.h"
#include "common/twips.h"
#include "platform/accessible_roles.h"
#include "platform/clipboard.h"
#include "platform/menu_layout.h"
#include "platform/pieced_text_box.h"
#include "platform/soft_breaks.h"
#include "platform/tool_icons.h"
#include "platform/window_placement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <utility>
#include <vector>

namespace mx {

namespace {

// Outer size the window opens with, and the client area a framed, sizable window of that size leaves (twips).
constexpr QSize kOpeningSize(7200, 5400);
constexpr QSize kClientSize(7080, 4980);

constexpr int kStatusHeight = 300;
constexpr int kMinWidth = 400;       // outer width the re-layout restores
constexpr int kMinTextHeight = 2000; // outer height beyond the toolbar and status strip
const std::vector<MenuOfBar>& menuLayout()
{
    static const std::vector<MenuOfBar> menus = {
        {u"mnuFile",
         u"&File",
         {{u"mnuSave", u"&Save", u"Save the notes"},
          {u"mnuFileS", u"", u""},
          {u"mnuExit", u"E&xit", u"Close the note editor"}}},
        {u"mnuEdit",
         u"&Edit",
         {{u"mnuCut", u"C&ut", u"Move the selected text to the clipboard"},
          {u"mnuCopy", u"&Copy", u"Copy the selected text to the clipboard"},
          {u"mnuPaste", u"&Paste", u"Put the clipboard's text in place of the selection"},
          {u"mnuSpelling", u"Check S&pelling", u"Check the spelling of the notes"},
          {u"tlbEditS1", u"", u""},
          {u"mnuFind", u"&Find", u"Find text in the notes"}}},
        {u"mnuAppearance",
         u"&Appearance",
         {{u"mnuColor", u"C&olor", u"Choose the colour of the selected text"},
          {u"mnuFont", u"&Font", u"Choose the font of the selected text"},
          {u"mnuBold", u"&Bold", u"Turn bold on or off for the selected text"},
          {u"mnuItalic", u"&Italic", u"Turn italic on or off for the selected text"},
          {u"mnuUnderline", u"&Underline", u"Turn underline on or off for the selected text"},
          {u"mnuLeft", u"&Left", u"Align the paragraph to the left"},
          {u"mnuCenter", u"&Center", u"Centre the paragraph"},
          {u"mnuRight", u"&Right", u"Align the paragraph to the right"}}},
        {u"mnuHelp",
         u"&Help",
         {{u"mnuContents", u"&Contents", u"Show the help contents"},
          {u"mnuNoteHelp", u"&Note Editor", u"Show help on the note editor"},
          {u"mnuHelpS", u"", u""},
          {u"mnuAbout", u"&About", u"About Mensurix"}}},
    };
    return menus;
}

struct ToolButton {
    const char16_t* key;
    const char16_t* toolTip;
    bool groupStart; // a separator before it
};

constexpr ToolButton kToolButtons[] = {
    {u"tlbCut", u"Cut", false},
    {u"tlbCopy", u"Copy", false},
    {u"tlbPaste", u"Paste", false},
    {u"tlbSpelling", u"Check Spelling", true},
    {u"tlbBold", u"Bold", true},
    {u"tlbItalic", u"Italic", false},
    {u"tlbUnderline", u"Underline", false},
    {u"tlbLeft", u"Left Justify", true},
    {u"tlbCenter", u"Center Justify", false},
    {u"tlbRight", u"Right Justify", false},
    {u"tlbFind", u"Find Text", true},
};

// What each toolbar key runs: the menu entry of the same command.
constexpr std::pair<const char16_t*, const char16_t*> kToolbarCommands[] = {
    {u"tlbSave", u"mnuSave"},         {u"tlbCut", u"mnuCut"},
    {u"tlbCopy", u"mnuCopy"},         {u"tlbPaste", u"mnuPaste"},
    {u"tlbSpelling", u"mnuSpelling"}, {u"tlbBold", u"mnuBold"},
    {u"tlbItalic", u"mnuItalic"},     {u"tlbUnderline", u"mnuUnderline"},
    {u"tlbLeft", u"mnuLeft"},         {u"tlbCenter", u"mnuCenter"},
    {u"tlbRight", u"mnuRight"},       {u"tlbFind", u"mnuFind"},
};

QFont notesFont()
{
    QFont font;
    // Arial is what a notes file read elsewhere names; Liberation Sans stands in for it where it is missing.
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setPointSize(12);
    return font;
}

// Pixels needed to cover a length in twips.
int pixelsCovering(qint64 twips)
{
    return int((std::max<qint64>(twips, 0) + kTwipsPerPixel - 1) / kTwipsPerPixel);
}

} // namespace

NoteEditorWindow::NoteEditorWindow(QString notesPath, QWidget* parent)
    : QWidget(parent, Qt::Window), notesPath_(std::move(notesPath)), spellingSessions_(desktopSpellingSessions(this))
{
    setObjectName(kFormName);
    setWindowTitle(QStringLiteral("Notes"));
    setAccessibleName(QStringLiteral("Notes"));
    setAttribute(Qt::WA_DeleteOnClose);

    textBox_ = new PiecedTextBox<QTextEdit>(this);
    textBox_->setObjectName(QStringLiteral("RTF"));
    textBox_->setAccessibleName(QStringLiteral("Notes text"));
    textBox_->setAcceptRichText(true);

    statusStrip_ = new QLabel(this);
    statusStrip_->setObjectName(QStringLiteral("picStatusBar"));
    statusStrip_->setAccessibleDescription(QStringLiteral("Status"));
    statusStrip_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusStrip_->setMargin(1);

    buildMenus();
    buildToolbar();

    relayoutTimer_ = new QTimer(this);
    relayoutTimer_->setObjectName(QStringLiteral("timResizeTimer"));
    relayoutTimer_->setInterval(kRelayoutMs);
    connect(relayoutTimer_, &QTimer::timeout, this, &NoteEditorWindow::relayout);

    cutButton_->setEnabled(false);
    copyButton_->setEnabled(false);
    fontSizeList_->addItems(noteFontSizes());
    fontSizeList_->setCurrentText(QStringLiteral("12"));
    load();

    resize(twipsSize(kClientSize.width(), kClientSize.height()));
    placeStrips();
    relayout();
    textBox_->setFocus();
}

NoteEditorWindow::~NoteEditorWindow() = default;

AccessoryWindowTraits NoteEditorWindow::traits()
{
    return {.formName = kFormName, .openingSizeTwips = kOpeningSize};
}

void NoteEditorWindow::buildMenus()
{
    menuBar_ = new QMenuBar(this);
    buildMenuBar(menuBar_, menuLayout());
    const auto on = [this](const char* name, auto&& step) {
        connect(findChild<QAction*>(QString::fromLatin1(name)), &QAction::triggered, this, step);
    };
    on("mnuSave", [this] { save(); });
    on("mnuExit", [this] { close(); });
    on("mnuCut", [this] { onCut(); });
    on("mnuCopy", [this] { onCopy(); });
    on("mnuPaste", [this] { onPaste(); });
    on("mnuSpelling", [this] { onSpelling(); });
    on("mnuFind", [this] { Q_EMIT findRequested(); });
    on("mnuColor", [this] { onColour(false); });
    on("mnuFont", [this] { chooseTextFont(*textBox_, this); });
    on("mnuBold", [this] { toggleBold(*textBox_); });
    on("mnuItalic", [this] { toggleItalic(*textBox_); });
    on("mnuUnderline", [this] { toggleUnderline(*textBox_); });
    on("mnuLeft", [this] { textBox_->setAlignment(Qt::AlignLeft); });
    on("mnuCenter", [this] { textBox_->setAlignment(Qt::AlignHCenter); });
    on("mnuRight", [this] { textBox_->setAlignment(Qt::AlignRight); });
    on("mnuContents", [this] { Q_EMIT helpContentsRequested(); });
    on("mnuNoteHelp", [this] { Q_EMIT noteHelpRequested(); });
    on("mnuAbout", [this] { Q_EMIT aboutRequested(); });
    // The keys users expect of an editor; each menu entry shows its key.
    const std::pair<const char*, QKeySequence::StandardKey> keys[] = {{"mnuSave", QKeySequence::Save},
                                                                      {"mnuFind", QKeySequence::Find},
                                                                      {"mnuBold", QKeySequence::Bold},
                                                                      {"mnuItalic", QKeySequence::Italic},
                                                                      {"mnuUnderline", QKeySequence::Underline}};
    for (const auto& [name, key] : keys)
        findChild<QAction*>(QString::fromLatin1(name))->setShortcuts(key);
}

void NoteEditorWindow::buildToolbar()
{
    toolbar_ = new QToolBar(this);
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setAccessibleName(QStringLiteral("Toolbar"));
    toolbar_->setIconSize(QSize(16, 16));
    for (const ToolButton& button : kToolButtons) {
        if (button.groupStart)
            toolbar_->addSeparator();
        const QString key = QString::fromUtf16(button.key);
        QAction* action = toolbar_->addAction(toolIcon(button.key), QString::fromUtf16(button.toolTip));
        action->setObjectName(key);
        action->setToolTip(QString::fromUtf16(button.toolTip));
        connect(action, &QAction::triggered, this, [this, key] { runToolbarKey(key); });
    }
    cutButton_ = toolbar_->findChild<QAction*>(QStringLiteral("tlbCut"));
    copyButton_ = toolbar_->findChild<QAction*>(QStringLiteral("tlbCopy"));

    toolbar_->addSeparator();
    swatch_ = new ColourSwatch(toolbar_);
    swatch_->setObjectName(QStringLiteral("picColors"));
    swatch_->setAccessibleName(QStringLiteral("Text colour"));
    swatch_->setAccessibleDescription(QStringLiteral("The last colour chosen here; click to colour the selected text"));
    swatch_->setToolTip(QStringLiteral("Color"));
    toolbar_->addWidget(swatch_);
    connect(swatch_, &QAbstractButton::clicked, this, [this] { onColour(true); });

    fontSizeList_ = new QComboBox(toolbar_);
    fontSizeList_->setObjectName(QStringLiteral("cboFontSize"));
    nameComboBox(fontSizeList_, QStringLiteral("Font size"));
    fontSizeList_->setToolTip(QStringLiteral("Font Size"));
    fontSizeList_->setMaxVisibleItems(20);
    fontSizeList_->setMinimumWidth(twipsToPixels(900));
    toolbar_->addWidget(fontSizeList_);
    connect(fontSizeList_, &QComboBox::activated, this,
            [this] { applyPointSize(*textBox_, fontSizeList_->currentText()); });
}

void NoteEditorWindow::load()
{
    // Filled before it is shown: the text box lays out a finished document once, not each paragraph as it comes.
    auto* document = new QTextDocument(textBox_);
    document->setDefaultFont(notesFont());
    const NotesLoadResult loaded = loadNotesFile(notesPath_, *document);
    textBox_->setDocument(document);
    textBox_->document()->setModified(false);

    loadWarning_ = notesOpenWarning(notesPath_, loaded);
    replaceQuestion_ = notesReplaceQuestion(notesPath_, loaded);
    statusStrip_->setText(loadWarning_);
    statusStrip_->setToolTip(loadWarning_);

    connect(textBox_, &QTextEdit::textChanged, this, [this] { notesDirty_ = true; });
    connect(textBox_, &QTextEdit::selectionChanged, this, &NoteEditorWindow::onSelectionChanged);
    notesDirty_ = false;
}

void NoteEditorWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // The warning opens over the window, once it is there to be seen.
    if (!loadWarning_.isEmpty() && !std::exchange(warningShown_, true))
        QTimer::singleShot(0, this, &NoteEditorWindow::reportLoadWarning);
}

void NoteEditorWindow::reportLoadWarning()
{
    showMessage(loadWarning_, MsgButtons::Ok, MsgIcon::Exclamation);
}

void NoteEditorWindow::setSpellingSessions(SpellingSessionFactory sessions)
{
    spellingSessions_ = sessions ? std::move(sessions) : desktopSpellingSessions(this);
}

bool NoteEditorWindow::save()
{
    if (!replaceQuestion_.isEmpty() &&
        showMessage(replaceQuestion_, MsgButtons::YesNo, MsgIcon::Exclamation) != MsgAnswer::Yes)
        return false;
    QString error;
    if (!saveNotesFile(notesPath_, *textBox_->document(), &error)) {
        showMessage(error, MsgButtons::Ok, MsgIcon::Exclamation);
        return false;
    }
    notesDirty_ = false;
    replaceQuestion_.clear();
    // The file now holds what the editor shows.
    statusStrip_->clear();
    statusStrip_->setToolTip({});
    return true;
}

bool NoteEditorWindow::mayClose()
{
    if (!notesDirty_ || closeAgreed_)
        return true;
    const MsgAnswer answer =
        showMessage(QStringLiteral("Do you want to save your changes?"), MsgButtons::YesNoCancel, MsgIcon::Exclamation);
    // A save that fails keeps the editor open with the text, or the text would be lost.
    if (answer == MsgAnswer::Cancel || (answer == MsgAnswer::Yes && !save()))
        return false;
    closeAgreed_ = true;
    return true;
}

void NoteEditorWindow::closeEvent(QCloseEvent* event)
{
    if (!mayClose()) {
        event->ignore();
        return;
    }
    Q_EMIT closing();
    event->accept();
}

void NoteEditorWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeStrips();
    relayoutTimer_->start();
}

void NoteEditorWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        relayoutTimer_->start();
}

// The menu bar and toolbar keep to the top edge and the status strip to the bottom at once; the text box follows
// at the next re-layout.
void NoteEditorWindow::placeStrips()
{
    const int menuHeight = menuBar_->heightForWidth(width());
    menuBar_->setGeometry(0, 0, width(), menuHeight > 0 ? menuHeight : menuBar_->sizeHint().height());
    toolbar_->setGeometry(0, menuBar_->height(), width(), toolbar_->sizeHint().height());
    const int statusHeight = twipsToPixels(kStatusHeight);
    statusStrip_->setGeometry(0, height() - statusHeight, width(), statusHeight);
}

void NoteEditorWindow::relayout()
{
    relayoutTimer_->stop();
    if (isMinimized())
        return;
    if (!isMaximized() && !isFullScreen()) {
        const QSize outer = windowSizeTwips(this);
        const qint64 minHeight =
            pixelsToTwips(toolbar_->height()) + pixelsToTwips(statusStrip_->height()) + kMinTextHeight;
        const QSize grow(pixelsCovering(kMinWidth - outer.width()), pixelsCovering(minHeight - outer.height()));
        if (!grow.isNull())
            resize(size() + grow);
    }
    const int top = toolbar_->geometry().bottom() + 1;
    textBox_->setGeometry(0, top, width(), std::max(0, statusStrip_->y() - top));
}

void NoteEditorWindow::runToolbarKey(const QString& key)
{
    for (const auto& [toolbarKey, entry] : kToolbarCommands) {
        if (key == QStringView(toolbarKey)) {
            findChild<QAction*>(QString::fromUtf16(entry))->trigger();
            return;
        }
    }
}

void NoteEditorWindow::onSelectionChanged()
{
    const bool selected = textBox_->textCursor().hasSelection();
    cutButton_->setEnabled(selected);
    copyButton_->setEnabled(selected);
}

QString NoteEditorWindow::selectedPlainText() const
{
    // As the selection's toPlainText() gives it, with the pieces of a long paragraph joined.
    QString text = selectedTextJoined(textBox_->textCursor());
    for (QChar& c : text) {
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
        else if (c == QChar::Nbsp)
            c = u' ';
    }
    return text;
}

void NoteEditorWindow::onCut()
{
    if (!putSelectionOnClipboard(selectedPlainText(), ClipboardUse::Cut))
        return;
    QTextCursor cursor = textBox_->textCursor();
    cursor.removeSelectedText();
    textBox_->setTextCursor(cursor);
}

void NoteEditorWindow::onCopy()
{
    putSelectionOnClipboard(selectedPlainText(), ClipboardUse::Copy);
}

void NoteEditorWindow::onPaste()
{
    const QString text = clipboardText();
    if (text.isEmpty())
        return;
    QTextCursor cursor = textBox_->textCursor();
    insertTextInPieces(cursor, text);
    textBox_->setTextCursor(cursor);
}

void NoteEditorWindow::onSpelling()
{
    QTextDocument& document = *textBox_->document();
    // The whole document as RTF: the check reads the words and hands the formatting back unchanged.
    const QByteArray sent = writeRtfModel(notesModel(document));
    const SpellingCheckResult result = runSpellingCheck(spellingSessions_, sent);
    if (result.status == SpellingCheckResult::Status::NotStarted) {
        showMessage(result.errorText);
        return;
    }
    if (result.status != SpellingCheckResult::Status::Checked || result.text == sent)
        return;
    fillNotesDocument(document, readRtfModel(result.text).document);
    notesDirty_ = true;
    onSelectionChanged();
}

void NoteEditorWindow::onColour(bool fromSwatch)
{
    // The dialog opens at the colour it last gave, whichever command asked for it.
    const QColor colour = chooseTextColour(*textBox_, dialogColour_, this);
    if (!colour.isValid())
        return;
    dialogColour_ = colour;
    if (fromSwatch)
        swatch_->setColour(colour);
}

qint32 NoteEditorWindow::findText(const QString& text, qint32 from, FindOptions options)
{
    const QTextDocument* document = textBox_->document();
    if (text.isEmpty() || from < 0 || from >= document->characterCount())
        return -1;
    QTextDocument::FindFlags flags;
    flags.setFlag(QTextDocument::FindCaseSensitively, options.testFlag(FindOption::MatchCase));
    flags.setFlag(QTextDocument::FindWholeWords, options.testFlag(FindOption::WholeWord));
    // A long paragraph is held in pieces; the user searches the paragraph.
    const QTextCursor match = findAcrossSoftBreaks(*document, text, from, flags);
    if (match.isNull())
        return -1;
    textBox_->setTextCursor(match);
    textBox_->ensureCursorVisible();
    return qint32(match.selectionStart());
}

} // namespace mx
