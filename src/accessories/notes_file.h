#pragma once

#include "accessories/rtf_model.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// The notes file "MXNotes.rtf" beside the program: one RTF document. It never holds an empty document: an empty
// one is saved as a single space, and a file holding just a single space opens empty.
namespace mx {

// A larger notes file is read up to this size only (and the reading says so); real notes are far smaller.
inline constexpr qint64 kMaxNotesFileBytes = 16 * 1024 * 1024;

QString notesFilePath(const QString& appPath); // appPath ends with the separator, as AppPath does

enum class NotesLoadStatus {
    Loaded,
    Missing,    // no such file yet: the first save creates it
    NotRegular, // a folder, pipe or device: it can be neither read nor replaced
    Unreadable, // a regular file that cannot be opened or read
};

struct NotesLoadResult {
    NotesLoadStatus status = NotesLoadStatus::Missing;
    RtfIssues issues; // what a loaded file held that could not be read or shown
};

// Replaces the content of `document` with the notes file's; a file that cannot be loaded leaves it empty. The
// document is left unmodified and without undo steps.
NotesLoadResult loadNotesFile(const QString& path, QTextDocument& document);

// The bytes saveNotesFile() writes for `document`.
QByteArray notesFileBytes(const QTextDocument& document);

// Writes the notes atomically: on failure the previous file stays whole and `errorText` (if given) receives a
// sentence for the user. What is there but is no regular file is never written.
bool saveNotesFile(const QString& path, const QTextDocument& document, QString* errorText = nullptr);

// The warning to show after loading when the file was damaged or held what the editor cannot show; empty when
// there is nothing to say. Saving replaces such a file, so the user should know before saving.
QString notesLoadWarning(const QString& path, RtfIssues issues);

} // namespace mx
