#include "accessories/notes_file.h"

#include "accessories/rtf_reader.h"
#include "accessories/rtf_text_document.h"
#include "accessories/rtf_writer.h"
#include "common/number_text.h"
#include "common/text_pieces.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"
#include "platform/soft_breaks.h"

#include <QDir>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace mx {
namespace {

bool isSingleSpace(const RtfDocument& model)
{
    return model.paragraphs.size() == 1 && model.paragraphs[0].runs.size() == 1 &&
           model.paragraphs[0].runs[0].text == u" ";
}

qsizetype paragraphLength(const RtfParagraph& paragraph)
{
    qsizetype length = 0;
    for (const RtfRun& run : paragraph.runs)
        length += run.text.size();
    return length;
}

// Cuts every paragraph longer than a piece into pieces; returns the numbers of the pieces that end softly.
std::vector<int> cutLongParagraphs(RtfDocument& model)
{
    const auto isLong = [](const RtfParagraph& p) { return paragraphLength(p) > kMaxPieceChars; };
    if (std::none_of(model.paragraphs.cbegin(), model.paragraphs.cend(), isLong))
        return {};
    std::vector<int> softEnds;
    std::vector<RtfParagraph> pieces;
    pieces.reserve(model.paragraphs.size());
    for (RtfParagraph& paragraph : model.paragraphs) {
        if (!isLong(paragraph)) {
            pieces.push_back(std::move(paragraph));
            continue;
        }
        QString text;
        for (const RtfRun& run : paragraph.runs)
            text += run.text;
        std::size_t run = 0;
        qsizetype inRun = 0;
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype end = pieceEnd(text, from);
            RtfParagraph piece;
            piece.alignment = paragraph.alignment;
            piece.markFormat = paragraph.markFormat;
            for (qsizetype wanted = end - from; wanted > 0;) {
                const RtfRun& source = paragraph.runs[run];
                const qsizetype taken = std::min(wanted, source.text.size() - inRun);
                piece.runs.push_back(RtfRun{source.text.mid(inRun, taken), source.format});
                wanted -= taken;
                inRun += taken;
                if (inRun == source.text.size()) {
                    ++run;
                    inRun = 0;
                }
            }
            if (end < text.size())
                softEnds.push_back(int(pieces.size()));
            pieces.push_back(std::move(piece));
            from = end;
        }
    }
    model.paragraphs = std::move(pieces);
    return softEnds;
}

// Which bound stopped a reading that the reader reports as too long.
NotesLimit readerLimit(const RtfDocument& model)
{
    qsizetype chars = qsizetype(model.paragraphs.size());
    qsizetype runs = 0;
    for (const RtfParagraph& paragraph : model.paragraphs) {
        chars += paragraphLength(paragraph);
        runs += qsizetype(paragraph.runs.size());
    }
    if (chars + 1 >= kMaxRtfDocumentChars)
        return NotesLimit::Characters;
    if (qsizetype(model.paragraphs.size()) + 1 >= kMaxRtfParagraphs)
        return NotesLimit::Paragraphs;
    return NotesLimit::FormatChanges;
}

QString grouped(qsizetype count)
{
    return formatPicture(double(count), u"#,###0");
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
    RtfReadResult result = readRtfModel(read.bytes);
    NotesLimit limit = NotesLimit::None;
    if (read.status == FileReadStatus::TooLarge) {
        result.issues |= RtfIssue::TooLong;
        limit = NotesLimit::FileSize;
    } else if (result.issues & RtfIssue::TooLong) {
        limit = readerLimit(result.document);
    }
    if (isSingleSpace(result.document)) {
        // Typing goes on in the format the space had.
        RtfParagraph& paragraph = result.document.paragraphs[0];
        paragraph.markFormat = paragraph.runs[0].format;
        paragraph.runs.clear();
    }
    fillNotesDocument(document, std::move(result.document));
    return {NotesLoadStatus::Loaded, result.issues, limit};
}

void fillNotesDocument(QTextDocument& document, RtfDocument model)
{
    const std::vector<int> softEnds = cutLongParagraphs(model);
    fillDocumentFromRtfModel(document, model);
    markSoftEnds(document, softEnds);
}

RtfDocument notesModel(const QTextDocument& document)
{
    RtfDocument model = rtfModelFromDocument(document);
    // One paragraph a block; a block that ends softly goes on in the next.
    std::vector<RtfParagraph> joined;
    bool joining = false;
    QTextBlock block = document.begin();
    for (RtfParagraph& paragraph : model.paragraphs) {
        if (joining) {
            RtfParagraph& into = joined.back();
            for (RtfRun& run : paragraph.runs) {
                if (!into.runs.empty() && into.runs.back().format == run.format)
                    into.runs.back().text += run.text;
                else
                    into.runs.push_back(std::move(run));
            }
            into.markFormat = paragraph.markFormat;
        } else {
            joined.push_back(std::move(paragraph));
        }
        joining = endsSoftly(block);
        block = block.next();
    }
    model.paragraphs = std::move(joined);
    return model;
}

QByteArray notesFileBytes(const QTextDocument& document)
{
    RtfDocument model = notesModel(document);
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

QString notesOpenWarning(const QString& path, const NotesLoadResult& result)
{
    const QString name = QDir::toNativeSeparators(path);
    const QFileInfo info(path);
    const QString keptOut = QStringLiteral("  Saving the notes will ask before replacing the file, as the rest of it would "
                                           "be lost.");
    switch (result.status) {
    case NotesLoadStatus::Missing:
        return {};
    case NotesLoadStatus::NotRegular:
        if (info.isSymLink() && !info.exists())
            return QStringLiteral("The notes file \"%1\" is a link to \"%2\", which does not exist.  The note editor "
                                  "starts empty, and the notes cannot be saved there.")
                .arg(name, QDir::toNativeSeparators(info.symLinkTarget()));
        return QStringLiteral("The notes file \"%1\" is not a file that can be read.  The note editor starts empty, "
                              "and the notes cannot be saved there.")
            .arg(name);
    case NotesLoadStatus::Unreadable:
        // An existing file that may not be written is not replaced either.
        if (!info.isWritable())
            return QStringLiteral("The notes file \"%1\" could not be read.  The note editor starts empty, and the "
                                  "notes cannot be saved there.")
                .arg(name);
        return QStringLiteral("The notes file \"%1\" could not be read.  The note editor starts empty; saving the "
                              "notes will ask before replacing the file.")
            .arg(name);
    case NotesLoadStatus::Loaded:
        break;
    }
    switch (result.limit) {
    case NotesLimit::None:
        return notesLoadWarning(path, result.issues);
    case NotesLimit::FileSize:
        return QStringLiteral("The notes file \"%1\" is larger than %2 MB: only its first %2 MB were read.")
                   .arg(name, grouped(kMaxNotesFileBytes / (1024 * 1024))) +
               keptOut;
    case NotesLimit::Characters:
        return QStringLiteral("The notes file \"%1\" holds more than %2 characters: only the first %2 were read.")
                   .arg(name, grouped(kMaxRtfDocumentChars)) +
               keptOut;
    case NotesLimit::Paragraphs:
        return QStringLiteral("The notes file \"%1\" holds more than %2 paragraphs: only the first %2 were read.")
                   .arg(name, grouped(kMaxRtfParagraphs)) +
               keptOut;
    case NotesLimit::FormatChanges:
        return QStringLiteral("The notes file \"%1\" changes its formatting more than %2 times: only the text before "
                              "that was read.")
                   .arg(name, grouped(kMaxRtfRuns)) +
               keptOut;
    }
    return {};
}

QString notesReplaceQuestion(const QString& path, const NotesLoadResult& result)
{
    const QString name = QDir::toNativeSeparators(path);
    if (result.status == NotesLoadStatus::Unreadable)
        return QStringLiteral("The notes file \"%1\" could not be read.  Saving replaces it with the notes as shown, "
                              "and what it held will be lost.  Save anyway?")
            .arg(name);
    if (result.status == NotesLoadStatus::Loaded && result.limit != NotesLimit::None)
        return QStringLiteral("The notes file \"%1\" was read only in part.  Saving replaces it with the notes as "
                              "shown, and the rest of the file will be lost.  Save anyway?")
            .arg(name);
    return {};
}

} // namespace mx
