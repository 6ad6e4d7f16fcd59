// The program as installed, driven as a user would drive it. Placed beside the installed executable, it starts the
// way the program does (splash, main window, tip of the day) and then, with "change", turns on Tools > Save Positions
// and adds a pair at the top of the Length table in the table editor before it exits; with "check", it finds both
// again. Any difference is printed and ends it with a non-zero code.
#include "app/accessory_windows.h"
#include "app/application.h"
#include "app/main_window.h"
#include "conversion/table_editor_window.h"

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
    explicit Probe(bool change) : change_(change) {}

    int failures = 0;

    void splashPainted() override
    {
        // The tip of the day opens over the main window; OK closes it.
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
        auto* types = window.findChild<QComboBox*>(QStringLiteral("Combo2"));
        const int length = types->findText(QStringLiteral("Length"));
        types->setCurrentIndex(length);
        Q_EMIT types->activated(length);
        auto* savePositions = window.findChild<QAction*>(QStringLiteral("mnuSavePositions"));
        const QString firstPair = window.findChild<QComboBox*>(QStringLiteral("Combo1"))->itemText(0);
        if (change_) {
            savePositions->trigger();
            window.findChild<QAction*>(QStringLiteral("mnuTableEditor"))->trigger();
            auto* editor =
                qobject_cast<mx::TableEditorWindow*>(window.windows().loaded(QStringLiteral("frmTableEditor")));
            expect(editor != nullptr, "the table editor opens");
            if (editor) {
                auto* text = editor->findChild<QPlainTextEdit*>(QStringLiteral("txtEditor"));
                text->setPlainText(kAddedPair + QStringLiteral("\nProbe Units\nOther Units\n2\n\n") +
                                   text->toPlainText());
                expect(editor->saveFile(), "the table is saved");
            }
        } else {
            expect(savePositions->isChecked(), "Save Positions is checked as the last run left it");
            expect(firstPair == kAddedPair, "the Length table starts with the pair added by the last run");
        }
        window.close();
    }

private:
    void expect(bool held, const char* what)
    {
        if (held)
            return;
        std::fprintf(stderr, "install probe: not so: %s\n", what);
        ++failures;
    }

    bool change_;
};

} // namespace

int main(int argc, char** argv)
{
    const bool change = argc > 1 && std::strcmp(argv[1], "change") == 0;
    Probe probe(change);
    const int result = mx::runMensurix(argc, argv, &probe);
    return result != 0 || probe.failures != 0 ? 1 : 0;
}
