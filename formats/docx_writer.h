#pragma once
// A new word-processing document (.docx) holding one PNG picture inline at its physical size.
// Word and LibreOffice open it; nothing needs to be installed to write it.

#include <QByteArray>
#include <QString>

#include "platform/result.h"

namespace strikon {

// The whole package in memory. png: the picture's PNG file; widthMm, heightMm: the size the
// picture takes on the page, in millimetres (positive).
ValueResult<QByteArray> buildDocx(const QByteArray& png, double widthMm, double heightMm);

// Builds the package and writes it atomically (see atomic_write.h).
WriteResult writeDocx(const QString& path, const QByteArray& png, double widthMm, double heightMm);

}  // namespace strikon
