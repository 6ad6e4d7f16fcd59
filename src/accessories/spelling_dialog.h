#pragma once

#include "accessories/spelling_check.h"
#include "accessories/spelling_session.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace mx {

// The spelling check's question (frmSpelling, caption "Spelling"): the word not in the dictionary, the suggestions,
// the text to change it to, and the buttons that answer. Run once per word through the dialog service.
class SpellingDialog : public QDialog {
    Q_OBJECT
public:
    explicit SpellingDialog(QWidget* parent = nullptr);

    // Shows the word and its suggestions; "Change To" starts at the first suggestion, or the word itself.
    void ask(const QString& word, const QStringList& suggestions);
    // The answer of the button that closed the dialog; Cancel when it was closed otherwise.
    SpellingAnswer answer() const { return answer_; }

private:
    void answerWith(SpellingAction action);

    SpellingAnswer answer_;
    QLineEdit* wordBox_ = nullptr;
    QLineEdit* changeToBox_ = nullptr;
    QListWidget* suggestionList_ = nullptr;
    QPushButton* ignoreButton_ = nullptr;
    QPushButton* ignoreAllButton_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QPushButton* changeAllButton_ = nullptr;
    QPushButton* addButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

// Spelling checks on the installed Hunspell dictionary (en_US in /usr/share/hunspell), asking through
// SpellingDialog over `dialogParent`. The dictionary is opened on the first check and kept for the run, so words
// added stay added; if it cannot be opened, each check fails to start with the reason.
SpellingSessionFactory desktopSpellingSessions(QWidget* dialogParent);

// The same over a given dictionary folder and language, for a check that must find its own dictionary.
SpellingSessionFactory hunspellSpellingSessions(QWidget* dialogParent, const QString& folder, const QString& language);

} // namespace mx
