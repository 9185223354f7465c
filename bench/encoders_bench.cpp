// One repaint's worth of encoder work: a measuring call, then a drawing call on a pixel buffer
// of the measured size, as the preview and the image commands do it.

#include <benchmark/benchmark.h>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"
#include "tests/support/raster_surface.h"

namespace {

using strikon::Rect;
using strikon::Surface;
using strikon::testing::RasterSurface;

constexpr double kPreviewPxPerMm = 4.0;
constexpr double kSavePxPerMm = 300.0 / 25.4;  // 300 dpi

void ean13AddOn5(Surface* surface, double pxPerMm, Rect& bounds) {
    strikon::DrawEANUPC("EAN-13", "5-Digit", "400638133393152495", surface, 0, 0, 100, pxPerMm,
                        pxPerMm, bounds);
}

void itf14(Surface* surface, double pxPerMm, Rect& bounds) {
    strikon::DrawITF14("15400141288763", surface, 100, 0, 0, pxPerMm, pxPerMm, bounds);
}

// The buffer is made once, outside the timing: a repaint draws on a surface that exists.
template <void (*Draw)(Surface*, double, Rect&)>
void measureAndDraw(benchmark::State& state, double pxPerMm) {
    Rect bounds;
    Draw(nullptr, pxPerMm, bounds);
    RasterSurface surface(bounds.right, bounds.bottom);
    for (auto _ : state) {
        Rect measured;
        Draw(nullptr, pxPerMm, measured);
        Rect drawn;
        Draw(&surface, pxPerMm, drawn);
        benchmark::DoNotOptimize(drawn);
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = static_cast<double>(bounds.right) * bounds.bottom;
}

void BM_Ean13AddOn5(benchmark::State& state, double pxPerMm) {
    measureAndDraw<ean13AddOn5>(state, pxPerMm);
}

void BM_Itf14(benchmark::State& state, double pxPerMm) {
    measureAndDraw<itf14>(state, pxPerMm);
}

BENCHMARK_CAPTURE(BM_Ean13AddOn5, 4_px_per_mm, kPreviewPxPerMm);
BENCHMARK_CAPTURE(BM_Ean13AddOn5, 300_dpi, kSavePxPerMm);
BENCHMARK_CAPTURE(BM_Itf14, 4_px_per_mm, kPreviewPxPerMm);
BENCHMARK_CAPTURE(BM_Itf14, 300_dpi, kSavePxPerMm);

}  // namespace

BENCHMARK_MAIN();
