#pragma once

#include "accessories/rtf_model.h"

#include <QByteArray>
#include <QString>

class QTextDocument;

// The notes file "MXNotes.rtf" beside the program: one RTF document. It never holds an empty document: an empty
// one is saved as a single space, and a file holding just a single space opens empty.
namespace mx {

// A larger notes file is read up to this size only (and the reading says so); real notes are far smaller, and 16
// million characters of text fit in it even where most of them are written as escapes.
inline constexpr qint64 kMaxNotesFileBytes = 64 * 1024 * 1024;

QString notesFilePath(const QString& appPath); // appPath ends with the separator, as AppPath does

enum class NotesLoadStatus {
    Loaded,
    Missing,    // no such file yet: the first save creates it
    NotRegular, // a folder, pipe or device: it can be neither read nor replaced
    Unreadable, // a regular file that cannot be opened or read
};

// The bound that stopped the reading of a notes file: what lies beyond it was not read.
enum class NotesLimit { None, FileSize, Characters, Paragraphs, FormatChanges };

struct NotesLoadResult {
    NotesLoadStatus status = NotesLoadStatus::Missing;
    RtfIssues issues; // what a loaded file held that could not be read or shown
    NotesLimit limit = NotesLimit::None;
};

// Replaces the content of `document` with the notes file's; a file that cannot be loaded leaves it empty. The
// document is left unmodified and without undo steps. A paragraph too long for the text views to lay out at once
// is held in pieces, which the document keeps apart from real paragraphs as the user edits it.
NotesLoadResult loadNotesFile(const QString& path, QTextDocument& document);

// The notes as they are saved: a paragraph held in pieces is one paragraph again.
RtfDocument notesModel(const QTextDocument& document);
// Replaces the content of `document` with `model`, over-long paragraphs in pieces, as loadNotesFile() does.
void fillNotesDocument(QTextDocument& document, RtfDocument model);

// The bytes saveNotesFile() writes for `document`.
QByteArray notesFileBytes(const QTextDocument& document);

// Writes the notes atomically: on failure the previous file stays whole and `errorText` (if given) receives a
// sentence for the user. What is there but is no regular file is never written.
bool saveNotesFile(const QString& path, const QTextDocument& document, QString* errorText = nullptr);

// The warning to show after loading when the file was damaged or held what the editor cannot show; empty when
// there is nothing to say. Saving replaces such a file, so the user should know before saving.
QString notesLoadWarning(const QString& path, RtfIssues issues);

// The warning for a whole load: a file that could not be read or was read only in part, and then what
// notesLoadWarning() says. Empty when there is nothing to say.
QString notesOpenWarning(const QString& path, const NotesLoadResult& result);

// The question to ask before a save replaces a file that was not read whole (Yes saves); empty when saving loses
// nothing that was in the file.
QString notesReplaceQuestion(const QString& path, const NotesLoadResult& result);

} // namespace mx
