#pragma once
// Qt writes a PDF page's size in whole points, so a 130.8 x 73.44 pt symbol would sit on a
// 131 x 73 pt page. Its content is placed from the top of that page (y flipped about the whole
// height), so the exact page is the box [0, H - h, w, H] of the written whole height H. The box
// is rewritten in place, padded with spaces to the same length, so that no byte offset of the
// cross-reference table moves.

#include <QByteArray>
#include <QSizeF>

namespace strikon {

// sizePt: the page's exact size in points. False, with the document untouched, when it holds
// not exactly one page box of the form Qt writes or the exact box would not fit in its place.
bool setExactMediaBox(QByteArray& pdf, QSizeF sizePt);

}  // namespace strikon
