#include "formats/pdf_document.h"

#include <libdeflate.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

namespace strikon {

namespace {

void appendInt(QByteArray& out, int64_t v) {
    char s[24];
    out.append(s, std::to_chars(s, s + sizeof s, v).ptr - s);
}

// A count of 10^-decimals units, written with no trailing zeros and no locale.
void appendScaled(QByteArray& out, int64_t units, int decimals) {
    int64_t unit = 1;
    for (int i = 0; i < decimals; ++i) {
        unit *= 10;
    }
    if (units < 0) {
        out.append('-');
        units = -units;
    }
    appendInt(out, units / unit);
    int64_t frac = units % unit;
    if (frac == 0) {
        return;
    }
    char s[24];
    int n = decimals;
    while (frac % 10 == 0) {
        frac /= 10;
        --n;
    }
    std::snprintf(s, sizeof s, ".%0*lld", n, static_cast<long long>(frac));
    out.append(s);
}

// Glyph outlines to a hundredth of a pixel.
void appendHundredths(QByteArray& out, double v) {
    appendScaled(out, std::llround(v * 100.0), 2);
}

// The shortest decimal that reads back as the same double, never in exponent form (which PDF
// has no syntax for).
void appendExact(QByteArray& out, double v) {
    char s[400];
    out.append(s, std::to_chars(s, s + sizeof s, v, std::chars_format::fixed).ptr - s);
}

// A colour channel as a fraction at least k/255 and less than a 4,000th above it: a reader
// that rounds to 8 bits and one that cuts both get k back.
void appendChannel(QByteArray& out, int k) {
    appendScaled(out, (int64_t{k} * 10000 + 254) / 255, 4);
}

// A text string of the document's information: literal when it is printable ASCII, else
// UTF-16 with its byte order mark, in hex.
QByteArray pdfString(const QString& text) {
    const bool ascii = std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() >= 0x20 && c.unicode() < 0x7f;
    });
    if (ascii) {
        QByteArray s("(");
        for (const QChar c : text) {
            if (c == u'(' || c == u')' || c == u'\\') {
                s.append('\\');
            }
            s.append(static_cast<char>(c.unicode()));
        }
        return s + ')';
    }
    QByteArray s("<FEFF");
    char h[5];
    for (const QChar c : text) {  // QString holds UTF-16, surrogates as they are
        std::snprintf(h, sizeof h, "%04X", c.unicode());
        s.append(h, 4);
    }
    return s + '>';
}

// A zlib stream, as /FlateDecode reads it. The compressor is kept per thread, as a batch
// deflates one drawing after another.
QByteArray deflated(const QByteArray& data) {
    // The fastest level: a symbol's drawing is mostly the same digit outlines again, which
    // any level finds; level 9 saved 5 % of an EAN-13's bytes (2,813 against 2,960) for half
    // again its time.
    constexpr int kLevel = 1;
    thread_local std::unique_ptr<libdeflate_compressor, decltype(&libdeflate_free_compressor)>
        compressor(libdeflate_alloc_compressor(kLevel), &libdeflate_free_compressor);
    if (!compressor) {
        return {};
    }
    const size_t size = static_cast<size_t>(data.size());
    QByteArray out(static_cast<qsizetype>(libdeflate_zlib_compress_bound(compressor.get(), size)),
                   Qt::Uninitialized);
    const size_t n = libdeflate_zlib_compress(compressor.get(), data.constData(), size, out.data(),
                                              static_cast<size_t>(out.size()));
    out.truncate(static_cast<qsizetype>(n));
    return out;
}

// "<< /Length n [/Filter /FlateDecode] >>\nstream\n...\nendstream", deflated when that is
// smaller.
QByteArray streamObject(const QByteArray& data) {
    QByteArray packed = deflated(data);
    const bool flate = !packed.isEmpty() && packed.size() + 20 < data.size();
    const QByteArray& body = flate ? packed : data;
    QByteArray out = "<< /Length ";
    appendInt(out, body.size());
    out.append(flate ? " /Filter /FlateDecode >>\nstream\n" : " >>\nstream\n");
    out.append(body);
    out.append("\nendstream");
    return out;
}

}  // namespace

PdfDocument::PdfDocument(QSize pixels, int dpi, const QString& title, const QString& creator)
    : pixels_(pixels),
      dpi_(std::max(dpi, 1)),
      title_(pdfString(title)),
      creator_(pdfString(creator)) {
    content_.reserve(4096);
    // Pixels to points, y upwards as the page has it: rectangles and glyphs are placed at
    // whole pixels counted from the bottom.
    const double pointsPerPixel = 72.0 / dpi_;
    appendExact(content_, pointsPerPixel);
    content_.append(" 0 0 ");
    appendExact(content_, pointsPerPixel);
    content_.append(" 0 0 cm\n");
}

void PdfDocument::fillColour(QRgb colour) {
    colour &= RGB_MASK;
    if (coloured_ && colour == colour_) {
        return;
    }
    endRects();
    appendChannel(content_, qRed(colour));
    content_.append(' ');
    appendChannel(content_, qGreen(colour));
    content_.append(' ');
    appendChannel(content_, qBlue(colour));
    content_.append(" rg\n");
    coloured_ = true;
    colour_ = colour;
}

void PdfDocument::endRects() {
    if (rectsOpen_) {
        content_.append("f\n");
        rectsOpen_ = false;
    }
}

void PdfDocument::rect(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb colour) {
    if (right <= left || bottom <= top) {
        return;
    }
    fillColour(colour);
    // Rectangles of one colour make one path, filled once.
    char line[128];
    char* p = line;
    const auto number = [&p](int64_t v) {
        p = std::to_chars(p, p + 24, v).ptr;
        *p++ = ' ';
    };
    number(left);
    number(pixels_.height() - bottom);
    number(right - left);
    number(bottom - top);
    p = std::copy_n("re\n", 3, p);
    content_.append(line, p - line);
    rectsOpen_ = true;
}

// The path and its fill. Qt keeps a font's quadratic curves as the cubic ones equal to them
// (control points two thirds of the way to the quadratic one), so each is written as it is.
QByteArray PdfDocument::shapeData(const QPainterPath& outline) const {
    if (outline.elementCount() == 0) {
        return {};
    }
    QByteArray d;
    const auto point = [&d](QPointF p) {
        appendHundredths(d, p.x());
        d.append(' ');
        appendHundredths(d, p.y());
        d.append(' ');
    };
    for (int i = 0; i < outline.elementCount(); ++i) {
        const QPainterPath::Element e = outline.elementAt(i);
        if (e.isMoveTo()) {
            point(e);
            d.append("m\n");
        } else if (e.isLineTo()) {
            point(e);
            d.append("l\n");
        } else if (e.isCurveTo() && i + 2 < outline.elementCount()) {
            point(e);
            point(outline.elementAt(i + 1));
            point(outline.elementAt(i + 2));
            i += 2;
            d.append("c\n");
        }
    }
    // Nonzero winding, as fonts' outlines are drawn (Qt's glyph paths say even-odd, which
    // would hollow out a glyph whose contours overlap).
    d.append("f\n");
    return d;
}

void PdfDocument::define(const QByteArray& id, const QByteArray& data) {
    shapes_.insert(id, data);
}

void PdfDocument::use(const QByteArray& id, double x, double y, QRgb colour) {
    fillColour(colour);
    endRects();
    const auto shape = shapes_.constFind(id);
    if (shape == shapes_.constEnd()) {
        return;
    }
    // The path is written again at every place rather than made a form: deflated, a repeat
    // costs a few bytes where a form costs its object (an EAN-13 came to 4,223 bytes with
    // forms, 2,804 without). The shape's y runs downwards, as the drawing's does.
    content_.append("q 1 0 0 -1 ");
    appendHundredths(content_, x);
    content_.append(' ');
    appendHundredths(content_, pixels_.height() - y);
    content_.append(" cm\n").append(*shape).append("Q\n");
}

QByteArray PdfDocument::finish() {
    endRects();
    // 1 catalogue, 2 page tree, 3 page, 4 its drawing, 5 information.
    std::vector<QByteArray> objects;
    objects.emplace_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.emplace_back("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    QByteArray page = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 ";
    // Under a millionth of a point less than the exact size, in integers: a reader that
    // multiplies it back to pixels in floating point and rounds up gets no column or row more
    // (154.32 pt at 300 dpi comes to 643.0000000000001 pixels).
    const auto below = [this](int pixels) { return (int64_t{pixels} * 72'000'000 - 1) / dpi_; };
    appendScaled(page, below(pixels_.width()), 6);
    page.append(' ');
    appendScaled(page, below(pixels_.height()), 6);
    page.append("] /Resources << >> /Contents 4 0 R >>");
    objects.push_back(std::move(page));
    objects.push_back(streamObject(content_));
    objects.push_back("<< /Title " + title_ + " /Creator " + creator_ + " >>");

    // The binary comment tells transfer programs the file is not text.
    QByteArray out("%PDF-1.4\n%\xE2\xE3\xCF\xD3\n");
    std::vector<qsizetype> offsets;
    for (size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(out.size());
        appendInt(out, static_cast<int64_t>(i + 1));
        out.append(" 0 obj\n").append(objects[i]).append("\nendobj\n");
    }
    const qsizetype xref = out.size();
    out.append("xref\n0 ");
    appendInt(out, static_cast<int64_t>(objects.size() + 1));
    // Every entry is exactly 20 bytes, its end of line included.
    out.append("\n0000000000 65535 f \n");
    char entry[21];
    for (const qsizetype offset : offsets) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
        out.append(entry, 20);
    }
    out.append("trailer\n<< /Size ");
    appendInt(out, static_cast<int64_t>(objects.size() + 1));
    out.append(" /Root 1 0 R /Info 5 0 R >>\nstartxref\n");
    appendInt(out, xref);
    out.append("\n%%EOF\n");
    return out;
}

}  // namespace strikon
