// The label template reader on files written here in the format glabels-data installs, on
// thousands of broken variants of them, and on the installed data when it is there.
#include "render/label_templates.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <iostream>
#include <random>

namespace strikon {
namespace {

QString q(const char* text) {
    return QString::fromUtf8(text);
}

const char kPapers[] = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" width="8.5in" height="11in"/>
  <Paper-size id="A5" _name="A5" width="148mm" height="210mm"/>
  <Paper-size id="Broken" _name="Broken" width="wide" height="210mm"/>
</Glabels-paper-sizes>)";

QByteArray templates(const char* body) {
    return QByteArray("<?xml version=\"1.0\"?>\n<Glabels-templates>\n") + body +
           "\n</Glabels-templates>\n";
}

const char kGood[] = R"(
  <Template brand="Acme" part="U1" size="A4" _description="Units">
    <Meta category="label"/>
    <Label-rectangle id="0" width="1in" height="72" round="1mm">
      <Markup-margin size="1mm"/>
      <Layout nx="2" ny="3" x0="1cm" y0="2pc" dx="30mm" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Template brand="Acme" part="G2" size="US-Letter">
    <Label-rectangle id="0" width="50mm" height="20mm">
      <Layout nx="2" ny="2" x0="10mm" y0="10mm" dx="60mm" dy="25mm"/>
      <Layout nx="1" ny="3" x0="150mm" y0="10mm" dy="30mm"/>
    </Label-rectangle>
    <Alias brand="Other" part="X-9"/>
  </Template>
  <Template brand="Acme" part="E1" equiv="G2"/>
  <Template brand="acme" part="E0" equiv="R1" _description="Forward"/>
  <Template brand="Acme" part="R1" size="A5">
    <Label-round id="0" radius="20mm"><Layout nx="2" ny="1" x0="10mm" y0="10mm" dx="50mm"/></Label-round>
  </Template>
  <Template brand="Acme" part="CD" size="A4">
    <Label-cd id="0" radius="58mm" hole="20mm" waste="2mm">
      <Layout nx="1" ny="2" x0="5mm" y0="5mm" dy="171mm"/>
      <Layout nx="1" ny="1" x0="89mm" y0="90mm"/>
    </Label-cd>
  </Template>
  <Template brand="Acme" part="Roll" size="Other" width="62mm" height="100mm">
    <Label-ellipse id="0" width="60mm" height="30mm"><Layout nx="1" ny="3" x0="1mm" y0="2mm" dy="32mm"/></Label-ellipse>
  </Template>
  <Template brand="Acme" part="Slop" size="A4">
    <Label-rectangle id="0" width="70mm" height="37.05mm"><Layout nx="3" ny="8" x0="0.1mm" y0="0" dx="70mm" dy="37mm"/></Label-rectangle>
  </Template>)";

struct Read {
    const char* product;  // "Brand Part"
    const char* paper;    // its title
    int perPage;
    QSizeF labelMm;
    int slot;  // a label, and where it is
    QPointF slotMm;
    const char* sameAs;
};

TEST(LabelTemplates, ReadsUnitsGridsAliasesEquivalentsAndShapes) {
    std::vector<SkippedTemplate> skipped;
    const std::vector<PaperSize> papers = readPaperSizes(kPapers, q("paper-sizes.xml"), skipped);
    ASSERT_EQ(papers.size(), 3u);
    ASSERT_EQ(skipped.size(), 1u);
    const TemplateCatalogue c =
        readTemplates({{q("acme-templates.xml"), templates(kGood)}}, papers);
    for (const SkippedTemplate& s : c.skipped) {
        ADD_FAILURE() << s.text().toStdString();
    }
    const Read cases[] = {
        // 1 in, 72 pt; 1 cm, 2 pc = 24 pt; the sixth label one pitch across and two down.
        {"Acme U1", "A4", 6, {25.4, 25.4}, 5, {40, 8.47 + 50.8}, ""},
        // The second grid after the first, top to bottom: slot 4 is its first label.
        {"Acme G2", "Letter", 7, {50, 20}, 4, {150, 10}, ""},
        {"Acme G2", "Letter", 7, {50, 20}, 6, {150, 70}, ""},
        {"Acme E1", "Letter", 7, {50, 20}, 3, {70, 35}, "G2"},
        {"Other X-9", "Letter", 7, {50, 20}, 1, {70, 10}, "Acme G2"},
        {"acme E0", "A5", 2, {40, 40}, 1, {60, 10}, "R1"},
        {"Acme CD", "A4", 3, {116, 116}, 2, {89, 90}, ""},
        {"Acme Roll", "62 \u00D7 100 mm", 3, {60, 30}, 2, {1, 66}, ""},
        // A label 0.05 mm taller than its pitch and a last column 0.1 mm past the paper: as
        // measured, taken as that much smaller.
        {"Acme Slop", "A4", 24, {69.9, 37}, 23, {140.1, 259}, ""},
    };
    for (const Read& r : cases) {
        const LabelProduct* p = productNamed(c, QString::fromUtf8(r.product));
        ASSERT_NE(p, nullptr) << r.product;
        EXPECT_EQ(p->layout.paperTitle(), QString::fromUtf8(r.paper)) << r.product;
        EXPECT_EQ(p->layout.labelsPerPage(), r.perPage) << r.product;
        EXPECT_NEAR(p->layout.labelMm.width(), r.labelMm.width(), 0.006) << r.product;
        EXPECT_NEAR(p->layout.labelMm.height(), r.labelMm.height(), 0.006) << r.product;
        const QPointF at = p->layout.labelRectMm(r.slot).topLeft();
        EXPECT_NEAR(at.x(), r.slotMm.x(), 0.006) << r.product << " slot " << r.slot;
        EXPECT_NEAR(at.y(), r.slotMm.y(), 0.006) << r.product << " slot " << r.slot;
        EXPECT_EQ(p->sameAs, QString::fromUtf8(r.sameAs)) << r.product;
        EXPECT_FALSE(layoutFault(p->layout)) << r.product;
    }
    EXPECT_EQ(productNamed(c, q("ACME:g2")), productNamed(c, q("acme g2")));
    EXPECT_EQ(productNamed(c, q("Acme:G3")), nullptr);
    EXPECT_EQ(productNamed(c, q("Acme E0"))->description, q("Forward"));

    // Round labels: the largest inner rectangle, a square of the diameter over sqrt(2); a disc:
    // between its hole and its rim.
    const QRectF round = productNamed(c, q("Acme R1"))->layout.symbolAreaMm();
    EXPECT_NEAR(round.width(), 28.284, 0.001);
    EXPECT_NEAR(round.left(), 5.858, 0.001);
    const QRectF disc = productNamed(c, q("Acme CD"))->layout.symbolAreaMm();
    EXPECT_LE(disc.bottom(), 58 - 20 + 1e-9) << "above the hole, 20 mm across the centre";
    EXPECT_LE(std::hypot(disc.width() / 2, 58 - disc.top()), 58 + 1e-9) << "inside the rim";
    EXPECT_GT(disc.width() * disc.height(), 1830) << "the best of the band above the hole";

    std::vector<std::string> names;
    for (const LabelProduct* p : findProducts(c, q("acme  g"))) {
        names.push_back(p->name().toStdString());
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Acme G2"}));
    EXPECT_EQ(findProducts(c, q("x9")).size(), 1u) << "dashes ignored";
    EXPECT_EQ(findProducts(c, {}).size(), c.products.size());
}

TEST(LabelTemplates, LeavesOutWhatItCannotReadWithItsReason) {
    struct Broken {
        const char* body;
        const char* reason;
    };
    const Broken cases[] = {
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" height="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "<Label-rectangle> has no width"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="9furlong" height="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "width=\"9furlong\" is not a length"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="1e300mm" height="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "is not a length from 0 to 5000 mm"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="nanmm" height="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "is not a length"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="100000" ny="1" x0="0" y0="0" dx="10mm"/></Label-rectangle></Template>)",
         "nx=\"100000\" is not a count"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="3" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "<Layout> has no dx"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout ny="1" x0="0" y0="0"/></Label-rectangle></Template>)",
         "<Layout> has no nx"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"/></Template>)",
         "has no <Layout>"},
        {R"(<Template brand="B" part="1" size="A4"><Meta category="label"/></Template>)",
         "describes no label"},
        {R"(<Template part="1" size="A4"/>)", "names its brand and part"},
        {R"(<Template brand="B" part="1"/>)", "names no paper size"},
        {R"(<Template brand="B" part="1" size="A9"><Label-round id="0" radius="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-round></Template>)",
         "\"A9\" is not in paper-sizes.xml"},
        {R"(<Template brand="B" part="1" size="Broken"><Label-round id="0" radius="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-round></Template>)",
         "\"Broken\" is not in paper-sizes.xml"},
        {R"(<Template brand="B" part="1" size="A4"><Label-star id="0"/></Template>)",
         "<Label-star> is not known"},
        {R"(<Template brand="B" part="1" size="A4"><Label-cd id="0" radius="10mm" hole="30mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-cd></Template>)",
         "hole as large as the disc"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="100mm" height="10mm"><Layout nx="3" ny="1" x0="0" y0="0" dx="100mm"/></Label-rectangle></Template>)",
         "labels off the page: the columns span 0 to 300 mm"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="1" ny="3" x0="0" y0="0" dy="5mm"/></Label-rectangle></Template>)",
         "labels overlap: the vertical pitch of 5 mm"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="2" ny="1" x0="0" y0="0" dx="20mm"/><Layout nx="1" ny="1" x0="25mm" y0="5mm"/></Label-rectangle></Template>)",
         "label 2 covers label 3 of another grid"},
        {R"(<Template brand="B" part="1" size="A4"><Label-rectangle id="0" width="10mm" height="10mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle><Label-rectangle id="1" width="20mm" height="10mm"><Layout nx="1" ny="1" x0="50mm" y0="0"/></Label-rectangle></Template>)",
         "labels of more than one size"},
        {R"(<Template brand="B" part="1" equiv="2"/>)", "the equivalent 2 is not described"},
        {R"(<Template brand="B" part="1" equiv="2"/><Template brand="B" part="2" equiv="1"/>)",
         "go round in a circle"},
        {R"(<Template brand="B" part="1" size="A4"><Label-round id="0" radius="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-round></Template><Template brand="b" part="1" equiv="1"/>)",
         "described twice"},
        {R"(<Template brand="B" part="1" size="A4"><Label-round id="0" radius="1mm"><Layout nx="1" ny="1" x0="0" y0="0"/></Label-round></Template><Template brand="B" part="2" size="A4"><Label-round)",
         "the rest of the file is not read"},
    };
    std::vector<SkippedTemplate> ignored;
    const std::vector<PaperSize> papers = readPaperSizes(kPapers, q("paper-sizes.xml"), ignored);
    for (const Broken& b : cases) {
        const TemplateCatalogue c =
            readTemplates({{q("b-templates.xml"), templates(b.body)}}, papers);
        QStringList texts;
        for (const SkippedTemplate& s : c.skipped) {
            texts << s.text();
        }
        const QString all = texts.join(u'\n');
        EXPECT_TRUE(all.contains(QString::fromUtf8(b.reason))) << all.toStdString();
        EXPECT_TRUE(all.startsWith(q("b-templates.xml:"))) << all.toStdString();
    }
    const TemplateCatalogue notTemplates =
        readTemplates({{q("x-templates.xml"), QByteArray(kPapers)}}, papers);
    ASSERT_EQ(notTemplates.skipped.size(), 1u);
    EXPECT_EQ(notTemplates.skipped[0].reason, q("not a file of label templates"));
}

// Random damage to good files: whatever is read must be a sheet that can be printed.
TEST(LabelTemplates, DamagedFilesNeverYieldABadSheet) {
    std::vector<SkippedTemplate> ignored;
    const std::vector<PaperSize> papers = readPaperSizes(kPapers, q("paper-sizes.xml"), ignored);
    const QByteArray good = templates(kGood);
    const QByteArray pieces[] = {
        "<",     ">",     "/>",  "\"",   "0",
        "-1",    "1e308", "mm",  "nx=",  "<Layout nx=\"2\" ny=\"2\" x0=\"0\" y0=\"0\"/>",
        "&amp;", "<!--",  "]]>", "\xff", "equiv=\"U1\""};
    std::mt19937 random(28);
    int products = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = good;
        const int edits = 1 + static_cast<int>(random() % 6);
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = static_cast<qsizetype>(random() % bytes.size());
            switch (random() % 4) {
                case 0:
                    bytes[at] = static_cast<char>(random());
                    break;
                case 1:
                    bytes.remove(at, static_cast<qsizetype>(random() % 40));
                    break;
                case 2:
                    bytes.insert(at, pieces[random() % std::size(pieces)]);
                    break;
                default:
                    bytes.insert(at, bytes.mid(static_cast<qsizetype>(random() % bytes.size()),
                                               static_cast<qsizetype>(random() % 200)));
            }
        }
        const TemplateCatalogue c = readTemplates({{q("f-templates.xml"), bytes}}, papers);
        for (const LabelProduct& p : c.products) {
            ++products;
            ASSERT_FALSE(layoutFault(p.layout)) << bytes.toStdString();
            const QRectF area = p.layout.symbolAreaMm();
            ASSERT_TRUE(QRectF(QPointF(), p.layout.labelMm).contains(area)) << bytes.toStdString();
        }
        for (const SkippedTemplate& s : c.skipped) {
            ASSERT_FALSE(s.reason.isEmpty()) << bytes.toStdString();
        }
    }
    EXPECT_GT(products, 3000) << "most damage leaves most templates readable";
}

// The data glabels-data installs: every template is read or left out with its reason.
TEST(LabelTemplates, InstalledDataIsReadOrSkippedWholly) {
    const QString folder = QString::fromLatin1(kGlabelsTemplates);
    if (!QDir(folder).exists()) {
        GTEST_SKIP() << "glabels-data is not installed";
    }
    const TemplateCatalogue c = readTemplateFolder(folder);
    int templatesInFiles = 0;
    for (const QString& name : QDir(folder).entryList({q("*-templates.xml")})) {
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        templatesInFiles += static_cast<int>(
            QString::fromUtf8(file.readAll()).count(QRegularExpression(q("<Template\\s"))));
    }
    size_t skippedTemplates = 0;
    for (const SkippedTemplate& s : c.skipped) {
        EXPECT_FALSE(s.name.isEmpty()) << "a whole file left out: " << s.text().toStdString();
        EXPECT_FALSE(s.reason.isEmpty());
        skippedTemplates += s.name.isEmpty() ? 0 : 1;
    }
    std::cout << "glabels-data: " << templatesInFiles << " templates, " << c.products.size()
              << " read, " << skippedTemplates << " skipped\n";
    EXPECT_EQ(c.products.size() + skippedTemplates, static_cast<size_t>(templatesInFiles));
    EXPECT_GT(c.products.size(), skippedTemplates * 10);
    for (const char* known : {"Avery:L7160", "Avery:5160", "Herma:4677"}) {
        EXPECT_NE(productNamed(c, QString::fromLatin1(known)), nullptr) << known;
    }
}

}  // namespace
}  // namespace strikon
