// The two hand-made speed parts of a saved picture, each beside what it stands in for, on one
// EAN-13 symbol at 300 dpi (the window's and strikon-render's default picture):
// - the scanline deflate (formats/scanline_deflate.*) against zlib and libdeflate at levels 1 to
//   6 on the very same scanlines, and against libpng writing the same palette picture whole;
// - the indexed surface (surface/indexed_surface.*) against the painter surface drawing the
//   same symbol into a 32-bit picture.
// Figures are CPU time, from a Release tree (cmake -DCMAKE_BUILD_TYPE=Release); the measured ones
// stand in the opening comments of formats/scanline_deflate.h, formats/png_bytes.h and
// surface/indexed_surface.h.
#include <benchmark/benchmark.h>
#include <libdeflate.h>
#include <png.h>
#include <zlib.h>

#include <QGuiApplication>
#include <QImage>
#include <cstring>
#include <memory>
#include <vector>

#include "encoders/check_digit.h"
#include "formats/palette_index.h"
#include "formats/png_bytes.h"
#include "formats/scanline_deflate.h"
#include "render/symbol_image.h"

namespace {

using namespace strikon;

SymbolRequest ean13() {
    SymbolRequest r;
    r.symbology = Symbology::EAN13;
    r.digits = CalcCheckDigit("4006381333931");
    return r;
}

// The image data of the symbol's PNG as the program writes it in colour: each row its filter
// byte (none) and its palette indices at the fewest bits its colours need (in black on white
// it writes the greys themselves, which code alike), and which rows repeat the one above.
struct Scanlines {
    std::vector<uint8_t> data;
    std::vector<uint8_t> repeatsAbove;  // as the palette index tells them
    size_t stride = 0;
    size_t rows = 0;
    int bits = 8;
};

const QImage& symbolPicture() {
    static const QImage picture = renderSymbolPalettePicture(ean13());
    return picture;
}

const Scanlines& symbolScanlines() {
    static const Scanlines lines = [] {
        const std::optional<PaletteIndex> index = PaletteIndex::of(symbolPicture());
        Scanlines s;
        s.bits = paletteBitsFor(index->colours().size());
        s.stride = 1 + (static_cast<size_t>(index->width()) * s.bits + 7) / 8;
        s.rows = static_cast<size_t>(index->height());
        s.data.assign(s.stride * s.rows, 0);
        s.repeatsAbove.resize(s.rows);
        for (size_t y = 0; y < s.rows; ++y) {
            index->packRow(static_cast<int>(y), s.bits, s.data.data() + y * s.stride + 1);
            s.repeatsAbove[y] = index->sameAsAbove(static_cast<int>(y)) ? 1 : 0;
        }
        return s;
    }();
    return lines;
}

void reportInput(benchmark::State& state) {
    const Scanlines& s = symbolScanlines();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * s.data.size()));
    state.SetLabel(std::to_string(symbolPicture().width()) + "x" +
                   std::to_string(symbolPicture().height()) + ", " + std::to_string(s.bits) +
                   "-bit");
}

void BM_ScanlineDeflate(benchmark::State& state) {
    const Scanlines& s = symbolScanlines();
    size_t out = 0;
    for (auto _ : state) {
        const QByteArray stream = deflateScanlines(s.data.data(), s.stride, s.rows, s.repeatsAbove);
        out = static_cast<size_t>(stream.size());
        benchmark::DoNotOptimize(stream.constData());
    }
    state.counters["out_bytes"] = static_cast<double>(out);
    reportInput(state);
}
BENCHMARK(BM_ScanlineDeflate)->Unit(benchmark::kMicrosecond);

void BM_Zlib(benchmark::State& state) {
    const Scanlines& s = symbolScanlines();
    std::vector<uint8_t> out(compressBound(static_cast<uLong>(s.data.size())));
    uLongf length = 0;
    for (auto _ : state) {
        length = static_cast<uLongf>(out.size());
        compress2(out.data(), &length, s.data.data(), static_cast<uLong>(s.data.size()),
                  static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["out_bytes"] = static_cast<double>(length);
    reportInput(state);
}
BENCHMARK(BM_Zlib)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void BM_Libdeflate(benchmark::State& state) {
    const Scanlines& s = symbolScanlines();
    libdeflate_compressor* compressor =
        libdeflate_alloc_compressor(static_cast<int>(state.range(0)));
    std::vector<uint8_t> out(libdeflate_zlib_compress_bound(compressor, s.data.size()));
    size_t length = 0;
    for (auto _ : state) {
        length = libdeflate_zlib_compress(compressor, s.data.data(), s.data.size(), out.data(),
                                          out.size());
        benchmark::DoNotOptimize(out.data());
    }
    libdeflate_free_compressor(compressor);
    state.counters["out_bytes"] = static_cast<double>(length);
    reportInput(state);
}
BENCHMARK(BM_Libdeflate)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* bytes = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    bytes->insert(bytes->end(), data, data + length);
}

void flushNothing(png_structp) {}

// The same palette picture as a whole PNG file through libpng, at its default filters and
// strategy and the given zlib level.
bool libpngFile(const QImage& picture, const Scanlines& s, int level, std::vector<uint8_t>& out) {
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width()),
                 static_cast<png_uint_32>(picture.height()), s.bits, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const QRgb c : picture.colorTable()) {
        palette.push_back(png_color{static_cast<png_byte>(qRed(c)),
                                    static_cast<png_byte>(qGreen(c)),
                                    static_cast<png_byte>(qBlue(c))});
    }
    png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_set_compression_level(png, level);
    png_write_info(png, info);
    for (size_t y = 0; y < s.rows; ++y) {
        png_write_row(png, s.data.data() + y * s.stride + 1);
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

void BM_LibpngFile(benchmark::State& state) {
    const Scanlines& s = symbolScanlines();
    std::vector<uint8_t> out;
    for (auto _ : state) {
        out.clear();
        if (!libpngFile(symbolPicture(), s, static_cast<int>(state.range(0)), out)) {
            state.SkipWithError("libpng failed");
            return;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.counters["out_bytes"] = static_cast<double>(out.size());
    reportInput(state);
}
BENCHMARK(BM_LibpngFile)->DenseRange(1, 6)->Unit(benchmark::kMicrosecond);

// The program's own whole file from the same picture: palette indexing, scanlines, deflate and
// chunks, for comparison with libpng's.
void BM_PngBytesFile(benchmark::State& state) {
    size_t out = 0;
    for (auto _ : state) {
        const QByteArray png = pngBytes(symbolPicture());
        out = static_cast<size_t>(png.size());
        benchmark::DoNotOptimize(png.constData());
    }
    state.counters["out_bytes"] = static_cast<double>(out);
    reportInput(state);
}
BENCHMARK(BM_PngBytesFile)->Unit(benchmark::kMicrosecond);

// The symbol drawn into a new picture, at range(0) dpi: by the indexed surface into 8 bits, or
// by the painter surface into 32; and each picture on to its PNG file, where the 32-bit one
// has its colours looked up into a palette first.
QImage symbolPicture(bool indexed, int dpi) {
    const double pxPerMm = dpi / kMmPerInch;
    return indexed ? renderSymbolPalettePicture(ean13(), pxPerMm, pxPerMm)
                   : renderSymbolImage(ean13(), pxPerMm, pxPerMm);
}

void BM_IndexedSurfacePicture(benchmark::State& state) {
    for (auto _ : state) {
        const QImage picture = symbolPicture(true, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_IndexedSurfacePicture)->Arg(300)->Arg(1200)->Unit(benchmark::kMicrosecond);

void BM_PainterSurfacePicture(benchmark::State& state) {
    for (auto _ : state) {
        const QImage picture = symbolPicture(false, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_PainterSurfacePicture)->Arg(300)->Arg(1200)->Unit(benchmark::kMicrosecond);

void BM_IndexedSurfaceToPng(benchmark::State& state) {
    for (auto _ : state) {
        const QByteArray png = pngBytes(symbolPicture(true, static_cast<int>(state.range(0))));
        benchmark::DoNotOptimize(png.constData());
    }
}
BENCHMARK(BM_IndexedSurfaceToPng)->Arg(300)->Arg(1200)->Unit(benchmark::kMicrosecond);

void BM_PainterSurfaceToPng(benchmark::State& state) {
    for (auto _ : state) {
        const QByteArray png = pngBytes(symbolPicture(false, static_cast<int>(state.range(0))));
        benchmark::DoNotOptimize(png.constData());
    }
}
BENCHMARK(BM_PainterSurfaceToPng)->Arg(300)->Arg(1200)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);  // the digits' fonts
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
