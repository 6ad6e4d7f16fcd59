// The program as installed, with a user's hands: placed beside the installed executable, it starts as the program
// does, closes the tip of the day, and then with "change" turns on Tools > Save Positions and adds a pair at the top
// of the Length table before it exits; otherwise it checks both are there. Exits non-zero on any difference.
#include "app/accessory_windows.h"
#include "app/application.h"
#include "app/main_window.h"
#include "conversion/table_editor_window.h"
#include "list_choice.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

const QString kAddedPair = QStringLiteral("Probe Units vs Other Units");

class Probe final : public mx::StartupObserver {
public:
    bool change = false;
    bool failed = false;

    void splashPainted() override
    {
        auto* tipCloser = new QTimer(qApp);
        QObject::connect(tipCloser, &QTimer::timeout, [] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* ok = modal ? modal->findChild<QPushButton*>(QStringLiteral("cmdOK")) : nullptr)
                ok->click();
        });
        tipCloser->start(20);
    }

    void mainWindowStarted(mx::MainWindow& window) override
    {
        expect(
            mx::test::chooseFromList(window.findChild<QComboBox*>(QStringLiteral("Combo2")), QStringLiteral("Length")),
            "the Length table is chosen");
        auto* savePositions = window.findChild<QAction*>(QStringLiteral("mnuSavePositions"));
        if (change) {
            savePositions->trigger();
            window.findChild<QAction*>(QStringLiteral("mnuTableEditor"))->trigger();
            auto* editor =
                qobject_cast<mx::TableEditorWindow*>(window.windows().loaded(mx::TableEditorWindow::kFormName));
            expect(editor, "the table editor opens");
            if (editor) {
                auto* text = editor->findChild<QPlainTextEdit*>(QStringLiteral("txtEditor"));
                text->setPlainText(kAddedPair + QStringLiteral("\nProbe Units\nOther Units\n2\n\n") +
                                   text->toPlainText());
                expect(editor->saveFile(), "the table is saved");
            }
        } else {
            expect(savePositions->isChecked(), "Save Positions is checked as the last run left it");
            expect(window.findChild<QComboBox*>(QStringLiteral("Combo1"))->itemText(0) == kAddedPair,
                   "the Length table starts with the pair the last run added");
        }
        window.close();
    }

private:
    void expect(bool held, const char* what)
    {
        if (!held)
            std::fprintf(stderr, "install probe: not so: %s\n", what);
        failed = failed || !held;
    }
};

} // namespace

int main(int argc, char** argv)
{
    Probe probe;
    probe.change = argc > 1 && std::strcmp(argv[1], "change") == 0;
    return mx::runMensurix(argc, argv, &probe) != 0 || probe.failed ? 1 : 0;
}
