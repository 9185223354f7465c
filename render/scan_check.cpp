#include "render/scan_check.h"

#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <string_view>

#include "encoders/check_digit.h"
#include "encoders/gs1_symbol.h"
#include "render/draw_symbol.h"
#include "render/output_fit.h"
#include "render/scan_row_surface.h"
#include "render/symbol_image.h"

namespace strikon {

char gradeLetter(Grade grade) {
    return static_cast<char>('A' + static_cast<int>(grade) + (grade == Grade::F ? 1 : 0));
}

Grade gradeForDecodability(double v) {
    if (v >= 0.62)
        return Grade::A;
    if (v >= 0.50)
        return Grade::B;
    if (v >= 0.37)
        return Grade::C;
    if (v >= 0.25)
        return Grade::D;
    return Grade::F;
}

Gs1Range gs1Range(Symbology symbology) {
    // GS1 General Specifications, the tables of symbol sizes: EAN/UPC at 80 % to 200 % of
    // 0.330 mm; ITF-14 on cartons 0.495 mm to 1.016 mm with bars at least 31.75 mm tall.
    if (symbology == Symbology::ITF14) {
        return {0.495, 1.016, 31.75};
    }
    if (isGs1(symbology)) {  // the GS1 symbols' own rows of those tables
        const Gs1SizeFacts& facts = gs1SizeFacts(symbology);
        const double barHeight = symbology == Symbology::GS1_128 ? kGs1_128BarHeightMm : 0.0;
        return {facts.minMm, facts.maxMm, barHeight};
    }
    return {0.264, 0.660, 0};
}

namespace {

// Scanners read with red light, where the bars reflect what their red channel does; print
// contrast is (light - dark) / light over those reflectances.
double redReflectance(const QColor& colour) {
    const double v = colour.redF();  // sRGB, decoded to linear light
    return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

}  // namespace

double printContrast(const QColor& line, const QColor& background) {
    const double light = redReflectance(background);
    const double contrast = light > 0 ? (light - redReflectance(line)) / light : 0.0;
    return std::max(contrast, 0.0);
}

std::string standardUpce(const std::string& upce) {
    if (upce.size() != 8 || (upce[0] != '0' && upce[0] != '1') ||
        !std::all_of(upce.begin(), upce.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return {};
    }
    const std::string a = ExpandUPCE(upce);  // N M1..M5 P1..P5 C
    const std::string_view m(a.data() + 1, 5), p(a.data() + 6, 5);
    const std::string head = a.substr(0, 1);
    const std::string check = a.substr(11, 1);
    // The zero-suppression rules in the order that gives the standard form: manufacturer
    // numbers ending 000-200 first, then 300-900, then those ending in 0, then item numbers
    // 5 to 9.
    if (m.substr(3) == "00" && m[2] <= '2' && p.substr(0, 2) == "00") {
        return head + std::string(m.substr(0, 2)) + std::string(p.substr(2)) + m[2] + check;
    }
    if (m.substr(3) == "00" && p.substr(0, 3) == "000") {
        return head + std::string(m.substr(0, 3)) + std::string(p.substr(3)) + "3" + check;
    }
    if (m[4] == '0' && p.substr(0, 4) == "0000") {
        return head + std::string(m.substr(0, 4)) + p[4] + "4" + check;
    }
    if (p.substr(0, 4) == "0000" && p[4] >= '5') {
        return head + std::string(m) + p[4] + check;
    }
    return {};
}

// ---- The reference decode ----------------------------------------------------------------

namespace {

// Light margins in modules (ITF-14: narrow elements), GS1 and the symbology standards.
struct Margins {
    double left, right;
};
Margins marginsOf(Symbology symbology) {
    switch (symbology) {
        case Symbology::EAN13:
            return {11, 7};
        case Symbology::EAN8:
            return {7, 7};
        case Symbology::UPCA:
            return {9, 9};
        case Symbology::UPCE:
            return {9, 7};
        case Symbology::ITF14:
            return {10, 10};
        default:
            break;
    }
    return {0, 0};
}
constexpr double kAddOnGapModules = 7;
constexpr double kAddOnRightModules = 5;

// One EAN/UPC symbol character, ISO/IEC 15420 (reference decode algorithm): from its four
// elements, the two edge-to-similar-edge distances e1 (elements 1 + 2) and e2 (elements 2 + 3)
// are each taken as j modules where (j - 0.5) S/7 <= e < (j + 0.5) S/7, S the character's
// width; (E1, E2) names the character, except that 1 and 7, and 2 and 8, share theirs and are
// told apart by the sum of the character's two bar widths.
struct Character {
    int digit = -1;  // -1: not a character
    char set = 0;    // 'A' (odd), 'B' (even) or 'C' (right half)
    double v = 0;    // its decodability: the least margin over half a module
};

// (E1, E2) -> digit, for set A (and C, the same widths with bars and spaces swapped) and set B;
// 17 stands for "1 or 7", 28 for "2 or 8".
int lookup(char set, int e1, int e2) {
    struct Row {
        int e1, e2, digit;
    };
    static constexpr Row a[] = {{5, 3, 0}, {4, 4, 17}, {3, 3, 28}, {5, 5, 3},
                                {2, 4, 4}, {3, 5, 5},  {2, 2, 6},  {4, 2, 9}};
    static constexpr Row b[] = {{2, 3, 0}, {3, 4, 17}, {4, 3, 28}, {2, 5, 3},
                                {5, 4, 4}, {4, 5, 5},  {5, 2, 6},  {3, 2, 9}};
    for (const Row& r : set == 'B' ? std::span<const Row>(b) : std::span<const Row>(a)) {
        if (r.e1 == e1 && r.e2 == e2)
            return r.digit;
    }
    return -1;
}

// e measured in modules of S/7: j and its margin to the nearer threshold, over half a module.
bool edgeModules(double e, double z, int& j, double& v) {
    j = static_cast<int>(std::floor(e / z + 0.5));
    if (j < 2 || j > 5)
        return false;
    v = std::min(e - (j - 0.5) * z, (j + 0.5) * z - e) / (z / 2);
    return true;
}

// leftHalf: the element order is space, bar, space, bar (sets A and B); else bar first (C).
Character decodeCharacter(const double* w, bool leftHalf) {
    Character c;
    const double s = w[0] + w[1] + w[2] + w[3];
    const double z = s / 7;
    int e1 = 0, e2 = 0;
    double v1 = 0, v2 = 0;
    if (!(s > 0) || !edgeModules(w[0] + w[1], z, e1, v1) || !edgeModules(w[1] + w[2], z, e2, v2)) {
        return c;
    }
    c.v = std::min(v1, v2);
    char set = leftHalf ? 'A' : 'C';
    int digit = lookup(set, e1, e2);
    if (digit < 0 && leftHalf) {
        set = 'B';
        digit = lookup(set, e1, e2);
    }
    if (digit < 0)
        return c;
    if (digit >= 10) {
        // Set A's 1 and 2 have 3 modules of bar, its 7 and 8 five: threshold 4 modules. Sets B
        // and C's 1 and 2 have 4, their 7 and 8 two: threshold 3. The margin is over a module,
        // the half-distance between the two sums.
        const double bars = leftHalf ? w[1] + w[3] : w[0] + w[2];
        const double threshold = (set == 'A' ? 4 : 3) * z;
        const bool fewer = bars < threshold;
        const bool isOneOrTwo = set == 'A' ? fewer : !fewer;
        digit = isOneOrTwo ? digit / 10 : digit % 10;
        c.v = std::min(c.v, std::abs(bars - threshold) / z);
    }
    c.digit = digit;
    c.set = set;
    return c;
}

// The leading digit of EAN-13 from its left half's sets.
constexpr std::array<std::string_view, 10> kEan13Sets = {"AAAAAA", "AABABB", "AABBAB", "AABBBA",
                                                         "ABAABB", "ABBAAB", "ABBBAA", "ABABAB",
                                                         "ABABBA", "ABBABA"};
// UPC-E's sets for number system 0 by check digit; number system 1 swaps A and B.
constexpr std::array<std::string_view, 10> kUpceSets = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB",
                                                        "BABBAA", "BAABBA", "BAAABB", "BABABA",
                                                        "BABAAB", "BAABAB"};
// The 5-digit add-on's sets by its checksum; the 2-digit add-on's by its value modulo 4.
constexpr std::array<std::string_view, 10> kAddOn5Sets = {
    "BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA", "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};
constexpr std::array<std::string_view, 4> kAddOn2Sets = {"AA", "AB", "BA", "BB"};

struct Reader {
    std::span<const double> w;
    size_t at = 0;
    Decode out;
    std::string sets;
    bool ok = true;
    double v = 1.0;

    bool has(size_t n) const { return at + n <= w.size(); }
    void skip(size_t n) { at += n; }
    // n characters of one half; appends their digits and sets.
    void characters(int n, bool leftHalf, size_t between = 0) {
        for (int i = 0; i < n && ok; ++i) {
            if (i > 0)
                skip(between);
            if (!has(4)) {
                ok = false;
                return;
            }
            const Character c = decodeCharacter(&w[at], leftHalf);
            skip(4);
            if (c.digit < 0) {
                ok = false;
                return;
            }
            v = std::min(v, c.v);
            out.read.push_back(static_cast<char>('0' + c.digit));
            sets.push_back(c.set);
        }
    }
};

int checksumAddOn5(std::string_view d) {
    return (3 * (d[0] - '0' + d[2] - '0' + d[4] - '0') + 9 * (d[1] - '0' + d[3] - '0')) % 10;
}

bool checkDigitHolds(Symbology symbology, const std::string& digits) {
    return CalcCheckDigitFor(symbology, digits) == digits;
}

// EAN/UPC and the add-on, ISO/IEC 15420: guard patterns are counted, not measured.
void decodeEanUpc(Symbology symbology, int addOnDigits, Reader& r) {
    r.skip(1);  // the left light margin
    std::string main;
    switch (symbology) {
        case Symbology::EAN13:
        case Symbology::UPCA: {
            r.skip(3);
            r.characters(6, true);
            r.skip(5);
            r.characters(6, false);
            r.skip(3);
            if (!r.ok)
                return;
            const std::string left = r.sets.substr(0, 6);
            const auto first = std::find(kEan13Sets.begin(), kEan13Sets.end(), left);
            if (first == kEan13Sets.end()) {
                r.ok = false;
                return;
            }
            const char lead = static_cast<char>('0' + (first - kEan13Sets.begin()));
            r.out.read.insert(r.out.read.begin(), lead);
            if (symbology == Symbology::UPCA) {
                if (lead != '0') {
                    r.ok = false;
                    return;
                }
                r.out.read.erase(0, 1);
            }
            break;
        }
        case Symbology::EAN8:
            r.skip(3);
            r.characters(4, true);
            r.skip(5);
            r.characters(4, false);
            r.skip(3);
            if (r.ok && r.sets.substr(0, 4) != "AAAA")
                r.ok = false;
            break;
        case Symbology::UPCE: {
            r.skip(3);
            r.characters(6, true);
            r.skip(6);
            if (!r.ok)
                return;
            std::string sets = r.sets.substr(0, 6);
            char system = '0';
            auto at = std::find(kUpceSets.begin(), kUpceSets.end(), sets);
            if (at == kUpceSets.end()) {
                std::replace(sets.begin(), sets.end(), 'A', 'a');
                std::replace(sets.begin(), sets.end(), 'B', 'A');
                std::replace(sets.begin(), sets.end(), 'a', 'B');
                at = std::find(kUpceSets.begin(), kUpceSets.end(), sets);
                system = '1';
            }
            if (at == kUpceSets.end()) {
                r.ok = false;
                return;
            }
            r.out.read = system + r.out.read + static_cast<char>('0' + (at - kUpceSets.begin()));
            break;
        }
        default:
            r.ok = false;
            return;
    }
    if (!r.ok)
        return;
    if (!checkDigitHolds(symbology, r.out.read))
        r.ok = false;
    if (addOnDigits == 0 || !r.ok)
        return;
    r.skip(1);  // the space between the symbol and its add-on
    r.skip(3);  // the add-on's start pattern
    const size_t before = r.out.read.size();
    r.characters(addOnDigits, true, 2);
    if (!r.ok)
        return;
    const std::string digits = r.out.read.substr(before);
    const std::string sets = r.sets.substr(r.sets.size() - static_cast<size_t>(addOnDigits));
    const std::string_view want = addOnDigits == 2
                                      ? kAddOn2Sets[static_cast<size_t>(std::stoi(digits) % 4)]
                                      : kAddOn5Sets[static_cast<size_t>(checksumAddOn5(digits))];
    if (sets != want)
        r.ok = false;
}

// ITF-14, ISO/IEC 16390 (4.5, reference decode; 4.6, decodability after ISO/IEC 15416): each
// pair of digits is ten elements, five bars and five spaces, of total width S; an element is
// wide when it exceeds the threshold 7S/64 (the mid-point of narrow and wide at the nominal
// ratio of 2.5), and each set of five must hold two wide ones. The margin of an element is its
// distance from the threshold over the nominal distance, 3S/64.
constexpr std::array<std::string_view, 10> kTwoOfFive = {
    "00110", "10001", "01001", "11000", "00101", "10100", "01100", "00011", "10010", "01010"};

void decodeItf(Reader& r) {
    if (r.w.size() != 79) {
        r.ok = false;
        return;
    }
    auto threshold = [&](size_t from) {
        const double s = std::accumulate(&r.w[from], &r.w[from] + 10, 0.0);
        return std::pair{7 * s / 64, 3 * s / 64};
    };
    auto margin = [&](double width, std::pair<double, double> t, bool wantWide) {
        if ((width > t.first) != wantWide)
            r.ok = false;
        r.v = std::min(r.v, std::abs(width - t.first) / t.second);
    };
    const auto first = threshold(5);
    for (size_t i = 1; i <= 4; ++i)
        margin(r.w[i], first, false);  // start: four narrow
    for (size_t pair = 0; pair < 7; ++pair) {
        const size_t from = 5 + pair * 10;
        const auto t = threshold(from);
        for (size_t parity = 0; parity < 2; ++parity) {
            std::string wide;
            for (size_t k = 0; k < 5; ++k) {
                const double width = r.w[from + parity + 2 * k];
                wide.push_back(width > t.first ? '1' : '0');
                r.v = std::min(r.v, std::abs(width - t.first) / t.second);
            }
            const auto digit = std::find(kTwoOfFive.begin(), kTwoOfFive.end(), wide);
            if (digit == kTwoOfFive.end()) {
                r.ok = false;
                return;
            }
            r.out.read.push_back(static_cast<char>('0' + (digit - kTwoOfFive.begin())));
        }
    }
    const auto last = threshold(65);
    margin(r.w[75], last, true);  // stop: wide bar, narrow space, narrow bar
    margin(r.w[76], last, false);
    margin(r.w[77], last, false);
    if (r.ok && !checkDigitHolds(Symbology::ITF14, r.out.read))
        r.ok = false;
}

size_t expectedElements(Symbology symbology, int addOnDigits) {
    size_t main = 0;
    switch (symbology) {
        case Symbology::EAN13:
        case Symbology::UPCA:
            main = 59;
            break;
        case Symbology::EAN8:
            main = 43;
            break;
        case Symbology::UPCE:
            main = 33;
            break;
        case Symbology::ITF14:
            return 79;
        default:
            return 0;
    }
    // The add-on: its start (3 elements), its characters (4) and the 2-element delineators.
    const size_t addOn =
        addOnDigits == 0 ? 0 : 1 + 3 + 4 * static_cast<size_t>(addOnDigits) + 2 * (addOnDigits - 1);
    return 1 + main + addOn + 1;
}

}  // namespace

Decode referenceDecode(Symbology symbology, int addOnDigits, const ScanLine& line) {
    Reader r;
    r.w = line.widths;
    if (symbology == Symbology::ITF14)
        addOnDigits = 0;
    if (line.widths.size() != expectedElements(symbology, addOnDigits)) {
        return r.out;
    }
    if (symbology == Symbology::ITF14) {
        decodeItf(r);
    } else {
        decodeEanUpc(symbology, addOnDigits, r);
    }
    // Light margins: each edge of the picture is rounded once, so a margin may come out up to
    // a pixel short of its nominal width without fault.
    const Margins m = marginsOf(symbology);
    const double z = line.modulePx;
    const std::vector<double>& w = line.widths;
    bool shortMargin = w.front() < m.left * z - 1.0;
    if (addOnDigits > 0) {
        shortMargin = shortMargin ||
                      w[expectedElements(symbology, 0) - 1] < kAddOnGapModules * z - 1.0 ||
                      w.back() < kAddOnRightModules * z - 1.0;
    } else {
        shortMargin = shortMargin || w.back() < m.right * z - 1.0;
    }
    r.out.marginShort = shortMargin;
    r.out.decoded = r.ok;
    r.out.decodability = r.ok ? std::clamp(r.v, 0.0, 1.0) : 0.0;
    r.out.grade = r.ok && !shortMargin ? gradeForDecodability(r.out.decodability) : Grade::F;
    return r.out;
}

ScanLine withInkSpread(const ScanLine& line, double spreadPx) {
    ScanLine spread = line;
    std::vector<double>& w = spread.widths;
    // Elements alternate from a light margin; every bar grows by the spread and each of its
    // neighbours loses half of it.
    for (size_t i = 1; i < w.size(); i += 2) {
        w[i] += spreadPx;
        w[i - 1] -= spreadPx / 2;
        if (i + 1 < w.size())
            w[i + 1] -= spreadPx / 2;
    }
    for (double& x : w)
        x = std::max(x, 0.0);
    return spread;
}

// ---- Reading the picture ------------------------------------------------------------------

namespace {

// The request as the check draws it: dark on light (the colours are judged on their own), and
// any whole-dot fit at the check's resolution, as the output there would make it.
SymbolRequest checkedRequest(const SymbolRequest& request) {
    SymbolRequest r = request;
    r.lineColor = Qt::black;
    r.backgroundColor = Qt::white;
    r.output.fitPxPerMm = 0;
    r.output.quietZoneMarks = false;  // they stand on the digits' row, off the scan line
    return r;
}

int addOnDigitsDrawn(const SymbolRequest& request) {
    if (request.addOn == AddOn::None || facts(request.symbology).addOnStart == 0)
        return 0;
    const int n = facts(request.addOn).digits;
    if (static_cast<int>(request.addOnDigits.size()) < n)
        return 0;
    for (int i = 0; i < n; ++i) {
        if (request.addOnDigits[static_cast<size_t>(i)] < '0' ||
            request.addOnDigits[static_cast<size_t>(i)] > '9') {
            return 0;
        }
    }
    return n;
}

}  // namespace

ScanLine readScanLine(const SymbolRequest& request, double pxPerMm) {
    ScanLine line;
    const SymbolRequest drawn = checkedRequest(request);
    const std::optional<QSize> size = measureSymbol(drawn, pxPerMm, pxPerMm);
    if (!size || size->isEmpty()) {
        return line;
    }
    // 44 % of the height runs through the middle of the bar field in every symbology: below
    // an add-on's digits, above the main digits, between ITF-14's bearers.
    ScanRowSurface row(size->width(), static_cast<int>(size->height() * 0.44));
    Rect bounds;
    renderSymbol(drawn, &row, bounds, 0.0, 0.0, pxPerMm, pxPerMm);
    bool dark = false;
    double run = 0;
    for (const bool d : row.darkPixels()) {
        if (d != dark) {
            line.widths.push_back(run);
            run = 0;
            dark = d;
        }
        ++run;
    }
    line.widths.push_back(run);
    if (dark)
        line.widths.push_back(0);  // no right margin at all
    if (request.symbology == Symbology::ITF14 && line.widths.size() >= 4) {
        // The vertical bearers: the scan line starts and ends on them.
        line.widths.erase(line.widths.begin(), line.widths.begin() + 2);
        line.widths.pop_back();
        line.widths.pop_back();
    }
    const WholeDotFit fit = wholeDotFit(drawn, pxPerMm);
    line.modulePx =
        drawn.output.fitDots && fit.inRange ? fit.dots : nominalModuleMm(drawn) * pxPerMm;
    return line;
}

// ---- The report ---------------------------------------------------------------------------

namespace {

// ITF-14's bars between the bearers at 100 %.
constexpr double kItfBarHeightMm = 32.0;

Grade gradeAt(const SymbolRequest& request, double pxPerMm, double spreadPx) {
    const ScanLine line = readScanLine(request, pxPerMm);
    return referenceDecode(request.symbology, addOnDigitsDrawn(request),
                           spreadPx > 0 ? withInkSpread(line, spreadPx) : line)
        .grade;
}

QString mm(double v, int decimals) {
    return QString::number(v, 'f', decimals);
}

}  // namespace

bool ScanReport::scanReady() const {
    return drawn && (!graded || printedGrade.value_or(grade) <= Grade::C) && notices.empty();
}

namespace {

constexpr double kSlack = 1e-6;

bool moduleInside(double moduleMm, const Gs1Range& range) {
    return moduleMm >= range.minModuleMm - kSlack && moduleMm <= range.maxModuleMm + kSlack;
}

}  // namespace

ScanReport scanCheck(const SymbolRequest& request, double pxPerMm, double inkSpreadMm) {
    ScanReport r;
    if (isGs1(request.symbology)) {
        // Two-dimensional symbols and GS1-128 have no reference decode here: their modules are
        // whole dots by their own rule, and only the colours are judged.
        if (!(pxPerMm > 0) || !measureSymbol(request, pxPerMm, pxPerMm)) {
            return r;
        }
        r.drawn = true;
        r.graded = false;
        r.pxPerMm = pxPerMm;
        r.moduleMm = wholeDotFit(request, pxPerMm).moduleMm;
        r.moduleDots = r.moduleMm * pxPerMm;
        r.sizePercent = request.sizePercent;
        r.range = gs1Range(request.symbology);
        r.barHeightMm = r.range.minBarHeightMm;  // GS1-128's bars are always drawn that tall
        r.insideRange = moduleInside(r.moduleMm, r.range);
        const double contrast = printContrast(request.lineColor, request.backgroundColor);
        if (contrast < kMinPrintContrast) {
            r.notices.push_back({NoticeKind::LowContrast, QString::number(qRound(contrast * 100))});
        }
        return r;
    }
    const ScanLine line = readScanLine(request, pxPerMm);
    if (line.widths.empty() || !(pxPerMm > 0)) {
        return r;
    }
    r.drawn = true;
    r.pxPerMm = pxPerMm;
    const SymbolRequest drawn = checkedRequest(request);
    const WholeDotFit fit = wholeDotFit(drawn, pxPerMm);
    r.fitted = !drawn.output.fitDots || fit.inRange;
    const bool fitted = drawn.output.fitDots && fit.inRange;
    r.moduleMm = fitted ? fit.moduleMm : nominalModuleMm(drawn);
    r.moduleDots = r.moduleMm * pxPerMm;
    r.sizePercent = fitted ? fit.percent : request.sizePercent;
    r.range = gs1Range(request.symbology);
    r.insideRange = moduleInside(r.moduleMm, r.range);
    if (request.symbology == Symbology::ITF14) {
        r.barHeightMm = kItfBarHeightMm * r.sizePercent / 100.0;
        r.insideRange = r.insideRange && r.barHeightMm >= r.range.minBarHeightMm - kSlack;
    }
    const int addOn = addOnDigitsDrawn(request);
    r.decode = referenceDecode(request.symbology, addOn, line);
    r.grade = r.decode.grade;
    const double spreadPx = inkSpreadMm > 0 ? inkSpreadMm * pxPerMm : 0.0;
    if (inkSpreadMm > 0) {
        r.inkSpreadMm = inkSpreadMm;
        r.printedGrade =
            referenceDecode(request.symbology, addOn, withInkSpread(line, spreadPx)).grade;
    }

    // What the data itself says, before the picture.
    std::vector<Notice>& n = r.notices;
    const std::string right = CalcCheckDigitFor(request.symbology, request.digits);
    bool dataFault = false;
    if (request.symbology == Symbology::UPCE && request.digits[0] != '0' &&
        request.digits[0] != '1') {
        n.push_back({NoticeKind::UpceNumberSystem, QString(QLatin1Char(request.digits[0]))});
        dataFault = true;
    } else if (request.symbology == Symbology::UPCE) {
        const std::string standard = standardUpce(request.digits);
        if (!standard.empty() && standard != request.digits) {
            n.push_back({NoticeKind::UpceNotZeroSuppressed, QString::fromStdString(standard)});
        }
    }
    if (right != request.digits) {
        n.push_back({NoticeKind::WrongCheckDigit, QString(QLatin1Char(right.back()))});
        dataFault = true;
    }
    const double contrast = printContrast(request.lineColor, request.backgroundColor);
    if (contrast < kMinPrintContrast) {
        n.push_back({NoticeKind::LowContrast, QString::number(qRound(contrast * 100))});
    }
    if (!r.fitted) {
        n.push_back({NoticeKind::NotFittedToDots, {}});
    }
    if (r.moduleMm < r.range.minModuleMm - kSlack || r.moduleMm > r.range.maxModuleMm + kSlack) {
        n.push_back({NoticeKind::OutsideGs1Range, mm(r.moduleMm, 3)});
    }
    if (r.range.minBarHeightMm > 0 && r.barHeightMm < r.range.minBarHeightMm - kSlack) {
        n.push_back({NoticeKind::BarsTooShort, mm(r.barHeightMm, 1)});
    }
    // What the picture says.
    const Grade effective = r.printedGrade.value_or(r.grade);
    if (dataFault || effective <= Grade::C) {
        return r;
    }
    const Decode& decode = r.decode;
    if (!decode.decoded && !decode.read.empty()) {
        std::string drawnDigits =
            request.digits + request.addOnDigits.substr(0, static_cast<size_t>(addOn));
        if (decode.read != drawnDigits) {
            n.push_back({NoticeKind::NotDecoded, QString::fromStdString(decode.read)});
        }
    }
    if (decode.marginShort) {
        n.push_back({NoticeKind::MarginShort, {}});
    }
    Notice low{NoticeKind::LowGrade, QString(QLatin1Char(gradeLetter(effective)))};
    // Of whole-dot modules and no reduction, alone or together, the least change that grades
    // best; the reduction is only dropped where it costs grade.
    const bool canFit = !request.output.fitDots;
    const bool canDrop = request.output.barReductionMm > 0;
    struct Option {
        Remedy remedy;
        bool fit, drop;
    };
    for (const Option o :
         {Option{Remedy::WholeDots, true, false}, Option{Remedy::NoReduction, false, true},
          Option{Remedy::WholeDotsNoReduction, true, true}}) {
        if ((o.fit && !canFit) || (o.drop && !canDrop)) {
            continue;
        }
        SymbolRequest changed = request;
        changed.output.fitDots = request.output.fitDots || o.fit;
        if (o.drop) {
            changed.output.barReductionMm = 0;
        }
        if (o.fit && !wholeDotFit(checkedRequest(changed), pxPerMm).inRange) {
            continue;
        }
        const Grade g = gradeAt(changed, pxPerMm, spreadPx);
        if (g < (low.remedy == Remedy::None ? effective : low.remedyGrade)) {
            low.remedy = o.remedy;
            low.remedyGrade = g;
        }
    }
    n.push_back(low);
    return r;
}

}  // namespace strikon
