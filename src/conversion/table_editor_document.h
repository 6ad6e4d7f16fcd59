#pragma once

#include "conversion/table_check.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

// The table editor apart from its window: the text it shows for a table file, the bytes a save writes, and the file
// and type it edits. The editor keeps the file it loaded: a save always goes back to that file, whatever type the
// Metric tab has chosen since.
namespace mx {

// The text of a table file as the editor shows it: Windows-1252 or UTF-8 as decodeDataFile() finds (and reports in
// `encoding`), lines ended by CR LF, LF or CR, joined by "\n", without the last line's end. So a file whose last
// line ends with CR LF shows no extra empty line, and saving the text unchanged in the encoding it was read in
// writes the same bytes.
QString tableEditorText(const QByteArray& bytes, TextEncoding* encoding = nullptr);

// The bytes a save writes for the editor's text in `encoding`: its lines ended by CR LF, one more CR LF after the
// last ("\n", "\r\n", "\r" and the Unicode line and paragraph separators all end a line). When a character has no
// place in the encoding, returns a null array and sets `unstorable` (if given) to the first one.
QByteArray tableFileBytes(QStringView text, QString* unstorable = nullptr,
                          TextEncoding encoding = TextEncoding::Cp1252);

// Check Table: the editor's text read as the Metric tab would read the file a save in `encoding` writes. A
// character a table file cannot hold is a fault on its line.
TableCheck checkTableText(QStringView text, TextEncoding encoding = TextEncoding::Cp1252);

class TableEditorDocument {
public:
    // `path` is the table file (which may not exist yet); `category` the conversion type it belongs to.
    TableEditorDocument(QString path, QString category);

    const QString& path() const { return path_; }
    const QString& category() const { return category_; }
    QString caption() const; // "Editor - " + type

    // The text to show. A missing, empty or unreadable file (or anything but a regular file) shows an empty text,
    // which is how a new table is made: type it and save. Sets the encoding saves keep.
    QString load();
    // How the file loaded last was read; a new table is Windows-1252.
    TextEncoding encoding() const { return encoding_; }

    // What load() found that the user should know: a file there that could not be read, or a place the editor
    // cannot save to. Empty when there is nothing to say.
    const QString& loadWarning() const { return loadWarning_; }
    // Asked before a save replaces a file that was not read (Yes saves); empty when a save loses nothing.
    const QString& replaceQuestion() const { return replaceQuestion_; }
    // The editor cannot save where the table is: it shows the table without letting it change.
    bool readOnly() const { return readOnly_; }

    // Writes the text to the file in one atomic step, in the encoding it was read in. Returns an empty string on
    // success, else the message for the user; the old file then stays whole.
    QString save(QStringView text);

    // TableDirty: the text has changed since it was loaded or saved.
    bool isDirty() const { return dirty_; }
    void setDirty(bool dirty) { dirty_ = dirty; }

    static QString closeQuestion(); // asked before closing with unsaved changes

private:
    QString path_;
    QString category_;
    TextEncoding encoding_ = TextEncoding::Cp1252;
    bool dirty_ = false;
    QString loadWarning_;
    QString replaceQuestion_;
    bool readOnly_ = false;
};

} // namespace mx
