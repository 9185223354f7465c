#include "render/pdf_media_box.h"

#include <QRegularExpression>

namespace strikon {

namespace {

// Up to four decimals (a 30 nm step), no trailing zeros: short enough to fit where Qt wrote
// two numbers with six decimals each.
QByteArray number(double value) {
    QByteArray text = QByteArray::number(value, 'f', 4);
    while (text.endsWith('0')) {
        text.chop(1);
    }
    if (text.endsWith('.')) {
        text.chop(1);
    }
    return text == "-0" ? QByteArray("0") : text;
}

}  // namespace

bool setExactMediaBox(QByteArray& pdf, QSizeF sizePt) {
    static const QRegularExpression box(
        QStringLiteral(R"(/MediaBox \[(0 0 ([0-9.]+) ([0-9.]+))\])"));
    const QString text = QString::fromLatin1(pdf);
    QRegularExpressionMatchIterator it = box.globalMatch(text);
    if (!it.hasNext()) {
        return false;
    }
    const QRegularExpressionMatch match = it.next();
    if (it.hasNext()) {
        return false;
    }
    bool ok = false;
    const double wholeHeight = match.captured(3).toDouble(&ok);
    if (!ok) {
        return false;
    }
    QByteArray exact = "0 " + number(wholeHeight - sizePt.height()) + ' ' + number(sizePt.width()) +
                       ' ' + number(wholeHeight);
    const qsizetype room = match.capturedLength(1);
    if (exact.size() > room) {
        return false;
    }
    exact.append(QByteArray(room - exact.size(), ' '));
    // The text is Latin-1, so its character positions are byte positions.
    pdf.replace(match.capturedStart(1), room, exact);
    return true;
}

}  // namespace strikon
