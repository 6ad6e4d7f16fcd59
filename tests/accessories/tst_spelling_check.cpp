#include "accessories/rtf_reader.h"
#include "accessories/spelling_check.h"
#include "accessories/spelling_session.h"
#include "platform/spelling_dictionary.h"
#include "rtf_describe.h"
#include "test_registry.h"

#include <QSet>
#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

namespace {

// A word processor that notes each call and fails the one it is told to.
class RecordingSession final : public SpellingSession {
public:
    RecordingSession(QStringList& calls, QString failing) : calls_(calls), failing_(std::move(failing)) {}
    bool newDocument() override { return call(u"newDocument"_s); }
    bool insert(const QByteArray& text) override { return call(u"insert"_s, QString::fromUtf8(text)); }
    bool checkSpelling() override { return call(u"checkSpelling"_s); }
    bool selectAll() override { return call(u"selectAll"_s); }
    std::optional<QByteArray> selection() override
    {
        return call(u"selection"_s) ? std::optional<QByteArray>("Thiss\ris\r") : std::nullopt;
    }
    bool closeWithoutSaving() override { return call(u"closeWithoutSaving"_s); }

private:
    bool call(const QString& name, const QString& argument = {})
    {
        calls_ << (argument.isEmpty() ? name : name + u'(' + argument + u')');
        return name != failing_;
    }
    QStringList& calls_;
    QString failing_;
};

// A few words, and "the" suggested for "teh".
class WordList final : public SpellingDictionary {
public:
    bool isCorrect(const QString& word) override { return words_.contains(word); }
    QStringList suggestions(const QString& word) override
    {
        return word.compare(u"teh"_s, Qt::CaseInsensitive) == 0 ? QStringList{word[0] + u"he"_s} : QStringList{};
    }
    void addWord(const QString& word) override { words_.insert(word); }

private:
    QSet<QString> words_{u"a"_s, u"the"_s, u"The"_s, u"cat"_s, u"sat"_s, u"on"_s, u"mat"_s};
};

// Answers from a script such as "Change:the, Ignore, Cancel" and notes each word asked about.
class ScriptedPrompter final : public SpellingPrompter {
public:
    ScriptedPrompter(const QString& script, QStringList& asked, bool& done)
        : script_(script.split(u", "_s, Qt::SkipEmptyParts)), asked_(asked), done_(done)
    {}
    SpellingAnswer ask(const QString& word, const QStringList& suggestions) override
    {
        asked_ << word + (suggestions.isEmpty() ? u""_s : u'[' + suggestions.join(u'|') + u']');
        const QStringList answer = script_.isEmpty() ? QStringList{u"Cancel"_s} : script_.takeFirst().split(u':');
        static const QStringList actions{u"Ignore"_s,    u"IgnoreAll"_s, u"Change"_s,
                                         u"ChangeAll"_s, u"Add"_s,       u"Cancel"_s};
        return {SpellingAction(actions.indexOf(answer[0])), answer.value(1)};
    }
    void finished() override { done_ = true; }

private:
    QStringList script_;
    QStringList& asked_;
    bool& done_;
};

} // namespace

class SpellingCheckTest : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void callingOrder_data()
    {
        QTest::addColumn<QString>("failing"); // the step that fails, if any
        QTest::addColumn<QByteArray>("text"); // what the check hands back; "failed" when nothing
        QTest::newRow("every step works") << u""_s << QByteArray("Thiss\r\nis\r\n");
        QTest::newRow("insert fails") << u"insert"_s << QByteArray("failed");
        QTest::newRow("check fails") << u"checkSpelling"_s << QByteArray("failed");
        QTest::newRow("selection cannot be read") << u"selection"_s << QByteArray("failed");
        QTest::newRow("closing fails") << u"closeWithoutSaving"_s << QByteArray("Thiss\r\nis\r\n");
    }

    void callingOrder()
    {
        QFETCH(QString, failing);
        QFETCH(QByteArray, text);
        QStringList calls;
        const SpellingCheckResult result = runSpellingCheck(
            [&] {
                return SpellingSessionStart{std::make_unique<RecordingSession>(calls, failing), {}};
            },
            "Thiss is");
        // Every step is taken, whatever failed before it, so the word processor is always closed.
        QCOMPARE(calls.join(u' '),
                 u"newDocument insert(Thiss is) checkSpelling selectAll selection closeWithoutSaving"_s);
        QCOMPARE(result.status == SpellingCheckResult::Status::Checked ? result.text : QByteArray("failed"), text);

        const SpellingCheckResult notStarted = runSpellingCheck(
            [] {
                return SpellingSessionStart{nullptr, u"Cannot start the word processor."_s};
            },
            "x");
        QCOMPARE(int(notStarted.status), int(SpellingCheckResult::Status::NotStarted));
        QCOMPARE(notStarted.errorText, u"Cannot start the word processor."_s);
    }

    void wordsChecked_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("words");
        QTest::newRow("apostrophes inside")
            << u"Don't rock\u2019n\u2019roll, 'tis dogs'."_s << u"Don't|rock\u2019n\u2019roll|tis|dogs"_s;
        QTest::newRow("digits and capitals passed over") << u"25mm A4 NASA I a OK"_s << u"I|a"_s;
        QTest::newRow("accents, hyphens, tabs, line breaks")
            << u"caf\u00E9 well-known\tone\u2028two"_s << u"caf\u00E9|well|known|one|two"_s;
        QTest::newRow("too long to check, longest checked")
            << QString(101, u'z') + u" "_s + QString(100, u'y') << QString(100, u'y');
        QTest::newRow("nothing to check") << u"12 + 3 = 15 \u2013 ..."_s << u""_s;
    }

    void wordsChecked()
    {
        QFETCH(QString, text);
        QFETCH(QString, words);
        QStringList found;
        for (auto span = nextCheckedWord(text, 0); span; span = nextCheckedWord(text, span->start + span->length))
            found << text.mid(span->start, span->length);
        QCOMPARE(found.join(u'|'), words);
    }

    // A check in the program's own session, in plain text or in RTF (a document in Arial, shown as the reader reads
    // it back, paragraphs joined by " / "): each word asked about with its suggestions, and what comes back.
    void check_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("result");
        QTest::addColumn<bool>("finished");
        const auto row = [](const char* name, const QByteArray& input, const QString& answers, const QString& asked,
                            const QString& result, bool finished = true) {
            QTest::newRow(name) << input << answers << asked << result << finished;
        };
        const auto rtf = [](const QByteArray& body) {
            return "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 " + body + "}";
        };
        row("change", "Teh cat sat on teh mat", u"Change:The, Change:the"_s, u"Teh[The], teh[the]"_s,
            u"The cat sat on the mat"_s);
        row("change all", "teh cat teh mat teh", u"ChangeAll:the"_s, u"teh[the]"_s, u"the cat the mat the"_s);
        row("ignore once, then all", "zork cat zork zork", u"Ignore, IgnoreAll"_s, u"zork, zork"_s,
            u"zork cat zork zork"_s);
        row("add", "zork cat zork", u"Add"_s, u"zork"_s, u"zork cat zork"_s);
        row("cancel keeps the changes made", "teh zork teh", u"Change:the, Cancel"_s, u"teh[the], zork"_s,
            u"the zork teh"_s, false);
        row("paragraphs come back with CR LF marks", "teh\r\ncat\nteh", u"Change:the, Change:the\rend"_s,
            u"teh[the], teh[the]"_s, u"the\r\ncat\r\nthe end"_s);
        row("deleting words", "cat teh teh", u"Change:, Change:"_s, u"teh[the], teh[the]"_s, u"cat  "_s);
        row("word across runs takes its first letter's format", rtf("\\b T\\b0\\i e\\i0 h cat"), u"Change:The"_s,
            u"Teh[The]"_s, u"L [Arial 12 b]The[Arial 12] cat"_s);
        row("longer replacement mid-run", rtf("\\i a teh cat"), u"Change:those"_s, u"teh[the]"_s,
            u"L [Arial 12 i]a those cat"_s);
        row("second paragraph, run removed", rtf("\\b cat\\par\\b0 a \\b teh\\b0  mat"), u"Change:"_s, u"teh[the]"_s,
            u"L [Arial 12 b]cat / L [Arial 12]a  mat"_s);
    }

    void check()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, answers);
        QStringList asked;
        bool done = false;
        const SpellingCheckResult result = runSpellingCheck(
            [&] {
                return SpellingSessionStart{
                    std::make_unique<DocumentSpellingSession>(std::make_shared<WordList>(),
                                                              std::make_unique<ScriptedPrompter>(answers, asked, done)),
                    {}};
            },
            input);
        QCOMPARE(int(result.status), int(SpellingCheckResult::Status::Checked));
        QCOMPARE(result.text.count("\r\n"), result.text.count('\r'));
        QTEST(input.startsWith("{\\rtf") ? test::describe(readRtfModel(result.text).document).join(u" / "_s)
                                         : QString::fromUtf8(result.text),
              "result");
        QTEST(asked.join(u", "_s), "asked");
        QTEST(done, "finished");
    }
};

MX_REGISTER_TEST(SpellingCheckTest)
#include "tst_spelling_check.moc"
