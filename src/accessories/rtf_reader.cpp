#include "accessories/rtf_reader.h"

#include "accessories/rtf_reader_state.h"
#include "common/cp1252.h"

#include <QStringDecoder>

#include <algorithm>
#include <utility>

namespace mx {
namespace rtf_reading {
namespace {

bool isNoteBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x2028;
}

constexpr char16_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t c)
{
    return c >= 0xD800 && c < 0xDC00;
}

bool isLowSurrogate(char16_t c)
{
    return c >= 0xDC00 && c < 0xE000;
}

// Characters a paragraph's text may not hold: controls (but tab), paragraph separators, and the marks a text
// document keeps for its own structure.
bool isForbidden(char16_t c)
{
    return (c < 0x20 && c != u'\t') || c == 0x7F || c == 0x2029 || c == 0xFFFC || c == 0xFDD0 || c == 0xFDD1 ||
           c == 0xFEFF || c == 0xFFFE || c == 0xFFFF;
}

// Drops forbidden characters and replaces unpaired surrogates; leaves the text alone when it is clean.
void sanitize(QString& text)
{
    const qsizetype size = text.size();
    const char16_t* data = reinterpret_cast<const char16_t*>(text.constData());
    qsizetype i = 0;
    for (; i < size; ++i) {
        const char16_t c = data[i];
        if (isForbidden(c))
            break;
        if (isHighSurrogate(c) && i + 1 < size && isLowSurrogate(data[i + 1])) {
            ++i;
            continue;
        }
        if (isHighSurrogate(c) || isLowSurrogate(c))
            break;
    }
    if (i == size)
        return;
    QString clean;
    clean.reserve(size);
    for (i = 0; i < size; ++i) {
        const char16_t c = data[i];
        if (isForbidden(c))
            continue;
        if (isHighSurrogate(c) && i + 1 < size && isLowSurrogate(data[i + 1])) {
            clean += QChar(c);
            clean += QChar(data[++i]);
        } else {
            clean += (isHighSurrogate(c) || isLowSurrogate(c)) ? QChar(kReplacement) : QChar(c);
        }
    }
    text = clean;
}

} // namespace

RtfReadResult Reader::read(QByteArrayView bytes)
{
    qsizetype start = 0;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        start = 3;
    while (start < bytes.size() && QChar::isSpace(uchar(bytes[start])))
        ++start;
    if (!bytes.sliced(start).startsWith("{\\rtf")) {
        readPlainText(bytes);
        return std::move(result_);
    }

    tokenizer_ = RtfTokenizer(bytes.sliced(start));
    while (!finished_ && !full_) {
        RtfToken token = tokenizer_.next();
        if (token.kind == RtfTokenKind::End)
            break;
        const bool starred = std::exchange(starPending_, false);
        const RtfTokenKind previous = std::exchange(previous_, token.kind);
        if (fallbackLeft_ > 0 && consumeFallback(token))
            continue;
        switch (token.kind) {
        case RtfTokenKind::GroupStart:
            openGroup();
            break;
        case RtfTokenKind::GroupEnd:
            closeGroup();
            break;
        case RtfTokenKind::ControlWord:
            controlWord(token, starred);
            break;
        case RtfTokenKind::ControlSymbol:
            // "\*" marks the destination that follows as one a reader may skip; it counts only right after "{".
            if (token.parameter == '*')
                starPending_ = previous == RtfTokenKind::GroupStart;
            else
                controlSymbol(token);
            break;
        case RtfTokenKind::HexByte:
            appendByte(char(token.parameter));
            break;
        case RtfTokenKind::Text:
            appendBytes(token.data);
            break;
        case RtfTokenKind::Binary:
        case RtfTokenKind::End:
            break;
        }
    }
    if (!finished_) {
        if (!full_ && !stack_.empty())
            result_.issues |= RtfIssue::Unbalanced;
        finishDocument();
    } else if (!full_) {
        // After the closing brace of the document only blanks and the NUL some writers end with may follow.
        const QByteArrayView rest = bytes.sliced(start + tokenizer_.position());
        if (std::any_of(rest.begin(), rest.end(), [](char c) { return c != 0 && !QChar::isSpace(uchar(c)); }))
            result_.issues |= RtfIssue::Unbalanced;
    }
    if (tokenizer_.sawMalformed())
        result_.issues |= RtfIssue::Truncated;
    return std::move(result_);
}

void Reader::readPlainText(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    result_.issues |= RtfIssue::NotRtf;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError())
        text = decodeCp1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QStringView rest(text);
    while (!full_ && !rest.isEmpty()) {
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != u'\r' && rest[end] != u'\n')
            ++end;
        appendBodyText(rest.first(end).toString());
        if (end == rest.size())
            break;
        const qsizetype breakSize = (rest[end] == u'\r' && end + 1 < rest.size() && rest[end + 1] == u'\n') ? 2 : 1;
        endParagraph();
        rest = rest.sliced(end + breakSize);
    }
    finishDocument();
}

// Inside the characters that stand in for a \uN: they are dropped, a group brace ends them.
bool Reader::consumeFallback(RtfToken& token)
{
    switch (token.kind) {
    case RtfTokenKind::GroupStart:
    case RtfTokenKind::GroupEnd:
    case RtfTokenKind::End:
        fallbackLeft_ = 0;
        return false;
    case RtfTokenKind::Text: {
        const qsizetype dropped = std::min<qsizetype>(fallbackLeft_, token.data.size());
        fallbackLeft_ -= int(dropped);
        token.data = token.data.sliced(dropped);
        return token.data.isEmpty();
    }
    default:
        --fallbackLeft_;
        return true;
    }
}

void Reader::openGroup()
{
    flushText();
    if (stack_.size() >= std::size_t(kMaxRtfGroupDepth)) {
        result_.issues |= RtfIssue::TooDeep;
        skipGroupRest(false);
        return;
    }
    stack_.push_back(state_);
}

void Reader::closeGroup()
{
    flushText();
    while (!notes_.empty() && notes_.back().depth == stack_.size())
        finishNote();
    // An entry in a group of its own ends with the group, even without its ";".
    if (fontEntryOpen_ && stack_.size() == fontEntryDepth_)
        commitFontEntry();
    if (stack_.size() == 1) {
        finishDocument();
        finished_ = true;
    }
    if (!stack_.empty()) {
        state_ = stack_.back();
        stack_.pop_back();
    }
}

// Passes over the rest of the group just opened, nested groups and binary data included, without a state per
// level. `pushed` tells whether the group's state is on the stack.
void Reader::skipGroupRest(bool pushed)
{
    flushText();
    int depth = 1;
    while (depth > 0) {
        const RtfToken token = tokenizer_.next();
        if (token.kind == RtfTokenKind::End)
            return; // noted as unbalanced at the end
        if (token.kind == RtfTokenKind::GroupStart)
            ++depth;
        else if (token.kind == RtfTokenKind::GroupEnd)
            --depth;
    }
    previous_ = RtfTokenKind::GroupEnd;
    if (pushed)
        closeGroup();
}

void Reader::controlWord(const RtfToken& token, bool starred)
{
    flushText();
    const auto& table = words();
    const auto it = table.find(std::string_view(token.data.data(), std::size_t(token.data.size())));
    const Word* word = it == table.end() ? nullptr : &it->second;
    // A destination the reader does not know is skipped when marked with "\*"; any other unknown word is ignored.
    if (starred && (!word || word->kind == WordKind::Plain)) {
        skipGroupRest(true);
        return;
    }
    if (!word)
        return;
    if (word->kind != WordKind::Plain && stack_.size() < 2)
        return; // a destination at the document's own level would take the whole document
    if (word->kind == WordKind::Skip) {
        result_.issues |= RtfIssue(word->arg);
        skipGroupRest(true);
        return;
    }
    (this->*word->handler)(token, word->arg);
}

void Reader::controlSymbol(const RtfToken& token)
{
    switch (token.parameter) {
    case '\\':
    case '{':
    case '}':
        appendByte(char(token.parameter));
        break;
    case '~':
        appendUnicode(0x00A0);
        break;
    case '_':
        appendUnicode(0x2011);
        break;
    case '-':
        appendUnicode(0x00AD);
        break;
    case '\n':
        flushText();
        if (inBody())
            paragraphBreak();
        break;
    default:
        break; // "\:" and "\|" belong to index entries and formulas
    }
}

void Reader::beginFontEntry(int index)
{
    if (fontEntryOpen_)
        commitFontEntry();
    fontEntryOpen_ = true;
    fontEntryIndex_ = index;
    fontEntryDepth_ = stack_.size();
    fontEntryCodePage_ = 0;
    fontEntryCharset_ = -1;
    fontName_.clear();
}

void Reader::commitFontEntry()
{
    flushText();
    fontEntryOpen_ = false;
    if (fonts_.size() < kMaxRtfTableEntries || fonts_.contains(fontEntryIndex_)) {
        sanitize(fontName_);
        const QString family = fontName_.trimmed();
        fonts_.insert(fontEntryIndex_,
                      FontEntry{family, fontEntryCodePage_, symbolEncodingOfFont(family, fontEntryCharset_)});
        resolvedValid_ = false;
    }
    fontName_.clear();
}

void Reader::commitColor()
{
    if (colors_.size() < std::size_t(kMaxRtfTableEntries)) {
        colors_.push_back(pendingColorSet_ ? std::optional(pendingColor_) : std::nullopt);
        resolvedValid_ = false;
    }
    pendingColor_ = {};
    pendingColorSet_ = false;
}

void Reader::appendBytes(QByteArrayView bytes)
{
    switch (state_.destination) {
    case Destination::Body:
        for (const char c : bytes) {
            // Control bytes other than tab are not text; a literal tab is one.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                pendingBytes_ += c;
        }
        break;
    case Destination::FontTable:
        for (const char c : bytes) {
            if (c == ';') {
                if (fontEntryOpen_)
                    commitFontEntry();
            } else if (fontEntryOpen_ && static_cast<unsigned char>(c) >= 0x20) {
                pendingBytes_ += c;
            }
        }
        break;
    case Destination::ColorTable:
        for (const char c : bytes) {
            if (c == ';')
                commitColor();
        }
        break;
    case Destination::Ignored:
        break;
    }
}

void Reader::appendByte(char byte)
{
    if (state_.destination == Destination::Body || (state_.destination == Destination::FontTable && fontEntryOpen_)) {
        if (static_cast<unsigned char>(byte) >= 0x20 || byte == '\t')
            pendingBytes_ += byte;
    }
}

void Reader::appendUnicode(char16_t c)
{
    flushText();
    if (state_.destination == Destination::FontTable) {
        if (fontEntryOpen_)
            fontName_ += QChar(c);
        return;
    }
    if (!inBody())
        return;
    if (c == 0x2029) {
        paragraphBreak();
        return;
    }
    if (isHighSurrogate(c)) {
        if (pendingHigh_ != 0)
            appendBodyText(QString(QChar(kReplacement)));
        pendingHigh_ = c;
        return;
    }
    if (isLowSurrogate(c) && pendingHigh_ != 0) {
        const QChar pair[2] = {QChar(std::exchange(pendingHigh_, 0)), QChar(c)};
        appendBodyText(QString(pair, 2));
        return;
    }
    appendBodyText(QString(QChar(c)));
}

int Reader::currentCodePage() const
{
    int codePage = 0;
    if (state_.destination == Destination::FontTable) {
        codePage = fontEntryCodePage_;
    } else {
        const auto it = fonts_.constFind(state_.chars.font < 0 ? deff_ : state_.chars.font);
        if (it != fonts_.cend())
            codePage = it->codePage;
    }
    return codePage != 0 ? codePage : documentCodePage_;
}

void Reader::flushText()
{
    if (pendingBytes_.isEmpty())
        return;
    QString text;
    if (const SymbolEncoding encoding = currentEncoding(); encoding != SymbolEncoding::None) {
        text.reserve(pendingBytes_.size());
        for (const char byte : std::as_const(pendingBytes_))
            text += QChar(symbolCharacter(encoding, static_cast<unsigned char>(byte)));
    } else if (!decoder_.decode(currentCodePage(), pendingBytes_, text)) {
        result_.issues |= RtfIssue::UnknownCodePage;
    }
    pendingBytes_.clear();
    if (state_.destination == Destination::FontTable)
        fontName_ += text;
    else
        appendBodyText(std::move(text));
}

SymbolEncoding Reader::currentEncoding() const
{
    if (state_.destination == Destination::FontTable)
        return SymbolEncoding::None;
    const auto it = fonts_.constFind(state_.chars.font < 0 ? deff_ : state_.chars.font);
    return it != fonts_.cend() ? it->encoding : SymbolEncoding::None;
}

RtfCharFormat Reader::resolve(const CharState& s) const
{
    RtfCharFormat format;
    const auto font = fonts_.constFind(s.font < 0 ? deff_ : s.font);
    format.family = font != fonts_.cend() ? font->family : QString();
    format.halfPoints = s.halfPoints;
    format.bold = s.bold;
    format.italic = s.italic;
    format.underline = s.underline;
    const auto color = [this](int index) {
        return (index >= 0 && std::size_t(index) < colors_.size()) ? colors_[std::size_t(index)] : std::nullopt;
    };
    format.color = color(s.color);
    format.strike = s.strike;
    format.vertical = s.vertical;
    format.highlight = s.highlight > 0 ? color(s.highlight) : std::nullopt; // 0 is "none", whatever entry 0 is
    return format;
}

const RtfCharFormat& Reader::currentFormat()
{
    if (resolvedValid_ && resolvedFrom_ == state_.chars)
        return resolved_;
    resolved_ = resolve(state_.chars);
    resolvedFrom_ = state_.chars;
    resolvedValid_ = true;
    return resolved_;
}

void Reader::appendBodyText(QString text)
{
    if (pendingHigh_ != 0) {
        pendingHigh_ = 0;
        text.prepend(QChar(kReplacement));
    }
    sanitize(text);
    if (text.isEmpty() || full_)
        return;
    if (state_.chars.hidden) {
        result_.issues |= RtfIssue::SkippedHidden;
        return;
    }
    if (!notes_.empty() && !notes_.back().started) {
        const auto blank =
            std::find_if_not(text.cbegin(), text.cend(), [](QChar c) { return isNoteBlank(c.unicode()); });
        text.remove(0, blank - text.cbegin());
        if (text.isEmpty())
            return;
        startNotes();
    }
    appendRun(std::move(text), currentFormat());
}

void Reader::appendRun(QString text, const RtfCharFormat& format)
{
    if (text.isEmpty() || full_)
        return;
    if (chars_ + text.size() > kMaxRtfDocumentChars) {
        text.truncate(kMaxRtfDocumentChars - chars_);
        if (!text.isEmpty() && isHighSurrogate(text.back().unicode()))
            text.chop(1);
        result_.issues |= RtfIssue::TooLong;
        full_ = true;
    }
    const qsizetype size = text.size();
    std::vector<RtfRun>& runs = paragraph_.runs;
    if (!runs.empty() && runs.back().format == format) {
        runs.back().text += text;
    } else if (!text.isEmpty()) {
        if (runCount_ >= kMaxRtfRuns) {
            result_.issues |= RtfIssue::TooLong;
            full_ = true;
            return;
        }
        ++runCount_;
        runs.push_back(RtfRun{std::move(text), format});
    }
    chars_ += size;
}

void Reader::paragraphBreak()
{
    // A note stays in its anchor's paragraph: its own paragraphs become lines.
    if (notes_.empty())
        endParagraph();
    else if (!state_.chars.hidden)
        appendUnicode(0x2028);
}

void Reader::startNotes()
{
    static constexpr const char16_t* kLabels[] = {u"[Footnote: ", u"[Endnote: ", u"[Comment: "};
    for (Note& note : notes_) {
        if (!std::exchange(note.started, true))
            appendRun(QString::fromUtf16(kLabels[int(note.kind)]), resolve(note.label));
    }
}

void Reader::finishNote()
{
    const Note note = notes_.back();
    notes_.pop_back();
    if (!note.started || full_)
        return;
    // Blanks and line ends after the note's last word are not its text. The note holds a word, so the trimming
    // ends inside it.
    std::vector<RtfRun>& runs = paragraph_.runs;
    while (!runs.empty()) {
        QString& text = runs.back().text;
        qsizetype keep = text.size();
        while (keep > 0 && isNoteBlank(text[keep - 1].unicode()))
            --keep;
        chars_ -= text.size() - keep;
        text.truncate(keep);
        if (!text.isEmpty())
            break;
        runs.pop_back();
        --runCount_;
    }
    appendRun(QStringLiteral("]"), resolve(note.label));
}

void Reader::endParagraph()
{
    if (full_)
        return;
    flushText();
    if (pendingHigh_ != 0)
        appendBodyText(QString());
    if (chars_ + 1 > kMaxRtfDocumentChars || qsizetype(result_.document.paragraphs.size()) + 1 >= kMaxRtfParagraphs) {
        result_.issues |= RtfIssue::TooLong;
        full_ = true;
        return;
    }
    ++chars_;
    paragraph_.alignment = state_.alignment;
    paragraph_.markFormat = currentFormat();
    result_.document.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = RtfParagraph{};
}

// Text after the last paragraph mark forms a last paragraph of its own; a document ending on a mark has none.
void Reader::finishDocument()
{
    flushText();
    while (!notes_.empty())
        finishNote();
    if (pendingHigh_ != 0)
        appendBodyText(QString());
    if (paragraph_.runs.empty())
        return;
    paragraph_.alignment = state_.alignment;
    paragraph_.markFormat = currentFormat();
    result_.document.paragraphs.push_back(std::move(paragraph_));
    paragraph_ = RtfParagraph{};
}

} // namespace rtf_reading

RtfReadResult readRtfModel(QByteArrayView bytes)
{
    rtf_reading::Reader reader;
    return reader.read(bytes);
}

} // namespace mx
