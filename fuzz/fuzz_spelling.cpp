#include "accessories/rtf_reader.h"
#include "accessories/spelling_check.h"
#include "accessories/spelling_session.h"
#include "platform/spelling_dictionary.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

// The spelling check's word walk over any text (RTF or not) with answers of every kind: it ends, the text comes
// back in the form it went in, and RTF that comes back reads as RTF.
namespace {

// Words of even length are misspelt; suggestions are the word cut or doubled.
class EvenWords final : public mx::SpellingDictionary {
public:
    bool isCorrect(const QString& word) override { return word.size() % 2 == 1 || added_.contains(word); }
    QStringList suggestions(const QString& word) override { return {word.left(1), word + word, QString()}; }
    void addWord(const QString& word) override { added_.append(word); }

private:
    QStringList added_;
};

// Answers in turn from the input's own bytes, replacements taken from the suggestions.
class ByteAnswers final : public mx::SpellingPrompter {
public:
    explicit ByteAnswers(QByteArrayView bytes) : bytes_(bytes) {}
    mx::SpellingAnswer ask(const QString&, const QStringList& suggestions) override
    {
        if (++asked_ > 100000)
            std::abort(); // the walk would never end
        const quint8 b = bytes_.isEmpty() ? 0 : quint8(bytes_[asked_ % bytes_.size()]);
        const auto action = mx::SpellingAction(b % 6);
        return {action, suggestions.value((b / 6) % 3)};
    }
    void finished() override {}

private:
    QByteArrayView bytes_;
    int asked_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool rich = bytes.trimmed().startsWith("{\\rtf");
    auto start = [&] {
        return mx::SpellingSessionStart{std::make_unique<mx::DocumentSpellingSession>(
                                            std::make_shared<EvenWords>(), std::make_unique<ByteAnswers>(bytes)),
                                        {}};
    };
    const mx::SpellingCheckResult result = mx::runSpellingCheck(start, bytes.toByteArray());
    if (result.status != mx::SpellingCheckResult::Status::Checked)
        std::abort();
    if (rich && (!result.text.startsWith("{\\rtf1") || mx::readRtfModel(result.text).issues & mx::kRtfDamage))
        std::abort();
    return 0;
}
