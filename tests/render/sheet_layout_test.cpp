// Layouts as the user writes them, and the numbers of a run, against figures worked out by hand.
#include <gtest/gtest.h>

#include "render/numbered_run.h"
#include "render/sheet_layout.h"

namespace strikon {
namespace {

struct LayoutCase {
    const char* text;
    SheetPaper paper;
    QRectF lastLabel;   // where the last label of a page lies, in mm; unused for a refusal
    const char* error;  // the start of the refusal, or nullptr
};

TEST(SheetLayout, BuiltInCustomAndBadLayouts) {
    const LayoutCase cases[] = {
        {"a4-3x8", SheetPaper::A4, {140, 259.5, 70, 37}, nullptr},
        {"A4, 3 \u00D7 8, 70 \u00D7 37 mm", SheetPaper::Letter, {140, 259.5, 70, 37}, nullptr},
        {"A4-2x7", SheetPaper::A4, {106.25, 243.75, 99.1, 38.1}, nullptr},
        {"Letter, 3 x 10, 66.7 x 25.4 mm", SheetPaper::A4, {144.5, 241.3, 66.7, 25.4}, nullptr},
        // Touching and centred: (210 - 100) / 2 = 55, (297 - 90) / 2 = 103.5.
        {"2x3,50x30", SheetPaper::A4, {105, 163.5, 50, 30}, nullptr},
        {"2x3,50x30", SheetPaper::Letter, {107.95, 154.7, 50, 30}, nullptr},
        {"2x2, 50x30, 10, 20, 60, 40", SheetPaper::A4, {70, 60, 50, 30}, nullptr},
        {"4x8,70x37", SheetPaper::A4, {}, "labels off the page: the columns span -35 to 245"},
        {"1x9,70x37", SheetPaper::A4, {}, "labels off the page: the rows span -18"},
        {"2x1,50x30,0,0,200,0", SheetPaper::A4, {}, "labels off the page: the columns"},
        {"3x8,70x37,0,0,69.9,37", SheetPaper::A4, {}, "labels overlap: the horizontal pitch"},
        {"3x8,70x37,0,0,70,36", SheetPaper::A4, {}, "labels overlap: the vertical pitch"},
        {"0x3,10x10", SheetPaper::A4, {}, "a sheet has at least one column"},
        {"3x3,0x10", SheetPaper::A4, {}, "a label of 0"},
        {"3x8", SheetPaper::A4, {}, "expects a built-in layout (A4-3x8, A4-3x7"},
        {"2.5x3,10x10", SheetPaper::A4, {}, "expects a built-in layout"},
        {"3x3,10x10,1,2,3", SheetPaper::A4, {}, "expects a built-in layout"},
        // Past any sheet, where sums of the figures would no longer be numbers to report.
        {"3x8,1e308x37", SheetPaper::A4, {}, "expects a built-in layout"},
        {"2x1,50x30,0,0,1e308,0", SheetPaper::A4, {}, "expects a built-in layout"},
    };
    for (const LayoutCase& c : cases) {
        const LayoutResult r = parseLayout(QString::fromUtf8(c.text), c.paper);
        if (c.error != nullptr) {
            EXPECT_FALSE(r.ok) << c.text;
            EXPECT_TRUE(r.error.startsWith(QLatin1String(c.error)))
                << c.text << ": " << r.error.toStdString();
            continue;
        }
        ASSERT_TRUE(r.ok) << c.text << ": " << r.error.toStdString();
        const QRectF last = r.value.labelRectMm(r.value.labelsPerPage() - 1);
        for (auto [got, want] : {std::pair{last.left(), c.lastLabel.left()},
                                 {last.top(), c.lastLabel.top()},
                                 {last.width(), c.lastLabel.width()},
                                 {last.height(), c.lastLabel.height()}}) {
            EXPECT_NEAR(got, want, 1e-9) << c.text;
        }
    }
}

TEST(SheetLayout, EveryBuiltInIsOnItsPaperAndNamedByItsGeometry) {
    ASSERT_GE(builtInLayouts().size(), 5u);
    EXPECT_EQ(builtInLayouts()[1].title, QString::fromUtf8("A4, 3 \u00D7 7, 70 \u00D7 42.3 mm"));
    for (const NamedLayout& named : builtInLayouts()) {
        EXPECT_EQ(checkLayout(named.layout), QString()) << named.key;
    }
}

struct RunCase {
    Symbology symbology;
    const char* first;
    int count;
    int step;
    std::vector<std::string> numbers;  // check digits worked out by hand or read by a scanner
    const char* error;                 // the start of the refusal, or nullptr
};

TEST(NumberedRun, CountsWithEachSymbologysCheckDigit) {
    const RunCase cases[] = {
        {Symbology::EAN13,
         "4006381333930",
         3,
         1,
         {"4006381333931", "4006381333948", "4006381333955"},
         nullptr},
        {Symbology::EAN8, "96385070", 2, 10, {"96385074", "96385173"}, nullptr},
        {Symbology::ITF14, "154001412887a3", 1, 1, {}, "no run can start"},
        {Symbology::ITF14,
         "99999999999990",
         2,
         1,
         {"99999999999997"},
         "the run passes the last 13-digit number after 1 labels"},
        // UPC-E counts in its UPC-A form 0 12000 00345: 00345, 00445, ... 00945, then 01045
        // has no UPC-E form.
        {Symbology::UPCE,
         "01234500",
         8,
         100,
         {"01234505", "01244502", "01254509", "01264506", "01274503", "01284500", "01294507"},
         "UPC-A 012000010453 has no UPC-E form; the UPC-E run stops after 7 labels"},
        // 0 12000 00005 keeps its form with the last digit 5-9 rather than turning into 120060.
        {Symbology::UPCE, "01200050", 2, 1, {"01200058", "01200065"}, nullptr},
        {Symbology::UPCE, "11234560", 1, 1, {"11234562"}, nullptr},
    };
    for (const RunCase& c : cases) {
        const NumberedRun run = numberedRun(c.symbology, c.first, c.count, c.step);
        EXPECT_EQ(run.numbers, c.numbers) << c.first;
        if (c.error == nullptr) {
            EXPECT_FALSE(run.fault) << c.first;
        } else {
            EXPECT_TRUE(faultText(run.fault).startsWith(QLatin1String(c.error)))
                << c.first << ": " << faultText(run.fault).toStdString();
        }
    }
}

}  // namespace
}  // namespace strikon
