// The preview: measure the symbol, centre it to the nearest millimetre, draw it.
#include <QPainter>

#include "main_form.h"
#include "platform/surface/qt_surface.h"
#include "ui_main_form.h"

namespace strikon {

SymbolRequest TMainForm::currentSymbol() const {
    SymbolRequest request;
    request.pageCaption = ui->PageControl->tabText(ui->PageControl->currentIndex());
    if (request.pageCaption == kEanUpcPage) {
        request.codeType = ui->EANUPC_CodeType->currentText().toStdString();
        request.addOnType = ui->EANUPC_AddOnType->currentText().toStdString();
        // The add-on field's digits are appended whether it is shown or not; the encoder
        // decides from the add-on type whether to read them.
        request.digits = gatherDigits(ui->EANUPC_CodeValue->displayText()) +
                         gatherDigits(ui->EANUPC_AddOnValue->displayText());
        request.sizePercent = static_cast<uint16_t>(ui->EANUPC_Size->value());
    } else if (request.pageCaption == kItf14Page) {
        request.digits = gatherDigits(ui->ITF14_CodeValue->displayText());
        request.sizePercent = static_cast<uint16_t>(ui->ITF14_Size->value());
    }
    return request;
}

QColor TMainForm::lineColor() const {
    return ui->LineColorBtn->color();
}

QColor TMainForm::backgroundColor() const {
    return ui->BackgroundColorBtn->color();
}

ScreenScale TMainForm::previewScale() const {
    return scaleOverride_ ? *scaleOverride_ : screenScaleFor(*this);
}

void TMainForm::repaintPreview() {
    ui->PaintBox->repaint();
}

void TMainForm::PaintBoxPaint(QPainter& painter) {
    QtSurface surface(painter);
    surface.setLineColor(lineColor());
    surface.setBackgroundColor(palette().color(QPalette::Window));
    const int width = ui->PaintBox->width();
    const int height = ui->PaintBox->height();
    surface.fillRect(Rect{0, 0, width, height});
    surface.setBackgroundColor(backgroundColor());

    const ScreenScale scale = previewScale();
    Rect measured{0, 0, width, height};
    DrawBarcode(nullptr, measured, 0.0, 0.0, scale.x, scale.y);
    const double offsetX = centringOffset(width, measured.right, scale.x);
    const double offsetY = centringOffset(height, measured.bottom, scale.y);
    Rect drawn;
    DrawBarcode(&surface, drawn, offsetX, offsetY, scale.x, scale.y);
}

void DrawBarcode(Surface* Surface, Rect& Bounds, double OffsetX, double OffsetY, double PxPerMmX,
                 double PxPerMmY) {
    if (MainForm == nullptr) {
        return;
    }
    renderSymbol(MainForm->currentSymbol(), Surface, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
}

}  // namespace strikon
