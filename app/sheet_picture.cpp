#include "app/sheet_picture.h"

#include <QPainter>
#include <algorithm>

namespace strikon {

SheetPicture::SheetPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(170, 230);
}

void SheetPicture::show(const SheetLayout& layout, int skipped, int filled, bool valid) {
    layout_ = layout;
    skipped_ = skipped;
    filled_ = filled;
    valid_ = valid;
    update();
}

void SheetPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QSizeF paper = layout_.paperMm();
    const double scale = std::min((width() - 2) / paper.width(), (height() - 2) / paper.height());
    painter.translate((width() - paper.width() * scale) / 2,
                      (height() - paper.height() * scale) / 2);
    painter.scale(scale, scale);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(QPointF(0, 0), paper));
    // A layout that breaks a rule is still drawn, in red, so the fault can be seen.
    const QColor outline = valid_ ? QColor(90, 90, 90) : QColor(200, 0, 0);
    for (int slot = 0; slot < layout_.labelsPerPage() && slot < 10000; ++slot) {
        QColor fill = Qt::white;
        if (slot < skipped_) {
            fill = QColor(200, 200, 200);
        } else if (slot < skipped_ + filled_) {
            fill = QColor(190, 215, 245);
        }
        painter.setPen(QPen(outline, 0));
        painter.setBrush(fill);
        const QRectF label = layout_.labelRectMm(slot);
        if (layout_.shape == LabelShape::Rectangle) {
            painter.drawRect(label);
            continue;
        }
        if (layout_.shape != LabelShape::Disc) {
            painter.drawEllipse(label);
            continue;
        }
        // A disc cut straight at its sides (business-card discs) keeps its full diameter.
        const double diameter = std::max(label.width(), label.height());
        painter.save();
        painter.setClipRect(label);
        painter.drawEllipse(QRectF(label.center() - QPointF(diameter / 2, diameter / 2),
                                   QSizeF(diameter, diameter)));
        painter.restore();
        if (layout_.holeMm > 0) {
            painter.setBrush(Qt::white);
            const double hole = layout_.holeMm;
            painter.drawEllipse(
                QRectF(label.center() - QPointF(hole / 2, hole / 2), QSizeF(hole, hole)));
        }
    }
}

}  // namespace strikon
