#pragma once
// Comma-separated records: fields in double quotes may hold commas, line breaks and doubled
// quotes (""); spaces around an unquoted field are dropped; empty lines are skipped; LF, CRLF
// and a lone CR (old Mac exports) all end a line; a byte-order mark at the start is dropped. A
// record that breaks these rules carries its reason instead of fields, and reading goes on with
// the next line. A record longer than kMaxRecordBytes (a batch row holds a few short values) is
// not kept: it carries the reason as its error, and unless it lies in a quoted field the reading
// stops with it (stopped()).

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace strikon::cli {

inline constexpr qsizetype kMaxRecordBytes = 64 * 1024;
// How far a quoted field past that limit is followed to find whether it is ever closed.
inline constexpr qsizetype kMaxQuotedScan = 64 * 1024 * 1024;

struct CsvRecord {
    qint64 line = 0;  // 1-based line on which the record starts
    QStringList fields;
    QString error;  // empty for a well-formed record
};

// The rules above, one byte at a time. Every reader of records feeds its bytes through this one
// machine, so a text read whole and a file read as a stream split into the same records.
class CsvMachine {
  public:
    // True when the byte completes a record, which take() then hands over.
    bool put(char c);
    // The end of the input: true when it completes a last record.
    bool end();
    CsvRecord take();
    // The last record taken stopped the reading: no record follows it.
    bool stopped() const { return stopped_; }

  private:
    enum class State { FieldStart, Unquoted, Quoted, QuoteInQuoted, AfterClose, Skipping };
    bool feed(char c);
    bool lineEnd();
    void endField();
    void fail(const QString& why);
    bool overLimit();
    bool stop(const QString& why);
    QString runsPast() const;
    CsvRecord finish();

    State state_ = State::FieldStart;
    qint64 line_ = 1;              // of the next byte
    qint64 quoteLine_ = 0;         // where the quoted field being read opened
    bool afterCr_ = false;         // a CR just ended a line; an LF right after it belongs to it
    int bomBytes_ = 0;             // bytes of a byte-order mark seen at the very start
    bool started_ = false;         // the input has begun (past any byte-order mark)
    bool inRecord_ = false;        // a byte of the record has come
    qint64 recordLine_ = 0;        // where it began
    bool passedInQuotes_ = false;  // it passed the limit inside a quoted field
    bool stopped_ = false;
    qsizetype bytes_ = 0;  // of the record so far
    QByteArray value_;     // of the field being read
    std::vector<QByteArray> values_;
    std::vector<bool> quoted_;
    CsvRecord record_;
    bool ready_ = false;
};

std::vector<CsvRecord> readCsv(const QString& text);

}  // namespace strikon::cli
