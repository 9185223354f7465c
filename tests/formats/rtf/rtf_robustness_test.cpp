// Malformed and hostile input: the reader must neither crash, hang nor read out of bounds
// (the tests run under AddressSanitizer), and should still show the text it can find.
#include <gtest/gtest.h>

#include <QFile>
#include <random>

#include "rtf_test_support.h"

namespace strikon::test {
namespace {

QByteArray manual(const char* name) {
    QFile file(QStringLiteral(STRIKON_MANUALS_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(RtfRobustness, UnbalancedBraces) {
    EXPECT_EQ(plainText("{\\rtf1 open {\\b never closed"), "open never closed");
    EXPECT_EQ(plainText("{\\rtf1 a}}}} b}"), "a b");
    EXPECT_EQ(plainText("}}}{"), "");
    EXPECT_EQ(plainText("plain text, no header"), "plain text, no header");
}

TEST(RtfRobustness, TruncatedEscapes) {
    for (const char* input : {"{\\rtf1 a\\", "{\\rtf1 a\\'", "{\\rtf1 a\\'4", "{\\rtf1 a\\u",
                              "{\\rtf1 a\\u-", "{\\rtf1 a\\fs", "{\\rtf1 a\\bin"}) {
        EXPECT_TRUE(plainText(input).startsWith('a')) << input;
    }
    // A broken escape drops only the \'; a long chain of them must not recurse.
    EXPECT_EQ(plainText("{\\rtf1 x\\'zzy}"), "xzzy");
    EXPECT_EQ(plainText("{\\rtf1 " + QByteArray("\\'").repeated(200000) + "end}"), "end");
}

TEST(RtfRobustness, AbsurdNumbersAreClamped) {
    auto document = read(
        "{\\rtf1{\\colortbl;\\red99999999999\\green-5\\blue300;}"
        "\\fs99999999999\\fi-99999999999\\li99999999999\\sb99999999999\\f99999999\\cf99999 a"
        "\\cf1 b\\fs0 c\\uc99999999999\\u99999999999 d\\u-99999999999 e"
        "\\bin99999999999 never}");
    EXPECT_EQ(formatOf(*document, "a").fontPointSize(), 1638.0);
    EXPECT_EQ(formatOf(*document, "a").foreground().style(), Qt::NoBrush);
    EXPECT_EQ(formatOf(*document, "b").foreground().color(), QColor(255, 0, 255));
    EXPECT_EQ(formatOf(*document, "c").fontPointSize(), 1.0);
    const QTextBlockFormat block = findText(*document, "a").blockFormat();
    EXPECT_EQ(block.textIndent(), -31680 / 15.0);
    EXPECT_EQ(block.leftMargin(), 31680 / 15.0);
    EXPECT_FALSE(document->toPlainText().contains("never"));
}

TEST(RtfRobustness, DeepNesting) {
    const int depth = 100000;
    const QByteArray rtf = "{\\rtf1 " + QByteArray("{\\b ").repeated(depth) + "deep" +
                           QByteArray(depth, '}') + " out}";
    auto document = read(rtf);
    EXPECT_EQ(document->toPlainText(), "deep out");
    EXPECT_EQ(formatOf(*document, "deep").fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*document, "out").fontWeight(), QFont::Normal);
    // Only opening braces, never closed.
    EXPECT_EQ(plainText(QByteArray(depth, '{') + "x"), "x");
}

TEST(RtfRobustness, HugeDocument) {
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 T;}}\\f0 ";
    const QByteArray paragraph = "{\\b\\'c0\\'e1\\'e2} some text \\u1055?\\par\n";
    rtf += paragraph.repeated(20000) + "}";
    auto document = read(rtf);
    EXPECT_EQ(document->blockCount(), 20001);
    EXPECT_EQ(document->begin().text(), QString::fromUtf8("Абв some text П"));
}

// One long paragraph of text between control words, the shape that once took minutes: every
// character arrives, and a format that flips each time is kept per character.
TEST(RtfRobustness, OneParagraphFullOfControlWords) {
    const int repeats = 40000;
    const struct {
        QByteArray unit;
        QString text;  // what each unit shows
    } cases[] = {
        {"\\zz x ", "x "},
        {"\\u1083?", QString::fromUtf8("л")},
        {"\\tab ", "\t"},
        {"\\b x\\b0 y", "xy"},
    };
    for (const auto& c : cases) {
        auto document = read("{\\rtf1\\ansi " + c.unit.repeated(repeats) + "}");
        EXPECT_EQ(document->toPlainText(), c.text.repeated(repeats)) << c.unit.constData();
    }
    // The last "x" is still bold, the last "y" not (a cursor reports the character before it).
    auto document = read("{\\rtf1\\ansi " + QByteArray("\\b x\\b0 y").repeated(repeats) + "}");
    QTextCursor cursor(document.get());
    cursor.setPosition(document->characterCount() - 2);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
    cursor.setPosition(document->characterCount() - 1);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Normal);
}

// Random edits of the real manuals: bit flips, deletions, truncation and stray braces and
// backslashes, with a fixed seed so that a failure can be repeated.
QByteArray mutate(QByteArray data, std::mt19937& random) {
    const int edits = std::uniform_int_distribution<int>(1, 8)(random);
    for (int i = 0; i < edits && !data.isEmpty(); ++i) {
        const auto at = std::uniform_int_distribution<qsizetype>(0, data.size() - 1)(random);
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
            case 0:
                data[at] = static_cast<char>(data[at] ^ (1 << (random() % 8)));
                break;
            case 1:
                data.truncate(at);
                break;
            case 2:
                data.insert(at, '{');
                break;
            case 3:
                data.insert(at, '}');
                break;
            case 4:
                data.insert(at, '\\');
                break;
            case 5:
                data.remove(at, std::uniform_int_distribution<int>(1, 64)(random));
                break;
        }
    }
    return data;
}

TEST(RtfRobustness, RandomMutationsOfTheManuals) {
    std::mt19937 random(20050314);
    for (const char* name : {"HELPRUS.rtf", "HELPENG.rtf"}) {
        const QByteArray original = manual(name);
        ASSERT_FALSE(original.isEmpty());
        for (int round = 0; round < 1200; ++round) {
            const QByteArray mutated = mutate(original, random);
            auto document = read(mutated);
            ASSERT_NE(document, nullptr);
            EXPECT_LE(document->characterCount(), mutated.size() + 1) << name << " round " << round;
        }
    }
}

}  // namespace
}  // namespace strikon::test
