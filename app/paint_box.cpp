#include "paint_box.h"

#include <QPainter>

namespace strikon {

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
    // Every pixel is painted by the handler; Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent*) {
    if (!paintHandler_) {
        return;
    }
    QPainter painter(this);
    paintHandler_(painter);
}

}  // namespace strikon
