#pragma once
// The XML parts of a minimal Office Open XML word-processing document that holds one picture
// inline at a given physical size. Each function returns one part's text as UTF-8.

#include <QByteArray>
#include <cstdint>

namespace strikon {

// DrawingML measures lengths in English Metric Units: 914400 per inch, so 36000 per millimetre.
inline constexpr double kEmuPerMm = 36000.0;

// Millimetres to EMU, rounded to the nearest whole unit (37.29 mm -> 1342440).
int64_t mmToEmu(double mm);

// Part names inside the package, as the relationships and the content types refer to them.
inline constexpr char kDocumentPart[] = "word/document.xml";
inline constexpr char kPicturePart[] = "word/media/image1.png";

QByteArray contentTypesXml();
QByteArray packageRelsXml();     // _rels/.rels
QByteArray documentRelsXml();    // word/_rels/document.xml.rels
QByteArray appPropertiesXml();   // docProps/app.xml
QByteArray corePropertiesXml();  // docProps/core.xml
// One paragraph holding the picture at cx x cy EMU.
QByteArray documentXml(int64_t cx, int64_t cy);

}  // namespace strikon
