#include "color_panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace strikon {

ColorPanel::ColorPanel(QWidget* parent) : QFrame(parent) {
    // Raised outer bevel with a lowered inner one, as a colour button is drawn.
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    setFocusPolicy(Qt::NoFocus);
}

void ColorPanel::setColor(const QColor& color) {
    color_ = color;
    update();
    emit colorChanged(color_);
}

void ColorPanel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect inner = contentsRect().adjusted(1, 1, -1, -1);
    painter.fillRect(inner, color_);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(inner.adjusted(0, 0, -1, -1));
    painter.end();
    QFrame::paintEvent(event);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

}  // namespace strikon
