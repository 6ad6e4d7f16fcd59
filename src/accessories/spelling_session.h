#pragma once

#include "accessories/rtf_model.h"
#include "accessories/spelling_check.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QStringView>

#include <memory>
#include <optional>

namespace mx {

class SpellingDictionary;

enum class SpellingAction { Ignore, IgnoreAll, Change, ChangeAll, Add, Cancel };

struct SpellingAnswer {
    SpellingAction action = SpellingAction::Cancel;
    QString replacement; // for Change and Change All
};

// The person at the check: asked about each word the dictionary does not know, and told when the whole text has
// been checked.
class SpellingPrompter {
public:
    virtual ~SpellingPrompter() = default;
    virtual SpellingAnswer ask(const QString& word, const QStringList& suggestions) = 0;
    virtual void finished() = 0;
};

struct WordSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    friend bool operator==(const WordSpan&, const WordSpan&) = default;
};

// Longer words are passed over: no dictionary holds them, and asking for suggestions would take long.
inline constexpr qsizetype kMaxCheckedWordLength = 100;

// The next word at or after `from` that the check asks about: letters (with apostrophes between them). Words with
// digits in them ("25mm", "A4") and words in capitals ("NASA") are passed over, as word processors do.
std::optional<WordSpan> nextCheckedWord(QStringView text, qsizetype from);

// The program's own word processor for the spelling check: it holds one document and walks its words with a
// dictionary and a prompter. RTF inserted is read as a document and read back as RTF, so the check sees only the
// text while the formatting comes back unchanged, a replaced word taking the format of its first letter. Other
// bytes are taken as plain UTF-8 paragraphs.
class DocumentSpellingSession final : public SpellingSession {
public:
    DocumentSpellingSession(std::shared_ptr<SpellingDictionary> dictionary, std::unique_ptr<SpellingPrompter> prompter);
    ~DocumentSpellingSession() override;

    bool newDocument() override;
    bool insert(const QByteArray& text) override;
    bool checkSpelling() override;
    bool selectAll() override;
    std::optional<QByteArray> selection() override;
    bool closeWithoutSaving() override;

private:
    void replaceWord(RtfParagraph& paragraph, WordSpan span, const QString& replacement);

    std::shared_ptr<SpellingDictionary> dictionary_;
    std::unique_ptr<SpellingPrompter> prompter_;
    RtfDocument document_;
    bool open_ = false;
    bool rich_ = false;
    bool allSelected_ = false;
    QSet<QString> ignored_;
    QHash<QString, QString> changeAll_;
};

} // namespace mx
