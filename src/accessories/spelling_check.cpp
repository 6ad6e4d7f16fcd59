#include "accessories/spelling_check.h"

namespace mx {

SpellingCheckResult runSpellingCheck(const SpellingSessionFactory& start, const QByteArray& text)
{
    SpellingSessionStart started = start ? start() : SpellingSessionStart{};
    if (!started.session)
        return {SpellingCheckResult::Status::NotStarted, started.errorText, {}};
    SpellingSession& session = *started.session;
    bool ok = session.newDocument();
    ok = session.insert(text) && ok;
    ok = session.checkSpelling() && ok;
    ok = session.selectAll() && ok;
    const std::optional<QByteArray> selection = session.selection();
    session.closeWithoutSaving(); // what it says makes no difference: the text is read
    if (!ok || !selection)
        return {SpellingCheckResult::Status::Failed, {}, {}};
    return {SpellingCheckResult::Status::Checked, {}, crToCrLf(*selection)};
}

QByteArray crToCrLf(QByteArrayView text)
{
    QByteArray converted;
    converted.reserve(text.size() + text.count('\r'));
    for (const char c : text) {
        converted += c;
        if (c == '\r')
            converted += '\n';
    }
    return converted;
}

} // namespace mx
