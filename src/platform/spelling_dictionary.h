#pragma once

#include <QString>
#include <QStringList>

// A dictionary that knows how words are spelt: what the spelling check asks about each word it meets. The program
// uses Hunspell's (spelling_hunspell.h); tests put a word list of their own in its place.
namespace mx {

class SpellingDictionary {
public:
    virtual ~SpellingDictionary() = default;
    virtual bool isCorrect(const QString& word) = 0;
    // Likely meant words, best first; may be empty.
    virtual QStringList suggestions(const QString& word) = 0;
    // Counts the word as correct from now on, for as long as the dictionary lives.
    virtual void addWord(const QString& word) = 0;
};

} // namespace mx
