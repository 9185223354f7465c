// The GS1 page driven as a user drives it: keys into its fields, clicks on its buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/main_form.h"
#include "tests/support/decoders.h"
#include "ui_main_form.h"

namespace strikon {
namespace {

using testing::Read;

std::vector<Read> readAll(const QImage& image, testing::Symbology symbology, bool zbar) {
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const testing::GreyView view{grey.constBits(), grey.width(), grey.height(),
                                 static_cast<int32_t>(grey.bytesPerLine())};
    return zbar ? testing::readWithZbar(view, symbology) : testing::readWithZXing(view, symbology);
}

class MainFormGs1 : public ::testing::Test {
  protected:
    void SetUp() override {
        form.setScaleOverride(ScreenScale{8.0, 8.0});
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        ui().PageControl->setCurrentIndex(2);
    }
    Ui::TMainForm& ui() { return form.controls(); }
    QImage preview() {
        QImage image(ui().PaintBox->size(), QImage::Format_RGB32);
        QPainter painter(&image);
        form.PaintBoxPaint(painter);
        return image;
    }
    void type(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }

    TMainForm form;
};

// The GTIN typed with a wrong last digit, put right by the check-digit button; the lot, expiry
// and serial typed after it. Expected texts are the standard's examples written out by hand.
TEST_F(MainFormGs1, TypedDataDrawsASymbolTheDecodersRead) {
    EXPECT_EQ(ui().PageControl->tabText(2), "GS1");
    type(ui().GS1_Gtin, "9506000134350");
    QTest::mouseClick(ui().GS1CheckDigitButton, Qt::LeftButton);
    EXPECT_EQ(ui().GS1_Gtin->text(), "9506000134352");
    type(ui().GS1_Lot, "ABC123");
    type(ui().GS1_Expiry, "27x1231");  // the letter is refused by the field
    type(ui().GS1_Serial, "12345XYZ");

    struct Case {
        const char* type;
        testing::Symbology symbology;
        bool zbar;  // zbar reads no DataMatrix
        double pxPerMm;
        int rows;  // of the preview handed to the decoders
        const char* text;
    };
    const Case cases[] = {
        {"GS1-QR", testing::Symbology::QRCode, true, 8.0, 223,
         "https://id.gs1.org/01/09506000134352/10/ABC123/21/12345XYZ?17=271231"},
        // ZXing 1.4 loses the DataMatrix (the same matrix zint makes) under all four lines of
        // its text; it is given the symbol and the first line.
        {"GS1-DataMatrix", testing::Symbology::DataMatrix, false, 8.0, 150,
         "010950600013435217271231"
         "10ABC123\x1d"
         "2112345XYZ"},
        {"GS1-128", testing::Symbology::Code128, true, 4.0, 223,
         "010950600013435217271231"
         "10ABC123\x1d"
         "2112345XYZ"},
    };
    // Room for the GS1-128 of this data, 183 mm long.
    ui().PaintBox->resize(800, 223);
    for (const Case& c : cases) {
        ui().GS1_CodeType->setCurrentText(c.type);
        form.setScaleOverride(ScreenScale{c.pxPerMm, c.pxPerMm});
        EXPECT_TRUE(ui().GS1Notice->isHidden()) << c.type;
        const QImage image = preview().copy(0, 0, 800, c.rows);
        for (const bool zbar : {false, true}) {
            if (zbar && !c.zbar) {
                continue;
            }
            const std::vector<Read> reads = readAll(image, c.symbology, zbar);
            ASSERT_EQ(reads.size(), 1u) << c.type << (zbar ? " zbar" : " ZXing");
            EXPECT_EQ(reads[0].text, c.text) << c.type << (zbar ? " zbar" : " ZXing");
            // The Digital Link is a plain URI; the other two say they carry GS1 data.
            EXPECT_EQ(reads[0].gs1, c.symbology != testing::Symbology::QRCode) << c.type;
        }
    }
    // The resolver is the QR's alone.
    EXPECT_FALSE(ui().GS1_Resolver->isEnabled());
    EXPECT_EQ(ui().GS1_Module->minimum(), 0.495) << "GS1-128's range for logistics";
}

TEST_F(MainFormGs1, RefusedDataIsNamedBesideThePageAndDrawsNothing) {
    form.FormCreate(1049);
    type(ui().GS1_Gtin, "9506000134352");
    type(ui().GS1_Expiry, "271340");
    const QLabel& notice = *ui().GS1Notice;
    EXPECT_FALSE(notice.isHidden());
    EXPECT_EQ(notice.text(), "Символ не построен. (17): 271340 не является датой ГГММДД");
    form.SetLang("ENG");
    EXPECT_EQ(notice.text(), "No symbol is drawn. (17): 271340 is not a date YYMMDD");
    const QImage image = preview();
    const QColor window = form.palette().color(QPalette::Window);
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            ASSERT_EQ(image.pixelColor(x, y), window) << x << "," << y;
        }
    }
    EXPECT_TRUE(ui().OutputInfo->text().isEmpty());
    // Another page has its own symbol; the notice belongs to this one.
    ui().PageControl->setCurrentIndex(0);
    EXPECT_TRUE(notice.isHidden());
    ui().PageControl->setCurrentIndex(2);
    type(ui().GS1_Expiry, "271231");
    EXPECT_TRUE(notice.isHidden());
}

// The toolbar's Save button writes what the page shows, at the module GS1 allows in whole dots.
TEST_F(MainFormGs1, SaveAsWritesThePagesSymbol) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gs1.png"));
    CommandDialogs& dialogs = form.commandDialogs();
    dialogs.askSavePath = [&](QWidget*) { return SaveChoice{path, SymbolFileFormat::Png}; };
    QStringList warnings;
    dialogs.warn = [&](QWidget*, const QString& text) { warnings << text; };
    ui().GS1_CodeType->setCurrentText("GS1-DataMatrix");
    type(ui().GS1_Gtin, "09506000134352");
    type(ui().GS1_Lot, "LOT-7");
    ui().GS1_Module->setValue(0.6);
    // 0.6 mm at 300 dpi is 7.09 dots: 7 dots, 0.593 mm.
    EXPECT_TRUE(ui().OutputInfo->text().contains("0.593 mm = 7 dots at 300 dpi"))
        << ui().OutputInfo->text().toStdString();
    QTest::mouseClick(ui().SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    const QImage saved(path);
    ASSERT_FALSE(saved.isNull());
    const std::vector<Read> reads = readAll(saved, testing::Symbology::DataMatrix, false);
    ASSERT_EQ(reads.size(), 1u);
    EXPECT_EQ(reads[0].text,
              "0109506000134352"
              "10LOT-7");
    EXPECT_TRUE(reads[0].gs1);

    // Refused data writes nothing and the warning names the AI.
    type(ui().GS1_Expiry, "271340");
    QTest::mouseClick(ui().SpeedButton1, Qt::LeftButton);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].endsWith("(17): 271340 is not a date YYMMDD"))
        << warnings[0].toStdString();
}

}  // namespace
}  // namespace strikon
