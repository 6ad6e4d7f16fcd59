#include "accessories/notes_file.h"

#include "accessories/rtf_reader.h"
#include "accessories/rtf_text_document.h"
#include "accessories/rtf_writer.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <QDir>
#include <QTextDocument>

namespace mx {
namespace {

bool isSingleSpace(const RtfDocument& model)
{
    return model.paragraphs.size() == 1 && model.paragraphs[0].runs.size() == 1 &&
           model.paragraphs[0].runs[0].text == u" ";
}

} // namespace

QString notesFilePath(const QString& appPath)
{
    return appPath + QStringLiteral("MXNotes.rtf");
}

NotesLoadResult loadNotesFile(const QString& path, QTextDocument& document)
{
    fillDocumentFromRtfModel(document, RtfDocument{});
    const FileRead read = readRegularFile(path, kMaxNotesFileBytes, OverLimit::KeepStart);
    switch (read.status) {
    case FileReadStatus::Ok:
    case FileReadStatus::TooLarge:
        break;
    case FileReadStatus::Missing:
        return {NotesLoadStatus::Missing, {}};
    case FileReadStatus::NotRegular:
        return {NotesLoadStatus::NotRegular, {}};
    case FileReadStatus::Unreadable:
        return {NotesLoadStatus::Unreadable, {}};
    }
    const RtfIssues tooLarge = read.status == FileReadStatus::TooLarge ? RtfIssues(RtfIssue::TooLong) : RtfIssues();
    RtfReadResult result = readRtfModel(read.bytes);
    if (isSingleSpace(result.document)) {
        // Typing goes on in the format the space had.
        RtfParagraph& paragraph = result.document.paragraphs[0];
        paragraph.markFormat = paragraph.runs[0].format;
        paragraph.runs.clear();
    }
    fillDocumentFromRtfModel(document, result.document);
    return {NotesLoadStatus::Loaded, result.issues | tooLarge};
}

QByteArray notesFileBytes(const QTextDocument& document)
{
    RtfDocument model = rtfModelFromDocument(document);
    if (document.isEmpty() && model.paragraphs.size() == 1) {
        RtfParagraph& paragraph = model.paragraphs[0];
        paragraph.runs = {RtfRun{QStringLiteral(" "), paragraph.markFormat}};
    }
    return writeRtfModel(model);
}

bool saveNotesFile(const QString& path, const QTextDocument& document, QString* errorText)
{
    return writeFileAtomically(path, notesFileBytes(document), errorText);
}

QString notesLoadWarning(const QString& path, RtfIssues issues)
{
    const QString name = QDir::toNativeSeparators(path);
    if (issues & kRtfDamage)
        return QStringLiteral("Part of the notes file \"%1\" could not be read.  The notes show what could be read; "
                              "saving them will replace the file.")
            .arg(name);
    QStringList left;
    if (issues & RtfIssue::SkippedObjects)
        left << QStringLiteral("pictures or objects");
    if (issues & RtfIssue::SkippedHeaders)
        left << QStringLiteral("headers");
    if (issues & RtfIssue::SkippedFooters)
        left << QStringLiteral("footers");
    if (issues & RtfIssue::SkippedHidden)
        left << QStringLiteral("hidden text");
    if (left.isEmpty())
        return {};
    const QString last = left.takeLast();
    const QString kinds = left.isEmpty() ? last : left.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
    return QStringLiteral("The notes file \"%1\" holds %2 that the note editor cannot show.  Saving the notes will "
                          "leave them out.")
        .arg(name, kinds);
}

} // namespace mx
