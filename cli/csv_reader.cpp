#include "cli/csv_reader.h"

#include <QStringDecoder>

namespace strikon::cli {

bool CsvMachine::put(char c) {
    if (stopped_) {
        return false;
    }
    if (!started_) {
        // A byte-order mark from a spreadsheet export is not part of the first field; bytes
        // that only began like one are read as they are.
        static constexpr char kBom[] = "\xEF\xBB\xBF";
        if (c == kBom[bomBytes_]) {
            if (++bomBytes_ == 3) {
                started_ = true;
            }
            return false;
        }
        started_ = true;
        bool done = false;
        for (int i = 0; i < bomBytes_; ++i) {
            done = feed(kBom[i]) || done;
        }
        return feed(c) || done;
    }
    return feed(c);
}

bool CsvMachine::feed(char c) {
    if (c == '\n' && afterCr_) {
        afterCr_ = false;
        return false;
    }
    afterCr_ = c == '\r';
    if (c == '\n' || c == '\r') {
        return lineEnd();
    }
    if (!inRecord_) {
        inRecord_ = true;
        recordLine_ = line_;
    }
    const bool keep = ++bytes_ <= kMaxRecordBytes;
    switch (state_) {
        case State::FieldStart:
            if (c == '"') {
                state_ = State::Quoted;
                quoteLine_ = line_;
            } else if (c == ',') {
                endField();
            } else if (c != ' ') {
                state_ = State::Unquoted;
                if (keep) {
                    value_.append(c);
                }
            }
            break;
        case State::Unquoted:
            if (c == ',') {
                endField();
            } else if (c == '"') {
                fail(
                    QStringLiteral("a quote inside an unquoted field; put the whole field in "
                                   "quotes and double the quote"));
            } else if (keep) {
                value_.append(c);
            }
            break;
        case State::Quoted:
            if (c == '"') {
                state_ = State::QuoteInQuoted;
            } else if (keep) {
                value_.append(c);
            }
            break;
        case State::QuoteInQuoted:  // the quote before closed the field, or doubles this one
            if (c == '"') {
                state_ = State::Quoted;
                if (keep) {
                    value_.append(c);
                }
                break;
            }
            state_ = State::AfterClose;
            [[fallthrough]];
        case State::AfterClose:
            if (c == ',') {
                endField();
            } else if (c != ' ') {
                fail(QStringLiteral("unexpected text after a closing quote"));
            }
            break;
        case State::Skipping:
            break;
    }
    return keep ? false : overLimit();
}

// A record past the limit is not kept. Outside quotes the reading stops: what follows cannot be
// told from the rest of one endless line. Inside quotes it goes on, keeping nothing, to learn
// whether the field is ever closed, which is then named as the reason.
bool CsvMachine::overLimit() {
    value_.clear();
    const bool inQuotes = state_ == State::Quoted || state_ == State::QuoteInQuoted;
    passedInQuotes_ = passedInQuotes_ || inQuotes;
    if (!passedInQuotes_ || bytes_ > kMaxQuotedScan) {
        return stop(inQuotes ? QStringLiteral("the quoted field opened on line %1 is not closed "
                                              "within %2 bytes")
                                   .arg(quoteLine_)
                                   .arg(kMaxQuotedScan)
                             : QStringLiteral("longer than %1 bytes; a batch row holds a few short "
                                              "values (is this a CSV file?)")
                                   .arg(kMaxRecordBytes));
    }
    if (!inQuotes && state_ != State::Skipping) {
        fail(runsPast());
    }
    return false;
}

QString CsvMachine::runsPast() const {
    return QStringLiteral(
               "the quoted field opened on line %1 runs past %2 bytes; is a quote "
               "missing?")
        .arg(quoteLine_)
        .arg(kMaxRecordBytes);
}

bool CsvMachine::stop(const QString& why) {
    record_.error = why;
    record_.line = recordLine_;
    record_.fields.clear();
    stopped_ = true;
    return true;
}

bool CsvMachine::lineEnd() {
    ++line_;
    if (state_ == State::Quoted) {  // the field goes on on the next line
        if (++bytes_ <= kMaxRecordBytes) {
            value_.append('\n');
            return false;
        }
        return overLimit();
    }
    if (!inRecord_) {
        return false;  // an empty line
    }
    record_ = finish();
    return true;
}

bool CsvMachine::end() {
    if (stopped_) {
        return false;
    }
    if (!started_ && bomBytes_ > 0) {  // the input was only the start of a byte-order mark
        started_ = true;
        for (int i = 0; i < bomBytes_; ++i) {
            feed("\xEF\xBB"[i]);
        }
    }
    if (!inRecord_) {
        return false;
    }
    if (state_ == State::Quoted) {
        fail(QStringLiteral("the quoted field opened on line %1 is never closed").arg(quoteLine_));
    }
    record_ = finish();
    return true;
}

void CsvMachine::endField() {
    if (bytes_ > kMaxRecordBytes) {  // the record is refused; its fields are not kept
        state_ = State::FieldStart;
        return;
    }
    values_.push_back(std::move(value_));
    quoted_.push_back(state_ == State::QuoteInQuoted || state_ == State::AfterClose);
    value_.clear();
    state_ = State::FieldStart;
}

void CsvMachine::fail(const QString& why) {
    if (record_.error.isEmpty()) {
        record_.error = why;
    }
    state_ = State::Skipping;  // the rest of the line is not read as fields
}

CsvRecord CsvMachine::finish() {
    CsvRecord r = std::move(record_);
    r.line = recordLine_;
    if (bytes_ > kMaxRecordBytes && r.error.isEmpty()) {
        r.error = runsPast();  // closed at the line's end
    }
    if (r.error.isEmpty()) {
        endField();
        for (size_t i = 0; i < values_.size(); ++i) {
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            const QString text = utf8(values_[i]);
            if (utf8.hasError()) {
                r.error = QStringLiteral("the row is not UTF-8 text; save the batch file as UTF-8");
                break;
            }
            r.fields << (quoted_[i] ? text : text.trimmed());
        }
    }
    if (!r.error.isEmpty()) {
        r.fields.clear();
    }
    state_ = State::FieldStart;
    inRecord_ = false;
    passedInQuotes_ = false;
    bytes_ = 0;
    value_.clear();
    values_.clear();
    quoted_.clear();
    record_ = {};
    return r;
}

CsvRecord CsvMachine::take() {
    return std::move(record_);
}

std::vector<CsvRecord> readCsv(const QString& text) {
    std::vector<CsvRecord> out;
    CsvMachine machine;
    for (const char c : text.toUtf8()) {
        if (machine.put(c)) {
            out.push_back(machine.take());
            if (machine.stopped()) {
                return out;
            }
        }
    }
    if (machine.end()) {
        out.push_back(machine.take());
    }
    return out;
}

}  // namespace strikon::cli
