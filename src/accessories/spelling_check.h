#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// The note editor's spelling check runs in a separate word processor, which it drives in a fixed order: a new
// document, the text inserted, the interactive check, select all, the selection read back, and the document closed
// without saving. What goes in and comes back is the document's RTF, as bytes. The word processor is anything
// behind SpellingSession; the program's own is DocumentSpellingSession over a Hunspell dictionary.
namespace mx {

class SpellingSession {
public:
    virtual ~SpellingSession() = default;
    // Each call reports whether it worked.
    virtual bool newDocument() = 0;
    virtual bool insert(const QByteArray& text) = 0;
    virtual bool checkSpelling() = 0; // interactive: the user walks through the misspelt words
    virtual bool selectAll() = 0;
    virtual std::optional<QByteArray> selection() = 0; // paragraph marks as CR alone
    virtual bool closeWithoutSaving() = 0;
};

struct SpellingSessionStart {
    std::unique_ptr<SpellingSession> session; // null when the word processor could not be started
    QString errorText;                        // then why, in the words of the failure
};
using SpellingSessionFactory = std::function<SpellingSessionStart()>;

struct SpellingCheckResult {
    enum class Status {
        NotStarted, // errorText says why; nothing was checked
        Failed,     // a step after the start failed: the text read back (if any) is not to be trusted
        Checked,    // text holds the checked text
    };
    Status status = Status::NotStarted;
    QString errorText;
    QByteArray text; // the selection read back, with a line feed after each carriage return
};

// Runs one check of `text` in a session from `start`, in the order above. Once the session has started, every
// step is taken even if one before it failed, so the session is always closed; but the text read back is only
// handed on when every step worked, since a failed insert or check would otherwise wipe out the user's text.
SpellingCheckResult runSpellingCheck(const SpellingSessionFactory& start, const QByteArray& text);

// Writes a line feed after every carriage return, so that paragraph marks read back become CR LF pairs. The
// count runs in a size type: a text of any length is converted whole.
QByteArray crToCrLf(QByteArrayView text);

} // namespace mx
