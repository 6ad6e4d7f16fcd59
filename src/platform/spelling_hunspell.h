#pragma once

#include "platform/spelling_dictionary.h"

#include <QString>

#include <memory>

// Hunspell's dictionaries as the program's spelling dictionary.
namespace mx {

inline constexpr const char16_t* kSystemDictionaryFolder = u"/usr/share/hunspell";
inline constexpr const char16_t* kSpellingLanguage = u"en_US";
// Installed dictionaries are a few megabytes at most; anything far larger is not one.
inline constexpr qint64 kMaxDictionaryFileBytes = 64 * 1024 * 1024;

struct DictionaryOpening {
    std::unique_ptr<SpellingDictionary> dictionary; // null when it could not be opened
    QString errorText;                              // then why, as a sentence for the user
};

// Opens `language`.aff and `language`.dic in `folder`. Both must be regular files of a sensible size.
DictionaryOpening openHunspellDictionary(const QString& folder, const QString& language);

} // namespace mx
