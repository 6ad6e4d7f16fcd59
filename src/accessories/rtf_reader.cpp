#include "accessories/rtf_reader.h"

#include "accessories/rtf_encoding.h"
#include "accessories/rtf_tokenizer.h"
#include "common/cp1252.h"

#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace mx {
namespace {

enum class Destination : quint8 {
    Body,
    FontTable,
    ColorTable,
    Ignored, // text dropped, control words still read (the ANSI half of \upr)
};

// Character formatting as RTF states it: indexes into the tables, resolved when text arrives, because \deff and
// the tables may come after the words that refer to them.
struct CharState {
    int font = -1; // -1: the default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int color = 0;
    bool strike = false;
    RtfVertical vertical = RtfVertical::Baseline;
    int highlight = 0;
    bool hidden = false;
    friend bool operator==(const CharState&, const CharState&) = default;
};

// What a group saves and its closing brace restores.
struct State {
    CharState chars;
    RtfAlignment alignment = RtfAlignment::Left;
    Destination destination = Destination::Body;
    Destination outsideUpr = Destination::Body; // where \ud returns to
    int fallbackCount = 1;                      // \ucN: characters after \uN that stand in for it
};

struct FontEntry {
    QString family;
    int codePage = 0; // 0: the document's
    SymbolEncoding encoding = SymbolEncoding::None;
};

// Footnotes, endnotes and comments are kept in the text where they are anchored, in brackets.
enum class NoteKind : quint8 { Footnote, Endnote, Comment };

struct Note {
    NoteKind kind = NoteKind::Footnote;
    std::size_t depth = 0; // the stack size inside the note's group
    CharState label;       // the brackets are set in the text's format at the anchor
    bool started = false;  // the opening bracket is written with the note's first visible character
};

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

class Reader {
public:
    RtfReadResult read(QByteArrayView bytes);

private:
    enum class WordKind : quint8 {
        Plain,       // a property, symbol or break
        Destination, // a destination this reader takes in, also after "\*"
        Skip,        // a destination passed over with its whole group
    };
    using Handler = void (Reader::*)(const RtfToken& token, int arg);
    struct Word {
        Handler handler = nullptr;
        int arg = 0;
        WordKind kind = WordKind::Plain;
    };
    static const std::unordered_map<std::string_view, Word>& words();

    void readPlainText(QByteArrayView bytes);
    bool consumeFallback(RtfToken& token);
    void openGroup();
    void closeGroup();
    void skipGroupRest(bool pushed);
    void controlWord(const RtfToken& token, bool starred);
    void controlSymbol(const RtfToken& token);
    void finishDocument();

    // Text in.
    void appendBytes(QByteArrayView bytes);
    void appendByte(char byte);
    void appendUnicode(char16_t c);
    void appendBodyText(QString text);
    void flushText();
    int currentCodePage() const;
    const RtfCharFormat& currentFormat();
    void endParagraph();
    bool inBody() const { return state_.destination == Destination::Body; }

    void paragraphBreak();
    RtfCharFormat resolve(const CharState& chars) const;
    SymbolEncoding currentEncoding() const;
    void appendRun(QString text, const RtfCharFormat& format);
    void startNotes();
    void finishNote();

    void beginFontEntry(int index);
    void commitFontEntry();
    void commitColor();

    // Handlers: `arg` carries the handler's fixed value from the word table.
    void onBold(const RtfToken& t, int) { state_.chars.bold = !t.hasParameter || t.parameter != 0; }
    void onItalic(const RtfToken& t, int) { state_.chars.italic = !t.hasParameter || t.parameter != 0; }
    void onUnderline(const RtfToken& t, int) { state_.chars.underline = !t.hasParameter || t.parameter != 0; }
    void onUnderlineNone(const RtfToken&, int) { state_.chars.underline = false; }
    void onStrike(const RtfToken& t, int) { state_.chars.strike = !t.hasParameter || t.parameter != 0; }
    void onVertical(const RtfToken&, int arg) { state_.chars.vertical = RtfVertical(arg); }
    void onRaise(const RtfToken& t, int arg);
    void onHighlight(const RtfToken& t, int) { state_.chars.highlight = t.hasParameter ? t.parameter : 0; }
    void onHidden(const RtfToken& t, int) { state_.chars.hidden = !t.hasParameter || t.parameter != 0; }
    void onNote(const RtfToken&, int arg);
    void onEndnote(const RtfToken&, int);
    void onFontSize(const RtfToken& t, int);
    void onFont(const RtfToken& t, int);
    void onColor(const RtfToken& t, int) { state_.chars.color = t.hasParameter ? t.parameter : 0; }
    void onPlain(const RtfToken&, int) { state_.chars = CharState{}; }
    void onParagraphDefaults(const RtfToken&, int) { state_.alignment = RtfAlignment::Left; }
    void onAlign(const RtfToken&, int arg) { state_.alignment = RtfAlignment(arg); }
    void onParagraph(const RtfToken&, int);
    void onCharacter(const RtfToken&, int arg);
    void onUnicode(const RtfToken& t, int);
    void onFallbackCount(const RtfToken& t, int);
    void onDocumentCodePage(const RtfToken& t, int arg);
    void onDefaultFont(const RtfToken& t, int) { deff_ = t.hasParameter ? t.parameter : 0; }
    void onFontCharset(const RtfToken& t, int);
    void onFontCodePage(const RtfToken& t, int);
    void onColorPart(const RtfToken& t, int arg);
    void onDestination(const RtfToken&, int arg);
    void onUpr(const RtfToken&, int);
    void onUd(const RtfToken&, int);
    void onNothing(const RtfToken&, int) {}

    RtfTokenizer tokenizer_{QByteArrayView()};
    RtfReadResult result_;
    State state_;
    std::vector<State> stack_;
    bool finished_ = false; // the document's group has closed
    bool full_ = false;     // a size bound was reached: nothing more is taken in
    RtfTokenKind previous_ = RtfTokenKind::End;
    bool starPending_ = false;
    int fallbackLeft_ = 0;

    int documentCodePage_ = kCodePage1252;
    int deff_ = 0;
    QHash<int, FontEntry> fonts_;
    std::vector<std::optional<RtfColor>> colors_;
    bool fontEntryOpen_ = false;
    int fontEntryIndex_ = 0;
    std::size_t fontEntryDepth_ = 0;
    int fontEntryCodePage_ = 0;
    int fontEntryCharset_ = -1;
    QString fontName_;
    RtfColor pendingColor_;
    bool pendingColorSet_ = false;

    RtfTextDecoder decoder_;
    QByteArray pendingBytes_;
    char16_t pendingHigh_ = 0;
    RtfParagraph paragraph_;
    qsizetype chars_ = 0;
    qsizetype runCount_ = 0;
    std::vector<Note> notes_; // open notes, innermost last; each is a group, so bounded by the nesting

    CharState resolvedFrom_;
    RtfCharFormat resolved_;
    bool resolvedValid_ = false;
};

const std::unordered_map<std::string_view, Reader::Word>& Reader::words()
{
    using K = WordKind;
    using R = Reader;
    // Skipped destinations whose loss the reader reports.
    constexpr int kObjects = int(RtfIssue::SkippedObjects);
    constexpr int kHeader = int(RtfIssue::SkippedHeaders);
    constexpr int kFooter = int(RtfIssue::SkippedFooters);
    static const std::unordered_map<std::string_view, Word> table = [] {
        std::unordered_map<std::string_view, Word> t = {
            {"b", {&R::onBold}},
            {"i", {&R::onItalic}},
            {"ul", {&R::onUnderline}},
            {"uld", {&R::onUnderline}},
            {"uldash", {&R::onUnderline}},
            {"uldashd", {&R::onUnderline}},
            {"uldashdd", {&R::onUnderline}},
            {"uldb", {&R::onUnderline}},
            {"ulth", {&R::onUnderline}},
            {"ulw", {&R::onUnderline}},
            {"ulwave", {&R::onUnderline}},
            {"ulnone", {&R::onUnderlineNone}},
            {"strike", {&R::onStrike}},
            {"striked", {&R::onStrike}},
            {"super", {&R::onVertical, int(RtfVertical::Superscript)}},
            {"sub", {&R::onVertical, int(RtfVertical::Subscript)}},
            {"nosupersub", {&R::onVertical, int(RtfVertical::Baseline)}},
            {"up", {&R::onRaise, 1}},
            {"dn", {&R::onRaise, -1}},
            {"highlight", {&R::onHighlight}},
            {"chcbpat", {&R::onHighlight}},
            {"cb", {&R::onHighlight}},
            {"v", {&R::onHidden}},
            {"fs", {&R::onFontSize}},
            {"f", {&R::onFont}},
            {"cf", {&R::onColor}},
            {"plain", {&R::onPlain}},
            {"pard", {&R::onParagraphDefaults}},
            {"ql", {&R::onAlign, int(RtfAlignment::Left)}},
            {"qc", {&R::onAlign, int(RtfAlignment::Center)}},
            {"qr", {&R::onAlign, int(RtfAlignment::Right)}},
            {"qj", {&R::onAlign, int(RtfAlignment::Justify)}},
            {"qd", {&R::onAlign, int(RtfAlignment::Justify)}},
            // Section, page and table-row ends have no place in a notes page: each becomes a paragraph end.
            {"par", {&R::onParagraph}},
            {"sect", {&R::onParagraph}},
            {"page", {&R::onParagraph}},
            {"row", {&R::onParagraph}},
            {"line", {&R::onCharacter, 0x2028}},
            {"tab", {&R::onCharacter, '\t'}},
            {"cell", {&R::onCharacter, '\t'}},
            {"emdash", {&R::onCharacter, 0x2014}},
            {"endash", {&R::onCharacter, 0x2013}},
            {"lquote", {&R::onCharacter, 0x2018}},
            {"rquote", {&R::onCharacter, 0x2019}},
            {"ldblquote", {&R::onCharacter, 0x201C}},
            {"rdblquote", {&R::onCharacter, 0x201D}},
            {"bullet", {&R::onCharacter, 0x2022}},
            {"emspace", {&R::onCharacter, 0x2003}},
            {"enspace", {&R::onCharacter, 0x2002}},
            {"qmspace", {&R::onCharacter, 0x2005}},
            {"zwj", {&R::onCharacter, 0x200D}},
            {"zwnj", {&R::onCharacter, 0x200C}},
            {"u", {&R::onUnicode}},
            {"uc", {&R::onFallbackCount}},
            {"ansi", {&R::onDocumentCodePage, 1252}},
            {"mac", {&R::onDocumentCodePage, 10000}},
            {"pc", {&R::onDocumentCodePage, 437}},
            {"pca", {&R::onDocumentCodePage, 850}},
            {"ansicpg", {&R::onDocumentCodePage, 0}},
            {"deff", {&R::onDefaultFont}},
            {"fcharset", {&R::onFontCharset}},
            {"cpg", {&R::onFontCodePage}},
            {"red", {&R::onColorPart, 0}},
            {"green", {&R::onColorPart, 1}},
            {"blue", {&R::onColorPart, 2}},
            {"fonttbl", {&R::onDestination, int(Destination::FontTable), K::Destination}},
            {"colortbl", {&R::onDestination, int(Destination::ColorTable), K::Destination}},
            {"upr", {&R::onUpr, 0, K::Destination}},
            {"ud", {&R::onUd, 0, K::Destination}},
            // Destinations whose text is shown as it stands: field results and the numbers of list items.
            {"field", {&R::onNothing, 0, K::Destination}},
            {"fldrslt", {&R::onNothing, 0, K::Destination}},
            {"pntext", {&R::onNothing, 0, K::Destination}},
            {"listtext", {&R::onNothing, 0, K::Destination}},
            // Notes the user wrote, kept at their anchors; \chftn and \chatn (their numbers) are not read.
            {"footnote", {&R::onNote, int(NoteKind::Footnote), K::Destination}},
            {"annotation", {&R::onNote, int(NoteKind::Comment), K::Destination}},
            {"ftnalt", {&R::onEndnote}},
            {"pict", {&R::onNothing, kObjects, K::Skip}},
            {"object", {&R::onNothing, kObjects, K::Skip}},
            {"shppict", {&R::onNothing, kObjects, K::Skip}},
            {"shp", {&R::onNothing, kObjects, K::Skip}},
            {"do", {&R::onNothing, kObjects, K::Skip}},
            {"nonshppict", {&R::onNothing, 0, K::Skip}}, // another form of the picture beside it
            {"header", {&R::onNothing, kHeader, K::Skip}},
            {"headerf", {&R::onNothing, kHeader, K::Skip}},
            {"headerl", {&R::onNothing, kHeader, K::Skip}},
            {"headerr", {&R::onNothing, kHeader, K::Skip}},
            {"footer", {&R::onNothing, kFooter, K::Skip}},
            {"footerf", {&R::onNothing, kFooter, K::Skip}},
            {"footerl", {&R::onNothing, kFooter, K::Skip}},
            {"footerr", {&R::onNothing, kFooter, K::Skip}},
        };
        // Destinations that hold no text of the document: its tables, styles and settings, its information and
        // the metadata of comments, field instructions (their results are shown), bookmarks, index and contents
        // entries (fields that show nothing), list definitions (each item's number is in its \pntext or
        // \listtext), footnote separators, revision, theme and layout data.
        for (std::string_view name : {"aftncn",
                                      "aftnsep",
                                      "aftnsepc",
                                      "atndate",
                                      "atnicn",
                                      "atnparent",
                                      "atnref",
                                      "atntime",
                                      "atrfend",
                                      "atrfstart",
                                      "author",
                                      "atnauthor",
                                      "atnid",
                                      "bkmkend",
                                      "bkmkstart",
                                      "buptim",
                                      "comment",
                                      "creatim",
                                      "datafield",
                                      "doccomm",
                                      "docvar",
                                      "falt",
                                      "fldinst",
                                      "filetbl",
                                      "ftncn",
                                      "ftnsep",
                                      "ftnsepc",
                                      "generator",
                                      "info",
                                      "keywords",
                                      "listtable",
                                      "listoverridetable",
                                      "objdata",
                                      "operator",
                                      "panose",
                                      "pn",
                                      "pntxta",
                                      "pntxtb",
                                      "printim",
                                      "private",
                                      "revtbl",
                                      "revtim",
                                      "rsidtbl",
                                      "rxe",
                                      "shpinst",
                                      "stylesheet",
                                      "subject",
                                      "tc",
                                      "template",
                                      "title",
                                      "txe",
                                      "xe",
                                      "xmlnstbl",
                                      "themedata",
                                      "colorschememapping",
                                      "datastore",
                                      "latentstyles",
                                      "pgdsctbl"})
            t.emplace(name, Word{&R::onNothing, 0, K::Skip});
        return t;
    }();
    return table;
}

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

void Reader::onFontSize(const RtfToken& t, int)
{
    state_.chars.halfPoints = (t.hasParameter && t.parameter > 0)
                                  ? std::clamp(t.parameter, kMinHalfPoints, kMaxHalfPoints)
                                  : kDefaultHalfPoints;
}

void Reader::onFont(const RtfToken& t, int)
{
    const int index = t.hasParameter ? t.parameter : 0;
    if (state_.destination == Destination::FontTable)
        beginFontEntry(index);
    else
        state_.chars.font = index;
}

void Reader::onParagraph(const RtfToken&, int)
{
    if (inBody())
        paragraphBreak();
}

// `\up N` raises by N half-points and `\dn N` lowers; the notes keep that the text is raised, not by how much.
void Reader::onRaise(const RtfToken& t, int arg)
{
    const int offset = arg * (t.hasParameter ? t.parameter : 6);
    state_.chars.vertical = offset > 0   ? RtfVertical::Superscript
                            : offset < 0 ? RtfVertical::Subscript
                                         : RtfVertical::Baseline;
}

void Reader::onNote(const RtfToken&, int arg)
{
    if (!inBody())
        return;
    CharState label = state_.chars;
    label.vertical = RtfVertical::Baseline; // the anchor's number is often raised; the brackets are not
    label.hidden = false;
    notes_.push_back(Note{NoteKind(arg), stack_.size(), label, false});
}

void Reader::onEndnote(const RtfToken&, int)
{
    if (!notes_.empty() && notes_.back().depth == stack_.size() && notes_.back().kind == NoteKind::Footnote)
        notes_.back().kind = NoteKind::Endnote;
}

void Reader::onCharacter(const RtfToken&, int arg)
{
    appendUnicode(char16_t(arg));
}

void Reader::onUnicode(const RtfToken& t, int)
{
    if (!t.hasParameter) {
        result_.issues |= RtfIssue::Truncated;
        return;
    }
    if (t.parameter >= -32768 && t.parameter <= 65535) {
        char16_t c = char16_t(t.parameter < 0 ? t.parameter + 65536 : t.parameter);
        // Symbol fonts' characters as Word writes them: the byte in the private-use area at U+F000.
        if (c >= 0xF020 && c <= 0xF0FF && inBody()) {
            if (const SymbolEncoding encoding = currentEncoding(); encoding != SymbolEncoding::None)
                c = symbolCharacter(encoding, static_cast<unsigned char>(c - 0xF000));
        }
        appendUnicode(c);
    }
    fallbackLeft_ = state_.fallbackCount;
}

void Reader::onFallbackCount(const RtfToken& t, int)
{
    // Real files use 0 to 2; more than a few would only let a hostile file hide text.
    state_.fallbackCount = t.hasParameter ? std::clamp(t.parameter, 0, 8) : 1;
}

void Reader::onDocumentCodePage(const RtfToken& t, int arg)
{
    const int codePage = arg != 0 ? arg : (t.hasParameter ? t.parameter : 0);
    if (codePage > 0)
        documentCodePage_ = codePage;
}

void Reader::onFontCharset(const RtfToken& t, int)
{
    if (state_.destination == Destination::FontTable && t.hasParameter) {
        fontEntryCodePage_ = codePageOfCharset(t.parameter);
        fontEntryCharset_ = t.parameter;
    }
}

void Reader::onFontCodePage(const RtfToken& t, int)
{
    if (state_.destination == Destination::FontTable && t.hasParameter && t.parameter > 0)
        fontEntryCodePage_ = t.parameter;
}

void Reader::onColorPart(const RtfToken& t, int arg)
{
    if (state_.destination != Destination::ColorTable)
        return;
    const auto value = quint8(std::clamp(t.hasParameter ? t.parameter : 0, 0, 255));
    (arg == 0 ? pendingColor_.red : arg == 1 ? pendingColor_.green : pendingColor_.blue) = value;
    pendingColorSet_ = true;
}

void Reader::onDestination(const RtfToken&, int arg)
{
    state_.destination = Destination(arg);
}

void Reader::onUpr(const RtfToken&, int)
{
    // {\upr{ANSI text}{\*\ud{Unicode text}}}: the Unicode half is read, the ANSI half dropped.
    state_.outsideUpr = state_.destination;
    state_.destination = Destination::Ignored;
}

void Reader::onUd(const RtfToken&, int)
{
    if (state_.destination == Destination::Ignored)
        state_.destination = state_.outsideUpr;
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

} // namespace

RtfReadResult readRtfModel(QByteArrayView bytes)
{
    Reader reader;
    return reader.read(bytes);
}

} // namespace mx
