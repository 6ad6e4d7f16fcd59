#include "accessories/rtf_reader.h"
#include "accessories/rtf_writer.h"
#include "accessories/spelling_check.h"
#include "accessories/spelling_session.h"
#include "platform/spelling_dictionary.h"
#include "test_registry.h"

#include <QSet>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// A word processor that notes each call and fails the ones it is told to.
class RecordingSession final : public SpellingSession {
public:
    RecordingSession(QStringList& calls, QSet<QString> failing, QString selected)
        : calls_(calls), failing_(std::move(failing)), selected_(std::move(selected))
    {}
    bool newDocument() override { return call(u"newDocument"_s); }
    bool insert(const QString& text) override { return call(u"insert(%1)"_s.arg(text), u"insert"_s); }
    bool checkSpelling() override { return call(u"checkSpelling"_s); }
    bool selectAll() override { return call(u"selectAll"_s); }
    std::optional<QString> selection() override
    {
        return call(u"selection"_s) ? std::optional<QString>(selected_) : std::nullopt;
    }
    bool closeWithoutSaving() override { return call(u"closeWithoutSaving"_s); }

private:
    bool call(const QString& entry, const QString& name = {})
    {
        calls_ << entry;
        return !failing_.contains(name.isEmpty() ? entry : name);
    }
    QStringList& calls_;
    QSet<QString> failing_;
    QString selected_;
};

// A dictionary of a few words.
class WordList final : public SpellingDictionary {
public:
    explicit WordList(const QString& words)
    {
        for (const QString& word : words.split(u' '))
            words_.insert(word);
    }
    bool isCorrect(const QString& word) override { return words_.contains(word); }
    QStringList suggestions(const QString& word) override
    {
        QStringList list;
        for (const QString& known : std::as_const(words_)) {
            if (known.compare(word, Qt::CaseInsensitive) != 0 && known.size() == word.size() &&
                QSet<QChar>(known.cbegin(), known.cend()) == QSet<QChar>(word.cbegin(), word.cend()))
                list << known;
        }
        list.sort();
        return list;
    }
    void addWord(const QString& word) override { words_.insert(word); }

private:
    QSet<QString> words_;
};

// Answers from a script such as "Change:the, Ignore, Cancel" and notes what it was asked.
class ScriptedPrompter final : public SpellingPrompter {
public:
    ScriptedPrompter(const QString& script, QStringList& asked, bool& finishedFlag)
        : script_(script.split(u", "_s, Qt::SkipEmptyParts)), asked_(asked), finished_(finishedFlag)
    {}
    SpellingAnswer ask(const QString& word, const QStringList& suggestions) override
    {
        asked_ << (suggestions.isEmpty() ? word : word + u'[' + suggestions.join(u'|') + u']');
        if (script_.isEmpty())
            return {SpellingAction::Cancel, {}};
        const QStringList answer = script_.takeFirst().split(u':');
        static const QHash<QString, SpellingAction> actions = {
            {u"Ignore"_s, SpellingAction::Ignore}, {u"IgnoreAll"_s, SpellingAction::IgnoreAll},
            {u"Change"_s, SpellingAction::Change}, {u"ChangeAll"_s, SpellingAction::ChangeAll},
            {u"Add"_s, SpellingAction::Add},       {u"Cancel"_s, SpellingAction::Cancel}};
        return {actions.value(answer[0]), answer.value(1)};
    }
    void finished() override { finished_ = true; }

private:
    QStringList script_;
    QStringList& asked_;
    bool& finished_;
};

RtfCharFormat format(const char* flags)
{
    RtfCharFormat f;
    f.family = u"Arial"_s;
    f.bold = QByteArray(flags).contains('b');
    f.italic = QByteArray(flags).contains('i');
    if (QByteArray(flags).contains('r'))
        f.color = RtfColor{255, 0, 0};
    return f;
}

// Runs "text|flags" pieces as one paragraph each line ("/" between paragraphs) and describes the result the same way.
QString describe(const RtfDocument& doc)
{
    QStringList paragraphs;
    for (const RtfParagraph& p : doc.paragraphs) {
        QStringList runs;
        for (const RtfRun& run : p.runs)
            runs << run.text + u'|' + (run.format.bold ? u"b"_s : u""_s) + (run.format.italic ? u"i"_s : u""_s) +
                        (run.format.color ? u"r"_s : u""_s);
        paragraphs << runs.join(u' ');
    }
    return paragraphs.join(u" / "_s);
}

RtfDocument documentOf(const QString& description)
{
    RtfDocument doc;
    for (const QString& paragraphText : description.split(u" / "_s)) {
        RtfParagraph paragraph;
        paragraph.markFormat = format("");
        for (const QString& piece : paragraphText.split(u'~')) {
            const qsizetype bar = piece.lastIndexOf(u'|');
            paragraph.runs.push_back({piece.left(bar), format(piece.mid(bar + 1).toLatin1().constData())});
        }
        doc.paragraphs.push_back(std::move(paragraph));
    }
    return doc;
}

} // namespace

class SpellingCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void callingOrder_data();
    void callingOrder();
    void crBecomesCrLf_data();
    void crBecomesCrLf();
    void wordsChecked_data();
    void wordsChecked();
    void plainWalk_data();
    void plainWalk();
    void formattingComesBack_data();
    void formattingComesBack();
    void addedWordsStayForTheDictionarysLife();
    void sessionOutOfOrder();
};

void SpellingCheckTest::callingOrder_data()
{
    QTest::addColumn<QString>("failing"); // the step that fails, if any
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("text");
    QTest::newRow("every step works") << u""_s << u"checked"_s << u"Thiss\r\nis\r\n"_s;
    QTest::newRow("insert fails") << u"insert"_s << u"failed"_s << u""_s;
    QTest::newRow("check fails") << u"checkSpelling"_s << u"failed"_s << u""_s;
    QTest::newRow("selection cannot be read") << u"selection"_s << u"failed"_s << u""_s;
    QTest::newRow("closing fails") << u"closeWithoutSaving"_s << u"checked"_s << u"Thiss\r\nis\r\n"_s;
}

void SpellingCheckTest::callingOrder()
{
    QFETCH(QString, failing);
    QFETCH(QString, status);
    QFETCH(QString, text);
    QStringList calls;
    const SpellingSessionFactory start = [&] {
        return SpellingSessionStart{std::make_unique<RecordingSession>(calls, QSet<QString>{failing}, u"Thiss\ris\r"_s),
                                    {}};
    };
    const SpellingCheckResult result = runSpellingCheck(start, u"Thiss is"_s);
    // Every step is taken, whatever failed before it, so the word processor is always closed.
    QCOMPARE(calls, (QStringList{u"newDocument"_s, u"insert(Thiss is)"_s, u"checkSpelling"_s, u"selectAll"_s,
                                 u"selection"_s, u"closeWithoutSaving"_s}));
    QCOMPARE(result.status == SpellingCheckResult::Status::Checked ? u"checked"_s : u"failed"_s, status);
    QCOMPARE(result.text, text);
}

void SpellingCheckTest::crBecomesCrLf_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("paragraph marks") << u"one\rtwo\r"_s << u"one\r\ntwo\r\n"_s;
    QTest::newRow("a pair gets a second feed") << u"a\r\nb"_s << u"a\r\n\nb"_s;
    QTest::newRow("feeds alone stay") << u"a\nb"_s << u"a\nb"_s;
    QTest::newRow("empty") << u""_s << u""_s;
    QTest::newRow("past 32767 characters")
        << QString(40000, u'x') + u"\ry\r"_s << QString(40000, u'x') + u"\r\ny\r\n"_s;
}

void SpellingCheckTest::crBecomesCrLf()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(crToCrLf(text), expected);
}

void SpellingCheckTest::wordsChecked_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("words");
    QTest::newRow("plain words") << u"Thhe quick  brown."_s << u"Thhe|quick|brown"_s;
    QTest::newRow("apostrophes inside") << u"don't rock\u2019n\u2019roll 'tis dogs'"_s
                                        << u"don't|rock\u2019n\u2019roll|tis|dogs"_s;
    QTest::newRow("digits and capitals passed over") << u"25mm A4 NASA I a OK"_s << u"I|a"_s;
    QTest::newRow("accents and hyphens") << u"caf\u00E9 na\u0131\u0308ve well-known"_s
                                         << u"caf\u00E9|na\u0131\u0308ve|well|known"_s;
    QTest::newRow("tabs and line breaks") << u"one\ttwo\u2028three"_s << u"one|two|three"_s;
    QTest::newRow("too long to check") << QString(101, u'z') + u" short"_s << u"short"_s;
    QTest::newRow("nothing to check") << u"12 + 3 = 15 \u2013 ..."_s << u""_s;
}

void SpellingCheckTest::wordsChecked()
{
    QFETCH(QString, text);
    QFETCH(QString, words);
    QStringList found;
    qsizetype from = 0;
    while (const auto span = nextCheckedWord(text, from)) {
        found << text.mid(span->start, span->length);
        from = span->start + span->length;
    }
    QCOMPARE(found.join(u'|'), words);
}

void SpellingCheckTest::plainWalk_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("asked"); // each word asked about, with its suggestions
    QTest::addColumn<QString>("selection");
    QTest::addColumn<bool>("finished");
    QTest::newRow("change") << u"Teh cat sat on teh mat"_s << u"Change:The, Change:the"_s << u"Teh[The], teh[the]"_s
                            << u"The cat sat on the mat"_s << true;
    QTest::newRow("change all") << u"teh cat teh mat teh"_s << u"ChangeAll:the"_s << u"teh[the]"_s
                                << u"the cat the mat the"_s << true;
    QTest::newRow("ignore once") << u"zork cat zork"_s << u"Ignore, Ignore"_s << u"zork, zork"_s << u"zork cat zork"_s
                                 << true;
    QTest::newRow("ignore all") << u"zork cat zork"_s << u"IgnoreAll"_s << u"zork"_s << u"zork cat zork"_s << true;
    QTest::newRow("add") << u"zork cat zork"_s << u"Add"_s << u"zork"_s << u"zork cat zork"_s << true;
    QTest::newRow("cancel keeps the changes made")
        << u"teh zork teh"_s << u"Change:the, Cancel"_s << u"teh[the], zork"_s << u"the zork teh"_s << false;
    QTest::newRow("paragraphs come back with CR marks")
        << u"teh\r\ncat\nteh"_s << u"Change:the, Change:the"_s << u"teh[the], teh[the]"_s << u"the\rcat\rthe"_s << true;
    QTest::newRow("replacement kept in its paragraph")
        << u"teh cat"_s << u"Change:the\rend"_s << u"teh[the]"_s << u"the end cat"_s << true;
    QTest::newRow("deleting a word") << u"cat teh teh"_s << u"Change:, Change:"_s << u"teh[the], teh[the]"_s
                                     << u"cat  "_s << true;
    QTest::newRow("all correct") << u"The cat sat."_s << u""_s << u""_s << u"The cat sat."_s << true;
}

void SpellingCheckTest::plainWalk()
{
    QFETCH(QString, text);
    QFETCH(QString, answers);
    QFETCH(QString, asked);
    QFETCH(QString, selection);
    QFETCH(bool, finished);
    QStringList askedWords;
    bool done = false;
    DocumentSpellingSession session(std::make_shared<WordList>(u"the The cat sat on mat"_s),
                                    std::make_unique<ScriptedPrompter>(answers, askedWords, done));
    QVERIFY(session.newDocument());
    QVERIFY(session.insert(text));
    QVERIFY(session.checkSpelling());
    QVERIFY(session.selectAll());
    QCOMPARE(session.selection(), selection);
    QVERIFY(session.closeWithoutSaving());
    QCOMPARE(askedWords.join(u", "_s), asked);
    QCOMPARE(done, finished);
}

void SpellingCheckTest::formattingComesBack_data()
{
    // Runs as "text|flags" joined by "~" (b bold, i italic, r red), paragraphs by " / ".
    QTest::addColumn<QString>("document");
    QTest::addColumn<QString>("answers");
    QTest::addColumn<QString>("expected");
    QTest::newRow("word in one run") << u"Teh|br~ cat|"_s << u"Change:The"_s << u"The|br  cat|"_s;
    QTest::newRow("word across runs takes its first letter's format")
        << u"T|b~e|i~h cat|"_s << u"Change:The"_s << u"The|b  cat|"_s;
    QTest::newRow("longer replacement mid-run") << u"a teh cat|i"_s << u"Change:those"_s << u"a those cat|i"_s;
    QTest::newRow("second paragraph") << u"cat|b / teh|r~ mat|"_s << u"ChangeAll:the"_s << u"cat|b / the|r  mat|"_s;
    QTest::newRow("removed run") << u"cat |~teh|b~ mat|"_s << u"Change:"_s << u"cat  mat|"_s;
}

void SpellingCheckTest::formattingComesBack()
{
    QFETCH(QString, document);
    QFETCH(QString, answers);
    QFETCH(QString, expected);
    const QString rtf = QString::fromLatin1(writeRtfModel(documentOf(document)));
    QStringList asked;
    bool done = false;
    auto start = [&] {
        return SpellingSessionStart{
            std::make_unique<DocumentSpellingSession>(std::make_shared<WordList>(u"a the The cat mat"_s),
                                                      std::make_unique<ScriptedPrompter>(answers, asked, done)),
            {}};
    };
    const SpellingCheckResult result = runSpellingCheck(start, rtf);
    QCOMPARE(int(result.status), int(SpellingCheckResult::Status::Checked));
    // RTF comes back as RTF, its lines ending in CR LF again.
    QVERIFY(result.text.startsWith(u"{\\rtf1"_s));
    QCOMPARE(result.text.count(u"\r\n"_s), result.text.count(u'\r'));
    QCOMPARE(describe(readRtfModel(result.text.toLatin1()).document), expected);
}

void SpellingCheckTest::addedWordsStayForTheDictionarysLife()
{
    auto dictionary = std::make_shared<WordList>(u"cat"_s);
    QStringList asked;
    bool done = false;
    for (int run = 0; run < 2; ++run) {
        DocumentSpellingSession session(dictionary, std::make_unique<ScriptedPrompter>(u"Add"_s, asked, done));
        QVERIFY(session.newDocument());
        QVERIFY(session.insert(u"zork cat"_s));
        QVERIFY(session.checkSpelling());
    }
    QCOMPARE(asked, QStringList{u"zork"_s}); // the second check knows the word
}

void SpellingCheckTest::sessionOutOfOrder()
{
    QStringList asked;
    bool done = false;
    DocumentSpellingSession session(std::make_shared<WordList>(u"cat"_s),
                                    std::make_unique<ScriptedPrompter>(u""_s, asked, done));
    QVERIFY(!session.insert(u"cat"_s)); // no document yet
    QVERIFY(!session.checkSpelling());
    QCOMPARE(session.selection(), std::nullopt);
    QVERIFY(session.newDocument());
    QVERIFY(session.insert(u"cat"_s));
    QCOMPARE(session.selection(), u""_s); // nothing selected yet
    QVERIFY(session.closeWithoutSaving());
    QVERIFY(!session.closeWithoutSaving());

    const SpellingCheckResult notStarted = runSpellingCheck(
        [] {
            return SpellingSessionStart{nullptr, u"Cannot start the word processor."_s};
        },
        u"x"_s);
    QCOMPARE(int(notStarted.status), int(SpellingCheckResult::Status::NotStarted));
    QCOMPARE(notStarted.errorText, u"Cannot start the word processor."_s);
}

MX_REGISTER_TEST(SpellingCheckTest)
#include "tst_spelling_check.moc"
