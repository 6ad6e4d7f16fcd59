#include "accessories/rtf_reader_state.h"

#include <algorithm>

// What each control word means to the reader: the table of the words it knows, and their handlers.
namespace mx::rtf_reading {

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
        // clang-format off
        constexpr std::string_view kPassedOver[] = {
            "aftncn", "aftnsep", "aftnsepc", "atndate", "atnicn", "atnparent", "atnref", "atntime", "atrfend",
            "atrfstart", "author", "atnauthor", "atnid", "bkmkend", "bkmkstart", "buptim", "comment", "creatim",
            "datafield", "doccomm", "docvar", "falt", "fldinst", "filetbl", "ftncn", "ftnsep", "ftnsepc",
            "generator", "info", "keywords", "listtable", "listoverridetable", "objdata", "operator", "panose",
            "pn", "pntxta", "pntxtb", "printim", "private", "revtbl", "revtim", "rsidtbl", "rxe", "shpinst",
            "stylesheet", "subject", "tc", "template", "title", "txe", "xe", "xmlnstbl", "themedata",
            "colorschememapping", "datastore", "latentstyles", "pgdsctbl"};
        // clang-format on
        for (std::string_view name : kPassedOver)
            t.emplace(name, Word{&R::onNothing, 0, K::Skip});
        return t;
    }();
    return table;
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

} // namespace mx::rtf_reading
