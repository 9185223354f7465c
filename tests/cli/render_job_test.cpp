// What a valid set of options turns into: the request the encoders get, the check digit as
// the window's buttons would compute it, the warning for a wrong one, colours and defaults.
#include <gtest/gtest.h>

#include <cstring>

#include "cli/command_line.h"
#include "cli/render_job.h"

namespace strikon::cli {
namespace {

OptionValues symbol(const char* type, const char* digits) {
    OptionValues v;
    v.type = QString::fromUtf8(type);
    v.digits = QString::fromUtf8(digits);
    v.output = QStringLiteral("out.png");
    return v;
}

RenderJob build(const OptionValues& v) {
    const JobResult r = buildJob(v);
    EXPECT_TRUE(r.ok) << r.error.toStdString();
    return r.value;
}

TEST(RenderJob, DefaultsAreSize100At300DpiBlackOnWhite) {
    const RenderJob job = build(symbol("EAN-13", "4006381333931"));
    EXPECT_EQ(job.symbol.symbology, Symbology::EAN13);
    EXPECT_EQ(job.symbol.addOn, AddOn::None);
    EXPECT_EQ(job.symbol.digits, "4006381333931");
    EXPECT_EQ(job.symbol.sizePercent, 100);
    EXPECT_EQ(job.dpi, 300);
    EXPECT_EQ(job.symbol.lineColor, QColor(Qt::black));
    EXPECT_EQ(job.symbol.backgroundColor, QColor(Qt::white));
    EXPECT_EQ(job.format, SymbolFileFormat::Png);
    EXPECT_TRUE(job.warning.isEmpty());
}

TEST(RenderJob, AddOnDigitsAreKeptApartAndNameTheirKind) {
    OptionValues v = symbol("upc-a", "0 36000 29145 2");
    v.addon = QStringLiteral("12 345");
    const RenderJob five = build(v);
    EXPECT_EQ(five.symbol.symbology, Symbology::UPCA);  // the type's case and dash are optional
    EXPECT_EQ(five.symbol.addOn, AddOn::FiveDigit);
    EXPECT_EQ(five.symbol.digits, "036000291452");
    EXPECT_EQ(five.symbol.addOnDigits, "12345");
    v.addon = QStringLiteral("07");
    EXPECT_EQ(build(v).symbol.addOn, AddOn::TwoDigit);
    v.addon = QStringLiteral(" ");  // an empty batch cell: no add-on
    EXPECT_EQ(build(v).symbol.addOn, AddOn::None);
}

TEST(RenderJob, Itf14TakesItsOwnSizes) {
    OptionValues v = symbol("ITF14", "1 54 00141 28876 3");
    v.size = QStringLiteral("25");
    const RenderJob job = build(v);
    EXPECT_EQ(job.symbol.symbology, Symbology::ITF14);
    EXPECT_EQ(job.symbol.digits, "15400141288763");
    EXPECT_EQ(job.symbol.sizePercent, 25);
}

TEST(RenderJob, CheckDigitIsComputedPerSymbologyAndAWrongOneOnlyWarns) {
    const struct {
        const char* type;
        const char* wrong;
        const char* right;
    } cases[] = {
        {"EAN-13", "4006381333930", "4006381333931"},
        {"EAN-8", "96385070", "96385074"},
        {"UPC-A", "036000291459", "036000291452"},
        // Computed over the expanded form 04210000526(4), not over the eight digits.
        {"UPC-E", "04252610", "04252614"},
        {"ITF-14", "15400141288760", "15400141288763"},
    };
    for (const auto& c : cases) {
        OptionValues v = symbol(c.type, c.wrong);
        v.checkDigit = QStringLiteral("yes");
        const RenderJob corrected = build(v);
        EXPECT_EQ(corrected.symbol.digits, c.right) << c.type;
        EXPECT_TRUE(corrected.warning.isEmpty()) << c.type;

        v.checkDigit.reset();
        const RenderJob asGiven = build(v);
        EXPECT_EQ(asGiven.symbol.digits, c.wrong) << c.type;
        EXPECT_EQ(asGiven.warning.toStdString(),
                  std::string("warning: the check digit of ") + c.type + " " + c.wrong +
                      " should be " + c.right[std::strlen(c.right) - 1] +
                      "; drawn as given (--check-digit corrects it)");

        v.digits = QString::fromLatin1(c.right);
        EXPECT_TRUE(build(v).warning.isEmpty()) << c.type;
    }
}

TEST(RenderJob, ColoursByHexOrSvgName) {
    OptionValues v = symbol("EAN-8", "96385074");
    v.lineColor = QStringLiteral("navy");
    v.background = QStringLiteral("#FfEe01");
    const RenderJob job = build(v);
    EXPECT_EQ(job.symbol.lineColor, QColor(0, 0, 128));
    EXPECT_EQ(job.symbol.backgroundColor, QColor(0xff, 0xee, 0x01));
    // A name is the whole text, not the part Qt reads before a NUL or a character it cannot spell.
    for (const QString& name :
         {QStringLiteral("navy\u4E2D"), QStringLiteral("red\u20ACgarbage"),
          QStringLiteral("navy") + QChar(0) + QStringLiteral("junk"), QStringLiteral("na vy")}) {
        v.lineColor = name;
        const JobResult refused = buildJob(v);
        EXPECT_FALSE(refused.ok) << name.toStdString();
        EXPECT_TRUE(refused.error.startsWith(QStringLiteral("--line-color: expects #RRGGBB")))
            << refused.error.toStdString();
    }
}

// A scanner reads in red light: red bars vanish, green and blue ones stay dark.
TEST(RenderJob, ColoursAScannerCannotTellApartOnlyWarn) {
    struct Case {
        const char* line;
        const char* background;
        const char* warning;  // "" for none
    };
    const Case cases[] = {
        {"white", "white",
         "warning: line colour #ffffff on background #ffffff has a print contrast of 0 % in a "
         "scanner's red light, below the 75 % a scanner needs; written as asked"},
        {"red", "white",
         "warning: line colour #ff0000 on background #ffffff has a print contrast of 0 % in a "
         "scanner's red light, below the 75 % a scanner needs; written as asked"},
        {"#999999", "white",
         "warning: line colour #999999 on background #ffffff has a print contrast of 68 % in a "
         "scanner's red light, below the 75 % a scanner needs; written as asked"},
        {"black", "navy",
         "warning: line colour #000000 on background #000080 has a print contrast of 0 % in a "
         "scanner's red light, below the 75 % a scanner needs; written as asked"},
        {"navy", "white", ""},
        {"green", "white", ""},
        {"black", "yellow", ""},
        {"#808080", "white", ""},
    };
    for (const Case& c : cases) {
        OptionValues v = symbol("EAN-8", "96385074");
        v.lineColor = QString::fromUtf8(c.line);
        v.background = QString::fromUtf8(c.background);
        EXPECT_EQ(build(v).warning.toStdString(), c.warning) << c.line << " on " << c.background;
    }
}

TEST(RenderJob, OutputFormatFollowsTheExtensionInAnyCase) {
    OptionValues v = symbol("EAN-8", "96385074");
    using F = SymbolFileFormat;
    const struct {
        const char* path;
        F format;
        bool toStdout;
    } cases[] = {
        {"a.bmp", F::Bmp, false},   {"a.JPG", F::Jpeg, false},
        {"a.jpeg", F::Jpeg, false}, {"dir.v2/a.Png", F::Png, false},
        {"a.svg", F::Svg, false},   {"a.pdf", F::Pdf, false},
        {"-", F::Png, true},
    };
    for (const auto& c : cases) {
        v.output = QString::fromLatin1(c.path);
        const RenderJob job = build(v);
        EXPECT_EQ(job.format, c.format) << c.path;
        EXPECT_EQ(job.toStdout(), c.toStdout) << c.path;
    }
}

TEST(RenderJob, PrintGradeOptionsReachTheRequest) {
    const struct {
        const char* args;  // after --type EAN-13 --digits ... --output out.png
        OutputOptions expected;
    } cases[] = {
        {"", {}},
        {"--bar-reduction 0.085 --fit-dots --quiet-zone-marks", {0.085, true, 0, true}},
        {"--bar-reduction=0.1 --fit-dots=no --quiet-zone-marks=yes", {0.1, false, 0, true}},
        {"--bar-reduction 0", {}},
    };
    for (const auto& c : cases) {
        QStringList args{"--type", "EAN-13", "--digits", "4006381333931", "--output", "out.png"};
        args += QString::fromLatin1(c.args).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const CommandLineResult line = parseCommandLine(args);
        ASSERT_TRUE(line.ok) << line.error.toStdString();
        EXPECT_EQ(build(line.value.values).symbol.output, c.expected) << c.args;
    }
}

}  // namespace
}  // namespace strikon::cli
