#include "conversion/table_check.h"

#include "common/cp1252.h"
#include "common/number_text.h"
#include "conversion/table_field_reader.h"
#include "platform/file_access.h"

#include <QHash>

#include <cmath>

namespace mx {
namespace {

// The line of a position: line ends are CR LF, LF or CR, as the reader takes them.
int lineAt(QStringView text, qsizetype position)
{
    int line = 1;
    for (qsizetype i = 0; i < position && i < text.size(); ++i) {
        if (text[i] == u'\n' || (text[i] == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

bool onlyLineEndsAndBlanks(QStringView text)
{
    for (const QChar c : text) {
        if (!isBlank(c) && c != u'\r' && c != u'\n')
            return false;
    }
    return true;
}

QString number(int value)
{
    return generalNumberText(value);
}

QString validAnswer(int entries)
{
    if (entries == 1)
        return QStringLiteral("The table is valid: 1 conversion.");
    return QStringLiteral("The table is valid: %1 conversions.").arg(number(entries));
}

// What each field of an entry is called when it is missing.
constexpr const char16_t* kFieldNames[5] = {u"pair name", u"first unit", u"second unit", u"factor", u"separator line"};

class Checker {
public:
    explicit Checker(const QString& text) : text_(text), reader_(text) {}

    TableCheck run()
    {
        int index = 0;
        QStringView fields[5];
        while (!reader_.atEnd() && check_.loads) {
            if (index >= kMaxTableEntries) {
                fail(TableFault::TooManyEntries, reader_.position(),
                     QStringLiteral("the table has more than %1 entries.").arg(number(kMaxTableEntries)));
                break;
            }
            const qsizetype entryStart = reader_.position();
            for (int f = 0; f < 5 && check_.loads; ++f) {
                const FieldResult result = reader_.read(fields[f]);
                if (result == FieldResult::PastEnd)
                    missingField(entryStart, f, index);
                else if (result == FieldResult::TooLong)
                    fail(TableFault::FieldTooLong, reader_.fieldStart(),
                         QStringLiteral("the field is longer than %1 characters.").arg(number(kMaxTableFieldChars)));
                else if (reader_.quoteUnclosed())
                    fault(TableFault::UnclosedQuote, reader_.fieldStart(), QStringLiteral("the quote is not closed."));
                else if (f == 0)
                    checkName(fields[0]);
                else if (f == 3)
                    checkFactor(fields[3]);
            }
            ++index;
        }
        if (check_.loads && index == 0)
            fault(TableFault::Empty, 0, QStringLiteral("the table has no entries."));
        if (check_.fault == TableFault::None) {
            check_.entries = index;
            check_.answer = validAnswer(index);
        }
        return check_;
    }

private:
    // A fault that leaves the table loadable; only the first is told.
    void fault(TableFault kind, qsizetype position, const QString& reason)
    {
        if (check_.fault != TableFault::None)
            return;
        check_.fault = kind;
        check_.line = lineAt(text_, position);
        check_.answer = QStringLiteral("Line %1: %2").arg(number(check_.line), reason);
    }

    // A fault that ends the load: the tab lists nothing.
    void fail(TableFault kind, qsizetype position, const QString& reason)
    {
        fault(kind, position, reason);
        check_.loads = false;
    }

    void missingField(qsizetype entryStart, int field, int wholeEntries)
    {
        if (onlyLineEndsAndBlanks(text_.sliced(entryStart))) {
            if (wholeEntries == 0)
                fail(TableFault::Empty, 0, QStringLiteral("the table has no entries."));
            else
                fail(TableFault::ExtraLines, entryStart, QStringLiteral("empty lines follow the last entry."));
            return;
        }
        fail(TableFault::MissingField, text_.size(),
             QStringLiteral("the entry that begins on line %1 has no %2.")
                 .arg(number(lineAt(text_, entryStart)), QString::fromUtf16(kFieldNames[field])));
    }

    void checkName(QStringView name)
    {
        const auto earlier = namesSeen_.constFind(name);
        if (earlier == namesSeen_.cend()) {
            namesSeen_.insert(name, reader_.fieldStart());
            return;
        }
        // Counting lines costs a pass over the text: only for the fault that is told.
        if (check_.fault == TableFault::None)
            fault(TableFault::DuplicateName, reader_.fieldStart(),
                  QStringLiteral("the pair name is given twice (first on line %1).")
                      .arg(number(lineAt(text_, *earlier))));
    }

    void checkFactor(QStringView field)
    {
        // The tab reads the number at the start of the field and drops the rest; here the whole field must be one
        // number. "D" is the leading-number parse's other exponent letter.
        const qsizetype at = reader_.fieldStart();
        const LeadingNumber factor = parseLeadingNumber(field);
        if (factor.overflow)
            fault(TableFault::FactorOutOfRange, at, QStringLiteral("the factor is too large or too small."));
        else if (!strictNumber(field.toString().replace(u'D', u'E').replace(u'd', u'e')))
            fault(TableFault::FactorNotANumber, at, QStringLiteral("the factor is not a number."));
        else if (factor.value == 0.0)
            fault(TableFault::FactorZero, at, QStringLiteral("the factor is zero."));
        else if (!std::isfinite(1.0 / factor.value))
            fault(TableFault::FactorOutOfRange, at, QStringLiteral("the factor is too large or too small."));
    }

    QStringView text_;
    TableFieldReader reader_;
    QHash<QStringView, qsizetype> namesSeen_;
    TableCheck check_;
};

} // namespace

TableCheck checkConversionTable(const QByteArray& bytes)
{
    // Decoded as the load decodes it: the lines fall where the tab sees them.
    TextEncoding encoding = TextEncoding::Cp1252;
    const QString text = decodeDataFile(bytes, &encoding);
    TableCheck check = Checker(text).run();
    check.encoding = encoding;
    return check;
}

TableCheck checkConversionTableFile(const QString& path, const QString& shownName)
{
    const FileRead read = readRegularFile(path, kMaxTableFileBytes);
    if (read.status == FileReadStatus::Ok)
        return checkConversionTable(read.bytes);
    TableCheck check;
    check.loads = false;
    if (read.status == FileReadStatus::Missing) {
        check.fault = TableFault::FileMissing;
        check.answer = QStringLiteral("The file '%1' is missing.").arg(shownName);
    } else {
        check.fault = TableFault::FileUnreadable;
        check.answer = QStringLiteral("The file '%1' cannot be read.").arg(shownName);
    }
    return check;
}

QString answerNamingEncoding(const TableCheck& check)
{
    if (check.encoding == TextEncoding::Cp1252)
        return check.answer;
    if (check.fault == TableFault::None)
        return validAnswer(check.entries).chopped(1) + QStringLiteral(" (UTF-8).");
    QString answer = check.answer;
    return answer.insert(answer.indexOf(u':'), QStringLiteral(" (UTF-8)"));
}

} // namespace mx
