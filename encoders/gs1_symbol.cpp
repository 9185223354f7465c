#include "gs1_symbol.h"

#include <zint.h>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <mutex>

#include "digit_font.h"
#include "gs1_digital_link.h"
#include "pixel_round.h"

namespace strikon {

namespace {

constexpr Gs1SizeFacts kQrSize{0.396, 0.495, 0.990, 4};
constexpr Gs1SizeFacts kDataMatrixSize{0.396, 0.495, 0.990, 1};
constexpr Gs1SizeFacts k128Size{0.495, 0.495, 1.016, 10};

// The element string under the symbol: a cell of 6 modules, kept between 2.2 mm (legible from
// arm's length) and 4 mm (no taller than EAN-13's digits at large sizes).
constexpr long double kTextCellX = 6.0L;
constexpr long double kMinTextCellMm = 2.2L;
constexpr long double kMaxTextCellMm = 4.0L;
// For laying out lines before any font is at hand, a character is taken as 0.55 of the cell:
// Arial's digits are 0.50, its parentheses 0.30, most capitals up to 0.60.
constexpr long double kCharWidthOfCell = 0.55L;
// GS1-128 has no quiet zone above or below; its text sits one module under the bars.
constexpr int kTextGap128 = 1;

struct ZintDeleter {
    void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};

// One symbol is measured and then drawn with the same data: the second call finds it here.
struct CachedMatrix {
    Symbology symbology;
    std::string encoded;
    char qrLevel;
    std::shared_ptr<const Gs1Matrix> matrix;
};

int qrLevelOption(char level) {
    switch (level) {
        case 'L':
            return 1;
        case 'Q':
            return 3;
        case 'H':
            return 4;
        default:
            return 2;  // M
    }
}

Gs1Matrix encodeMatrix(Symbology symbology, const std::string& encoded, char qrLevel) {
    Gs1Matrix out;
    const std::unique_ptr<zint_symbol, ZintDeleter> z(ZBarcode_Create());
    if (!z) {
        out.error = "out of memory";
        return out;
    }
    switch (symbology) {
        case Symbology::GS1QR:
            z->symbology = BARCODE_QRCODE;
            z->input_mode = DATA_MODE;
            z->option_1 = qrLevelOption(qrLevel);
            break;
        case Symbology::GS1DataMatrix:
            z->symbology = BARCODE_DATAMATRIX;
            z->input_mode = GS1_MODE;
            z->option_3 = DM_SQUARE;
            break;
        default:
            z->symbology = BARCODE_GS1_128;
            z->input_mode = GS1_MODE;
            break;
    }
    const int status =
        ZBarcode_Encode(z.get(), reinterpret_cast<const unsigned char*>(encoded.data()),
                        static_cast<int>(encoded.size()));
    if (status >= ZINT_ERROR) {
        out.error = z->errtxt;
        return out;
    }
    out.rows = z->rows;
    out.columns = z->width;
    out.dark.resize(static_cast<size_t>(out.rows) * static_cast<size_t>(out.columns));
    for (int r = 0; r < out.rows; ++r) {
        for (int c = 0; c < out.columns; ++c) {
            // libzint keeps a row as bits, module c in bit c % 8 of byte c / 8.
            out.dark[static_cast<size_t>(r) * static_cast<size_t>(out.columns) +
                     static_cast<size_t>(c)] = (z->encoded_data[r][c >> 3] >> (c & 7)) & 1;
        }
    }
    return out;
}

// The matrices of the last few element strings, for every thread: a batch checks a row's data
// on the thread that reads the file and draws it on a worker, and a matrix per thread had libzint
// encode every row twice (a sixth of a GS1 DataMatrix row's time).
std::shared_ptr<const Gs1Matrix> cachedMatrix(Symbology symbology, const std::string& encoded,
                                              char qrLevel) {
    constexpr size_t kKept = 64;  // more than the rows a batch reads ahead of its drawing
    static std::mutex lock;
    static std::deque<CachedMatrix> kept;
    const auto same = [&](const CachedMatrix& c) {
        return c.symbology == symbology && c.qrLevel == qrLevel && c.encoded == encoded;
    };
    {
        const std::lock_guard<std::mutex> hold(lock);
        const auto found = std::find_if(kept.rbegin(), kept.rend(), same);
        if (found != kept.rend()) {
            return found->matrix;
        }
    }
    auto matrix = std::make_shared<const Gs1Matrix>(encodeMatrix(symbology, encoded, qrLevel));
    const std::lock_guard<std::mutex> hold(lock);
    kept.push_back({symbology, encoded, qrLevel, matrix});
    if (kept.size() > kKept) {
        kept.pop_front();
    }
    return matrix;
}

double moduleMmOf(const Gs1Symbol& symbol) {
    return symbol.moduleMm > 0 ? symbol.moduleMm : gs1SizeFacts(symbol.symbology).defaultMm;
}

// The module in dots at one axis's resolution; with a fit resolution, the size the output will
// have, shown at this one.
int32_t moduleDotsAt(const Gs1Symbol& symbol, double pxPerMm) {
    const double mm = moduleMmOf(symbol);
    if (symbol.fitPxPerMm > 0) {
        const double asOutput =
            gs1ModuleDots(symbol.symbology, mm, symbol.fitPxPerMm) / symbol.fitPxPerMm;
        return std::max(roundPx(static_cast<long double>(asOutput) * pxPerMm), 1);
    }
    return gs1ModuleDots(symbol.symbology, mm, pxPerMm);
}

struct Layout {
    int32_t dx = 1, dy = 1;  // module in pixels
    int32_t symbolLeft = 0, symbolTop = 0;
    int32_t symbolWidth = 0, symbolHeight = 0;  // quiet zones included
    int32_t cell = 0;                           // the text's cell height
    int32_t textTop = 0;
    std::vector<std::string> lines;
    Rect bounds;
};

Layout layOut(const Gs1Symbol& symbol, const Gs1Matrix& m, const std::vector<Gs1Element>& elements,
              double OffsetX, double OffsetY, double PxPerMmX, double PxPerMmY) {
    Layout l;
    const bool linear = symbol.symbology == Symbology::GS1_128;
    const int quiet = gs1SizeFacts(symbol.symbology).quietModules;
    l.dx = moduleDotsAt(symbol, PxPerMmX);
    l.dy = moduleDotsAt(symbol, PxPerMmY);
    const long double kx = PxPerMmX, ky = PxPerMmY;
    const int32_t x0 = roundPx(kx * OffsetX);
    const int32_t y0 = roundPx(ky * OffsetY);
    l.symbolWidth = (m.columns + 2 * quiet) * l.dx;
    l.symbolHeight = linear ? roundPx(kGs1_128BarHeightMm * ky) : (m.rows + 2 * quiet) * l.dy;

    const long double drawnMm = static_cast<long double>(l.dy) / ky;
    l.cell = roundPx(std::clamp(kTextCellX * drawnMm, kMinTextCellMm, kMaxTextCellMm) * ky);
    const auto estimate = [&l](size_t chars) {
        return roundPx(kCharWidthOfCell * l.cell * static_cast<long double>(chars));
    };
    int32_t width = l.symbolWidth;
    for (const Gs1Element& e : elements) {
        width = std::max(width, estimate(e.ai.size() + 2 + e.value.size()));
    }
    for (const Gs1Element& e : elements) {
        const std::string piece = gs1Bracketed({e});
        if (!l.lines.empty() && estimate(l.lines.back().size() + piece.size()) <= width) {
            l.lines.back() += piece;
        } else {
            l.lines.push_back(piece);
        }
    }
    l.symbolLeft = x0 + (width - l.symbolWidth) / 2;
    l.symbolTop = y0;
    l.textTop = y0 + l.symbolHeight + (linear ? kTextGap128 * l.dy : 0);
    l.bounds = Rect{x0, y0, x0 + width, l.textTop + l.cell * static_cast<int32_t>(l.lines.size())};
    return l;
}

void drawMatrix(Surface& surface, const Layout& l, const Gs1Matrix& m, int quiet) {
    const int32_t left = l.symbolLeft + quiet * l.dx;
    const int32_t top = l.symbolTop + quiet * l.dy;
    for (int r = 0; r < m.rows; ++r) {
        int c = 0;
        while (c < m.columns) {
            if (!m.at(r, c)) {
                ++c;
                continue;
            }
            const int start = c;
            while (c < m.columns && m.at(r, c)) {
                ++c;
            }
            for (int32_t j = 0; j < l.dy; ++j) {
                const int32_t y = top + r * l.dy + j;
                surface.moveTo(left + start * l.dx, y);
                surface.lineTo(left + c * l.dx, y);
            }
        }
    }
}

// Bars as runs of one-pixel columns, as the linear symbols draw them (so print gain
// compensation narrows them the same way).
void drawBars(Surface& surface, const Layout& l, const Gs1Matrix& m, int quiet) {
    const int32_t left = l.symbolLeft + quiet * l.dx;
    for (int c = 0; c < m.columns; ++c) {
        if (!m.at(0, c)) {
            continue;
        }
        for (int32_t j = 0; j < l.dx; ++j) {
            const int32_t x = left + c * l.dx + j;
            surface.moveTo(x, l.symbolTop);
            surface.lineTo(x, l.symbolTop + l.symbolHeight);
        }
    }
}

// Each line centred; a line wider than the box (a font wider than the estimate) is set in a
// smaller cell until it fits.
void drawText(Surface& surface, const Layout& l) {
    const int32_t width = l.bounds.right - l.bounds.left;
    int32_t y = l.textTop;
    for (const std::string& line : l.lines) {
        int32_t cell = l.cell;
        surface.setFont(kDigitFace, cell);
        int32_t w = surface.textWidth(line);
        while (w > width && cell > 4) {
            surface.setFont(kDigitFace, --cell);
            w = surface.textWidth(line);
        }
        surface.textAt(l.bounds.left + (width - w) / 2, y + (l.cell - cell), line);
        y += l.cell;
    }
}

}  // namespace

const Gs1SizeFacts& gs1SizeFacts(Symbology symbology) {
    switch (symbology) {
        case Symbology::GS1QR:
            return kQrSize;
        case Symbology::GS1_128:
            return k128Size;
        default:
            return kDataMatrixSize;
    }
}

int gs1ModuleDots(Symbology symbology, double moduleMm, double pxPerMm) {
    if (!(pxPerMm > 0) || !(moduleMm > 0)) {
        return 1;
    }
    const Gs1SizeFacts& f = gs1SizeFacts(symbology);
    const long double exact = static_cast<long double>(moduleMm) * pxPerMm;
    int32_t dots = roundPx(exact);
    if (dots < f.minMm * pxPerMm - 1e-9 && moduleMm >= f.minMm) {
        ++dots;
    } else if (dots > f.maxMm * pxPerMm + 1e-9 && moduleMm <= f.maxMm && dots > 1) {
        --dots;
    }
    return std::max(dots, 1);
}

Gs1Content gs1Content(const Gs1Symbol& symbol) {
    Gs1Content content;
    Gs1Data data = parseGs1(symbol.elementString);
    if (!data.ok()) {
        content.error = data.error;
        return content;
    }
    content.elements = std::move(data.elements);
    if (symbol.symbology == Symbology::GS1QR) {
        DigitalLink link = gs1DigitalLink(content.elements, symbol.resolver);
        content.error = link.error;
        content.encoded = std::move(link.uri);
    } else {
        content.encoded = gs1Bracketed(content.elements, '[', ']');
    }
    return content;
}

Gs1Matrix gs1Matrix(Symbology symbology, const std::string& encoded, char qrLevel) {
    return *cachedMatrix(symbology, encoded, qrLevel);
}

std::optional<Gs1Error> gs1Refusal(const Gs1Symbol& symbol) {
    const Gs1Content content = gs1Content(symbol);
    if (content.error) {
        return content.error;
    }
    if (symbol.symbology == Symbology::GS1_128) {
        // GS1 General Specifications, 5.4.1: at most 48 data characters, AIs included, the
        // FNC1 separators not.
        size_t n = 0;
        for (const Gs1Element& e : content.elements) {
            n += e.ai.size() + e.value.size();
        }
        if (n > 48) {
            return Gs1Error{Gs1Fault::Over48, {}, std::to_string(n)};
        }
    }
    const auto m = cachedMatrix(symbol.symbology, content.encoded, symbol.qrLevel);
    if (!m->error.empty() || m->rows == 0) {
        return Gs1Error{Gs1Fault::NotEncoded, {}, m->error};
    }
    return std::nullopt;
}

void DrawGS1(const Gs1Symbol& symbol, Surface* surface, double OffsetX, double OffsetY,
             double PxPerMmX, double PxPerMmY, Rect& Bounds) {
    Bounds = Rect{};
    if (!isGs1(symbol.symbology) || !(PxPerMmX > 0) || !(PxPerMmY > 0)) {
        return;
    }
    if (gs1Refusal(symbol)) {
        return;
    }
    const Gs1Content content = gs1Content(symbol);
    const auto matrix = cachedMatrix(symbol.symbology, content.encoded, symbol.qrLevel);
    const Gs1Matrix& m = *matrix;
    if (m.rows == 0 || m.columns == 0) {
        return;
    }
    const Layout l = layOut(symbol, m, content.elements, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    if (surface != nullptr) {
        const int quiet = gs1SizeFacts(symbol.symbology).quietModules;
        surface->fillRect(l.bounds);
        if (symbol.symbology == Symbology::GS1_128) {
            drawBars(*surface, l, m, quiet);
        } else {
            drawMatrix(*surface, l, m, quiet);
        }
        drawText(*surface, l);
    }
    Bounds = l.bounds;
}

}  // namespace strikon
