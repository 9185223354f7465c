#include "cli/batch.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryFile>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <deque>
#include <filesystem>
#include <future>
#include <system_error>
#include <vector>

#include "cli/batch_rows.h"
#include "cli/csv_dialect.h"
#include "cli/csv_stream.h"
#include "cli/option_table.h"
#include "cli/render_job.h"
#include "cli/scan_report.h"
#include "cli/shown_value.h"
#include "cli/symbol_output.h"
#include "cli/task_pool.h"
#include "render/symbol_image.h"

namespace strikon::cli {

namespace {

// Rows whose files are made durable by one sync. Larger groups sync less often; this one keeps
// the files a crash can cost few and the temporaries open at once within any limit.
constexpr size_t kCommitGroup = 64;
// Groups being synced at once, each on its own thread, while later rows are drawn: a sync that
// waits for the disk then holds up neither the drawing nor the groups after it.
constexpr size_t kGroupsInFlight = 4;

// What a row's picture and its encoding hold at once, roughly: an 8-bit picture and its file
// for BMP and PNG; a colour picture, its samples and its file for JPEG. Vector files hold no
// picture.
qint64 pictureBytes(const RenderJob& job) {
    int perPixel = 0;
    switch (job.format) {
        case SymbolFileFormat::Bmp:
        case SymbolFileFormat::Png:
            perPixel = 2;
            break;
        case SymbolFileFormat::Jpeg:
            perPixel = 8;
            break;
        case SymbolFileFormat::Svg:
        case SymbolFileFormat::Pdf:
            return 0;
    }
    const std::optional<QSize> size = measureSymbol(job.symbol, job.pxPerMm(), job.pxPerMm());
    return size ? qint64{size->width()} * size->height() * perPixel : 0;
}

// The folder and those above it made where missing; the system's reason when it cannot be.
QString makeFolder(const QString& path) {
    std::error_code error;
    const std::filesystem::path native(QFile::encodeName(path).toStdString());
    std::filesystem::create_directories(native, error);
    if (!error && !std::filesystem::is_directory(native, error) && !error) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    return error ? QString::fromLocal8Bit(error.message()) : QString();
}

// Column i of the header fills the option columns[i]; "" when the header is valid.
QString readHeader(const QStringList& header, std::vector<const OptionRow*>& columns,
                   bool needsFile) {
    for (const QString& cell : header) {
        const OptionRow* option = findColumn(cell);
        if (option == nullptr) {
            return QStringLiteral("line 1: unknown column \"%1\"; columns are %2")
                .arg(shownValue(cell), columnNames());
        }
        if (std::find(columns.begin(), columns.end(), option) != columns.end()) {
            return QStringLiteral("line 1: column \"%1\" appears twice")
                .arg(QLatin1String(option->column));
        }
        columns.push_back(option);
    }
    const auto isFile = [](const OptionRow* option) {
        return option->field == &OptionValues::output;
    };
    if (needsFile && std::none_of(columns.begin(), columns.end(), isFile)) {
        return QStringLiteral(
            "line 1: the header names no file column; each row needs the "
            "name of its output file");
    }
    return {};
}

// A row's cells laid over the defaults; "" when the row could be read.
QString rowValues(const CsvRecord& record, const std::vector<const OptionRow*>& columns,
                  const OptionValues& defaults, OptionValues& values) {
    if (!record.error.isEmpty()) {
        return record.error;
    }
    if (record.fields.size() > static_cast<qsizetype>(columns.size())) {
        return QStringLiteral("%1 fields, but the header names %2 columns")
            .arg(record.fields.size())
            .arg(columns.size());
    }
    OptionValues cells;
    for (qsizetype i = 0; i < record.fields.size(); ++i) {
        if (!record.fields[i].isEmpty()) {
            cells.*columns[i]->field = record.fields[i];
        }
    }
    values = defaults.overlaidWith(cells);
    return {};
}

// A control character, spelled so that a message shows it instead of acting on it.
QString firstControlCharacter(const QString& name) {
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            return QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        }
    }
    return {};
}

// A row may only name a file inside the output folder: no folders, no way out of it, and no
// character that a terminal, a shell script or the system's calls would read otherwise.
QString checkFileName(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("file: is required: the name of the output file, ending in %1")
            .arg(acceptedExtensions());
    }
    if (const QString control = firstControlCharacter(name); !control.isEmpty()) {
        // Not echoed: the character would act on the terminal or cut the message.
        return QStringLiteral("file: the name holds the control character %1; a file name may not")
            .arg(control);
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == u"." ||
        name == u".." || isStdoutPath(name)) {
        return QStringLiteral("file: \"%1\" is not a plain file name inside --output-dir")
            .arg(shownValue(name));
    }
    return {};
}

// Rows are checked here, in order, and drawn and staged on the pool (each file whole, without
// its name yet); every kCommitGroup rows the staged files are made durable together and
// given their names, on threads of their own while later rows are drawn. What each
// row has to say is said in row order once it is committed, so the messages read as if the
// rows ran one by one.
class BatchRun {
  public:
    BatchRun(const QString& outputDir, const OptionValues& defaults, QTextStream& messages,
             int jobs)
        : dir_(outputDir),
          defaults_(defaults),
          messages_(messages),
          memory_(defaultMemoryBudget()),
          pool_(jobs),
          window_(4 * static_cast<size_t>(std::max(1, jobs))) {}

    BatchOutcome run(QIODevice& csv);

  private:
    struct Row {
        qint64 line = 0;
        QStringList warnings;
        QString error;  // refused before drawing, or the write failed
        QString file;   // the name it is written under, while written
        RenderJob job;
        std::future<ValueResult<StagedFile>> staging;  // valid while it is drawn and staged
        std::future<QStringList> scanning;             // the scan check's warnings, on the pool
        std::optional<StagedFile> staged;              // staged, waiting for its commit
    };

    Row start(const CsvRecord& record);
    // Empty when the row may be drawn: `values` then holds its options, `file` its file's name.
    QString check(const CsvRecord& record, OptionValues& values, QString& file);
    bool frontDone() const;
    void releaseName(const Row& row);
    void finishFront();
    void commit();
    void reportFront();
    void reportDone();
    void finishAll();
    void progress(qint64 done, qint64 total);
    QString countRows(QIODevice& csv, QTemporaryFile& spool, QIODevice*& source, qint64& rows);
    char delimiter_ = ',';

    QDir dir_;
    std::time_t started_ = std::time(nullptr);
    const OptionValues& defaults_;
    QTextStream& messages_;
    MemoryBudget memory_;  // before the pool, whose threads use it until they are joined
    TaskPool pool_;
    size_t window_;  // rows under way at most, which bounds the memory a batch holds
    std::vector<const OptionRow*> columns_;
    std::deque<Row> rows_;     // started, still being drawn, in row order
    std::vector<Row> staged_;  // done drawing, waiting for the commit, in row order
    // Groups being committed, in row order; a group's rows are reported when it is done.
    struct Group {
        std::vector<Row> rows;
        std::future<std::vector<WriteResult>> committed;
    };
    std::deque<Group> committing_;
    QHash<QString, qint64> underWay_;   // file name -> line writing it
    QHash<QString, qint64> writtenBy_;  // file name -> line that wrote it
    qint64 failed_ = 0;
    qint64 done_ = 0;
    qint64 total_ = 0;
};

// The first pass counts the rows for the progress messages and finds a fault that stops the
// reading (a line too long) before anything is written. Standard input cannot be read twice: it is
// kept in a temporary file.
QString BatchRun::countRows(QIODevice& csv, QTemporaryFile& spool, QIODevice*& source,
                            qint64& rows) {
    const bool once = csv.isSequential();
    if (once && !spool.open()) {
        return QStringLiteral("--batch: cannot keep standard input: %1").arg(spool.errorString());
    }
    CsvStream counting(csv, once ? &spool : nullptr, delimiter_);
    rows = 0;
    while (counting.next()) {
        ++rows;
    }
    if (!counting.error().isEmpty()) {
        return counting.error();
    }
    source = once ? static_cast<QIODevice*>(&spool) : &csv;
    if (!source->seek(0)) {
        return QStringLiteral("--batch: cannot read the file again: %1").arg(source->errorString());
    }
    return {};
}

BatchOutcome BatchRun::run(QIODevice& file) {
    BatchOutcome outcome;
    const ValueResult<CsvDialect> dialect = settleCsvDialect(file, defaults_);
    if (!dialect.ok) {
        outcome.error = dialect.error;
        return outcome;
    }
    if (!dialect.value.notice.isEmpty()) {
        messages_ << dialect.value.notice << Qt::endl;
    }
    delimiter_ = dialect.value.delimiter;
    std::unique_ptr<QIODevice> decoded;
    QIODevice& csv = utf8Source(file, dialect.value, decoded);
    QTemporaryFile spool;
    QIODevice* source = nullptr;
    qint64 records = 0;
    if (QString e = countRows(csv, spool, source, records); !e.isEmpty()) {
        outcome.error = e;
        return outcome;
    }
    CsvStream stream(*source, nullptr, delimiter_);
    const std::optional<CsvRecord> header = stream.next();
    if (!header) {
        outcome.error = QStringLiteral("--batch: the file is empty; it needs a header row");
        return outcome;
    }
    if (!header->error.isEmpty()) {
        outcome.error = QStringLiteral("line %1: %2").arg(header->line).arg(header->error);
        return outcome;
    }
    if (QString e = readHeader(header->fields, columns_, true); !e.isEmpty()) {
        outcome.error = e;
        return outcome;
    }
    if (QString e = makeFolder(dir_.path()); !e.isEmpty()) {
        outcome.error = QStringLiteral("--output-dir: cannot create the folder \"%1\": %2")
                            .arg(QDir::toNativeSeparators(dir_.path()), e);
        return outcome;
    }
    removeStaleTemporaries(dir_.path(), started_);
    total_ = records - 1;
    qint64 started = 0;
    bool grew = false;
    while (const std::optional<CsvRecord> record = stream.next()) {
        if (started++ == total_) {  // past the rows counted: the file grew since
            grew = true;
            finishAll();
            messages_ << QStringLiteral(
                             "line %1: the batch file grew while it was read; this row and any "
                             "after it were not read")
                             .arg(record->line)
                      << Qt::endl;
            ++failed_;
            break;
        }
        rows_.push_back(start(*record));
        while (!rows_.empty() && (rows_.size() > window_ || frontDone())) {
            finishFront();
        }
    }
    finishAll();
    outcome.failed = failed_;
    outcome.rows = done_ + (grew ? 1 : 0);
    if (!grew && !stream.error().isEmpty()) {  // the file changed between the passes
        outcome.failed += std::max<qint64>(1, total_ - done_);
        outcome.rows = std::max(done_ + 1, total_);
        messages_ << stream.error() << Qt::endl;
    }
    messages_ << QStringLiteral("%1 of %2 rows written")
                     .arg(outcome.rows - outcome.failed)
                     .arg(outcome.rows);
    if (outcome.failed > 0) {
        messages_ << QStringLiteral(", %1 failed").arg(outcome.failed);
    }
    messages_ << Qt::endl;
    return outcome;
}

BatchRun::Row BatchRun::start(const CsvRecord& record) {
    Row row;
    row.line = record.line;
    OptionValues values;
    row.error = check(record, values, row.file);
    if (!row.error.isEmpty()) {
        return row;
    }
    const JobResult built = buildJob(values);
    if (!built.ok) {
        row.error = built.error;
        return row;
    }
    row.warnings = built.value.warning.split(u'\n', Qt::SkipEmptyParts);
    underWay_.insert(row.file, row.line);
    // A name in a row must not lead out of the folder through a link left in it.
    row.job = built.value;
    row.staging = pool_.submit([job = row.job, budget = &memory_] {
        const MemoryBudget::Share share(*budget, pictureBytes(job));
        return stageSymbol(job, LinkPolicy::Refuse);
    });
    row.scanning = pool_.submit(
        [job = row.job] { return scanWarnings(job.symbol, scanCheck(job.symbol, job.pxPerMm())); });
    return row;
}

QString BatchRun::check(const CsvRecord& record, OptionValues& values, QString& file) {
    if (QString e = rowValues(record, columns_, defaults_, values); !e.isEmpty()) {
        return e;
    }
    file = values.output.value_or(QString());
    if (QString e = checkFileName(file); !e.isEmpty()) {
        return e;
    }
    // Whether an earlier row wrote this name depends on how its write ends: wait for it, first
    // for its drawing (a row that fails there, as every row naming a folder does, is done),
    // then, when it was staged, for its group's commit.
    while (!rows_.empty() && underWay_.contains(file)) {
        finishFront();
    }
    if (underWay_.contains(file)) {
        finishAll();
    }
    if (const auto earlier = writtenBy_.constFind(file); earlier != writtenBy_.constEnd()) {
        return QStringLiteral("file: \"%1\" is already written by line %2")
            .arg(shownValue(file))
            .arg(*earlier);
    }
    values.output = dir_.filePath(file);
    return {};
}

// The row's name is free for a later row once the row's write has ended.
void BatchRun::releaseName(const Row& row) {
    if (const auto it = underWay_.constFind(row.file);
        it != underWay_.constEnd() && *it == row.line) {
        underWay_.erase(it);
    }
}

bool BatchRun::frontDone() const {
    const Row& front = rows_.front();
    return !front.staging.valid() ||
           front.staging.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

void BatchRun::finishFront() {
    Row row = std::move(rows_.front());
    rows_.pop_front();
    if (row.scanning.valid()) {
        row.warnings += row.scanning.get();
    }
    if (row.staging.valid()) {
        ValueResult<StagedFile> staged = row.staging.get();
        if (staged.ok) {
            row.staged = std::move(staged.value);
        } else {
            row.error = staged.error;
            releaseName(row);
        }
    }
    staged_.push_back(std::move(row));
    if (staged_.size() >= kCommitGroup) {
        commit();
    }
}

// Hands the staged group to a thread that syncs and renames it, and reports the groups before
// it that are done; waits for the oldest only when kGroupsInFlight are under way.
void BatchRun::commit() {
    std::vector<StagedFile> files;
    for (const Row& row : staged_) {
        if (row.staged) {
            files.push_back(*row.staged);
        }
    }
    committing_.push_back({std::move(staged_), std::async(std::launch::async, [files] {
                               return commitStaged(files);
                           })});
    staged_.clear();
    while (!committing_.empty() && (committing_.size() > kGroupsInFlight ||
                                    committing_.front().committed.wait_for(
                                        std::chrono::seconds(0)) == std::future_status::ready)) {
        reportFront();
    }
}

// Waits for the oldest group being committed, then says what each of its rows has to say.
void BatchRun::reportFront() {
    Group group = std::move(committing_.front());
    committing_.pop_front();
    const std::vector<WriteResult> committed = group.committed.get();
    size_t next = 0;
    for (Row& row : group.rows) {
        releaseName(row);
        if (row.staged) {
            if (const WriteResult& r = committed[next++]; r.ok) {
                writtenBy_.insert(row.file, row.line);
            } else {
                row.error = committedError(row.job, r);
            }
        }
        for (const QString& warning : row.warnings) {
            messages_ << QStringLiteral("line %1: %2").arg(row.line).arg(warning) << Qt::endl;
        }
        if (!row.error.isEmpty()) {
            messages_ << QStringLiteral("line %1: %2").arg(row.line).arg(row.error) << Qt::endl;
            ++failed_;
        }
        progress(++done_, total_);
    }
}

void BatchRun::reportDone() {
    while (!committing_.empty()) {
        reportFront();
    }
}

void BatchRun::finishAll() {
    while (!rows_.empty()) {
        finishFront();
    }
    if (!staged_.empty()) {
        commit();
    }
    reportDone();
}

void BatchRun::progress(qint64 done, qint64 total) {
    if (total < kProgressMinRows) {
        return;
    }
    const qint64 step = total / 10;  // about every tenth of the batch
    if (done % step == 0 && done != total) {
        messages_ << QStringLiteral("progress: %1 of %2 rows").arg(done).arg(total) << Qt::endl;
    }
}

}  // namespace

BatchOutcome runBatch(QIODevice& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages, int jobs) {
    return BatchRun(outputDir, defaults, messages, jobs).run(csv);
}

BatchOutcome runBatch(const QString& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages, int jobs) {
    QByteArray bytes = csv.toUtf8();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return runBatch(buffer, outputDir, defaults, messages, jobs);
}

BatchRows readBatchRows(QIODevice& file, const OptionValues& defaults, int maxRows) {
    BatchRows out;
    const ValueResult<CsvDialect> dialect = settleCsvDialect(file, defaults);
    if (!dialect.ok) {
        out.error = dialect.error;
        return out;
    }
    out.notice = dialect.value.notice;
    std::unique_ptr<QIODevice> decoded;
    CsvStream stream(utf8Source(file, dialect.value, decoded), nullptr, dialect.value.delimiter);
    const std::optional<CsvRecord> header = stream.next();
    std::vector<const OptionRow*> columns;
    if (!header) {
        out.error = QStringLiteral("--batch: the file is empty; it needs a header row");
    } else if (!header->error.isEmpty()) {
        out.error = QStringLiteral("line %1: %2").arg(header->line).arg(header->error);
    } else {
        out.error = readHeader(header->fields, columns, false);
    }
    while (out.error.isEmpty()) {
        const std::optional<CsvRecord> record = stream.next();
        if (!record) {
            out.error = stream.error();
            break;
        }
        if (static_cast<int>(out.rows.size()) == maxRows) {
            out.error = QStringLiteral("line %1: more than %2 rows").arg(record->line).arg(maxRows);
            break;
        }
        OptionValues values;
        if (QString e = rowValues(*record, columns, defaults, values); !e.isEmpty()) {
            out.error = QStringLiteral("line %1: %2").arg(record->line).arg(e);
            break;
        }
        out.rows.push_back(values);
        out.lines.push_back(record->line);
    }
    if (out.error.isEmpty() && out.rows.empty()) {
        out.error = QStringLiteral("--batch: the file holds no rows below its header");
    }
    return out;
}

BatchFile openBatchFile(const QString& path) {
    auto file = std::make_unique<QFile>();
    bool opened = false;
    if (isStdoutPath(path)) {  // "-" reads standard input here
        opened = file->open(stdin, QIODevice::ReadOnly);
    } else {
        file->setFileName(path);
        opened = file->open(QIODevice::ReadOnly);
    }
    if (!opened) {
        return BatchFile::failure(
            QStringLiteral("--batch: cannot read \"%1\": %2").arg(path, file->errorString()));
    }
    return BatchFile::success(std::move(file));
}

QString readBatchHeader(const QStringList& header, std::vector<const OptionRow*>& columns,
                        bool needsFile) {
    return readHeader(header, columns, needsFile);
}

QString batchRowValues(const CsvRecord& record, const std::vector<const OptionRow*>& columns,
                       const OptionValues& defaults, OptionValues& values) {
    return rowValues(record, columns, defaults, values);
}

QString checkBatchFileName(const QString& name) {
    return checkFileName(name);
}

}  // namespace strikon::cli
