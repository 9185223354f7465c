// The shape of the arguments: which mode, which values, and the one message for each misuse.
#include <gtest/gtest.h>

#include "cli/command_line.h"
#include "cli/option_table.h"
#include "cli/usage.h"

namespace strikon::cli {
namespace {

CommandLineResult parse(std::initializer_list<const char*> args) {
    QStringList list;
    for (const char* a : args) {
        list << QString::fromUtf8(a);
    }
    return parseCommandLine(list);
}

TEST(CommandLine, ReadsValuesAfterSpaceOrEqualsAndTheFlag) {
    const CommandLineResult r =
        parse({"--type", "EAN-13", "--digits=4 006381 33393 1", "--check-digit", "--output", "-"});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.value.mode, Mode::Single);
    EXPECT_EQ(r.value.values.type, QStringLiteral("EAN-13"));
    EXPECT_EQ(r.value.values.digits, QStringLiteral("4 006381 33393 1"));
    EXPECT_EQ(r.value.values.checkDigit, QStringLiteral("yes"));
    EXPECT_EQ(r.value.values.output, QStringLiteral("-"));  // "-" is a value, not an option
    EXPECT_FALSE(r.value.values.size);
}

TEST(CommandLine, HelpWinsOverEverythingElse) {
    EXPECT_EQ(parse({"--type", "x", "--help"}).value.mode, Mode::Help);
    EXPECT_EQ(parse({"-h"}).value.mode, Mode::Help);
}

// Its words are optional: the next argument is one only when it is not an option.
TEST(CommandLine, ListSheetsTakesOptionalWordsAndStandsAlone) {
    const struct {
        std::initializer_list<const char*> args;
        const char* words;  // nullptr: refused
    } cases[] = {
        {{"--list-sheets"}, ""},
        {{"--list-sheets", "herma 46"}, "herma 46"},
        {{"--list-sheets=l7160"}, "l7160"},
        {{"--list-sheets", "--sheet", "A4-3x8"}, nullptr},
        {{"--type", "EAN-13", "--list-sheets"}, nullptr},
    };
    for (const auto& c : cases) {
        const CommandLineResult r = parse(c.args);
        ASSERT_EQ(r.ok, c.words != nullptr) << *c.args.begin() << r.error.toStdString();
        if (r.ok) {
            EXPECT_EQ(r.value.mode, Mode::ListSheets);
            EXPECT_EQ(r.value.values.listSheets, QString::fromUtf8(c.words));
        } else {
            EXPECT_TRUE(r.error.startsWith(QLatin1String("--list-sheets: used on its own")));
        }
    }
}

TEST(CommandLine, BatchTakesItsFolderAndKeepsOptionsAsDefaults) {
    const CommandLineResult r =
        parse({"--batch", "rows.csv", "--output-dir", "out", "--dpi", "600", "--jobs", "3"});
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.value.jobs, 3);
    EXPECT_EQ(r.value.mode, Mode::Batch);
    EXPECT_EQ(r.value.batchFile, QStringLiteral("rows.csv"));
    EXPECT_EQ(r.value.outputDir, QStringLiteral("out"));
    EXPECT_EQ(r.value.values.dpi, QStringLiteral("600"));
}

TEST(CommandLine, EachMisuseHasOneMessageNamingTheOption) {
    const struct {
        std::initializer_list<const char*> args;
        const char* message;
    } cases[] = {
        {{}, "no options given; see --help"},
        {{"--colour", "red"}, "--colour: unknown option, see --help"},
        {{"--file", "a.png"}, "--file: unknown option, see --help"},
        {{"--size"}, "--size: expects a value"},
        {{"--digits", "--size", "100"}, "--digits: expects a value"},
        {{"--size", "100", "--size=120"}, "--size: given more than once"},
        {{"EAN-13"}, "unexpected argument \"EAN-13\"; options start with --, see --help"},
        {{"-t", "EAN-13"}, "unexpected argument \"-t\"; options start with --, see --help"},
        {{"--batch", "a.csv"},
         "--output-dir: required with --batch: the folder for the files the rows name"},
        {{"--batch", "a.csv", "--output-dir", "o", "--output", "x.png"},
         "--output: not used with --batch; each row names its file in the file column, "
         "written into --output-dir"},
        {{"--output-dir", "o"},
         "--output-dir: only used with --batch; give --output for one symbol"},
        {{"--jobs", "2", "--output", "x.png"}, "--jobs: only used with --batch"},
        {{"--batch", "a.csv", "--output-dir", "o", "--jobs", "0"},
         "--jobs: expects a whole number of threads from 1 to 256, got \"0\""},
        {{"--batch", "a.csv", "--output-dir", "o", "--jobs=257"},
         "--jobs: expects a whole number of threads from 1 to 256, got \"257\""},
    };
    for (const auto& c : cases) {
        const CommandLineResult r = parse(c.args);
        EXPECT_FALSE(r.ok) << c.message;
        EXPECT_EQ(r.error.toStdString(), c.message);
    }
}

// --help spells the batch's columns out in words; a column added to the table must be there too.
TEST(CommandLine, HelpOfTheBatchNamesEveryColumn) {
    const QString help = usageText();
    const qsizetype from = help.indexOf(QLatin1String("  --batch FILE.csv"));
    const QString batchHelp =
        help.mid(from, help.indexOf(QLatin1String("  --output-dir"), from) - from);
    for (const OptionRow& option : options()) {
        if (option.column != nullptr) {
            EXPECT_TRUE(batchHelp.contains(QLatin1String(option.column))) << option.column;
        }
    }
}

}  // namespace
}  // namespace strikon::cli
