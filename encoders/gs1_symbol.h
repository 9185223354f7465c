#pragma once
// GS1 Digital Link QR, GS1 DataMatrix and GS1-128, drawn through the drawing contract like every
// other symbol. The error-correcting encodation (Reed-Solomon, QR masking, DataMatrix and
// Code 128 code sets) comes from libzint; this file asks it for the module matrix and draws the
// modules itself, so that every surface the program has (preview, pictures, SVG, PDF, printer,
// label sheets) shows them, at a module of whole output dots. It lives in encoders/ because
// libzint is plain C with no Qt, like everything else here, and the drawing belongs beside the
// other symbols' drawing.

#include <optional>
#include <string>
#include <vector>

#include "gs1_data.h"
#include "surface.h"
#include "symbology.h"

namespace strikon {

// The module X a symbology takes, in millimetres, and its quiet zone in modules.
//
// GS1 General Specifications, 5.12.3 (the tables of symbol sizes):
// - 2D symbols on trade items scanned at retail point of sale (GS1 DataMatrix, QR Code with a
//   GS1 Digital Link URI): X from 0.396 to 0.990 mm, target 0.495 mm (1.5 times the linear
//   symbols' 0.264 / 0.330 / 0.660, for the optics of image capture). Quiet zone: DataMatrix 1X,
//   QR Code 4X on every side.
// - GS1-128 on logistic units: X from 0.495 to 1.016 mm, bar height at least 31.75 mm, quiet
//   zone 10X left and right.
struct Gs1SizeFacts {
    double minMm;
    double defaultMm;
    double maxMm;
    int quietModules;
};

const Gs1SizeFacts& gs1SizeFacts(Symbology symbology);

inline constexpr double kGs1_128BarHeightMm = 31.75;

// Whole dots per module at pxPerMm: the nearest count, moved up or down by one where the nearest
// falls outside the symbology's range (so 0.495 mm at 203 dpi is 4 dots, 0.500 mm, not 3), at
// least one.
int gs1ModuleDots(Symbology symbology, double moduleMm, double pxPerMm);

// Error correction of a QR code: 'L', 'M', 'Q' or 'H'.
inline constexpr char kDefaultQrLevel = 'M';

// One GS1 symbol to draw. elementString is the bracketed form; for the QR, resolver is where its
// Digital Link points ("" for GS1's own).
struct Gs1Symbol {
    Symbology symbology = Symbology::GS1DataMatrix;
    std::string elementString;
    std::string resolver;
    double moduleMm = 0;  // 0: the symbology's default
    char qrLevel = kDefaultQrLevel;
    // When positive, the module's whole dots are counted at this resolution and the symbol
    // drawn at that size: a preview then shows the module the output will have.
    double fitPxPerMm = 0;
};

// What the symbol carries: the Digital Link URI (QR) or the element string, and the text
// printed under it; or why it cannot be drawn.
struct Gs1Content {
    std::vector<Gs1Element> elements;
    std::string encoded;  // QR: the URI; others: the bracketed element string
    std::optional<Gs1Error> error;
};

Gs1Content gs1Content(const Gs1Symbol& symbol);

// The module matrix libzint gives: rows x columns, row by row, true for dark. GS1-128 is one row.
struct Gs1Matrix {
    int rows = 0;
    int columns = 0;
    std::vector<bool> dark;
    std::string error;  // libzint's reason when it built nothing

    bool at(int row, int column) const {
        return dark[static_cast<size_t>(row) * static_cast<size_t>(columns) +
                    static_cast<size_t>(column)];
    }
};

Gs1Matrix gs1Matrix(Symbology symbology, const std::string& encoded, char qrLevel);

// Why the symbol cannot be drawn (its data, its resolver, or a symbol too small for the data),
// or nothing when it can.
std::optional<Gs1Error> gs1Refusal(const Gs1Symbol& symbol);

// The symbol, its quiet zones and the element string under it, in the brush colour's box, the
// modules in the pen colour. OffsetX/Y in mm, as for the other symbols. Data that is refused
// draws nothing and gives (0, 0, 0, 0).
void DrawGS1(const Gs1Symbol& symbol, Surface* surface, double OffsetX, double OffsetY,
             double PxPerMmX, double PxPerMmY, Rect& Bounds);

}  // namespace strikon
