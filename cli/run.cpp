#include "cli/run.h"

#include "cli/batch.h"
#include "cli/command_line.h"
#include "cli/render_job.h"
#include "cli/sheet_job.h"
#include "cli/symbol_output.h"
#include "cli/task_pool.h"
#include "cli/usage.h"
#include "platform/version.h"

namespace strikon::cli {

namespace {

constexpr char16_t kProgram[] = u"strikon-render: ";

int refuse(QTextStream& messages, const QString& why) {
    messages << QStringView(kProgram) << why << Qt::endl;
    return kRefused;
}

int print(const QString& text, std::FILE* standardOutput) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), standardOutput);
    std::fflush(standardOutput);
    return kAllWritten;
}

int single(const OptionValues& values, QTextStream& messages, std::FILE* standardOutput) {
    const JobResult built = buildJob(values);
    if (!built.ok) {
        return refuse(messages, built.error);
    }
    for (const QString& warning : built.value.warning.split(u'\n', Qt::SkipEmptyParts)) {
        messages << QStringView(kProgram) << warning << Qt::endl;
    }
    const WriteResult written = writeSymbol(built.value, standardOutput);
    if (!written.ok) {
        return refuse(messages, QStringLiteral("--output: ") + written.error);
    }
    return kAllWritten;
}

int sheet(const CommandLine& line, QTextStream& messages) {
    std::optional<BatchRows> rows;
    if (!line.batchFile.isEmpty()) {
        const BatchFile csv = openBatchFile(line.batchFile);
        if (!csv.ok) {
            return refuse(messages, csv.error);
        }
        rows = readBatchRows(*csv.value, line.values, kMaxSheetLabels);
        if (!rows->notice.isEmpty()) {
            messages << QStringView(kProgram) << rows->notice << Qt::endl;
        }
        if (!rows->error.isEmpty()) {
            return refuse(messages, rows->error);
        }
    }
    const SheetJobResult built = buildSheetJob(line.values, rows ? &*rows : nullptr);
    if (!built.ok) {
        return refuse(messages, built.error);
    }
    if (!built.value.symbol.warning.isEmpty()) {
        messages << QStringView(kProgram) << built.value.symbol.warning << Qt::endl;
    }
    const WriteResult written = writeSheet(built.value);
    if (!written.ok) {
        return refuse(messages, QStringLiteral("--output: ") + written.error);
    }
    return kAllWritten;
}

int batch(const CommandLine& line, QTextStream& messages) {
    const BatchFile csv = openBatchFile(line.batchFile);
    if (!csv.ok) {
        return refuse(messages, csv.error);
    }
    const int jobs = line.jobs > 0 ? line.jobs : defaultJobs();
    const BatchOutcome outcome = runBatch(*csv.value, line.outputDir, line.values, messages, jobs);
    if (!outcome.error.isEmpty()) {
        return refuse(messages, outcome.error);
    }
    return outcome.failed == 0 ? kAllWritten : kSomeRowsFailed;
}

}  // namespace

int run(const QStringList& arguments, QTextStream& messages, std::FILE* standardOutput) {
    const CommandLineResult parsed = parseCommandLine(arguments);
    if (!parsed.ok) {
        return refuse(messages, parsed.error);
    }
    switch (parsed.value.mode) {
        case Mode::Help:
            return print(usageText(), standardOutput);
        case Mode::Version:
            return print(QStringLiteral("strikon-render %1\n").arg(QLatin1String(kVersion)),
                         standardOutput);
        case Mode::Batch:
            return batch(parsed.value, messages);
        case Mode::Sheet:
            return sheet(parsed.value, messages);
        case Mode::Single:
            break;
    }
    return single(parsed.value.values, messages, standardOutput);
}

}  // namespace strikon::cli
