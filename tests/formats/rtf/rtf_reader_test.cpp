#include <gtest/gtest.h>

#include <QTextBlock>

#include "formats/rtf/code_page.h"
#include "rtf_test_support.h"

namespace strikon::test {
namespace {

// A header with a Cyrillic font (0), a Western one (1) and a colour table whose first entry is
// the automatic colour.
const QByteArray kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\froman\\fcharset204 Times New Roman;}"
    "{\\f1\\fswiss\\fcharset0 "
    "Arial;}}{\\colortbl;\\red0\\green0\\blue255;\\red200\\green10\\blue20;}";

QByteArray doc(const QByteArray& body) {
    return kHeader + body + "}";
}

TEST(CodePage, DecodesCyrillicAndWesternBytes) {
    EXPECT_EQ(rtf::decodeByte(1251, 0xC0), u'А');
    EXPECT_EQ(rtf::decodeByte(1251, 0xFF), u'я');
    EXPECT_EQ(rtf::decodeByte(1251, 0xA8), u'Ё');
    EXPECT_EQ(rtf::decodeByte(1251, 0xB9), u'№');
    EXPECT_EQ(rtf::decodeByte(1251, 0x98), 0xFFFD);
    EXPECT_EQ(rtf::decodeByte(1252, 0x80), u'€');
    EXPECT_EQ(rtf::decodeByte(1252, 0xE9), u'é');
    EXPECT_EQ(rtf::decodeByte(1252, 0x81), 0xFFFD);
    EXPECT_EQ(rtf::decodeByte(437, 0x41), u'A');  // unknown pages fall back to 1252
    EXPECT_EQ(rtf::codePageForCharset(204, 1252), 1251);
    EXPECT_EQ(rtf::codePageForCharset(0, 1251), 1252);
    EXPECT_EQ(rtf::codePageForCharset(1, 1251), 1251);
}

TEST(RtfReader, DecodesBytesByTheCodePageOfTheCurrentFont) {
    EXPECT_EQ(plainText(doc("\\f0 \\'d1\\'f2\\'f0\\'e8\\'ea\\'ee\\'ed")), "Стрикон");
    EXPECT_EQ(plainText(doc("\\f1 caf\\'e9")), "café");
    // Raw 8-bit bytes decode the same way as escapes.
    EXPECT_EQ(plainText(doc("\\f0 \xc4\xe0")), "Да");
    // A font not in the table, or no table at all, follows \ansicpg.
    EXPECT_EQ(plainText(doc("\\f7 \\'e0")), "а");
    EXPECT_EQ(plainText("{\\rtf1\\ansi\\ansicpg1252 \\'e0}"), "à");
    EXPECT_EQ(plainText("{\\rtf1\\ansi \\'e0}"), "à");
    // \cpg in a font entry overrides its charset.
    EXPECT_EQ(plainText("{\\rtf1{\\fonttbl{\\f0\\fcharset0\\cpg1251 X;}}\\f0 \\'e0}"), "а");
}

TEST(RtfReader, ReadsFontFamiliesFromTheTable) {
    auto document = read(doc("\\f1 west \\f0 east"));
    EXPECT_EQ(formatOf(*document, "west").fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(formatOf(*document, "east").fontFamilies().toStringList(),
              QStringList{"Times New Roman"});
}

TEST(RtfReader, UnicodeCharactersSkipTheirFallback) {
    EXPECT_EQ(plainText(doc("\\u1055?a")), "Пa");
    EXPECT_EQ(plainText(doc("\\uc2\\u1055\\'3f\\'3fb")), "Пb");
    EXPECT_EQ(plainText(doc("\\uc0\\u1055 c")), "Пc");
    EXPECT_EQ(plainText(doc("\\u-3913?")), QString(QChar(0xF0B7)));
    // \uc belongs to its group; a group end stops skipping.
    EXPECT_EQ(plainText(doc("{\\uc3 x}\\u1055?d")), "xПd");
    EXPECT_EQ(plainText(doc("{\\uc5\\u1055}e")), "Пe");
}

TEST(RtfReader, ParagraphsAndSpecialCharacters) {
    auto document = read(doc("one\\par two\\line three\\tab four\\~five\\-six\\_seven"));
    EXPECT_EQ(blockTexts(*document),
              (QStringList{"one", QString("two") + QChar(0x2028) + "three\tfour" + QChar(0x00A0) +
                                      "five" + QChar(0x00AD) + "six" + QChar(0x2011) + "seven"}));
    EXPECT_EQ(plainText(doc("a\\\\b\\{c\\}d")), "a\\b{c}d");
    EXPECT_EQ(plainText(doc("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote")),
              QString::fromUtf8("—–•‘’“”"));
    // Line ends in the source are not text; a backslash before one is a paragraph end.
    EXPECT_EQ(blockTexts(*read(doc("a\r\nb\\\nc"))), (QStringList{"ab", "c"}));
}

TEST(RtfReader, CharacterFormatting) {
    auto document =
        read(doc("{\\fs40 big}{\\b bold}{\\i it}{\\ul under\\ulnone plain}"
                 "{\\cf1 blue}{\\cf2 red\\cf0 auto}{\\b\\i\\ul\\b0\\i0\\ul0 off}"
                 "{\\strike gone}normal"));
    EXPECT_EQ(formatOf(*document, "big").fontPointSize(), 20.0);
    EXPECT_EQ(formatOf(*document, "normal").fontPointSize(), 12.0);
    EXPECT_EQ(formatOf(*document, "bold").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*document, "normal").fontWeight(), QFont::Normal);
    EXPECT_TRUE(formatOf(*document, "it").fontItalic());
    EXPECT_TRUE(formatOf(*document, "under").fontUnderline());
    EXPECT_FALSE(formatOf(*document, "plain").fontUnderline());
    EXPECT_EQ(formatOf(*document, "blue").foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatOf(*document, "red").foreground().color(), QColor(200, 10, 20));
    EXPECT_EQ(formatOf(*document, "auto").foreground().style(), Qt::NoBrush);
    const QTextCharFormat off = formatOf(*document, "off");
    EXPECT_FALSE(off.fontItalic() || off.fontUnderline() || off.fontWeight() == QFont::Bold);
    EXPECT_TRUE(formatOf(*document, "gone").fontStrikeOut());
    EXPECT_FALSE(formatOf(*document, "normal").fontItalic());
}

TEST(RtfReader, PlainResetsCharacterFormattingAndLangChangesNothing) {
    auto document = read(doc("\\b\\i\\fs40\\cf1 x\\plain y\\lang1033\\langfe1049 z"));
    const QTextCharFormat y = formatOf(*document, "y");
    EXPECT_EQ(y.fontPointSize(), 12.0);
    EXPECT_FALSE(y.fontItalic() || y.fontWeight() == QFont::Bold);
    EXPECT_EQ(y.foreground().style(), Qt::NoBrush);
    EXPECT_EQ(formatOf(*document, "z"), y);
}

TEST(RtfReader, ParagraphFormattingAppliesAtTheParagraphEnd) {
    auto document =
        read(doc("\\fi540\\li720\\qc first\\par\\pard second\\par\\pard\\qr third\\par"
                 "\\pard\\fi-360\\li360\\ri144\\sb120\\sa240\\ql fourth\\par "
                 "\\pard\\qc fifth"));
    const QTextBlockFormat first = findText(*document, "first").blockFormat();
    EXPECT_EQ(first.textIndent(), 36.0);  // 540 twips at 96 px per inch
    EXPECT_EQ(first.leftMargin(), 48.0);
    EXPECT_EQ(first.alignment(), Qt::AlignHCenter);
    const QTextBlockFormat second = findText(*document, "second").blockFormat();
    EXPECT_EQ(second.textIndent(), 0.0);
    EXPECT_EQ(second.alignment(), Qt::AlignLeft);
    EXPECT_EQ(findText(*document, "third").blockFormat().alignment(), Qt::AlignRight);
    const QTextBlockFormat fourth = findText(*document, "fourth").blockFormat();
    EXPECT_EQ(fourth.textIndent(), -24.0);
    EXPECT_EQ(fourth.rightMargin(), 9.6);
    EXPECT_EQ(fourth.topMargin(), 8.0);
    EXPECT_EQ(fourth.bottomMargin(), 16.0);
    // The last paragraph needs no \par to get its format.
    EXPECT_EQ(findText(*document, "fifth").blockFormat().alignment(), Qt::AlignHCenter);
}

TEST(RtfReader, EmptyParagraphsKeepTheirFontSize) {
    auto document = read(doc("a\\par\\fs40\\par b"));
    const QTextBlock empty = document->begin().next();
    ASSERT_TRUE(empty.text().isEmpty());
    EXPECT_EQ(empty.charFormat().fontPointSize(), 20.0);
}

TEST(RtfReader, GroupsRestoreTheOuterState) {
    auto document = read(doc("{\\b\\fs40{\\i inner}middle}outer"));
    EXPECT_TRUE(formatOf(*document, "inner").fontItalic());
    EXPECT_FALSE(formatOf(*document, "middle").fontItalic());
    EXPECT_EQ(formatOf(*document, "middle").fontPointSize(), 20.0);
    EXPECT_EQ(formatOf(*document, "outer").fontWeight(), QFont::Normal);
    EXPECT_EQ(formatOf(*document, "outer").fontPointSize(), 12.0);
}

TEST(RtfReader, SkipsDestinationsThatAreNotText) {
    EXPECT_EQ(plainText(doc("{\\*\\unknowndest hidden {nested} text}shown")), "shown");
    EXPECT_EQ(plainText(doc("{\\stylesheet{\\s1 Heading 1;}}{\\info{\\title T}{\\author A}}x")),
              "x");
    EXPECT_EQ(plainText(doc("{\\pict\\pngblip\\picw10 89504e470d0a}y")), "y");
    EXPECT_EQ(plainText(doc("{\\header head}{\\footnote note}z")), "z");
    EXPECT_EQ(plainText(doc("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}")), "link");
    // An unknown word without \* is only a word: its group's text is shown.
    EXPECT_EQ(plainText(doc("{\\somethingnew kept}")), "kept");
    // Font-table extras and their text never reach the family name.
    EXPECT_EQ(plainText("{\\rtf1{\\fonttbl{\\f0\\fcharset204{\\*\\panose 0202}Times{\\*\\falt T};}}"
                        "\\f0 \\'e0}"),
              "а");
}

TEST(RtfReader, BinaryDataIsSkipped) {
    EXPECT_EQ(plainText(doc("a\\bin5 }{\\x\\b")), "ab");
    EXPECT_EQ(plainText(doc("a\\bin99")), "a");
}

TEST(RtfReader, ReplacesTheWholeDocument) {
    QTextDocument document;
    document.setPlainText("old text\nmore");
    readRtf(doc("new"), document);
    EXPECT_EQ(document.toPlainText(), "new");
}

}  // namespace
}  // namespace strikon::test
