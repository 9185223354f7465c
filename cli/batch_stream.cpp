#include "cli/batch_stream.h"

#include <unistd.h>

#include <QDir>
#include <cerrno>
#include <cstring>

#include "cli/batch_rows.h"
#include "cli/csv_dialect.h"
#include "cli/csv_stream.h"
#include "cli/render_job.h"
#include "cli/shown_value.h"
#include "cli/symbol_output.h"

namespace strikon::cli {

qint64 ArrivingInput::readData(char* data, qint64 maxSize) {
    for (;;) {
        const ssize_t n = ::read(fd_, data, static_cast<size_t>(maxSize));
        if (n >= 0) {
            return n;  // 0: the end of input
        }
        if (errno != EINTR) {
            setErrorString(QString::fromLocal8Bit(std::strerror(errno)));
            return -1;
        }
    }
}

namespace {

class StreamRun {
  public:
    StreamRun(const QString& outputDir, const OptionValues& defaults, QTextStream& messages)
        : dir_(outputDir), defaults_(defaults), messages_(messages) {}

    BatchOutcome run(QIODevice& input);

  private:
    // "" when written; else why not.
    QString write(const CsvRecord& record, QString& file);
    void report(int line, const QString& text) {
        messages_ << QStringLiteral("line %1: %2").arg(line).arg(text) << Qt::endl;
    }

    QDir dir_;
    const OptionValues& defaults_;
    QTextStream& messages_;
    std::vector<const OptionRow*> columns_;
};

BatchOutcome StreamRun::run(QIODevice& arriving) {
    BatchOutcome outcome;
    // Rows are read as they arrive: nothing is read ahead to find the delimiter or the
    // encoding, which --delimiter and --encoding give.
    const ValueResult<CsvDialect> dialect = settleCsvDialect(arriving, defaults_, false);
    if (!dialect.ok) {
        outcome.error = dialect.error;
        return outcome;
    }
    if (!dialect.value.notice.isEmpty()) {
        messages_ << dialect.value.notice << Qt::endl;
    }
    std::unique_ptr<QIODevice> decoded;
    QIODevice& input = utf8Source(arriving, dialect.value, decoded);
    CsvStream stream(input, nullptr, dialect.value.delimiter);
    const std::optional<CsvRecord> header = stream.next();
    if (!header) {
        outcome.error = stream.error().isEmpty()
                            ? QStringLiteral("--batch: the input is empty; it needs a header row")
                            : stream.error();
        return outcome;
    }
    if (!header->error.isEmpty()) {
        outcome.error = QStringLiteral("line %1: %2").arg(header->line).arg(header->error);
        return outcome;
    }
    if (QString e = readBatchHeader(header->fields, columns_, true); !e.isEmpty()) {
        outcome.error = e;
        return outcome;
    }
    if (!dir_.mkpath(QStringLiteral("."))) {
        outcome.error = QStringLiteral("--output-dir: cannot create the folder \"%1\"")
                            .arg(QDir::toNativeSeparators(dir_.path()));
        return outcome;
    }
    while (const std::optional<CsvRecord> record = stream.next()) {
        ++outcome.rows;
        QString file;
        if (const QString error = write(*record, file); !error.isEmpty()) {
            ++outcome.failed;
            report(record->line, error);
        } else {
            report(record->line, QStringLiteral("\"%1\" written (%2 of %3 rows so far)")
                                     .arg(shownValue(file))
                                     .arg(outcome.rows - outcome.failed)
                                     .arg(outcome.rows));
        }
    }
    if (!stream.error().isEmpty()) {  // a line too long or unreadable input ends the stream
        messages_ << stream.error() << Qt::endl;
        ++outcome.failed;
    }
    messages_ << QStringLiteral("%1 of %2 rows written")
                     .arg(outcome.rows - std::min(outcome.failed, outcome.rows))
                     .arg(outcome.rows);
    if (outcome.failed > 0) {
        messages_ << QStringLiteral(", %1 failed").arg(outcome.failed);
    }
    messages_ << Qt::endl;
    return outcome;
}

QString StreamRun::write(const CsvRecord& record, QString& file) {
    OptionValues values;
    if (QString e = batchRowValues(record, columns_, defaults_, values); !e.isEmpty()) {
        return e;
    }
    file = values.output.value_or(QString());
    if (QString e = checkBatchFileName(file); !e.isEmpty()) {
        return e;
    }
    values.output = dir_.filePath(file);
    const JobResult built = buildJob(values);
    if (!built.ok) {
        return built.error;
    }
    for (const QString& warning : built.value.warning.split(u'\n', Qt::SkipEmptyParts)) {
        report(record.line, warning);
    }
    // A name in a row must not lead out of the folder through a link left in it.
    const WriteResult written = writeSymbol(built.value, stdout, LinkPolicy::Refuse);
    return written.ok ? QString() : written.error;
}

}  // namespace

BatchOutcome runBatchStream(QIODevice& input, const QString& outputDir,
                            const OptionValues& defaults, QTextStream& messages) {
    return StreamRun(outputDir, defaults, messages).run(input);
}

}  // namespace strikon::cli
