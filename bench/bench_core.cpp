// Timings of the work behind one user action: loading a table, one conversion, building the main window.
#include "app/main_window.h"
#include "common/number_text.h"
#include "conversion/conversion.h"
#include "conversion/table_file.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray fullTable()
{
    QByteArray bytes;
    for (int i = 0; i < mx::kMaxTableEntries; ++i)
        bytes += "Pounds-force per Square Inch vs Kilopascals " + QByteArray::number(i) +
                 "\r\nPounds-force per Square Inch\r\nKilopascals\r\n6.894757293168361\r\n\r\n";
    return bytes;
}

void parseFullTable(benchmark::State& state)
{
    const QByteArray bytes = fullTable();
    static mx::ConversionTableArray table;
    for (auto _ : state) {
        const auto result = mx::parseConversionTable(bytes, table);
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * bytes.size());
}
BENCHMARK(parseFullTable);

void readFullTableFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Pressure.tbl"));
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(fullTable());
    file.close();
    static mx::ConversionTableArray table;
    for (auto _ : state) {
        const auto result = mx::readConversionTable(path, table);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(readFullTableFile);

void factorConversion(benchmark::State& state)
{
    static mx::ConversionTableArray table;
    table[0].Factor = 25.4;
    const QString value = QStringLiteral("1234.5678");
    for (auto _ : state) {
        auto result = mx::multiplyByFactor(table, 0, value);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(factorConversion);

void temperatureConversion(benchmark::State& state)
{
    const QString value = QStringLiteral("-40");
    for (auto _ : state) {
        auto result = mx::convertTemperature(mx::TemperaturePair::FvsC, value);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(temperatureConversion);

void mainWindowLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    for (auto _ : state) {
        auto* window = new mx::MainWindow(dir.path());
        benchmark::DoNotOptimize(window);
        state.PauseTiming();
        delete window;
        state.ResumeTiming();
    }
}
BENCHMARK(mainWindowLoad)->Unit(benchmark::kMillisecond);

} // namespace
