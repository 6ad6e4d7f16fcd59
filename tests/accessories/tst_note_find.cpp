#include "accessories/note_find.h"
#include "test_registry.h"

#include <QTest>

using namespace mx;
using namespace Qt::StringLiterals;

class NoteFindTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searches_data()
    {
        // Each step: F (Find First) or N (Find Next), the text, the ticked boxes (c match case, w whole word, - none)
        // and the position the editor's search returns; then what the step asked for: "from options", and "!" where
        // "Match not found!" is reported.
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("asked");
        QTest::newRow("first, next, miss, start again")
            << u"F note - 2; N note - 13; N note - -1; N note - 2"_s << u"0 -; 3 -; 14 - !; 0 -"_s;
        QTest::newRow("match case") << u"F note c 2; N note c -1"_s << u"0 c; 3 c !"_s;
        QTest::newRow("whole word and match case") << u"F not cw -1; N not w -1"_s << u"0 cw !; 0 w !"_s;
        QTest::newRow("new text, old place") << u"F note - 2; N and - 7"_s << u"0 -; 3 -"_s;
        QTest::newRow("next before any first") << u"N note - 13"_s << u"1 -"_s;
        QTest::newRow("first after next") << u"N note - 13; F note - 2"_s << u"1 -; 0 -"_s;
        QTest::newRow("positions past the 16-bit range")
            << u"N x - 40000; N x - 2147483647; N x - 0; N x - -1; N x - 5"_s
            << u"1 -; 40001 -; 2147483647 -; 1 - !; 0 -"_s;
    }

    void searches()
    {
        QFETCH(QString, steps);
        QFETCH(QString, asked);
        const QStringList stepList = steps.split(u"; "_s);
        const QStringList askedList = asked.split(u"; "_s);
        QCOMPARE(stepList.size(), askedList.size());
        FindPositions positions; // a new run: FoundPos starts at 0
        for (qsizetype i = 0; i < stepList.size(); ++i) {
            const QStringList step = stepList[i].split(u' ');
            const bool matchCase = step[2].contains(u'c');
            const bool wholeWord = step[2].contains(u'w');
            const FindSearch search = step[0] == u"F" ? positions.first(step[1], matchCase, wholeWord)
                                                      : positions.next(step[1], matchCase, wholeWord);
            const bool missReported = positions.found(step[3].toInt());
            QString options = search.options.testFlag(FindOption::MatchCase) ? u"c"_s : u""_s;
            if (search.options.testFlag(FindOption::WholeWord))
                options += u'w';
            const QString got =
                u"%1 %2%3"_s.arg(search.from).arg(options.isEmpty() ? u"-"_s : options, missReported ? u" !"_s : u""_s);
            QCOMPARE(got, askedList[i]);
            QCOMPARE(search.text, step[1]);
            QCOMPARE(positions.findText(), step[1]);
        }
    }
};

MX_REGISTER_TEST(NoteFindTest)
#include "tst_note_find.moc"
