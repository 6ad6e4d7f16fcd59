#pragma once

#include "accessories/rtf_encoding.h"
#include "accessories/rtf_reader.h"
#include "accessories/rtf_tokenizer.h"

#include <QHash>

#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

// The RTF reader's machine, for its two halves only: the reading of groups, text and paragraphs (rtf_reader.cpp)
// and what each control word means (rtf_control_words.cpp).
namespace mx::rtf_reading {

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

} // namespace mx::rtf_reading
