// The print-grade output options on real pictures: what each one changes in the raster at 300
// and 600 dpi, that both decoders still read the symbol, and that at their defaults nothing
// changes at all.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <sstream>
#include <vector>

#include "encoders/ean_upc.h"
#include "encoders/itf14.h"
#include "render/symbol_image.h"
#include "surface/qt_surface.h"
#include "tests/support/decoders.h"
#include "tests/support/symbol_requests.h"

namespace strikon {
namespace {

namespace t = strikon::testing;

struct Zone {
    double fromModule, toModule;  // columns of a quiet zone holding a mark
    char mark;
};

struct Case {
    const char* name;
    SymbolRequest request;
    t::Symbology decodeAs;
    std::string expected;             // as both decoders report it, add-on appended
    int widthModules;                 // 0: not a whole number of modules (ITF-14's bearers)
    int dots300, dots600;             // the module fitted to whole dots
    std::vector<Zone> zones;          // where marks stand
    double markRowsFrom, markRowsTo;  // the digits' row, as fractions of the height
};

using test::symbolRequest;

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        // 0.33 mm: 3.90 and 7.80 dots; 113 + 52 modules.
        {"EAN-13+5",
         symbolRequest(Symbology::EAN13, "4006381333931", 100, AddOn::FiveDigit, "52495"),
         t::Symbology::EAN13,
         "400638133393152495",
         165,
         4,
         8,
         {{160, 165, '>'}},
         0.0,
         0.11},
        // 0.264 mm: 3.12 and 6.24 dots; 3 and 6 dots would be 0.254 mm, 77 % and below
        // EAN-8's 80 %, so 4 and 7 (102.6 % and 89.8 %).
        {"EAN-8",
         symbolRequest(Symbology::EAN8, "96385074", 80),
         t::Symbology::EAN8,
         "96385074",
         81,
         4,
         7,
         {{0, 7, '<'}, {74, 81, '>'}},
         0.8,
         1.0},
        // 0.495 mm: 5.85 and 11.69 dots.
        {"UPC-E",
         symbolRequest(Symbology::UPCE, "04252614", 150),
         t::Symbology::UPCE,
         "04252614",
         67,
         6,
         12,
         {},
         0,
         0},
        // 0.6096 mm: 7.20 and 14.40 dots.
        {"ITF-14",
         symbolRequest(Symbology::ITF14, "15400141288763", 60),
         t::Symbology::ITF14,
         "15400141288763",
         0,
         7,
         14,
         {},
         0,
         0},
    };
    return all;
}

QImage grey(const SymbolRequest& r, int dpi) {
    return renderSymbolImage(r, dpi / kMmPerInch, dpi / kMmPerInch)
        .convertToFormat(QImage::Format_Grayscale8);
}

bool dark(const QImage& g, int x, int y) {
    return g.constScanLine(y)[x] < 128;
}

struct Run {
    int start, width;
    bool dark;
};

// Runs of one row between its first and last dark pixel.
std::vector<Run> runs(const QImage& g, int y) {
    std::vector<Run> out;
    for (int x = 0; x < g.width(); ++x) {
        const bool d = dark(g, x, y);
        if (out.empty() ? d : out.back().dark != d) {
            out.push_back({x, 0, d});
        }
        if (!out.empty()) {
            ++out.back().width;
        }
    }
    if (!out.empty() && !out.back().dark) {
        out.pop_back();
    }
    return out;
}

// The row across the bars: 40 % down is between ITF-14's bearers and inside every EAN/UPC bar.
int scanRow(const QImage& g) {
    return g.height() * 2 / 5;
}

std::string decodes(const QImage& g, const Case& c) {
    const int top = g.height() * 35 / 100;
    const t::GreyView band{g.constScanLine(top), g.width(), g.height() / 10,
                           static_cast<int32_t>(g.bytesPerLine())};
    std::string faults;
    const std::string zx = t::asDrawn(t::readWithZXing(band, c.decodeAs), c.decodeAs);
    const std::string zb = t::asDrawn(t::readWithZbar(band, c.decodeAs), c.decodeAs);
    if (zx != c.expected) {
        faults += " ZXing read \"" + zx + "\";";
    }
    if (zb != c.expected) {
        faults += " zbar read \"" + zb + "\";";
    }
    return faults;
}

// Each bar of the nominal row comes back narrower by `dots` (at least one column left), its
// centre within half a pixel; the spaces take up the difference. ITF-14's bearers stay.
std::string checkReduction(const QImage& nominal, const QImage& reduced, int dots, bool bearers) {
    const std::vector<Run> a = runs(nominal, scanRow(nominal));
    const std::vector<Run> b = runs(reduced, scanRow(reduced));
    if (a.size() != b.size() || a.empty()) {
        return " run count " + std::to_string(a.size()) + " -> " + std::to_string(b.size()) + ";";
    }
    std::ostringstream faults;
    for (size_t i = 0; i < a.size(); i += 2) {
        const bool bearer = bearers && (i == 0 || i + 1 == a.size());
        const int want = bearer ? a[i].width : std::max(a[i].width - dots, 1);
        const double shift = (b[i].start + b[i].width / 2.0) - (a[i].start + a[i].width / 2.0);
        if (b[i].width != want || std::abs(shift) > 0.5) {
            faults << " bar " << i / 2 << ": " << a[i].width << " -> " << b[i].width
                   << " px, centre moved " << shift << ";";
        }
    }
    if (nominal.size() != reduced.size()) {
        faults << " size changed;";
    }
    return faults.str();
}

// Every run a multiple of the dot count and the width a whole number of modules; ITF-14: every
// narrow bar exactly the dot count, every wide bar one width.
std::string checkFit(const QImage& fitted, const Case& c, int dots) {
    std::ostringstream faults;
    const std::vector<Run> r = runs(fitted, scanRow(fitted));
    if (c.widthModules > 0) {
        if (fitted.width() != c.widthModules * dots) {
            faults << " width " << fitted.width() << " px, not " << c.widthModules << " x " << dots
                   << ";";
        }
        for (const Run& run : r) {
            if (run.width % dots != 0) {
                faults << " run at " << run.start << " is " << run.width << " px;";
            }
        }
        return faults.str();
    }
    std::vector<int> wide;
    for (size_t i = 2; i + 2 < r.size(); i += 2) {  // between the bearers
        if (r[i].width > 2 * dots) {
            wide.push_back(r[i].width);
        } else if (r[i].width != dots) {
            faults << " narrow bar of " << r[i].width << " px;";
        }
    }
    if (wide.empty() ||
        std::adjacent_find(wide.begin(), wide.end(), std::not_equal_to<>()) != wide.end()) {
        faults << " wide bars of unequal widths;";
    }
    return faults.str();
}

// The marks are all that differs, inside their quiet zones and on the digits' row, each with its
// tip within a module of the zone's outer edge; a symbol without marks does not change.
std::string checkMarks(const QImage& plain, const QImage& marked, const Case& c) {
    std::ostringstream faults;
    if (plain.size() != marked.size()) {
        return " size changed;";
    }
    const double P = c.widthModules > 0 ? double(plain.width()) / c.widthModules : 0;
    std::vector<int> left(c.zones.size(), plain.width()), right(c.zones.size(), -1);
    for (int y = 0; y < plain.height(); ++y) {
        for (int x = 0; x < plain.width(); ++x) {
            if (plain.constScanLine(y)[x] == marked.constScanLine(y)[x]) {
                continue;
            }
            const double row = double(y) / plain.height();
            size_t z = 0;
            while (z < c.zones.size() &&
                   !(x >= c.zones[z].fromModule * P && x < c.zones[z].toModule * P)) {
                ++z;
            }
            if (z == c.zones.size() || row < c.markRowsFrom || row > c.markRowsTo) {
                faults << " pixel (" << x << ", " << y << ") changed outside a mark's place;";
                return faults.str();
            }
            left[z] = std::min(left[z], x);
            right[z] = std::max(right[z], x);
        }
    }
    for (size_t z = 0; z < c.zones.size(); ++z) {
        const Zone& zone = c.zones[z];
        const bool tipOut = zone.mark == '>'
                                ? right[z] >= (zone.toModule - 1) * P
                                : right[z] >= 0 && left[z] <= (zone.fromModule + 1) * P;
        if (!tipOut) {
            faults << " mark " << zone.mark << " missing or off the zone's edge (" << left[z]
                   << ".." << right[z] << ");";
        }
    }
    return faults.str();
}

TEST(PrintGradeTest, EachOptionAt300And600Dpi) {
    std::string faults;
    for (const Case& c : cases()) {
        for (const int dpi : {300, 600}) {
            const QImage nominal = grey(c.request, dpi);
            auto with = [&](auto set) {
                SymbolRequest r = c.request;
                set(r.output);
                return grey(r, dpi);
            };
            const QImage reduced = with([](OutputOptions& o) { o.barReductionMm = 0.085; });
            const QImage fitted = with([](OutputOptions& o) { o.fitDots = true; });
            const QImage marked = with([](OutputOptions& o) { o.quietZoneMarks = true; });
            const std::string label = std::string(c.name) + " " + std::to_string(dpi) + " dpi";
            auto note = [&](const char* what, const std::string& f) {
                if (!f.empty()) {
                    faults += label + " " + what + ":" + f + "\n";
                }
            };
            // 0.085 mm is 1.00 dot at 300 dpi and 2.01 at 600.
            note("reduction", checkReduction(nominal, reduced, dpi == 300 ? 1 : 2,
                                             c.request.symbology == Symbology::ITF14) +
                                  decodes(reduced, c));
            note("whole dots",
                 checkFit(fitted, c, dpi == 300 ? c.dots300 : c.dots600) + decodes(fitted, c));
            note("marks", checkMarks(nominal, marked, c) + decodes(marked, c));
        }
    }
    EXPECT_EQ(faults, "");
}

// Every option at its default, or a reduction below half a pixel, draws exactly what the
// encoders draw on their own.
TEST(PrintGradeTest, DefaultsDrawTheEncodersOwnPicture) {
    for (const Case& c : cases()) {
        const double k = 300 / kMmPerInch;
        QImage own(renderSymbolImage(c.request, k, k).size(), QImage::Format_RGB32);
        own.fill(Qt::white);
        {
            QPainter painter(&own);
            QtSurface surface(painter);
            Rect bounds;
            const SymbolRequest& r = c.request;
            if (r.symbology == Symbology::ITF14) {
                DrawITF14(r.digits, &surface, r.sizePercent, 0, 0, k, k, bounds);
            } else {
                DrawEANUPC(symbologyName(r.symbology), addOnName(r.addOn), r.digits + r.addOnDigits,
                           &surface, 0, 0, r.sizePercent, k, k, bounds);
            }
        }
        SymbolRequest tiny = c.request;
        tiny.output.barReductionMm = 0.04;  // 0.47 px
        EXPECT_EQ(renderSymbolImage(c.request, k, k).convertToFormat(QImage::Format_RGB32), own)
            << c.name;
        EXPECT_EQ(renderSymbolImage(tiny, k, k), renderSymbolImage(c.request, k, k)) << c.name;
    }
}

}  // namespace
}  // namespace strikon
