#include "app/input/mask_model.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>
#include <vector>

namespace strikon {
namespace {

constexpr const char* kEan13 = "9 999999 999999;1;0";
constexpr const char* kEan8 = "9999 9999;1;0";
constexpr const char* kUpcA = "9 99999 99999 9;1;0";
constexpr const char* kUpcE = "9 999999 9;1;0";
constexpr const char* kAddOn2 = "99;1;0";
constexpr const char* kAddOn5 = "99999;1;0";
constexpr const char* kItf14 = "99999999999999;1;0";

TEST(MaskModelTest, InstallingAMaskGivesTheFullLengthTextOfZeros) {
    struct Row {
        const char* mask;
        const char* text;
    };
    const Row rows[] = {
        {kEan13, "0 000000 000000"}, {kEan8, "0000 0000"}, {kUpcA, "0 00000 00000 0"},
        {kUpcE, "0 000000 0"},       {kAddOn2, "00"},      {kAddOn5, "00000"},
        {kItf14, "00000000000000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mask);
        const MaskModel withDefault(row.mask, U"");
        EXPECT_EQ(withDefault.text(), row.text);
        EXPECT_EQ(withDefault.snapshot(), row.text);
    }
}

TEST(MaskModelTest, SettingATextFeedsItThroughTheMask) {
    struct Row {
        const char* mask;
        std::u32string input;
        const char* text;
    };
    const Row rows[] = {
        {kEan13, U"4006381333931", "4 006381 333931"},
        {kEan13, U"4 006381 333931", "4 006381 333931"},
        {kEan13, U"12", "1 200000 000000"},
        {kEan13, U"40a6381x333931", "4 006381 033393"},  // letters become zeros, overflow dropped
        {kEan13, U"4006381333931999", "4 006381 333931"},
        {kEan8, U"12345670", "1234 5670"},
        {kEan8, U"1234 5670", "1234 5670"},
        {kUpcA, U"012345678905", "0 12345 67890 5"},
        {kUpcE, U"0 654321 7", "0 654321 7"},
        {kAddOn5, U"52495", "52495"},
        {kItf14, U"1234 5678", "12340567800000"},  // no literal to take the space
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        MaskModel model(row.mask, U"");
        model.setText(row.input);
        EXPECT_EQ(model.text(), row.text);
        EXPECT_EQ(model.snapshot(), row.text);
    }
}

TEST(MaskModelTest, ANewMaskReplacesTheTextInOneStep) {
    MaskModel model(kEan13, U"4006381333931");
    model.setMask(kUpcA, U"0 00000 00000 0");
    EXPECT_EQ(model.pattern(), "9 99999 99999 9");
    EXPECT_EQ(model.text(), "0 00000 00000 0");
    // The same mask again still resets the digits.
    model.setText(U"012345678905");
    model.setMask(kUpcA, U"0 00000 00000 0");
    EXPECT_EQ(model.text(), "0 00000 00000 0");
}

TEST(MaskModelTest, ANonDigitBlankReadsAsZero) {
    EXPECT_EQ(MaskModel("9 99;1;_", U"").text(), "0 00");
    EXPECT_EQ(MaskModel("99", U"").text(), "00");
}

enum class Op { Type, Backspace, Delete, Clear, Paste };

struct EditRow {
    const char* name;
    const char* mask;
    const char* before;
    Op op;
    int start;
    int length;
    std::u32string input;  // the typed character or the pasted text
    const char* after;
    int cursor;
    bool refused;
};

MaskEdit run(MaskModel& model, const EditRow& row) {
    switch (row.op) {
        case Op::Type:
            return model.type(row.input.at(0), row.start, row.length);
        case Op::Backspace:
            return model.backspace(row.start, row.length);
        case Op::Delete:
            return model.del(row.start, row.length);
        case Op::Clear:
            return model.clear(row.start, row.length);
        case Op::Paste:
            return model.paste(row.input, row.start, row.length);
    }
    return {};
}

void checkRows(const std::vector<EditRow>& rows) {
    for (const EditRow& row : rows) {
        SCOPED_TRACE(row.name);
        MaskModel model(row.mask, std::u32string(row.before, row.before + strlen(row.before)));
        const MaskEdit edit = run(model, row);
        EXPECT_EQ(model.text(), row.after);
        EXPECT_EQ(edit.cursor, row.cursor);
        EXPECT_EQ(edit.refused, row.refused);
    }
}

constexpr const char* kFilled = "1 234567 890128";

TEST(MaskModelTest, TypingOverwritesDigitsAndSkipsLiterals) {
    checkRows({
        {"digit at the start", kEan13, kFilled, Op::Type, 0, 0, U"7", "7 234567 890128", 2, false},
        {"digit mid group", kEan13, kFilled, Op::Type, 3, 0, U"0", "1 204567 890128", 4, false},
        {"digit on a literal", kEan13, kFilled, Op::Type, 1, 0, U"9", "1 934567 890128", 3, false},
        {"last digit", kEan13, kFilled, Op::Type, 14, 0, U"5", "1 234567 890125", 15, false},
        {"digit at the end", kEan13, kFilled, Op::Type, 15, 0, U"5", kFilled, 15, true},
        {"digit over a selection", kEan13, kFilled, Op::Type, 2, 4, U"9", "1 900067 890128", 3,
         false},
        {"EAN-8 group end", kEan8, "1234 5678", Op::Type, 3, 0, U"0", "1230 5678", 5, false},
        {"add-on end", kAddOn2, "12", Op::Type, 1, 0, U"9", "19", 2, false},
        {"ITF-14 end", kItf14, "10012345678900", Op::Type, 13, 0, U"2", "10012345678902", 14,
         false},
    });
}

TEST(MaskModelTest, TypingAnythingButADigitOrSpaceIsRefused) {
    for (const char32_t ch :
         {U'a', U'Z', U'-', U'+', U'.', U'\t', U'\u00e9', U'\u0663', U'\uff11', U'\U0001F600'}) {
        SCOPED_TRACE(static_cast<unsigned>(ch));
        MaskModel model(kEan13, U"1234567890128");
        const MaskEdit edit = model.type(ch, 3, 2);
        EXPECT_TRUE(edit.refused);
        EXPECT_EQ(edit.cursor, 3);
        EXPECT_EQ(model.text(), kFilled);
    }
}

TEST(MaskModelTest, ASpaceJumpsPastTheNextLiteral) {
    checkRows({
        {"first group", kEan13, kFilled, Op::Type, 0, 0, U" ", kFilled, 2, false},
        {"on the literal", kEan13, kFilled, Op::Type, 1, 0, U" ", kFilled, 2, false},
        {"directly after a literal", kEan13, kFilled, Op::Type, 2, 0, U" ", kFilled, 9, false},
        {"mid group", kEan13, kFilled, Op::Type, 5, 0, U" ", kFilled, 9, false},
        {"selection stays", kEan13, kFilled, Op::Type, 3, 4, U" ", kFilled, 9, false},
        {"last group", kEan13, kFilled, Op::Type, 9, 0, U" ", kFilled, 9, true},
        {"end", kEan13, kFilled, Op::Type, 15, 0, U" ", kFilled, 15, true},
        {"UPC-A third literal", kUpcA, "0 12345 67890 5", Op::Type, 8, 0, U" ", "0 12345 67890 5",
         14, false},
        {"UPC-A last digit", kUpcA, "0 12345 67890 5", Op::Type, 14, 0, U" ", "0 12345 67890 5", 14,
         true},
        {"UPC-E", kUpcE, "0 654321 7", Op::Type, 4, 0, U" ", "0 654321 7", 9, false},
        {"EAN-8", kEan8, "1234 5678", Op::Type, 0, 0, U" ", "1234 5678", 5, false},
        {"add-on has no literal", kAddOn5, "12345", Op::Type, 0, 0, U" ", "12345", 0, true},
        {"ITF-14 has no literal", kItf14, "10012345678902", Op::Type, 4, 0, U" ", "10012345678902",
         4, true},
    });
}

TEST(MaskModelTest, DeletingPutsZerosAndNeverShortens) {
    checkRows({
        {"backspace mid group", kEan13, kFilled, Op::Backspace, 4, 0, U"", "1 204567 890128", 3,
         false},
        {"backspace after a literal", kEan13, kFilled, Op::Backspace, 2, 0, U"", "0 234567 890128",
         0, false},
        {"backspace at the end", kEan13, kFilled, Op::Backspace, 15, 0, U"", "1 234567 890120", 14,
         false},
        {"backspace at the start", kEan13, kFilled, Op::Backspace, 0, 0, U"", kFilled, 0, false},
        {"backspace over a selection", kEan13, kFilled, Op::Backspace, 5, 6, U"", "1 234000 000128",
         5, false},
        {"delete at the cursor", kEan13, kFilled, Op::Delete, 0, 0, U"", "0 234567 890128", 0,
         false},
        {"delete on a literal", kEan13, kFilled, Op::Delete, 8, 0, U"", kFilled, 8, false},
        {"delete at the end", kEan13, kFilled, Op::Delete, 15, 0, U"", kFilled, 15, false},
        {"delete over a selection", kEan13, kFilled, Op::Delete, 1, 4, U"", "1 000567 890128", 1,
         false},
        {"cut everything", kEan13, kFilled, Op::Clear, 0, 15, U"", "0 000000 000000", 0, false},
        {"cut a backward selection", kEan8, "1234 5678", Op::Clear, 6, -3, U"", "1230 0678", 3,
         false},
        {"cut past the end", kAddOn5, "12345", Op::Clear, 3, 99, U"", "12300", 3, false},
    });
}

TEST(MaskModelTest, PastingRunsThroughTheMask) {
    const char* zeros = "0 000000 000000";
    checkRows({
        {"thirteen digits", kEan13, zeros, Op::Paste, 0, 0, U"4006381333931", "4 006381 333931", 15,
         false},
        {"with its spaces", kEan13, zeros, Op::Paste, 0, 0, U"4 006381 333931", "4 006381 333931",
         15, false},
        {"a space at a digit", kEan13, zeros, Op::Paste, 0, 0, U"12 34", "1 203400 000000", 6,
         false},
        {"letters become zeros", kEan13, kFilled, Op::Paste, 2, 0, U"9x9", "1 909567 890128", 5,
         false},
        {"mid field", kEan13, zeros, Op::Paste, 5, 0, U"99", "0 000990 000000", 7, false},
        {"overflow dropped", kEan13, kFilled, Op::Paste, 12, 0, U"555777", "1 234567 890555", 15,
         false},
        {"over a selection", kEan13, kFilled, Op::Paste, 2, 6, U"9", "1 900000 890128", 3, false},
        {"at the end", kEan13, kFilled, Op::Paste, 15, 0, U"1", kFilled, 15, true},
        {"nothing", kEan13, kFilled, Op::Paste, 3, 0, U"", kFilled, 3, false},
        {"EAN-8", kEan8, "0000 0000", Op::Paste, 0, 0, U"12345670", "1234 5670", 9, false},
        {"UPC-E with newline", kUpcE, "0 000000 0", Op::Paste, 0, 0, U"06543217\n", "0 654321 7",
         10, false},
        {"add-on overflow", kAddOn2, "00", Op::Paste, 0, 0, U"12345", "12", 2, false},
        {"ITF-14 unicode", kItf14, "00000000000000", Op::Paste, 0, 0, U"1\u00e9\U0001F6002",
         "10020000000000", 4, false},
    });
}

TEST(MaskModelTest, EscapeRestoresTheSnapshot) {
    MaskModel model(kEan13, U"1234567890128");
    model.type(U'9', 0);
    model.paste(U"55", 5);
    EXPECT_TRUE(model.restoreSnapshot());
    EXPECT_EQ(model.text(), kFilled);
    EXPECT_FALSE(model.restoreSnapshot());  // nothing left to undo

    model.type(U'9', 0);
    model.takeSnapshot();  // the field gets the focus again
    model.del(2);
    EXPECT_TRUE(model.restoreSnapshot());
    EXPECT_EQ(model.text(), "9 234567 890128");

    model.setText(U"4006381333931");  // a handler's text is the new snapshot
    EXPECT_FALSE(model.restoreSnapshot());
    model.setMask(kEan8, U"0000 0000");
    model.type(U'1', 0);
    EXPECT_TRUE(model.restoreSnapshot());
    EXPECT_EQ(model.text(), "0000 0000");
}

TEST(MaskModelTest, AnEmptyMaskRefusesEverything) {
    MaskModel model;
    EXPECT_EQ(model.text(), "");
    EXPECT_TRUE(model.type(U'1', 0).refused);
    EXPECT_TRUE(model.type(U' ', 0).refused);
    EXPECT_TRUE(model.paste(U"1", 0).refused);
    EXPECT_FALSE(model.backspace(0).refused);
}

// Positions no widget sends: the selection is clamped into the text without overflowing.
TEST(MaskModelTest, ExtremeSelectionsAreClampedIntoTheText) {
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    const int edges[][2] = {{kMin, kMin}, {kMin, kMax}, {kMax, kMax}, {kMax, kMin},
                            {0, kMin},    {5, kMin},    {kMin, -1},   {kMax, 1}};
    for (const auto& [start, length] : edges) {
        MaskModel model(kEan8, U"12345670");
        model.del(start, length);
        model.backspace(start, length);
        model.type(U'9', start, length);
        model.paste(U"42", start, length);
        EXPECT_EQ(model.text().size(), 9u) << start << ", " << length;
        EXPECT_EQ(model.text()[4], ' ') << start << ", " << length;
    }
}

// Whatever the user does, the text keeps the mask's length, its literals and a digit in every
// digit position, and the cursor stays inside the text.
class MaskInvariant {
  public:
    explicit MaskInvariant(unsigned seed) : random_(seed) {}

    void run(const char* mask, int sequences, int steps) {
        for (int s = 0; s < sequences; ++s) {
            MaskModel model(mask, randomText());
            int cursor = 0;
            for (int i = 0; i < steps; ++i) {
                cursor = step(model, cursor);
                check(model, cursor);
                if (testing::Test::HasFailure()) {
                    return;
                }
            }
        }
    }

  private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    char32_t randomChar() {
        static const std::u32string pool =
            U"0123456789 0123456789 aZ-+.,;\t\n\r\u00e9\u0663\uff15"
            U"\u0416\U0001F600\u200b";
        return pool[static_cast<size_t>(pick(0, static_cast<int>(pool.size()) - 1))];
    }

    std::u32string randomText() {
        std::u32string text;
        for (int n = pick(0, 20); n > 0; --n) {
            text += randomChar();
        }
        return text;
    }

    int step(MaskModel& model, int cursor) {
        // Selections reach a little outside the text on purpose: the model must clamp them.
        const int start = pick(-2, model.size() + 2);
        const int length = pick(0, 3) == 0 ? pick(-4, model.size() + 2) : 0;
        switch (pick(0, 8)) {
            case 0:
            case 1:
                return model.type(randomChar(), start, length).cursor;
            case 2:
                return model.backspace(start, length).cursor;
            case 3:
                return model.del(start, length).cursor;
            case 4:
                return model.clear(start, length).cursor;
            case 5:
                return model.paste(randomText(), start, length).cursor;
            case 6:
                model.restoreSnapshot();
                return cursor;
            case 7:
                model.takeSnapshot();
                return cursor;
            default:
                model.setText(randomText());
                return model.size();
        }
    }

    static void check(const MaskModel& model, int cursor) {
        const std::string& pattern = model.pattern();
        const std::string& text = model.text();
        ASSERT_EQ(text.size(), pattern.size()) << text;
        for (size_t i = 0; i < text.size(); ++i) {
            if (pattern[i] == '9') {
                ASSERT_TRUE(text[i] >= '0' && text[i] <= '9') << text << " at " << i;
            } else {
                ASSERT_EQ(text[i], pattern[i]) << text << " at " << i;
            }
        }
        ASSERT_GE(cursor, 0);
        ASSERT_LE(cursor, model.size());
    }

    std::mt19937 random_;
};

TEST(MaskModelTest, RandomEditsNeverBreakTheMask) {
    for (const char* mask : {kEan13, kEan8, kUpcA, kUpcE, kAddOn2, kAddOn5, kItf14}) {
        SCOPED_TRACE(mask);
        MaskInvariant(20261208).run(mask, 1000, 40);
    }
}

}  // namespace
}  // namespace strikon
