// A batch of 1,000 EAN-13 symbols to PNG at 300 dpi, through the same path as --batch: parse the
// CSV, check each row, draw, encode and write each file atomically; on 1 and on 2 threads
// (--jobs). bench/batch_vs_zint.sh runs the programs themselves, beside zint's batch.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextStream>

#include "cli/batch.h"
#include "cli/freed_memory.h"
#include "cli/render_job.h"
#include "cli/symbol_output.h"
#include "encoders/check_digit.h"

namespace {

constexpr int kSymbols = 1000;

QString batchOf(int count) {
    QString csv = QStringLiteral("type,digits,file\n");
    for (int i = 0; i < count; ++i) {
        const std::string digits = strikon::CalcCheckDigit(QStringLiteral("400638%1")
                                                               .arg(i, 6, 10, QLatin1Char('0'))
                                                               .append(QLatin1Char('0'))
                                                               .toStdString());
        csv += QStringLiteral("EAN-13,%1,s%2.png\n").arg(QString::fromStdString(digits)).arg(i);
    }
    return csv;
}

void BM_BatchEan13ToPng(benchmark::State& state) {
    const QString csv = batchOf(kSymbols);
    QTemporaryDir dir;
    QString sink;
    QTextStream messages(&sink);
    for (auto _ : state) {
        sink.clear();
        const strikon::cli::BatchOutcome outcome =
            strikon::cli::runBatch(csv, dir.path(), {}, messages, static_cast<int>(state.range(0)));
        if (!outcome.allWritten()) {
            state.SkipWithError("a row failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * kSymbols);
}
BENCHMARK(BM_BatchEan13ToPng)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same symbols drawn and encoded but not written: what the batch costs besides the disk.
void BM_Ean13ToPngBytes(benchmark::State& state) {
    strikon::cli::OptionValues v;
    v.type = QStringLiteral("EAN-13");
    v.digits = QStringLiteral("4006381333931");
    v.output = QStringLiteral("s.png");
    const strikon::cli::RenderJob job = strikon::cli::buildJob(v).value;
    for (auto _ : state) {
        benchmark::DoNotOptimize(strikon::cli::encodeSymbol(job));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Ean13ToPngBytes)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    strikon::cli::keepFreedMemoryForReuse();  // as strikon-render does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
