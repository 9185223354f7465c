#include "cli/csv_reader.h"

namespace strikon::cli {

namespace {

class CsvParser {
  public:
    CsvParser(const QString& text, char delimiter) : text_(text), delimiter_(delimiter) {
        if (text_.startsWith(QChar(0xFEFF))) {  // a byte-order mark from spreadsheet exports
            pos_ = 1;
        }
    }

    std::vector<CsvRecord> records() {
        std::vector<CsvRecord> out;
        while (pos_ < text_.size()) {
            if (atLineEnd()) {  // an empty line
                skipLineEnd();
                continue;
            }
            out.push_back(record());
        }
        return out;
    }

  private:
    bool atLineEnd() const {
        return text_.at(pos_) == QLatin1Char('\n') ||
               (text_.at(pos_) == QLatin1Char('\r') && pos_ + 1 < text_.size() &&
                text_.at(pos_ + 1) == QLatin1Char('\n'));
    }

    void skipLineEnd() {
        if (text_.at(pos_) == QLatin1Char('\r')) {
            ++pos_;
        }
        ++pos_;
        ++line_;
    }

    // Reads up to and including the end of the record's last line.
    CsvRecord record() {
        CsvRecord r;
        r.line = line_;
        while (true) {
            r.fields << field(r);
            if (!r.error.isEmpty()) {
                skipRestOfLine();
                r.fields.clear();
                return r;
            }
            if (pos_ >= text_.size()) {
                return r;
            }
            if (atLineEnd()) {
                skipLineEnd();
                return r;
            }
            ++pos_;  // the delimiter
        }
    }

    QString field(CsvRecord& r) {
        while (pos_ < text_.size() && text_.at(pos_) == QLatin1Char(' ')) {
            ++pos_;
        }
        if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('"')) {
            return quoted(r);
        }
        const qsizetype start = pos_;
        while (pos_ < text_.size() && text_.at(pos_) != QLatin1Char(delimiter_) && !atLineEnd()) {
            if (text_.at(pos_) == QLatin1Char('"')) {
                r.error = QStringLiteral(
                    "a quote inside an unquoted field; put the whole field "
                    "in quotes and double the quote");
                return {};
            }
            ++pos_;
        }
        return text_.mid(start, pos_ - start).trimmed();
    }

    QString quoted(CsvRecord& r) {
        ++pos_;  // the opening quote
        QString value;
        while (pos_ < text_.size()) {
            const QChar c = text_.at(pos_++);
            if (c == QLatin1Char('\n')) {
                ++line_;
            }
            if (c != QLatin1Char('"')) {
                value += c;
            } else if (pos_ < text_.size() && text_.at(pos_) == QLatin1Char('"')) {
                value += c;
                ++pos_;
            } else {
                while (pos_ < text_.size() && text_.at(pos_) == QLatin1Char(' ')) {
                    ++pos_;
                }
                if (pos_ < text_.size() && text_.at(pos_) != QLatin1Char(delimiter_) &&
                    !atLineEnd()) {
                    r.error = QStringLiteral("unexpected text after a closing quote");
                }
                return value;
            }
        }
        r.error = QStringLiteral("a quoted field is not closed before the end of the file");
        return {};
    }

    void skipRestOfLine() {
        while (pos_ < text_.size() && !atLineEnd()) {
            ++pos_;
        }
        if (pos_ < text_.size()) {
            skipLineEnd();
        }
    }

    const QString& text_;
    const char delimiter_;
    qsizetype pos_ = 0;
    int line_ = 1;
};

}  // namespace

std::vector<CsvRecord> readCsv(const QString& text, char delimiter) {
    return CsvParser(text, delimiter).records();
}

}  // namespace strikon::cli
