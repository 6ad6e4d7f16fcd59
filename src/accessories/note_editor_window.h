#pragma once

#include "accessories/note_find.h"
#include "accessories/spelling_check.h"
#include "platform/accessory_window.h"

#include <QColor>
#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QMenuBar;
class QTextEdit;
class QTimer;
class QToolBar;

namespace mx {

class ColourSwatch;

// The note editor (frmNoteEditor, caption "Notes"): the one notes document, loaded from the notes file when the
// window opens and written back on Save or, after asking, when it closes. Clipboard editing, character formatting,
// alignment, the spelling check and the find dialog. The registry creates, places and tracks it; it is deleted
// when closed. Cross-window requests (find dialog, help, about box) go out as signals.
class NoteEditorWindow : public QWidget, public CloseQuestion {
    Q_OBJECT
public:
    explicit NoteEditorWindow(QString notesPath, QWidget* parent = nullptr);
    ~NoteEditorWindow() override;

    static constexpr QLatin1StringView kFormName{"frmNoteEditor"};
    // Form name and opening outer size for the registry; the editor opens at its stored size and state too.
    static AccessoryWindowTraits traits();

    static constexpr int kRelayoutMs = 50;

    // The text has changed since it was loaded or saved (NotesDirty).
    bool notesDirty() const { return notesDirty_; }
    QTextEdit* textBox() const { return textBox_; }

    // The find operation: selects the first match of `text` at or after character position `from` and returns its
    // position, or -1 without touching the selection.
    qint32 findText(const QString& text, qint32 from, FindOptions options);

    // Saves the notes; a failure is reported and the notes stay unsaved. A file that was not read whole is replaced
    // only after the user agrees.
    bool save();

    // The question about unsaved changes; a failed save keeps the editor.
    bool mayClose() override;
    void closeCancelled() override { closeAgreed_ = false; }

    // Where spelling checks run; the default is the installed Hunspell dictionary.
    void setSpellingSessions(SpellingSessionFactory sessions);

Q_SIGNALS:
    void findRequested();
    void helpContentsRequested();
    void noteHelpRequested();
    void aboutRequested();
    // The editor is closing for good (after its save question); the find dialog goes with it.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void buildToolbar();
    void load();
    void placeStrips();
    void relayout();
    void runToolbarKey(const QString& key);
    void onSelectionChanged();
    void onCut();
    void onCopy();
    void onPaste();
    void onSpelling();
    void onColour(bool fromSwatch);
    void reportLoadWarning();
    QString selectedPlainText() const;

    QString notesPath_;
    bool notesDirty_ = false;
    bool closeAgreed_ = false; // the user has answered the question of a close that is still to come
    QString loadWarning_;
    QString replaceQuestion_; // asked before a save replaces a file that was not read whole
    bool warningShown_ = false;
    SpellingSessionFactory spellingSessions_;
    QColor dialogColour_ = Qt::black; // the colour dialog's last colour

    QMenuBar* menuBar_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
    QComboBox* fontSizeList_ = nullptr;
    QTextEdit* textBox_ = nullptr;
    QLabel* statusStrip_ = nullptr;
    QTimer* relayoutTimer_ = nullptr;
    QAction* cutButton_ = nullptr;
    QAction* copyButton_ = nullptr;
};

} // namespace mx
