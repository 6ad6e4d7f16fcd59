// Opening and saving a large notes file: about a million characters of mixed formatting in 5 MB of RTF.
// Each step is timed apart (reading the model, filling the document, the whole open; the whole save) so a slow
// one shows. Run: build-bench/bench/bench_notes
#include "accessories/notes_file.h"
#include "accessories/rtf_reader.h"
#include "accessories/rtf_text_document.h"
#include "accessories/rtf_writer.h"
#include "large_notes.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextDocument>

#include <benchmark/benchmark.h>

namespace {

void readModel(benchmark::State& state)
{
    const QByteArray& bytes = mx::bench::largeNotesBytes();
    for (auto _ : state) {
        auto result = mx::readRtfModel(bytes);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(readModel)->Unit(benchmark::kMillisecond);

// The editor opens the file into a new, empty document: dropping the old one is not part of opening.
void fillDocument(benchmark::State& state)
{
    const mx::RtfDocument model = mx::readRtfModel(mx::bench::largeNotesBytes()).document;
    for (auto _ : state) {
        auto* doc = new QTextDocument;
        mx::fillDocumentFromRtfModel(*doc, model);
        state.PauseTiming();
        delete doc;
        state.ResumeTiming();
    }
}
BENCHMARK(fillDocument)->Unit(benchmark::kMillisecond);

void openNotesFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = mx::notesFilePath(dir.path() + u'/');
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(mx::bench::largeNotesBytes()) != mx::bench::largeNotesBytes().size())
        state.SkipWithError("cannot write the notes file");
    file.close();
    for (auto _ : state) {
        auto* doc = new QTextDocument;
        auto result = mx::loadNotesFile(path, *doc);
        benchmark::DoNotOptimize(result);
        state.PauseTiming();
        delete doc;
        state.ResumeTiming();
    }
}
BENCHMARK(openNotesFile)->Unit(benchmark::kMillisecond);

void writeDocument(benchmark::State& state)
{
    QTextDocument doc;
    mx::readRtf(mx::bench::largeNotesBytes(), doc);
    for (auto _ : state) {
        auto bytes = mx::writeRtf(doc);
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(writeDocument)->Unit(benchmark::kMillisecond);

void saveNotesFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = mx::notesFilePath(dir.path() + u'/');
    QTextDocument doc;
    mx::readRtf(mx::bench::largeNotesBytes(), doc);
    for (auto _ : state) {
        if (!mx::saveNotesFile(path, doc))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(saveNotesFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
