// Reading hostile RTF: one paragraph that mixes text with control words, the shape that made
// the reader quadratic. A timing, not a test; run from a Release build for figures.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTextDocument>

#include "formats/rtf/rtf_reader.h"

namespace {

const char* const kPatterns[] = {"\\zz x ", "\\u1083?", "\\tab ", "\\b x\\b0 y"};

QByteArray hostile(const char* pattern, qsizetype bytes) {
    QByteArray rtf = "{\\rtf1\\ansi ";
    while (rtf.size() < bytes) {
        rtf += pattern;
    }
    return rtf + "}";
}

void BM_ReadHostileRtf(benchmark::State& state) {
    const char* pattern = kPatterns[state.range(0)];
    const QByteArray rtf = hostile(pattern, state.range(1));
    for (auto _ : state) {
        QTextDocument document;
        strikon::readRtf(rtf, document);
        benchmark::DoNotOptimize(document.characterCount());
    }
    state.SetLabel(pattern);
    state.SetBytesProcessed(state.iterations() * rtf.size());
}
BENCHMARK(BM_ReadHostileRtf)
    ->ArgsProduct({{0, 1, 2, 3}, {20 << 10, 80 << 10, 1 << 20}})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
