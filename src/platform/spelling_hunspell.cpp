#include "platform/spelling_hunspell.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#include <hunspell.hxx>

#include <optional>
#include <string>

namespace mx {
namespace {

class HunspellDictionary final : public SpellingDictionary {
public:
    HunspellDictionary(const QString& affix, const QString& words)
        : hunspell_(QFile::encodeName(affix).constData(), QFile::encodeName(words).constData())
    {
        const QByteArray encoding = QByteArray::fromStdString(hunspell_.get_dict_encoding());
        encoder_ = QStringEncoder(encoding.constData());
        decoder_ = QStringDecoder(encoding.constData());
        if (!encoder_.isValid() || !decoder_.isValid()) {
            encoder_ = QStringEncoder(QStringEncoder::Latin1);
            decoder_ = QStringDecoder(QStringDecoder::Latin1);
        }
    }

    bool isCorrect(const QString& word) override
    {
        const auto bytes = encoded(word);
        // A word the dictionary's character set cannot hold cannot be checked against it.
        return !bytes || hunspell_.spell(*bytes);
    }

    QStringList suggestions(const QString& word) override
    {
        QStringList list;
        const auto bytes = encoded(word);
        if (!bytes)
            return list;
        for (const std::string& suggestion : hunspell_.suggest(*bytes))
            list << decoder_.decode(QByteArray::fromStdString(suggestion));
        return list;
    }

    void addWord(const QString& word) override
    {
        if (const auto bytes = encoded(word))
            hunspell_.add(*bytes);
    }

private:
    std::optional<std::string> encoded(const QString& word)
    {
        QByteArray bytes = encoder_.encode(word);
        if (encoder_.hasError()) {
            encoder_.resetState();
            return std::nullopt;
        }
        return bytes.toStdString();
    }

    Hunspell hunspell_;
    QStringEncoder encoder_;
    QStringDecoder decoder_;
};

bool isDictionaryFile(const QFileInfo& info)
{
    // A pipe in the dictionary's place would block the open for good.
    return info.isFile() && info.size() <= kMaxDictionaryFileBytes;
}

} // namespace

DictionaryOpening openHunspellDictionary(const QString& folder, const QString& language)
{
    const QDir dir(folder);
    const QFileInfo affix(dir.filePath(language + QStringLiteral(".aff")));
    const QFileInfo words(dir.filePath(language + QStringLiteral(".dic")));
    if (!isDictionaryFile(affix) || !isDictionaryFile(words) || !QFile(affix.filePath()).open(QIODevice::ReadOnly) ||
        !QFile(words.filePath()).open(QIODevice::ReadOnly)) {
        return {nullptr, QStringLiteral("The spelling dictionary \"%1\" is not installed or cannot be read (%2, %3).")
                             .arg(language, QDir::toNativeSeparators(affix.filePath()),
                                  QDir::toNativeSeparators(words.filePath()))};
    }
    return {std::make_unique<HunspellDictionary>(affix.filePath(), words.filePath()), {}};
}

} // namespace mx
