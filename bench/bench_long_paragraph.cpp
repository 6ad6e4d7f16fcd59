// One paragraph of a few million characters with no break point in it (a pasted hex dump), in each text view:
// opening it until painted, and one character typed into its middle until painted again. Every one stays well
// under a second to open and under a frame to type; a search runs over the whole paragraph. Run:
// build-bench/bench/bench_long_paragraph
#include "accessories/note_editor_window.h"
#include "conversion/table_editor_window.h"
#include "shell/help_viewer.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

QByteArray hexRun(qsizetype length)
{
    QByteArray run(length, '0');
    for (qsizetype i = 0; i < length; ++i)
        run[i] = "0123456789abcdef"[(i * 7) % 16];
    return run;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

struct View {
    QString file;
    QByteArray bytes;
    std::function<QWidget*(const QString& path)> open;
    std::function<QWidget*(QWidget* window)> textBox;
};

View view(int which, qsizetype length)
{
    switch (which) {
    case 0:
        return {QStringLiteral("MXNotes.rtf"), "{\\rtf1 " + hexRun(length) + "}",
                [](const QString& path) { return new mx::NoteEditorWindow(path); },
                [](QWidget* w) -> QWidget* { return static_cast<mx::NoteEditorWindow*>(w)->textBox(); }};
    case 1:
        return {QStringLiteral("Length.tbl"), hexRun(length) + "\r\n",
                [](const QString& path) { return new mx::TableEditorWindow(path, QStringLiteral("Length")); },
                [](QWidget* w) -> QWidget* { return w->findChild<QPlainTextEdit*>(); }};
    default:
        return {QStringLiteral("MENSURIX.HTM"), "<html><body><p>" + hexRun(length) + "</p></body></html>",
                [](const QString& path) {
                    auto* viewer = new mx::HelpViewer(path, nullptr);
                    viewer->showTopic(QStringLiteral("contents"));
                    return viewer;
                },
                [](QWidget* w) -> QWidget* { return static_cast<mx::HelpViewer*>(w)->browser(); }};
    }
}

// range(0): 0 note editor, 1 table editor, 2 help viewer; range(1): characters in the paragraph.
void openView(benchmark::State& state)
{
    QTemporaryDir dir;
    const View v = view(int(state.range(0)), state.range(1));
    const QString path = writeFile(dir, v.file, v.bytes);
    for (auto _ : state) {
        QWidget* window = v.open(path);
        window->show();
        QCoreApplication::processEvents(); // exposed and painted
        state.PauseTiming();
        delete window;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(openView)->ArgsProduct({{0, 1, 2}, {200'000, 4'000'000}})->Unit(benchmark::kMillisecond);

// One character typed in the middle of the paragraph, laid out and painted (the note and table editors).
void typeInView(benchmark::State& state)
{
    QTemporaryDir dir;
    const View v = view(int(state.range(0)), state.range(1));
    QWidget* window = v.open(writeFile(dir, v.file, v.bytes));
    window->show();
    QCoreApplication::processEvents();
    QWidget* box = v.textBox(window);
    for (int i = 0; i < 5; ++i) // into the middle, a few pages down
        QTest::keyClick(box, Qt::Key_PageDown);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        QTest::keyClick(box, Qt::Key_X);
        QCoreApplication::processEvents();
    }
    delete window;
}
BENCHMARK(typeInView)->ArgsProduct({{0, 1}, {200'000, 4'000'000}})->Unit(benchmark::kMillisecond);

// Find in the note editor over the whole paragraph, held in pieces: a text that is not there (the whole search).
void findInNotes(benchmark::State& state)
{
    QTemporaryDir dir;
    const View v = view(0, state.range(0));
    auto* editor = static_cast<mx::NoteEditorWindow*>(v.open(writeFile(dir, v.file, v.bytes)));
    for (auto _ : state)
        benchmark::DoNotOptimize(editor->findText(QStringLiteral("xyz"), 0, {}));
    delete editor;
}
BENCHMARK(findInNotes)->Arg(200'000)->Arg(4'000'000)->Unit(benchmark::kMillisecond);

} // namespace
