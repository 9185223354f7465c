#include "cli/batch.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <vector>

#include "cli/csv_reader.h"
#include "cli/render_job.h"
#include "cli/symbol_output.h"

namespace strikon::cli {

namespace {

QString columnList() {
    QStringList names;
    for (const char* name : kOptionNames) {
        names << QString::fromLatin1(name);
    }
    names << QStringLiteral("file");
    return names.join(QStringLiteral(", "));
}

// Column i of the header fills the field columns[i] names; "" when the header is valid.
QString readHeader(const QStringList& header, std::vector<QString>& columns) {
    OptionValues probe;
    for (const QString& cell : header) {
        QString name = cell.trimmed().toLower();
        if (name.startsWith(QLatin1String("--"))) {
            name = name.mid(2);
        }
        if (name == u"output") {
            name = QStringLiteral("file");
        }
        std::optional<QString>* field = optionField(probe, name);
        if (field == nullptr) {
            return QStringLiteral("line 1: unknown column \"%1\"; columns are %2")
                .arg(cell, columnList());
        }
        if (*field) {
            return QStringLiteral("line 1: column \"%1\" appears twice").arg(name);
        }
        *field = QString();
        columns.push_back(name);
    }
    if (!probe.output) {
        return QStringLiteral(
            "line 1: the header names no file column; each row needs the "
            "name of its output file");
    }
    return {};
}

// A row may only name a file inside the output folder: no folders, no way out of it.
QString checkFileName(const QString& name) {
    if (name.isEmpty()) {
        return QStringLiteral("file: is required: the name of the output file, ending in %1")
            .arg(acceptedExtensions());
    }
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')) || name == u"." ||
        name == u".." || name == QStringView(kStdoutPath)) {
        return QStringLiteral("file: \"%1\" is not a plain file name inside --output-dir")
            .arg(name);
    }
    return {};
}

class BatchRun {
  public:
    BatchRun(const QString& outputDir, const OptionValues& defaults, QTextStream& messages)
        : dir_(outputDir), defaults_(defaults), messages_(messages) {}

    BatchOutcome run(const std::vector<CsvRecord>& records);

  private:
    // Empty when the row's file was written.
    QString row(const CsvRecord& record);
    void progress(int done, int total);

    QDir dir_;
    const OptionValues& defaults_;
    QTextStream& messages_;
    std::vector<QString> columns_;
    QHash<QString, int> writtenBy_;  // file name -> line that wrote it
};

BatchOutcome BatchRun::run(const std::vector<CsvRecord>& records) {
    BatchOutcome outcome;
    if (records.empty()) {
        outcome.error = QStringLiteral("--batch: the file is empty; it needs a header row");
        return outcome;
    }
    const CsvRecord& header = records.front();
    if (!header.error.isEmpty()) {
        outcome.error = QStringLiteral("line %1: %2").arg(header.line).arg(header.error);
        return outcome;
    }
    if (QString e = readHeader(header.fields, columns_); !e.isEmpty()) {
        outcome.error = e;
        return outcome;
    }
    if (!dir_.mkpath(QStringLiteral("."))) {
        outcome.error = QStringLiteral("--output-dir: cannot create the folder \"%1\"")
                            .arg(QDir::toNativeSeparators(dir_.path()));
        return outcome;
    }
    outcome.rows = static_cast<int>(records.size()) - 1;
    for (size_t i = 1; i < records.size(); ++i) {
        if (QString e = row(records[i]); !e.isEmpty()) {
            messages_ << QStringLiteral("line %1: %2").arg(records[i].line).arg(e) << Qt::endl;
            ++outcome.failed;
        }
        progress(static_cast<int>(i), outcome.rows);
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

QString BatchRun::row(const CsvRecord& record) {
    if (!record.error.isEmpty()) {
        return record.error;
    }
    if (record.fields.size() > static_cast<qsizetype>(columns_.size())) {
        return QStringLiteral("%1 fields, but the header names %2 columns")
            .arg(record.fields.size())
            .arg(columns_.size());
    }
    OptionValues cells;
    for (qsizetype i = 0; i < record.fields.size(); ++i) {
        if (!record.fields[i].isEmpty()) {
            *optionField(cells, columns_[i]) = record.fields[i];
        }
    }
    OptionValues values = defaults_.overlaidWith(cells);
    const QString file = values.output.value_or(QString());
    if (QString e = checkFileName(file); !e.isEmpty()) {
        return e;
    }
    if (const auto earlier = writtenBy_.constFind(file); earlier != writtenBy_.constEnd()) {
        return QStringLiteral("file: \"%1\" is already written by line %2").arg(file).arg(*earlier);
    }
    values.output = dir_.filePath(file);
    const JobResult built = buildJob(values);
    if (!built.job) {
        return built.error;
    }
    if (!built.job->warning.isEmpty()) {
        messages_ << QStringLiteral("line %1: %2").arg(record.line).arg(built.job->warning)
                  << Qt::endl;
    }
    const WriteResult written = writeSymbol(*built.job);
    if (!written.ok) {
        return written.error;
    }
    writtenBy_.insert(file, record.line);
    return {};
}

void BatchRun::progress(int done, int total) {
    if (total < kProgressMinRows) {
        return;
    }
    const int step = total / 10;  // about every tenth of the batch
    if (done % step == 0 && done != total) {
        messages_ << QStringLiteral("progress: %1 of %2 rows").arg(done).arg(total) << Qt::endl;
    }
}

}  // namespace

BatchOutcome runBatch(const QString& csv, const QString& outputDir, const OptionValues& defaults,
                      QTextStream& messages) {
    return BatchRun(outputDir, defaults, messages).run(readCsv(csv));
}

BatchText readBatchFile(const QString& path) {
    QFile file;
    bool opened = false;
    if (path == QStringView(kStdoutPath)) {  // "-" reads standard input here
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        return {{},
                QStringLiteral("--batch: cannot read \"%1\": %2").arg(path, file.errorString())};
    }
    return {QString::fromUtf8(file.readAll()), {}};
}

}  // namespace strikon::cli
