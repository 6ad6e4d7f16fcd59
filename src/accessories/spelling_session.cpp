#include "accessories/spelling_session.h"

#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"
#include "platform/spelling_dictionary.h"

#include <algorithm>

namespace mx {
namespace {

bool isLetterLike(QChar c)
{
    return c.isLetter() || c.isMark() || c.isDigit();
}

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

bool looksLikeRtf(QByteArrayView text)
{
    return text.trimmed().startsWith("{\\rtf");
}

QString paragraphText(const RtfParagraph& paragraph)
{
    QString text;
    for (const RtfRun& run : paragraph.runs)
        text += run.text;
    return text;
}

void appendRun(std::vector<RtfRun>& runs, const QString& text, const RtfCharFormat& format)
{
    if (text.isEmpty())
        return;
    if (!runs.empty() && runs.back().format == format)
        runs.back().text += text;
    else
        runs.push_back({text, format});
}

// A replacement typed by the user stays within its paragraph.
QString withinParagraph(QString text)
{
    for (QChar& c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return text;
}

} // namespace

std::optional<WordSpan> nextCheckedWord(QStringView text, qsizetype from)
{
    qsizetype i = std::max<qsizetype>(from, 0);
    const qsizetype n = text.size();
    while (i < n) {
        if (!isLetterLike(text[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        bool digit = false;
        bool lower = false;
        int letters = 0;
        while (i < n) {
            const QChar c = text[i];
            if (isLetterLike(c)) {
                digit = digit || c.isDigit();
                lower = lower || c.isLower();
                letters += c.isLetter() ? 1 : 0;
            } else if (!(isApostrophe(c) && i + 1 < n && isLetterLike(text[i + 1]))) {
                break;
            }
            ++i;
        }
        const qsizetype length = i - start;
        if (digit || length > kMaxCheckedWordLength || (!lower && letters > 1))
            continue;
        return WordSpan{start, length};
    }
    return std::nullopt;
}

DocumentSpellingSession::DocumentSpellingSession(std::shared_ptr<SpellingDictionary> dictionary,
                                                 std::unique_ptr<SpellingPrompter> prompter)
    : dictionary_(std::move(dictionary)), prompter_(std::move(prompter))
{}

DocumentSpellingSession::~DocumentSpellingSession() = default;

bool DocumentSpellingSession::newDocument()
{
    document_ = {};
    rich_ = false;
    allSelected_ = false;
    ignored_.clear();
    changeAll_.clear();
    open_ = true;
    return true;
}

bool DocumentSpellingSession::insert(const QByteArray& text)
{
    if (!open_)
        return false;
    RtfDocument inserted;
    if (document_.paragraphs.empty() && looksLikeRtf(text)) {
        rich_ = true;
        inserted = readRtfModel(text).document;
    } else {
        QString plain = QString::fromUtf8(text);
        plain.replace(QStringLiteral("\r\n"), QStringLiteral("\r")).replace(u'\n', u'\r');
        for (const QString& line : plain.split(u'\r')) {
            RtfParagraph paragraph;
            appendRun(paragraph.runs, line, paragraph.markFormat);
            inserted.paragraphs.push_back(std::move(paragraph));
        }
    }
    for (RtfParagraph& paragraph : inserted.paragraphs)
        document_.paragraphs.push_back(std::move(paragraph));
    return true;
}

bool DocumentSpellingSession::checkSpelling()
{
    if (!open_ || !dictionary_ || !prompter_)
        return false;
    for (RtfParagraph& paragraph : document_.paragraphs) {
        QString text = paragraphText(paragraph);
        qsizetype pos = 0;
        while (const std::optional<WordSpan> span = nextCheckedWord(text, pos)) {
            const QString word = text.mid(span->start, span->length);
            pos = span->start + span->length;
            if (ignored_.contains(word))
                continue;
            QString replacement;
            if (const auto planned = changeAll_.constFind(word); planned != changeAll_.cend()) {
                replacement = *planned;
            } else {
                if (dictionary_->isCorrect(word))
                    continue;
                const SpellingAnswer answer = prompter_->ask(word, dictionary_->suggestions(word));
                switch (answer.action) {
                case SpellingAction::Cancel:
                    return true; // what was changed so far stays
                case SpellingAction::Ignore:
                    continue;
                case SpellingAction::IgnoreAll:
                    ignored_.insert(word);
                    continue;
                case SpellingAction::Add:
                    dictionary_->addWord(word);
                    continue;
                case SpellingAction::ChangeAll:
                    changeAll_.insert(word, withinParagraph(answer.replacement));
                    break;
                case SpellingAction::Change:
                    break;
                }
                replacement = withinParagraph(answer.replacement);
            }
            replaceWord(paragraph, *span, replacement);
            text = paragraphText(paragraph);
            pos = span->start + replacement.size(); // the replacement itself is not checked again
        }
    }
    prompter_->finished();
    return true;
}

void DocumentSpellingSession::replaceWord(RtfParagraph& paragraph, WordSpan span, const QString& replacement)
{
    const qsizetype end = span.start + span.length;
    std::vector<RtfRun> runs;
    qsizetype runStart = 0;
    for (const RtfRun& run : paragraph.runs) {
        const qsizetype runEnd = runStart + run.text.size();
        if (runStart < span.start)
            appendRun(runs, run.text.left(std::min(runEnd, span.start) - runStart), run.format);
        if (span.start >= runStart && span.start < runEnd)
            appendRun(runs, replacement, run.format);
        if (runEnd > end)
            appendRun(runs, run.text.mid(std::max(runStart, end) - runStart), run.format);
        runStart = runEnd;
    }
    paragraph.runs = std::move(runs);
}

bool DocumentSpellingSession::selectAll()
{
    allSelected_ = open_;
    return open_;
}

std::optional<QByteArray> DocumentSpellingSession::selection()
{
    if (!open_)
        return std::nullopt;
    if (!allSelected_)
        return QByteArray();
    if (rich_) {
        // A word processor hands paragraph marks back as CR alone.
        return writeRtfModel(document_).replace("\r\n", "\r");
    }
    QStringList lines;
    for (const RtfParagraph& paragraph : document_.paragraphs)
        lines << paragraphText(paragraph);
    return lines.join(u'\r').toUtf8();
}

bool DocumentSpellingSession::closeWithoutSaving()
{
    const bool wasOpen = open_;
    open_ = false;
    document_ = {};
    return wasOpen;
}

} // namespace mx
