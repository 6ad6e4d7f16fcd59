#include "conversion/table_editor_document.h"

#include "common/cp1252.h"
#include "common/number_text.h"
#include "conversion/table_file.h"
#include "platform/atomic_file.h"
#include "platform/file_access.h"

#include <QDir>
#include <QFileInfo>

namespace mx {

namespace {

// The first character (a whole surrogate pair where there is one) that `encoding` cannot store.
QString firstUnstorable(QStringView text, TextEncoding encoding)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QStringView character = text.sliced(i, length);
        bool lossless = true;
        encodeDataFile(character, encoding, &lossless);
        if (!lossless)
            return character.toString();
        i += length - 1;
    }
    return {};
}

} // namespace

QString tableEditorText(const QByteArray& bytes, TextEncoding* encoding)
{
    const QString text = decodeDataFile(bytes, encoding);
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            shown += u'\n';
        } else {
            shown += c;
        }
    }
    if (shown.endsWith(u'\n'))
        shown.chop(1);
    return shown;
}

QByteArray tableFileBytes(QStringView text, QString* unstorable, TextEncoding encoding)
{
    QString lines;
    lines.reserve(text.size() + text.size() / 16 + 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        if (c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            lines += u"\r\n";
        else
            lines += c;
    }
    lines += u"\r\n";
    bool lossless = true;
    QByteArray bytes = encodeDataFile(lines, encoding, &lossless);
    if (lossless)
        return bytes;
    if (unstorable)
        *unstorable = firstUnstorable(lines, encoding);
    return {};
}

TableCheck checkTableText(QStringView text, TextEncoding encoding)
{
    QString unstorable;
    const QByteArray bytes = tableFileBytes(text, &unstorable, encoding);
    if (!bytes.isNull())
        return checkConversionTable(bytes);
    TableCheck check;
    check.fault = TableFault::Unstorable;
    check.loads = false;
    check.line = 1;
    const qsizetype at = text.indexOf(unstorable);
    for (qsizetype i = 0; i < at; ++i) {
        const QChar c = text[i];
        if ((c == u'\r' && (i + 1 >= text.size() || text[i + 1] != u'\n')) || c == u'\n' ||
            c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            ++check.line;
    }
    check.answer = QStringLiteral("Line %1: the character \"%2\" cannot be stored in a table file.")
                       .arg(generalNumberText(check.line), unstorable);
    return check;
}

TableEditorDocument::TableEditorDocument(QString path, QString category)
    : path_(std::move(path)), category_(std::move(category))
{}

QString TableEditorDocument::caption() const
{
    return QStringLiteral("Editor - ") + category_;
}

QString TableEditorDocument::load()
{
    encoding_ = TextEncoding::Cp1252;
    const FileRead read = readRegularFile(path_, kMaxTableFileBytes);
    const QFileInfo info(path_);
    const QString name = QDir::toNativeSeparators(path_);
    loadWarning_.clear();
    replaceQuestion_.clear();
    // The atomic writer needs the folder, and refuses a file that may not be written.
    readOnly_ = !QFileInfo(info.absolutePath()).isWritable() || (info.exists() && !info.isWritable());
    switch (read.status) {
    case FileReadStatus::Ok:
    case FileReadStatus::Missing:
        break;
    case FileReadStatus::NotRegular:
        loadWarning_ = QStringLiteral("The table file \"%1\" is not a file that can be read.  The editor starts empty, "
                                      "and the table cannot be saved there.")
                           .arg(name);
        readOnly_ = true;
        return {};
    case FileReadStatus::TooLarge:
    case FileReadStatus::Unreadable:
        loadWarning_ = (read.status == FileReadStatus::TooLarge
                            ? QStringLiteral("The table file \"%1\" is larger than %2 MB, so the editor could not "
                                             "read it.  The editor starts empty.")
                                  .arg(name, generalNumberText(double(kMaxTableFileBytes / (1024 * 1024))))
                            : QStringLiteral("The table file \"%1\" could not be read.  The editor starts empty.")
                                  .arg(name));
        replaceQuestion_ = QStringLiteral("The table file \"%1\" could not be read, so the editor does not show "
                                          "it.  Saving replaces the file with the text shown, and the %2 bytes it "
                                          "holds will be lost.  Save anyway?")
                               .arg(name, formatPicture(double(info.size()), u"#,###0"));
        break;
    }
    if (readOnly_) {
        const QString readOnly =
            info.exists() && QFileInfo(info.absolutePath()).isWritable()
                ? QStringLiteral("The table file \"%1\" may not be written, so the editor shows it read-only.")
                      .arg(name)
                : QStringLiteral("The folder \"%1\" may not be written, so the editor shows the table read-only.")
                      .arg(QDir::toNativeSeparators(info.absolutePath()));
        loadWarning_ = loadWarning_.isEmpty() ? readOnly : loadWarning_ + QStringLiteral("  ") + readOnly;
        replaceQuestion_.clear();
    }
    return read.status == FileReadStatus::Ok ? tableEditorText(read.bytes, &encoding_) : QString();
}

QString TableEditorDocument::save(QStringView text)
{
    QString unstorable;
    const QByteArray bytes = tableFileBytes(text, &unstorable, encoding_);
    if (bytes.isNull())
        return QStringLiteral("The character \"%1\" cannot be stored in a table file.  Replace it and save again.")
            .arg(unstorable);
    QString error;
    if (!writeFileAtomically(path_, bytes, &error))
        return error;
    // The file now holds what the editor shows.
    replaceQuestion_.clear();
    return {};
}

QString TableEditorDocument::closeQuestion()
{
    return QStringLiteral("Do you want to save your changes?");
}

} // namespace mx
