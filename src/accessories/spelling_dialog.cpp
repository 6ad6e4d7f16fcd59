#include "accessories/spelling_dialog.h"

#include "common/message_service.h"
#include "platform/dialog_service.h"
#include "platform/form_layout.h"
#include "platform/spelling_hunspell.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>

#include <map>
#include <utility>

namespace mx {
namespace {

constexpr QSize kClientSize(5040, 3180);

QPushButton* placeButton(QWidget* parent, const char* name, const QString& caption, const QString& description, int top)
{
    auto* button = placeControl(new QPushButton(caption, parent), QString::fromLatin1(name), {3600, top, 1320, 375});
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setAccessibleDescription(description);
    button->setAutoDefault(false);
    return button;
}

class DialogPrompter final : public SpellingPrompter {
public:
    explicit DialogPrompter(QWidget* parent) : parent_(parent) {}
    ~DialogPrompter() override { delete dialog_; }
    DialogPrompter(const DialogPrompter&) = delete;
    DialogPrompter& operator=(const DialogPrompter&) = delete;

    SpellingAnswer ask(const QString& word, const QStringList& suggestions) override
    {
        // One dialog for the whole check, so it stays where the user moved it.
        if (!dialog_)
            dialog_ = new SpellingDialog(parent_);
        dialog_->ask(word, suggestions);
        if (execDialog(*dialog_) != QDialog::Accepted)
            return {SpellingAction::Cancel, {}};
        return dialog_->answer();
    }

    void finished() override { showMessage(QStringLiteral("The spelling check is complete.")); }

private:
    QPointer<QWidget> parent_;
    QPointer<SpellingDialog> dialog_; // also gone if the window under it goes first
};

SpellingSessionStart startSession(QWidget* parent, std::shared_ptr<SpellingDictionary> dictionary)
{
    return {std::make_unique<DocumentSpellingSession>(std::move(dictionary), std::make_unique<DialogPrompter>(parent)),
            {}};
}

} // namespace

SpellingDialog::SpellingDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSpelling"));
    setWindowTitle(QStringLiteral("Spelling"));
    setAccessibleName(QStringLiteral("Spelling"));
    setFixedSize(twipsSize(kClientSize.width(), kClientSize.height()));

    placeLabel(this, QStringLiteral("lblNotInDictionary"), QStringLiteral("Not in Dictionary:"), {120, 120, 3360, 255});
    wordBox_ = placeControl(new QLineEdit(this), QStringLiteral("txtNotInDictionary"), {120, 375, 3360, 315});
    wordBox_->setReadOnly(true);
    wordBox_->setAccessibleName(QStringLiteral("Not in Dictionary"));
    placeLabel(this, QStringLiteral("lblChangeTo"), QStringLiteral("Change &To:"), {120, 810, 3360, 255});
    changeToBox_ = placeControl(new QLineEdit(this), QStringLiteral("txtChangeTo"), {120, 1065, 3360, 315});
    changeToBox_->setAccessibleName(QStringLiteral("Change To"));
    placeLabel(this, QStringLiteral("lblSuggestions"), QStringLiteral("&Suggestions:"), {120, 1500, 3360, 255});
    suggestionList_ = placeControl(new QListWidget(this), QStringLiteral("lstSuggestions"), {120, 1755, 3360, 1305});
    suggestionList_->setAccessibleName(QStringLiteral("Suggestions"));
    findChild<QLabel*>(QStringLiteral("lblChangeTo"))->setBuddy(changeToBox_);
    findChild<QLabel*>(QStringLiteral("lblSuggestions"))->setBuddy(suggestionList_);

    ignoreButton_ =
        placeButton(this, "cmdIgnore", QStringLiteral("&Ignore"), QStringLiteral("Leave this word as it is"), 375);
    ignoreAllButton_ = placeButton(this, "cmdIgnoreAll", QStringLiteral("I&gnore All"),
                                   QStringLiteral("Leave this word as it is wherever it comes"), 810);
    changeButton_ = placeButton(this, "cmdChange", QStringLiteral("&Change"),
                                QStringLiteral("Change this word to the text of Change To"), 1245);
    changeAllButton_ = placeButton(this, "cmdChangeAll", QStringLiteral("Change A&ll"),
                                   QStringLiteral("Change this word to the text of Change To wherever it comes"), 1680);
    addButton_ = placeButton(this, "cmdAdd", QStringLiteral("&Add"),
                             QStringLiteral("Add this word to the dictionary for this session"), 2115);
    cancelButton_ = placeButton(this, "cmdCancel", QStringLiteral("Cancel"),
                                QStringLiteral("Stop the check, keeping the changes made so far"), 2685);
    changeButton_->setDefault(true);

    connect(ignoreButton_, &QPushButton::clicked, this, [this] { answerWith(SpellingAction::Ignore); });
    connect(ignoreAllButton_, &QPushButton::clicked, this, [this] { answerWith(SpellingAction::IgnoreAll); });
    connect(changeButton_, &QPushButton::clicked, this, [this] { answerWith(SpellingAction::Change); });
    connect(changeAllButton_, &QPushButton::clicked, this, [this] { answerWith(SpellingAction::ChangeAll); });
    connect(addButton_, &QPushButton::clicked, this, [this] { answerWith(SpellingAction::Add); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(suggestionList_, &QListWidget::currentTextChanged, changeToBox_, [this](const QString& text) {
        if (!text.isEmpty())
            changeToBox_->setText(text);
    });
    connect(suggestionList_, &QListWidget::itemDoubleClicked, this, [this] { answerWith(SpellingAction::Change); });
}

void SpellingDialog::ask(const QString& word, const QStringList& suggestions)
{
    answer_ = {};
    wordBox_->setText(word);
    suggestionList_->clear();
    suggestionList_->addItems(suggestions);
    changeToBox_->setText(suggestions.isEmpty() ? word : suggestions.first());
    if (!suggestions.isEmpty())
        suggestionList_->setCurrentRow(0);
    changeToBox_->setFocus();
    changeToBox_->selectAll();
}

void SpellingDialog::answerWith(SpellingAction action)
{
    answer_ = {action, changeToBox_->text()};
    accept();
}

SpellingSessionFactory hunspellSpellingSessions(QWidget* dialogParent, const QString& folder, const QString& language)
{
    QPointer<QWidget> parent(dialogParent);
    return [parent, folder, language]() -> SpellingSessionStart {
        // One dictionary per folder and language for the run: opening one takes a while, and words added to it
        // are to stay added.
        static std::map<std::pair<QString, QString>, std::shared_ptr<SpellingDictionary>> opened;
        std::shared_ptr<SpellingDictionary>& dictionary = opened[{folder, language}];
        if (!dictionary) {
            DictionaryOpening opening = openHunspellDictionary(folder, language);
            if (!opening.dictionary)
                return {nullptr, opening.errorText};
            dictionary = std::move(opening.dictionary);
        }
        return startSession(parent, dictionary);
    };
}

SpellingSessionFactory desktopSpellingSessions(QWidget* dialogParent)
{
    return hunspellSpellingSessions(dialogParent, QString::fromUtf16(kSystemDictionaryFolder),
                                    QString::fromUtf16(kSpellingLanguage));
}

} // namespace mx
