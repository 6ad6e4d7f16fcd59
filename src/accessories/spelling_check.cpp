#include "accessories/spelling_check.h"

namespace mx {

SpellingCheckResult runSpellingCheck(const SpellingSessionFactory& start, const QString& text)
{
    SpellingSessionStart started = start ? start() : SpellingSessionStart{};
    if (!started.session)
        return {SpellingCheckResult::Status::NotStarted, started.errorText, {}};
    SpellingSession& session = *started.session;
    bool ok = session.newDocument();
    ok = session.insert(text) && ok;
    ok = session.checkSpelling() && ok;
    ok = session.selectAll() && ok;
    const std::optional<QString> selection = session.selection();
    session.closeWithoutSaving(); // what it says makes no difference: the text is read
    if (!ok || !selection)
        return {SpellingCheckResult::Status::Failed, {}, {}};
    return {SpellingCheckResult::Status::Checked, {}, crToCrLf(*selection)};
}

QString crToCrLf(QStringView text)
{
    QString converted;
    converted.reserve(text.size() + text.count(u'\r'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        converted += text[i];
        if (text[i] == u'\r')
            converted += u'\n';
    }
    return converted;
}

} // namespace mx
