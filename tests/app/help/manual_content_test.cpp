// The embedded manuals as the help window reads them: every heading, list item and colour pair
// in its language, with the formatting the manuals give them.
#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>

#include "app/help/maker_links.h"
#include "app/help/manual.h"

namespace strikon {
namespace {

struct Manual {
    const char* lang;
    const char* title;
    std::vector<const char*> headings;     // 14 pt
    std::vector<const char*> subheadings;  // 13 pt
    std::vector<const char*> items;        // menu items, italic but for the Print item
    const char* print;
    std::vector<const char*> groups;   // the symbol groups and colour list headings
    std::vector<const char*> members;  // the members of the EAN/UPC and GS1 groups
    std::vector<const char*> colorPairs;
    const char* maker;
    const char* bodySample;
};

// Names the manual in test output instead of dumping its bytes.
void PrintTo(const Manual& manual, std::ostream* out) {
    *out << manual.lang;
}

const Manual kRussian{
    "RUS",
    "Справка к программе Стрикон v. 1.1",
    {"1. Назначение программы", "2. Описание элементов главного меню", "3. Страница GS1"},
    {"2.1. Файл", "2.2. Вид", "2.3. Экспорт"},
    {"- Сохранить как", "- Печать листа…", "- Цвет линий", "- Цвет фона", "- Копировать",
     "- Передать в Word"},
    "- Печать",
    {"- EAN/UPC", "- ITF-14", "- GS1", "- Цветовые сочетание, уверенно считываемые сканером:",
     "- Цветовые сочетание, не считываемые сканером:"},
    {"EAN-13", "EAN-8", "UPC-A", "UPC-E", "EAN/UPC 2-Digit AddOn", "EAN/UPC 5-Digit AddOn",
     "GS1-QR (GS1 Digital Link)", "GS1-DataMatrix", "GS1-128"},
    {"Синий на белом",
     "Коричневый на белом",
     "Черный на белом",
     "Зеленый на белом",
     "Синий на желтом",
     "Коричневый на желтом",
     "Черный на желтом",
     "Зеленый на желтом",
     "Синий на оранжевом",
     "Коричневый на оранжевом",
     "Черный на оранжевом",
     "Зеленый на оранжевом",
     "Красный на зеленом",
     "Красный на синем",
     "Красный на золотом",
     "Красный на белом",
     "Красный на светло-коричневом",
     "Светло-коричневый на белом",
     "Черный на золотом",
     "Оранжевый на золотом",
     "Синий на золотом",
     "Желтый на белом",
     "Золотой на белом",
     "Оранжевый на белом"},
    "Велмора, 2005 год",
    "Все штриховые коды строятся в соответствии с требованиями",
};

const Manual kEnglish{
    "ENG",
    "Help for program Strikon v. 1.1",
    {"1. Purpose of the program", "2. The description of elements of the main menu",
     "3. The GS1 page"},
    {"2.1. A file", "2.2. View", "2.3. Export"},
    {"- Save as", "- Print Sheet…", "- Line Color", "- Background Color", "- Copy",
     "- Export to Word"},
    "- Print",
    {"- EAN/UPC", "- ITF-14", "- GS1",
     "- Color a combination, confidently read - out by the scanner:",
     "- Color a combination, not read - out by the scanner:"},
    {"EAN-13", "EAN-8", "UPC-A", "UPC-E", "EAN/UPC 2-Digit AddOn", "EAN/UPC 5-Digit AddOn",
     "GS1-QR (GS1 Digital Link)", "GS1-DataMatrix", "GS1-128"},
    {"Dark blue on white",  "Brown on white",       "Black on white",  "Green on white",
     "Dark blue on yellow", "Brown on yellow",      "Black on yellow", "Green on yellow",
     "Dark blue on orange", "Brown on orange",      "Black on orange", "Green on orange",
     "Red on green",        "Red on dark blue",     "Red on gold",     "Red on white",
     "Red on light brown",  "Light brown on white", "Black on gold",   "Orange on gold",
     "Dark blue on gold",   "Yellow on white",      "Gold on white",   "Orange on white"},
    "Velmora, 2005",
    "All barcodes are built to the requirements",
};

class ManualContent : public ::testing::TestWithParam<Manual> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(loadManual(manualResource(GetParam().lang), document_));
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            blocks_.push_back(block);
        }
    }

    // The paragraph whose whole text is `text`.
    QTextBlock block(const char* text) const {
        for (const QTextBlock& block : blocks_) {
            if (block.text() == QString::fromUtf8(text)) {
                return block;
            }
        }
        ADD_FAILURE() << "no paragraph \"" << text << "\"";
        return {};
    }

    // The format of the first character of `text`, wherever it stands.
    QTextCharFormat format(const char* text) const {
        const QTextCursor found =
            document_.find(QString::fromUtf8(text), 0, QTextDocument::FindCaseSensitively);
        EXPECT_FALSE(found.isNull()) << text;
        QTextCursor cursor(const_cast<QTextDocument*>(&document_));
        cursor.setPosition(found.selectionStart() + 1);
        return cursor.charFormat();
    }

    QTextDocument document_;
    std::vector<QTextBlock> blocks_;
};

void expectHeading(const QTextCharFormat& format, double points) {
    EXPECT_EQ(format.fontPointSize(), points);
    EXPECT_EQ(format.foreground().color(), QColor(0, 0, 255));
    EXPECT_TRUE(format.fontUnderline());
}

TEST_P(ManualContent, TitleAndHeadings) {
    const Manual& manual = GetParam();
    EXPECT_EQ(blocks_.front().text(), QString::fromUtf8(manual.title));
    EXPECT_EQ(format(manual.title).fontPointSize(), 16.0);
    for (const char* heading : manual.headings) {
        block(heading);
        expectHeading(format(heading), 14.0);
    }
    for (const char* heading : manual.subheadings) {
        block(heading);
        expectHeading(format(heading), 13.0);
    }
}

TEST_P(ManualContent, MenuItemsAreItalicButPrint) {
    const Manual& manual = GetParam();
    for (const char* item : manual.items) {
        EXPECT_TRUE(format(item).fontItalic()) << item;
        EXPECT_EQ(format(item).fontPointSize(), 12.0) << item;
    }
    EXPECT_FALSE(format(manual.print).fontItalic());
    EXPECT_TRUE(document_.toPlainText().contains(QString::fromUtf8(manual.print) + " \u2013"));
}

TEST_P(ManualContent, ListsAndColourPairsWithTheirIndents) {
    const Manual& manual = GetParam();
    ASSERT_EQ(manual.colorPairs.size(), 24u);
    for (const char* group : manual.groups) {
        EXPECT_EQ(block(group).blockFormat().textIndent(), 24.0) << group;  // 360 twips
    }
    for (const char* member : manual.members) {
        EXPECT_EQ(block(member).blockFormat().textIndent(), 48.0) << member;  // 720 twips
    }
    for (const char* pair : manual.colorPairs) {
        EXPECT_EQ(block(pair).blockFormat().textIndent(), 24.0) << pair;
        EXPECT_EQ(format(pair).fontPointSize(), 12.0) << pair;
        EXPECT_FALSE(format(pair).fontUnderline()) << pair;
    }
}

TEST_P(ManualContent, BodyTextAndClosingLines) {
    const Manual& manual = GetParam();
    const QTextCursor body =
        document_.find(QString::fromUtf8(manual.bodySample), 0, QTextDocument::FindCaseSensitively);
    ASSERT_FALSE(body.isNull());
    EXPECT_EQ(body.blockFormat().textIndent(), 36.0);  // 540 twips
    EXPECT_EQ(format(manual.bodySample).fontPointSize(), 12.0);
    EXPECT_EQ(format(manual.bodySample).fontFamilies().toStringList(),
              QStringList{"Times New Roman"});
    for (const char* line : {manual.maker, kMakerSite, kMakerEmail}) {
        block(line);
        EXPECT_EQ(format(line).fontPointSize(), 14.0) << line;
    }
    // Blocks are separated by empty paragraphs.
    EXPECT_TRUE(blocks_.at(1).text().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ManualContent, ::testing::Values(kRussian, kEnglish),
                         [](const auto& info) { return std::string(info.param.lang); });

TEST(ManualResource, ChosenByExactLanguageCode) {
    EXPECT_EQ(manualResource("RUS"), ":/manuals/HELPRUS");
    EXPECT_EQ(manualResource("ENG"), ":/manuals/HELPENG");
    EXPECT_TRUE(manualResource("rus").isEmpty());
    EXPECT_TRUE(manualResource("").isEmpty());
    QTextDocument document;
    document.setPlainText("kept");
    EXPECT_FALSE(loadManual(manualResource("DEU"), document));
    EXPECT_EQ(document.toPlainText(), "kept");
}

}  // namespace
}  // namespace strikon
