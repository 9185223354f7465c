// Batch files as spreadsheets export them: quotes, commas and line breaks inside fields, CRLF,
// a byte-order mark; and the line each record starts on, which every batch message names.
#include <gtest/gtest.h>

#include "cli/csv_reader.h"

namespace strikon::cli {
namespace {

TEST(CsvReader, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    const auto records =
        readCsv(QStringLiteral("\xFEFF"
                               "type, digits ,file\r\n"
                               "EAN-13,\"4 006381, 33393 1\",\"a \"\"b\"\".png\"\r\n"
                               "\r\n"
                               "\"multi\nline\",x,y\n"
                               "last,row,no newline"));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].fields, (QStringList{"type", "digits", "file"}));
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[1].fields, (QStringList{"EAN-13", "4 006381, 33393 1", "a \"b\".png"}));
    EXPECT_EQ(records[2].line, 4);  // after the empty line 3
    EXPECT_EQ(records[2].fields, (QStringList{"multi\nline", "x", "y"}));
    EXPECT_EQ(records[3].line, 6);  // the quoted line break moved it on
    EXPECT_EQ(records[3].fields, (QStringList{"last", "row", "no newline"}));
    for (const CsvRecord& r : records) {
        EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    }
}

TEST(CsvReader, EmptyCellsStayAsEmptyFields) {
    const auto records = readCsv(QStringLiteral("a,,c,\n"));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].fields, (QStringList{"a", "", "c", ""}));
}

TEST(CsvReader, AMalformedRecordIsReportedAndTheNextLineStillRead) {
    const auto records =
        readCsv(QStringLiteral("a,b\"c,d\n"
                               "\"x\"y,z\n"
                               "ok,1\n"
                               "\"never closed,2\n"));
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[0].error, QStringLiteral("a quote inside an unquoted field; put the whole "
                                               "field in quotes and double the quote"));
    EXPECT_EQ(records[1].error, QStringLiteral("unexpected text after a closing quote"));
    EXPECT_EQ(records[1].line, 2);
    EXPECT_EQ(records[2].fields, (QStringList{"ok", "1"}));
    EXPECT_EQ(records[3].line, 4);
    EXPECT_EQ(records[3].error,
              QStringLiteral("a quoted field is not closed before the end of the file"));
}

}  // namespace
}  // namespace strikon::cli
