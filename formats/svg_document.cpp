#include "formats/svg_document.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace strikon {

namespace {

// A number as short as it can be written: at most two decimals, no trailing zeros, no
// leading zero before the point.
void appendNumber(QByteArray& out, double v) {
    long long hundredths = std::llround(v * 100.0);
    if (hundredths < 0) {
        out.append('-');
        hundredths = -hundredths;
    }
    const long long whole = hundredths / 100;
    const int frac = static_cast<int>(hundredths % 100);
    if (whole != 0 || frac == 0) {
        out.append(QByteArray::number(whole));
    }
    if (frac != 0) {
        char digits[4];
        const int n = frac % 10 == 0 ? std::snprintf(digits, sizeof digits, ".%d", frac / 10)
                                     : std::snprintf(digits, sizeof digits, ".%02d", frac);
        out.append(digits, n);
    }
}

// Whether the number that ends `out` has a decimal point: a point then starts a new one.
bool endsInFraction(const QByteArray& out) {
    qsizetype i = out.size();
    while (i > 0 && out[i - 1] >= '0' && out[i - 1] <= '9') {
        --i;
    }
    return i > 0 && out[i - 1] == '.';
}

// Separates two numbers where the second does not start with its own sign, or with a point
// after a number that has one.
void appendNext(QByteArray& out, double v) {
    QByteArray n;
    appendNumber(n, v);
    if (!n.startsWith('-') && !(n.startsWith('.') && endsInFraction(out))) {
        out.append(' ');
    }
    out.append(n);
}

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

QByteArray hex(QRgb c) {
    char s[8];
    std::snprintf(s, sizeof s, "#%02x%02x%02x", qRed(c), qGreen(c), qBlue(c));
    return QByteArray(s, 7);
}

// Millimetres to a millionth, cut rather than rounded: a reader that sizes its picture by
// rounding the pixels up then gets no column or row more than the drawing has.
QByteArray mm(double v) {
    QByteArray n = QByteArray::number(std::floor(v * 1e6) / 1e6, 'f', 6);
    while (n.endsWith('0')) {
        n.chop(1);
    }
    if (n.endsWith('.')) {
        n.chop(1);
    }
    return n + "mm";
}

}  // namespace

QByteArray svgPathData(const QPainterPath& path) {
    QByteArray d;
    QPointF at;     // where the pen is, as the reader rounds it
    QPointF start;  // of the current subpath
    const auto rel = [&](QPointF p) {
        // Relative to the rounded pen, so that rounding errors do not add up along the path.
        const QPointF r = p - at;
        return QPointF(std::round(r.x() * 100.0) / 100.0, std::round(r.y() * 100.0) / 100.0);
    };
    char last = 0;
    const auto command = [&](char c) {
        if (c != last) {
            d.append(c);
            last = c;
            return true;
        }
        return false;
    };
    const auto point = [&](QPointF p, bool first) {
        if (first) {
            appendNumber(d, p.x());
        } else {
            appendNext(d, p.x());
        }
        appendNext(d, p.y());
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            if (i > 0) {
                d.append('z');
                last = 'z';
                at = start;
            }
            const QPointF r = rel(e);
            point(r, command('m'));
            last = 'l';  // numbers after a moveto are linetos
            at += r;
            start = at;
        } else if (e.isLineTo()) {
            const QPointF r = rel(e);
            point(r, command('l'));
            at += r;
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPointF c1 = path.elementAt(i);
            const QPointF c2 = path.elementAt(i + 1);
            const QPointF end = path.elementAt(i + 2);
            i += 2;
            // Qt raises a quadratic (control q) to c1 = p0 + 2/3 (q - p0), c2 = end + 2/3 (q -
            // end).
            const QPointF q1 = at + (c1 - at) * 1.5;
            const QPointF q2 = end + (c2 - end) * 1.5;
            if (std::abs(q1.x() - q2.x()) < 0.01 && std::abs(q1.y() - q2.y()) < 0.01) {
                const QPointF rq = rel(q1);
                const bool first = command('q');
                point(rq, first);
                const QPointF r = rel(end);
                point(r, false);
                at += r;
            } else {
                const bool first = command('c');
                point(rel(c1), first);
                point(rel(c2), false);
                const QPointF r = rel(end);
                point(r, false);
                at += r;
            }
        }
    }
    if (!d.isEmpty()) {
        d.append('z');
    }
    return d;
}

SvgDocument::SvgDocument(QSize viewBox, QSizeF sizeMm, const QString& title) {
    head_ =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" "
        "xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\" width=\"" +
        mm(sizeMm.width()) + "\" height=\"" + mm(sizeMm.height()) + "\" viewBox=\"0 0 " +
        QByteArray::number(viewBox.width()) + ' ' + QByteArray::number(viewBox.height()) +
        "\" shape-rendering=\"crispEdges\">\n<title>" + escaped(title) + "</title>\n";
    body_.reserve(4096);
}

void SvgDocument::fill(QRgb colour) {
    colour &= RGB_MASK;
    if (inGroup_ && colour == colour_) {
        return;
    }
    if (inGroup_) {
        body_.append("</g>\n");
    }
    body_.append("<g fill=\"").append(hex(colour)).append("\">\n");
    inGroup_ = true;
    colour_ = colour;
}

void SvgDocument::rect(int64_t left, int64_t top, int64_t right, int64_t bottom, QRgb colour) {
    if (right <= left || bottom <= top) {
        return;
    }
    fill(colour);
    // Written into one buffer and appended once: each QByteArray append is a general insert,
    // which cost a third of an SVG's time with a dozen of them a bar.
    char line[160];
    char* p = line;
    const auto put = [&p](std::string_view text) { p = std::copy(text.begin(), text.end(), p); };
    const auto number = [&p](int64_t v) { p = std::to_chars(p, p + 24, v).ptr; };
    put("<rect x=\"");
    number(left);
    put("\" y=\"");
    number(top);
    put("\" width=\"");
    number(right - left);
    put("\" height=\"");
    number(bottom - top);
    put("\"/>\n");
    body_.append(line, p - line);
}

QByteArray SvgDocument::shapeData(const QPainterPath& outline) const {
    return svgPathData(outline);
}

void SvgDocument::define(const QByteArray& id, const QByteArray& pathData) {
    // Bars keep crisp edges at any scale; glyphs are smoothed, as other outputs draw text.
    defs_.append("<path id=\"" + id + "\" shape-rendering=\"geometricPrecision\" d=\"" + pathData +
                 "\"/>\n");
}

void SvgDocument::use(const QByteArray& id, double x, double y, QRgb colour) {
    fill(colour);
    body_.append("<use xlink:href=\"#").append(id).append("\" x=\"");
    appendNumber(body_, x);
    body_.append("\" y=\"");
    appendNumber(body_, y);
    body_.append("\"/>\n");
}

QByteArray SvgDocument::finish() {
    QByteArray out = std::move(head_);
    if (!defs_.isEmpty()) {
        out.append("<defs>\n" + defs_ + "</defs>\n");
    }
    out.append(body_);
    if (inGroup_) {
        out.append("</g>\n");
    }
    out.append("</svg>\n");
    return out;
}

}  // namespace strikon
