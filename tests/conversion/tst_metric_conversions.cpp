#include "conversion/metric_conversions.h"
#include "test_helpers.h"
#include "test_registry.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace mx;

namespace {

QByteArray entries(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "Pair " + QByteArray::number(i) + "\r\nA\r\nB\r\n2\r\n\r\n";
    return bytes;
}

} // namespace

// What choosing a type means for the user, decided apart from the panel.
class MetricConversionsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void chooseCategory_data();
    void chooseCategory();
    void temperatureKeepsTheTablePath();
    void tableSaved_data();
    void tableSaved();
    void pairCaptions_data();
    void pairCaptions();
    void convertDispatches_data();
    void convertDispatches();
    void installedTableEditedInTheUsersCopy();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<MetricConversions> conversions_;
};

void MetricConversionsTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    const auto file = [this](const char* name, const QByteArray& bytes) {
        QVERIFY(test::writeFileBytes(dir_->filePath(QString::fromLatin1(name)), bytes));
    };
    file("Length.tbl", "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n"
                       "Feet vs Meters\r\nFeet\r\nMeters\r\n0.3048\r\n\r\n");
    file("Area.tbl", "Short vs Entry\r\nA\r\nB\r\n2\r\n");
    file("Mass.tbl", entries(1001));
    file("Force.tbl", entries(1002));
    file("Volume.tbl",
         "Celsius vs Kelvin\r\nX\r\nY\r\n3\r\n\r\nGallons vs Liters\r\nGallons\r\nLiters\r\n3.78\r\n\r\n");
    QCOMPARE(::mkfifo(QFile::encodeName(dir_->filePath(QStringLiteral("Power.tbl"))).constData(), 0600), 0);
    conversions_ = std::make_unique<MetricConversions>(dir_->path() + u'/');
}

void MetricConversionsTest::chooseCategory_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<QString>("firstPair");
    QTest::addColumn<bool>("editorAllowed");
    QTest::addColumn<QString>("question");
    QTest::newRow("table present") << "Length" << 2 << "Inches vs Millimeters" << true << "";
    QTest::newRow("table missing") << "Custom" << 0 << "" << true
                                   << "The file 'Custom.tbl' is missing.  Would you like to create a new table now?";
    QTest::newRow("last entry short of its separator") << "Area" << 0 << "" << true << "";
    QTest::newRow("1001 entries") << "Mass" << 1001 << "Pair 0" << true << "";
    QTest::newRow("1002 entries") << "Force" << 0 << "" << true << "";
    QTest::newRow("a named pipe, never opened") << "Power" << 0 << "" << true << "";
    QTest::newRow("built in") << "Temperature" << 3 << "Fahrenheit vs Celsius" << false << "";
}

void MetricConversionsTest::chooseCategory()
{
    QFETCH(QString, type);
    const CategoryChoice choice = conversions_->chooseCategory(type);
    QTEST(int(choice.pairs.size()), "pairs");
    QTEST(choice.pairs.value(0), "firstPair");
    QTEST(choice.tableEditorAllowed, "editorAllowed");
    QTEST(choice.missingTableQuestion, "question");
    QCOMPARE(conversions_->currentCategory(), type);
    if (type != u"Temperature")
        QCOMPARE(conversions_->tablePath(), dir_->filePath(type + QStringLiteral(".tbl")));
}

void MetricConversionsTest::temperatureKeepsTheTablePath()
{
    QVERIFY(conversions_->tablePath().isEmpty());
    conversions_->chooseCategory(QStringLiteral("Length"));
    conversions_->chooseCategory(QStringLiteral("Temperature"));
    QCOMPARE(conversions_->tablePath(), dir_->filePath(QStringLiteral("Length.tbl")));
    // The tab shows temperatures: a save of the table chosen before changes nothing there.
    QVERIFY(!conversions_->tableSaved(dir_->filePath(QStringLiteral("Length.tbl"))));
}

// The table editor saved a file: whether the tab lists it again, and what it lists.
void MetricConversionsTest::tableSaved_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");    // the file the editor wrote, in the table folder
    QTest::addColumn<QByteArray>("bytes"); // what it wrote
    QTest::addColumn<int>("pairs");        // -1: the tab is not reloaded
    QTest::addColumn<QString>("lastPair");

    const QByteArray length = "Inches vs Millimeters\r\nInches\r\nMillimeters\r\n25.4\r\n\r\n";
    QTest::newRow("one entry more") << "Length"
                                    << "Length.tbl" << length + "Yards vs Meters\r\nYards\r\nMeters\r\n0.9144\r\n\r\n"
                                    << 2 << "Yards vs Meters";
    QTest::newRow("a new table") << "Custom"
                                 << "Custom.tbl" << length << 1 << "Inches vs Millimeters";
    QTest::newRow("1001 entries") << "Length"
                                  << "Length.tbl" << entries(1001) << 1001 << "Pair 1000";
    QTest::newRow("1002 entries") << "Length"
                                  << "Length.tbl" << entries(1002) << 0 << "";
    QTest::newRow("extra empty line: the entries before it") << "Length"
                                                             << "Length.tbl" << length + "\r\n"
                                                             << 1 << "Inches vs Millimeters";
    QTest::newRow("ends inside an entry") << "Length"
                                          << "Length.tbl" << entries(3) + "Half\r\nA\r\n"
                                          << 3 << "Pair 2";
    QTest::newRow("another table than the one shown") << "Length"
                                                      << "Area.tbl" << length << -1 << "";
}

void MetricConversionsTest::tableSaved()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QFETCH(QByteArray, bytes);
    QFETCH(int, pairs);
    conversions_->chooseCategory(QStringLiteral("Length"));
    conversions_->chooseCategory(chosen);
    const QString path = dir_->filePath(saved);
    QVERIFY(test::writeFileBytes(path, bytes));

    const std::optional<CategoryChoice> choice = conversions_->tableSaved(path);
    QCOMPARE(choice.has_value(), pairs >= 0);
    if (!choice)
        return;
    QCOMPARE(choice->pairs.size(), pairs);
    QTEST(choice->pairs.value(pairs - 1), "lastPair");
    QVERIFY(choice->missingTableQuestion.isEmpty());
    QVERIFY(choice->tableEditorAllowed);
    QCOMPARE(conversions_->currentCategory(), chosen);
}

void MetricConversionsTest::pairCaptions_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    const auto row = [](const char* name, const char* type, int index, const char* first, const char* second) {
        QTest::newRow(name) << QString::fromLatin1(type) << index << QString::fromLatin1(first)
                            << QString::fromLatin1(second);
    };
    row("F/C", "Temperature", 0, "Degrees F", "Degrees C");
    row("F/R", "Temperature", 1, "Degrees F", "Rankin");
    row("C/K", "Temperature", 2, "Degrees C", "Degrees K");
    row("table entry", "Length", 1, "Feet", "Meters");
    // A table entry named like a built-in pair gets the built-in captions.
    row("named like C/K", "Volume", 0, "Degrees C", "Degrees K");
}

void MetricConversionsTest::pairCaptions()
{
    QFETCH(QString, type);
    QFETCH(int, index);
    const QStringList pairs = conversions_->chooseCategory(type).pairs;
    const auto units = conversions_->pairUnits(pairs.value(index), index);
    QVERIFY(units);
    QTEST(units->first, "first");
    QTEST(units->second, "second");
}

void MetricConversionsTest::convertDispatches_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("pair");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("answers"); // "row 1|row 2", or "" for none
    const auto row = [](const char* name, const char* type, const char* pair, const char* value, const char* answers) {
        QTest::newRow(name) << QString::fromLatin1(type) << QString::fromLatin1(pair) << QString::fromLatin1(value)
                            << QString::fromLatin1(answers);
    };
    row("no pair does nothing", "Length", "", "1", "");
    row("factor pair", "Length", "Inches vs Millimeters", "1", "0.0394|25.4");
    row("temperature pair", "Temperature", "Celsius vs Kelvin", "0", "-273.15|273.15");
    row("named like C/K converts as C/K", "Volume", "Celsius vs Kelvin", "0", "-273.15|273.15");
}

void MetricConversionsTest::convertDispatches()
{
    QFETCH(QString, type);
    QFETCH(QString, pair);
    QFETCH(QString, value);
    QFETCH(QString, answers);
    const QStringList pairs = conversions_->chooseCategory(type).pairs;
    const ConversionOutcome outcome = conversions_->convert(pair, int(pairs.indexOf(pair)), value);
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(outcome.answers ? outcome.answers->answer0 + u'|' + outcome.answers->answer1 : QString(), answers);
}

void MetricConversionsTest::installedTableEditedInTheUsersCopy()
{
    QTemporaryDir user;
    MetricConversions installed(FilePlaces(dir_->path(), user.path()));
    installed.chooseCategory(QStringLiteral("Length"));
    const QString copy = installed.tableToEdit();
    QCOMPARE(copy, user.filePath(QStringLiteral("Length.tbl")));
    QCOMPARE(test::readFileBytes(copy), test::readFileBytes(dir_->filePath(QStringLiteral("Length.tbl"))));
    // What the editor saves there is listed now and whenever Length is chosen again.
    QVERIFY(test::writeFileBytes(copy, "Yards vs Meters\r\nYards\r\nMeters\r\n0.9144\r\n\r\n"));
    QCOMPARE(installed.tableSaved(copy).value_or(CategoryChoice{}).pairs.size(), 1);
    installed.chooseCategory(QStringLiteral("Area"));
    QCOMPARE(installed.chooseCategory(QStringLiteral("Length")).pairs, QStringList{"Yards vs Meters"});
    // A table that is nowhere is made in the user's folder.
    installed.chooseCategory(QStringLiteral("Custom"));
    QCOMPARE(installed.tableToEdit(), user.filePath(QStringLiteral("Custom.tbl")));
    // No folder of the user's at all (one cannot be made under a file): the editor gets the table itself, which it
    // shows read-only, and no message that would keep it from opening.
    MetricConversions nowhere(FilePlaces(dir_->path(), QStringLiteral("/dev/null/Mensurix/")));
    nowhere.chooseCategory(QStringLiteral("Area"));
    QString error = QStringLiteral("stale");
    QCOMPARE(nowhere.tableToEdit(&error), dir_->filePath(QStringLiteral("Area.tbl")));
    QCOMPARE(error, QString());
}

MX_REGISTER_TEST(MetricConversionsTest)
#include "tst_metric_conversions.moc"
