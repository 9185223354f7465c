// The preview: measure the symbol, centre it to the nearest millimetre, draw it.
#include <QPainter>

#include "app/current_lang.h"
#include "app/language_table.h"
#include "app/scan_notices.h"
#include "main_form.h"
#include "render/draw_symbol.h"
#include "render/symbol_image.h"
#include "surface/device_pixels.h"
#include "surface/qt_surface.h"
#include "ui_main_form.h"

namespace strikon {

std::optional<SymbolRequest> TMainForm::readSymbol() const {
    PageTexts page;
    page.caption = ui_->PageControl->tabText(ui_->PageControl->currentIndex());
    if (page.caption == kEanUpcPage) {
        page.codeType = ui_->EANUPC_CodeType->currentText();
        page.addOnType = ui_->EANUPC_AddOnType->currentText();
        page.code = ui_->EANUPC_CodeValue->displayText();
        // The encoder decides from the add-on type whether to read the add-on field.
        page.addOn = ui_->EANUPC_AddOnValue->displayText();
        page.sizePercent = ui_->EANUPC_Size->value();
    } else if (page.caption == kItf14Page) {
        page.code = ui_->ITF14_CodeValue->displayText();
        page.sizePercent = ui_->ITF14_Size->value();
    } else if (page.caption == kGs1Page) {
        gs1PageTexts(page);
    }
    std::optional<SymbolRequest> request = pageSymbol(page);
    if (request) {
        request->lineColor = lineColor();
        request->backgroundColor = backgroundColor();
        request->output = outputSettings_.options;
    }
    return request;
}

QColor TMainForm::lineColor() const {
    return ui_->LineColorBtn->color();
}

QColor TMainForm::backgroundColor() const {
    return ui_->BackgroundColorBtn->color();
}

ScreenScale TMainForm::previewScale() const {
    return scaleOverride_ ? *scaleOverride_ : screenScaleFor(*this);
}

void TMainForm::repaintPreview() {
    symbol_ = readSymbol();
    ui_->PaintBox->repaint();
    updateOutputInfo();
    updateGs1Notice();
}

void TMainForm::updateOutputInfo() {
    ui_->OutputInfo->setText(
        symbol_ ? symbolSizeLine(*symbol_, outputSettings_.dpi, currentLanguage()) : QString());
    // What may keep the symbol from scanning, at the resolution of Save As and as the press
    // prints it: the band under the preview says it while the user types.
    QString notices;
    if (symbol_) {
        const ScanReport report =
            scanCheck(*symbol_, outputSettings_.dpi / kMmPerInch, outputSettings_.inkSpreadMm);
        notices = noticeSentences(*symbol_, report, currentLanguage());
    }
    ui_->ScanNotice->setText(notices);
    ui_->ScanNotice->setToolTip(notices);
    ui_->ScanNotice->setVisible(!notices.isEmpty());
}

void TMainForm::PaintBoxPaint(QPainter& painter) {
    // Everything below is in device pixels, so each bar is whole device columns and the
    // symbol's size on the glass is its size in millimetres, at any scale factor.
    painter.save();
    const double ratio = devicePixelRatioOf(painter);
    const QSize device = useDevicePixels(painter, ui_->PaintBox->size());
    {
        QtSurface surface(painter);
        surface.setLineColor(lineColor());
        surface.setBackgroundColor(palette().color(QPalette::Window));
        const int width = device.width();
        const int height = device.height();
        surface.fillRect(Rect{0, 0, width, height});
        surface.setBackgroundColor(backgroundColor());

        const ScreenScale scale = deviceScale(previewScale(), ratio);
        Rect measured{0, 0, width, height};
        DrawBarcode(nullptr, measured, 0.0, 0.0, scale.x, scale.y);
        const double offsetX = centringOffset(width, measured.right, scale.x);
        const double offsetY = centringOffset(height, measured.bottom, scale.y);
        Rect drawn;
        DrawBarcode(&surface, drawn, offsetX, offsetY, scale.x, scale.y);
        if (scale.sizeUnknown != screenSizeUnknown_) {
            // The window may have moved to another screen; the notice follows after the paint.
            QMetaObject::invokeMethod(this, &TMainForm::updateScreenNotice, Qt::QueuedConnection);
        }
    }
    painter.restore();
}

void TMainForm::updateScreenNotice() {
    screenSizeUnknown_ = previewScale().sizeUnknown;
    ui_->ScreenNotice->setText(kScreenSizeUnknown.in(currentLanguage()));
    ui_->ScreenNotice->setVisible(screenSizeUnknown_);
}

void DrawBarcode(Surface* Surface, Rect& Bounds, double OffsetX, double OffsetY, double PxPerMmX,
                 double PxPerMmY) {
    if (MainForm == nullptr) {
        return;
    }
    // A page that describes no symbol leaves Bounds as it was.
    if (std::optional<SymbolRequest> request = MainForm->currentSymbol()) {
        // The preview shows the size the saved pictures get, fitted to their dots.
        request->output.fitPxPerMm = MainForm->outputSettings().dpi / kMmPerInch;
        renderSymbol(*request, Surface, Bounds, OffsetX, OffsetY, PxPerMmX, PxPerMmY);
    }
}

}  // namespace strikon
