// The note editor over the large notes file: opening the window until it has painted, saving from it, and one
// Find Next through the whole document. Run: build-bench/bench/bench_note_editor
#include "accessories/note_editor_window.h"
#include "accessories/note_find.h"
#include "large_notes.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

QString writeNotesFile(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("MXNotes.rtf"));
    QFile file(path);
    const QByteArray& bytes = mx::bench::largeNotesBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

void openEditor(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeNotesFile(dir);
    for (auto _ : state) {
        auto* editor = new mx::NoteEditorWindow(path);
        editor->show();
        QCoreApplication::processEvents(); // exposed and painted
        state.PauseTiming();
        delete editor;
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(openEditor)->Unit(benchmark::kMillisecond);

void saveFromEditor(benchmark::State& state)
{
    QTemporaryDir dir;
    mx::NoteEditorWindow editor(writeNotesFile(dir));
    editor.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (!editor.save())
            state.SkipWithError("save failed");
    }
}
BENCHMARK(saveFromEditor)->Unit(benchmark::kMillisecond);

// Find Next as the find dialog asks it, from just past a match at the start, for a text that is nowhere: the
// search goes through the whole document. Each set of options: none, match case, whole word, both.
void findNext(benchmark::State& state)
{
    QTemporaryDir dir;
    mx::NoteEditorWindow editor(writeNotesFile(dir));
    editor.show();
    QCoreApplication::processEvents();
    mx::FindOptions options;
    options.setFlag(mx::FindOption::MatchCase, (state.range(0) & 1) != 0);
    options.setFlag(mx::FindOption::WholeWord, (state.range(0) & 2) != 0);
    const QString text = QStringLiteral("nowhere to be found");
    for (auto _ : state) {
        const qint32 found = editor.findText(text, 1, options);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(findNext)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

} // namespace
