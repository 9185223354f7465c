// Batch files as spreadsheets export them: quotes, commas and line breaks inside fields, CRLF,
// a byte-order mark; and the line each record starts on, which every batch message names.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <iterator>

#include "cli/csv_reader.h"
#include "cli/csv_stream.h"

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
              QStringLiteral("the quoted field opened on line 4 is never closed"));
}

// What the stream reads from the bytes: its records, then "stop: <error>" where the reading
// stopped.
std::vector<QString> streamed(QByteArray bytes) {
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    CsvStream stream(device);
    std::vector<QString> out;
    while (const std::optional<CsvRecord> r = stream.next()) {
        out.push_back(QStringLiteral("%1: [%2] %3")
                          .arg(r->line)
                          .arg(r->fields.join(QStringLiteral("|")), r->error));
    }
    if (!stream.error().isEmpty()) {
        out.push_back(QStringLiteral("stop: ") + stream.error());
    }
    return out;
}

// The same from readCsv, where a record that stops the reading is the last one.
std::vector<QString> whole(const QByteArray& bytes) {
    std::vector<QString> out;
    // Every byte-order mark kept, as the stream sees the bytes (fromUtf8 drops a first one).
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const std::vector<CsvRecord> records = readCsv(utf8(bytes));
    for (size_t i = 0; i < records.size(); ++i) {
        const CsvRecord& r = records[i];
        const bool stops =
            i + 1 == records.size() && (r.error.startsWith(QStringLiteral("longer than")) ||
                                        r.error.contains(QStringLiteral("is not closed within")));
        out.push_back(stops ? QStringLiteral("stop: line %1: %2").arg(r.line).arg(r.error)
                            : QStringLiteral("%1: [%2] %3")
                                  .arg(r.line)
                                  .arg(r.fields.join(QStringLiteral("|")), r.error));
    }
    return out;
}

QByteArray goodRows(int first, int count) {
    QByteArray rows;
    for (int i = 0; i < count; ++i) {
        rows += "EAN-8,96385074,r" + QByteArray::number(first + i) + ".png\n";
    }
    return rows;
}

// A fault is named by its own line and reason however much follows it, and only a line that
// never ends stops the reading; the stream and the whole-text reader say the same.
TEST(CsvReader, FaultsAreNamedByTheirLineWhateverFollows) {
    const QByteArray many = goodRows(3, 3000);  // far over a record's limit
    const QString closeQuote = QStringLiteral("unexpected text after a closing quote");
    struct Case {
        const char* name;
        QByteArray bytes;
        std::vector<QString> first;  // the first records (the rest are the good rows)
        qsizetype count;
    };
    const Case cases[] = {
        {"text after a closing quote, then a quote",
         "type,digits,file\nEAN-8,96385074,\"a.png\"x,\"\n" + many,
         {"1: [type|digits|file] ", "2: [] " + closeQuote, "3: [EAN-8|96385074|r3.png] "},
         3001 + 1},
        {"a quote never closed",
         "type,digits,file\nEAN-8,96385074,\"a.png\n" + many,
         {"1: [type|digits|file] ", "2: [] the quoted field opened on line 2 is never closed"},
         2},
        {"a quote closed far below",
         "a\n\"x\n" + many + "\"\nb\n",
         {"1: [a] ",
          "2: [] the quoted field opened on line 2 runs past 65536 bytes; is a quote missing?",
          "3004: [b] "},
         3},
        {"a byte-order mark and a first field over two lines",
         "\xEF\xBB\xBF\"type\ndigits\",file\nx,y\n",
         {"1: [type\ndigits|file] ", "3: [x|y] "},
         2},
        {"a line that never ends",
         "a\n" + QByteArray(70000, 'z') + ",\"x\"\nb\n",
         {"1: [a] ",
          "stop: line 2: longer than 65536 bytes; a batch row holds a few short "
          "values (is this a CSV file?)"},
         2},
    };
    for (const Case& c : cases) {
        const std::vector<QString> records = streamed(c.bytes);
        EXPECT_EQ(whole(c.bytes), records) << c.name;
        ASSERT_EQ(records.size(), size_t(c.count)) << c.name;
        for (size_t i = 0; i < c.first.size(); ++i) {
            EXPECT_EQ(records[i], c.first[i]) << c.name;
        }
    }
}

// Both readers split any text alike: random texts of quotes, commas, spaces, line ends of every
// spelling and a few letters (some of two bytes, some a byte-order mark), short and long.
TEST(CsvReader, StreamAndWholeTextAgreeOnRandomTexts) {
    static const char* const kPieces[] = {"\"",   "\"", ",",        " ",    "\n",          "\r",
                                          "\r\n", "a",  "\xC3\xA9", "\"\"", "\xEF\xBB\xBF"};
    QRandomGenerator random(23);
    for (int n = 0; n < 3000; ++n) {
        QByteArray bytes;
        const int length = n % 100 == 0 ? 30000 : random.bounded(40);
        while (bytes.size() < length) {
            bytes += kPieces[random.bounded(int(std::size(kPieces)))];
        }
        ASSERT_EQ(whole(bytes), streamed(bytes)) << bytes.toStdString();
    }
}

}  // namespace
}  // namespace strikon::cli
