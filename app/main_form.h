#pragma once
// The main window: three symbology pages, the tool buttons and menu, the colour panels, the
// language selector and the true-scale preview. It coordinates; the render dispatch, the
// language table, the input fields and the image commands live in their own files.

#include <QColor>
#include <QImage>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>

#include "app/image_commands.h"
#include "app/output_settings.h"
#include "app/page_symbol.h"
#include "encoders/surface.h"
#include "platform/screen_scale.h"

class QPainter;
class QColorDialog;

namespace Ui {
class TMainForm;
}

namespace strikon {

class TMainForm : public QMainWindow {
    Q_OBJECT
  public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    Ui::TMainForm& controls() { return *ui_; }

    // Applies "RUS" or "ENG" to every translated text and records it in CurrentLang.
    void SetLang(const QString& Lang);

    // What the active page describes, gathered from the displayed texts of its fields, in the
    // colours of the colour panels; nothing when the page names no known symbology. Read once
    // at each change (repaintPreview) and kept for the preview, the line under it and the
    // commands.
    const std::optional<SymbolRequest>& currentSymbol() const { return symbol_; }
    QColor lineColor() const;
    QColor backgroundColor() const;

    // The repaint of the preview, run by its paint event.
    void PaintBoxPaint(QPainter& painter);
    // Every change that affects the symbol comes here: reads the request anew, then repaints the
    // preview now, without waiting for the event loop.
    void repaintPreview();
    // Shows, in the band under the preview, that the screen gave no physical size, in the
    // current language; hides it when the size is known.
    void updateScreenNotice();
    // The symbol's size, module and whole-dot fit at the output resolution, under the preview.
    void updateOutputInfo();

    // Test seams: a fixed screen scale (logical pixels per millimetre), a colour chooser and a
    // language identifier instead of the real screen, dialog and locale.
    void setScaleOverride(std::optional<ScreenScale> scale) {
        scaleOverride_ = scale;
        updateScreenNotice();
    }
    ScreenScale previewScale() const;
    using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;
    void setColorChooser(ColorChooser chooser) { colorChooser_ = std::move(chooser); }
    QColor lastChosenColor() const { return lastChosenColor_; }
    // The dialogs, messages and document opener of the image commands.
    CommandDialogs& commandDialogs() { return dialogs_; }

    // The print-grade options and the resolution of the image commands, kept for the run.
    const OutputSettings& outputSettings() const { return outputSettings_; }
    void setOutputSettings(const OutputSettings& settings);
    // Runs the Output Settings dialog; by default modally. Tests set the controls instead.
    using SettingsDialogRunner = std::function<void(class OutputSettingsDialog& dialog)>;
    void setSettingsDialogRunner(SettingsDialogRunner runner) {
        settingsDialogRunner_ = std::move(runner);
    }

    // The image objects the image commands render into.
    QImage& bitmapImage() { return *bitmapImage_; }
    QImage& jpegImage() { return *jpegImage_; }

    // Creation handler; exposed so start-up can be replayed with another language identifier.
    void FormCreate(uint16_t userLangId);

  public slots:
    void SaveAsMIClick();
    void PrintMIClick();
    void PrintSheetMIClick();
    void OutputSettingsMIClick();
    void CopyMIClick();
    void ExportWordMIClick();
    void HelpMIClick();
    void AboutMIClick();
    void ExitMIClick();
    void LineColorBtnClick();
    void BackgroundColorBtnClick();
    void LangComboBoxChange();
    void EANUPC_CodeTypeChange();
    void EANUPC_AddOnTypeChange();
    void CheckDigitButtonClick();
    void ITF14CheckDigitButtonClick();
    void Gs1CodeTypeChange();
    void Gs1CheckDigitButtonClick();
    // Beside the page, why its GS1 data draws no symbol, in the current language; hidden when
    // it draws one or another page is shown.
    void updateGs1Notice();

  private:
    void setUpWindow();
    void setUpGs1Page();
    void wireGs1Page();
    void gs1PageTexts(PageTexts& page) const;
    void fitPreviewInsideFrame();
    void wireEvents();
    void applyLanguage(Language language);
    std::optional<SymbolRequest> readSymbol() const;
    std::optional<QColor> chooseColor();
    CommandContext commandContext();

    std::unique_ptr<Ui::TMainForm> ui_;
    std::optional<SymbolRequest> symbol_;
    std::unique_ptr<QImage> bitmapImage_;
    std::unique_ptr<QImage> jpegImage_;
    std::optional<ScreenScale> scaleOverride_;
    bool screenSizeUnknown_ = false;
    ColorChooser colorChooser_;
    QColorDialog* colorDialog_ = nullptr;
    QColor lastChosenColor_ = Qt::black;
    CommandDialogs dialogs_ = CommandDialogs::interactive();
    OutputSettings outputSettings_;
    SettingsDialogRunner settingsDialogRunner_;
};

// The windows of the running program, set at start-up and alive until it ends.
inline TMainForm* MainForm = nullptr;

// The render dispatch: reads the active page of MainForm and calls its encoder.
void DrawBarcode(Surface* Surface, Rect& Bounds, double OffsetX, double OffsetY, double PxPerMmX,
                 double PxPerMmY);

}  // namespace strikon
