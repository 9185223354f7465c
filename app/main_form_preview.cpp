// The preview: measure the symbol, centre it to the nearest millimetre, draw it.
#include <QPainter>

#include "main_form.h"
#include "platform/surface/qt_surface.h"
#include "render/draw_symbol.h"
#include "ui_main_form.h"

namespace strikon {

std::optional<SymbolRequest> TMainForm::currentSymbol() const {
    PageTexts page;
    page.caption = ui->PageControl->tabText(ui->PageControl->currentIndex());
    if (page.caption == kEanUpcPage) {
        page.codeType = ui->EANUPC_CodeType->currentText();
        page.addOnType = ui->EANUPC_AddOnType->currentText();
        page.code = ui->EANUPC_CodeValue->displayText();
        // The encoder decides from the add-on type whether to read the add-on field.
        page.addOn = ui->EANUPC_AddOnValue->displayText();
        page.sizePercent = ui->EANUPC_Size->value();
    } else if (page.caption == kItf14Page) {
        page.code = ui->ITF14_CodeValue->displayText();
        page.sizePercent = ui->ITF14_Size->value();
    }
    std::optional<SymbolRequest> request = pageSymbol(page);
    if (request) {
        request->lineColor = lineColor();
        request->backgroundColor = backgroundColor();
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
    // A page that describes no symbol leaves Bounds as it was.
    if (const std::optional<SymbolRequest> request = MainForm->currentSymbol()) {
        renderSymbol(*request, Surface, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    }
}

}  // namespace strikon
