#pragma once

#include "conversion/table_editor_document.h"
#include "platform/accessory_window.h"

#include <QMainWindow>

class QAction;
class QPlainTextEdit;
class QToolBar;

namespace mx {

// The table editor (frmTableEditor): the table file of one conversion type as plain text, with Save, Cut, Copy,
// Paste and Check Table on a tool bar and in the menus. It saves to the file it loaded, whatever type the Metric tab
// has chosen since, and asks before closing with unsaved changes. The main window's registry creates, places and tracks
// it; the window is deleted when closed, so it loads the file afresh each time it opens.
class TableEditorWindow : public QMainWindow, public CloseQuestion {
    Q_OBJECT
public:
    // Loads the table file at `path` of the conversion type `category`; a missing file gives an empty text.
    TableEditorWindow(const QString& path, const QString& category, QWidget* parent = nullptr);

    static constexpr QLatin1StringView kFormName{"frmTableEditor"};
    // Form name and opening outer size for the registry.
    static AccessoryWindowTraits traits();

    const QString& filePath() const { return document_.path(); }
    bool tableDirty() const { return document_.isDirty(); }

    // SaveFile: writes the text to the file and reports `saved`. A failed save is reported in a message box; the
    // text and the unsaved-change state stay. A file that could not be read is replaced only after the user agrees,
    // and a table shown read-only is not saved. Returns whether the file was written.
    bool saveFile();

    // The question about unsaved changes; a failed save keeps the window.
    bool mayClose() override;
    void closeCancelled() override { closeAgreed_ = false; }

Q_SIGNALS:
    // The file at `path` now holds the editor's text.
    void saved(const QString& path);
    // The help entries. Each stays disabled until something listens to its signal.
    void helpContentsRequested();
    void helpTopicRequested(int contextId);
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void connectNotify(const QMetaMethod& signal) override;

private:
    void buildMenus();
    void buildToolBar(QWidget* client);
    void onToolButton(QAction* button);
    void onCut();
    void onCopy();
    void onPaste();
    void onCheckTable();
    void onTextChanged();
    void updateCutAndCopy();
    QString selectedText() const;
    QAction* menuEntry(const char* name) const;

    TableEditorDocument document_;
    bool closeAgreed_ = false; // the user has answered the question of a close that is still to come
    QToolBar* toolBar_ = nullptr;
    QPlainTextEdit* textBox_ = nullptr;
    QAction* cutButton_ = nullptr;
    QAction* copyButton_ = nullptr;
    bool warningShown_ = false;
};

} // namespace mx
