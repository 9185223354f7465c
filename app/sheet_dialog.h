#pragma once
// File > Print Sheet: a sheet of labels, copies of the window's symbol or a numbered run from
// its digits, laid out on a built-in or custom label sheet, shown in a print preview before
// it goes to the printer or a PDF file.

#include <QDialog>
#include <functional>
#include <memory>

#include <optional>
#include "app/image_commands.h"

#include "render/label_templates.h"
#include "render/print_sheet.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace strikon {

class SheetPicture;
class SheetProducts;

class SheetDialog : public QDialog {
  public:
    // Shows the preview of `printer`, calling `paint` for the preview and again for the
    // printer the user prints to; replaceable so that tests print straight to a PDF file.
    using Preview = std::function<void(QWidget* parent, QPrinter& printer,
                                       const std::function<void(QPrinter*)>& paint)>;
    static Preview interactivePreview();

    // The label stock by maker's code comes from the templates in templateFolder().
    SheetDialog(const SymbolRequest& symbol, Language language, QWidget* parent,
                Preview preview = interactivePreview());

    ~SheetDialog() override;

    struct Choice {
        SheetContent content;
        SheetFault fault;  // the first fault of the fields; none when the sheet can be printed
    };
    // What the fields describe now, on the printer's page when that is the paper chosen.
    Choice choice() const;

    // The printer the sheet goes to first; its page is "the printer's page".
    QPrinter& printer() { return *printer_; }

    // The preview, then the printer; faults are shown in the dialog.
    void previewAndPrint();

    // The fields as the user left them.
    struct Kept {
        int layout = -1;  // none kept yet
        int paper = 0;
        int columns = 1;
        int rows = 1;
        double mm[6] = {};
        bool run = false;
        int count = 1;
        int step = 1;
        int skip = 0;
        bool dualMarking = false;
    };
    // Fills the fields from `store` and puts them back there when the dialog closes: Print
    // Sheet keeps the sheet, custom layout, run, step and skip for the run, as Save As keeps
    // its folder.
    void keepChoicesIn(Kept& store);
    // Called when the user takes whole-dot modules here, so that the window keeps them.
    void setUseWholeDots(std::function<void()> use) { useWholeDots_ = std::move(use); }
    // The grade at the printer's resolution, and the button that offers whole-dot modules.
    QLabel* gradeLabel() const { return grade_; }
    QPushButton* wholeDotsButton() const { return wholeDots_; }
    // The symbol the labels are made of, with the options taken here.
    const SymbolRequest& symbol() const { return symbol_; }
    // The grade again, at the printer's resolution now.
    void updateGrade();

  private:
    void restoreChoices(const Kept& kept);

    QString text(const Wording& wording) const;
    void buildFields();
    void addProductRows(QFormLayout& form);
    void addSheetRows(QFormLayout& form);
    void addMeasureRows(QFormLayout& form);
    void addLabelRows(QFormLayout& form);
    QDialogButtonBox* buttonRow();
    void connectFields();
    void layoutChosen();
    void productChosen();
    void showProductNote();
    void refresh();
    void setUpPage();
    void useWholeDots();
    SheetLayout fieldsLayout() const;

    SymbolRequest symbol_;
    Language language_;
    Preview preview_;
    std::unique_ptr<QPrinter> printer_;
    SheetProducts* products_ = nullptr;
    QLabel* productNote_ = nullptr;
    // The maker's product chosen last; the layout list's last item while there is one.
    std::optional<LabelProduct> product_;
    QComboBox* layoutList_ = nullptr;
    QComboBox* paperList_ = nullptr;
    QPushButton* pageSetup_ = nullptr;
    QSpinBox* columns_ = nullptr;
    QSpinBox* rows_ = nullptr;
    QDoubleSpinBox* mm_[6] = {};  // width, height, left, top, horizontal and vertical pitch
    QRadioButton* copies_ = nullptr;
    QRadioButton* run_ = nullptr;
    QSpinBox* count_ = nullptr;
    QSpinBox* step_ = nullptr;
    QSpinBox* skip_ = nullptr;
    QCheckBox* dualMarking_ = nullptr;  // GS1-QR only
    SheetPicture* picture_ = nullptr;
    QLabel* fault_ = nullptr;
    QPushButton* print_ = nullptr;
    Kept* kept_ = nullptr;
    QLabel* grade_ = nullptr;
    QPushButton* wholeDots_ = nullptr;
    std::function<void()> useWholeDots_;
};

// Opens the dialog over the window for the current symbol, or says there is none.
void printSheetOf(const CommandContext& context, const CommandDialogs& dialogs);

}  // namespace strikon
