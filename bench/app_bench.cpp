// Timings of the window's work: one full repaint of the preview, and Save As at 300 dpi
// (render, encode, write). Run from a Release build; the figures are not assertions.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>

#include "app/main_form.h"
#include "ui_main_form.h"

namespace strikon {
namespace {

void showSymbol(TMainForm& form, bool itf14) {
    auto& ui = form.controls();
    if (itf14) {
        ui.PageControl->setCurrentIndex(1);
        ui.ITF14_CodeValue->setText("10012345678902");
    } else {
        ui.EANUPC_AddOnType->setCurrentText("5-Digit");
        ui.EANUPC_CodeValue->setText("4006381333931");
        ui.EANUPC_AddOnValue->setText("52495");
    }
}

void BM_PreviewRepaint(benchmark::State& state) {
    TMainForm form;
    showSymbol(form, state.range(0) == 1);
    QImage target(form.controls().PaintBox->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&target);
        form.PaintBoxPaint(painter);
    }
    state.SetLabel(state.range(0) == 1 ? "ITF-14" : "EAN-13 + 5-digit add-on");
}
BENCHMARK(BM_PreviewRepaint)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// File → Save As as the window runs it, with the dialog answered by the benchmark: the
// symbol's request from the page, the picture, its encoding and the atomic write.
void BM_SaveAs300Dpi(benchmark::State& state) {
    TMainForm form;
    const bool itf14 = state.range(0) == 1;
    const bool jpeg = state.range(1) == 1;
    showSymbol(form, itf14);
    QTemporaryDir dir;
    const QString path = dir.filePath(jpeg ? "symbol.jpg" : "symbol.bmp");
    CommandDialogs& dialogs = form.commandDialogs();
    dialogs.askSavePath = [&](QWidget*) {
        return SaveChoice{path, jpeg ? SymbolFileFormat::Jpeg : SymbolFileFormat::Bmp};
    };
    QString failure;
    dialogs.warn = [&](QWidget*, const QString& text) { failure = text; };
    for (auto _ : state) {
        form.SaveAsMIClick();
        if (!failure.isEmpty()) {
            state.SkipWithError(failure.toUtf8().constData());
            break;
        }
    }
    state.SetLabel(std::string(itf14 ? "ITF-14" : "EAN-13 + 5-digit add-on") +
                   (jpeg ? " to JPEG" : " to BMP"));
}
BENCHMARK(BM_SaveAs300Dpi)
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({1, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace strikon

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
