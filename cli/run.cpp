#include "cli/run.h"

#include <QDir>

#include "cli/batch.h"
#include "cli/batch_stream.h"
#include "cli/command_line.h"
#include "cli/render_job.h"
#include "cli/scan_report.h"
#include "cli/sheet_job.h"
#include "cli/symbol_output.h"
#include "cli/task_pool.h"
#include "cli/usage.h"
#include "platform/version.h"
#include "render/label_templates.h"

namespace strikon::cli {

namespace {

constexpr char16_t kProgram[] = u"strikon-render: ";

// The most batch rows --check reads; each is reported, not kept.
constexpr int kMaxCheckedRows = 1000000;

int refuse(QTextStream& messages, const QString& why) {
    messages << QStringView(kProgram) << why << Qt::endl;
    return kRefused;
}

void printOut(std::FILE* standardOutput, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), standardOutput);
    std::fflush(standardOutput);
}

void warn(QTextStream& messages, const QStringList& lines) {
    for (const QString& line : lines) {
        messages << QStringView(kProgram) << line << Qt::endl;
    }
}

int single(const CommandLine& line, QTextStream& messages, std::FILE* standardOutput) {
    const JobResult built = buildJob(line.values);
    if (!built.ok) {
        return refuse(messages, built.error);
    }
    const RenderJob& job = built.value;
    const ScanReport report = scanCheck(job.symbol, job.pxPerMm(), line.inkSpreadMm);
    if (!line.check) {
        warn(messages, job.warning.split(u'\n', Qt::SkipEmptyParts));
        warn(messages, scanWarnings(job.symbol, report));
    }
    if (!job.output.isEmpty()) {
        const WriteResult written = writeSymbol(job, standardOutput);
        if (!written.ok) {
            return refuse(messages, QStringLiteral("--output: ") + written.error);
        }
    }
    if (line.check) {
        printOut(standardOutput, checkReport(job.symbol, report));
        return report.scanReady() ? kAllWritten : kNotScanReady;
    }
    return kAllWritten;
}

bool sameSymbol(const SymbolRequest& a, const SymbolRequest& b) {
    return a.symbology == b.symbology && a.digits == b.digits && a.addOn == b.addOn &&
           a.addOnDigits == b.addOnDigits && a.gs1 == b.gs1 && a.sizePercent == b.sizePercent &&
           a.lineColor == b.lineColor && a.backgroundColor == b.backgroundColor &&
           a.output == b.output;
}

int sheet(const CommandLine& line, QTextStream& messages, std::FILE* standardOutput) {
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
    const SheetJob& job = built.value;
    // Each different label once, in label order: copies are one symbol.
    QString report;
    QStringList warnings;
    bool ready = true;
    for (size_t i = 0; i < job.content.labels.size(); ++i) {
        const SymbolRequest& label = job.content.labels[i];
        if (i > 0 && sameSymbol(label, job.content.labels[i - 1])) {
            continue;
        }
        const ScanReport r = scanCheck(label, job.symbol.pxPerMm(), line.inkSpreadMm);
        ready = ready && r.scanReady();
        report += (report.isEmpty() ? QString() : QStringLiteral("\n")) +
                  QStringLiteral("label: %1\n").arg(i + 1) + checkReport(label, r);
        for (const QString& w : scanWarnings(label, r)) {
            if (!warnings.contains(w)) {
                warnings << w;
            }
        }
    }
    if (!line.check) {
        warn(messages, job.symbol.warning.split(u'\n', Qt::SkipEmptyParts));
        warn(messages, warnings);
    }
    if (!job.symbol.output.isEmpty()) {
        const WriteResult written = writeSheet(job);
        if (!written.ok) {
            return refuse(messages, QStringLiteral("--output: ") + written.error);
        }
    }
    if (line.check) {
        printOut(standardOutput, report);
        return ready ? kAllWritten : kNotScanReady;
    }
    return kAllWritten;
}

// --check over a batch: each row's report, prefixed by its line; files only with --output-dir.
int checkBatch(const CommandLine& line, QTextStream& messages, std::FILE* standardOutput) {
    if (!line.outputDir.isEmpty()) {
        const BatchFile csv = openBatchFile(line.batchFile);
        if (!csv.ok) {
            return refuse(messages, csv.error);
        }
        const int jobs = line.jobs > 0 ? line.jobs : defaultJobs();
        const BatchOutcome outcome =
            runBatch(*csv.value, line.outputDir, line.values, messages, jobs);
        if (!outcome.error.isEmpty()) {
            return refuse(messages, outcome.error);
        }
    }
    const BatchFile csv = openBatchFile(line.batchFile);
    if (!csv.ok) {
        return refuse(messages, csv.error);
    }
    const BatchRows rows = readBatchRows(*csv.value, line.values, kMaxCheckedRows);
    if (!rows.error.isEmpty()) {
        return refuse(messages, rows.error);
    }
    bool ready = true;
    bool refused = false;
    QString report;
    for (size_t i = 0; i < rows.rows.size(); ++i) {
        OptionValues values = rows.rows[i];
        values.output.reset();  // the file column names a file in --output-dir
        const JobResult built = buildJob(values);
        if (!built.ok) {
            messages << QStringView(kProgram)
                     << QStringLiteral("line %1: %2").arg(rows.lines[i]).arg(built.error)
                     << Qt::endl;
            refused = true;
            continue;
        }
        const ScanReport r = scanCheck(built.value.symbol, built.value.pxPerMm(), line.inkSpreadMm);
        ready = ready && r.scanReady();
        report += (report.isEmpty() ? QString() : QStringLiteral("\n")) +
                  QStringLiteral("line: %1\n").arg(rows.lines[i]) +
                  checkReport(built.value.symbol, r);
    }
    printOut(standardOutput, report);
    return refused ? kRefused : (ready ? kAllWritten : kNotScanReady);
}

// The products that match, one a line on standard output; the templates left out that the
// words would have matched (all of them without words) on `messages`.
int listSheets(const QString& text, QTextStream& messages, std::FILE* standardOutput) {
    const TemplateCatalogue catalogue = readTemplateFolder(templateFolder());
    if (catalogue.folder.isEmpty()) {
        return refuse(messages,
                      QStringLiteral("--list-sheets: no label templates are installed (the "
                                     "glabels-data package puts them in %1)")
                          .arg(QLatin1String(kGlabelsTemplates)));
    }
    for (const SkippedTemplate& skipped : catalogue.skipped) {
        TemplateCatalogue one;
        one.products.push_back({skipped.name, {}, {}, {}, {}});
        if (skipped.name.isEmpty() || !findProducts(one, text).empty()) {
            messages << QStringView(kProgram) << QStringLiteral("skipped ") << skipped.text()
                     << Qt::endl;
        }
    }
    const std::vector<const LabelProduct*> found = findProducts(catalogue, text);
    QByteArray listing;
    for (const LabelProduct* product : found) {
        QString line = product->brand + QLatin1Char(':') + product->part + QLatin1Char('\t') +
                       layoutTitle(product->layout) + QLatin1Char('\t') + product->description;
        listing += line.toUtf8() + '\n';
    }
    std::fwrite(listing.constData(), 1, static_cast<size_t>(listing.size()), standardOutput);
    std::fflush(standardOutput);
    if (found.empty()) {
        return refuse(messages, QStringLiteral("--list-sheets: no label stock in %1 matches \"%2\"")
                                    .arg(QDir::toNativeSeparators(catalogue.folder), text));
    }
    return kAllWritten;
}

int batch(const CommandLine& line, QTextStream& messages) {
    if (line.batchFile == QStringView(kStdoutPath)) {  // "-": rows as they arrive
        ArrivingInput input;
        input.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        const BatchOutcome outcome = runBatchStream(input, line.outputDir, line.values, messages);
        if (!outcome.error.isEmpty()) {
            return refuse(messages, outcome.error);
        }
        return outcome.failed == 0 ? kAllWritten : kSomeRowsFailed;
    }
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
        case Mode::Help: {
            printOut(standardOutput, usageText());
            return kAllWritten;
        }
        case Mode::Version:
            printOut(standardOutput,
                     QStringLiteral("strikon-render %1\n").arg(QLatin1String(kVersion)));
            return kAllWritten;
        case Mode::Batch:
            return parsed.value.check ? checkBatch(parsed.value, messages, standardOutput)
                                      : batch(parsed.value, messages);
        case Mode::Sheet:
            return sheet(parsed.value, messages, standardOutput);
        case Mode::ListSheets:
            return listSheets(*parsed.value.values.listSheets, messages, standardOutput);
        case Mode::Single:
            break;
    }
    return single(parsed.value, messages, standardOutput);
}

}  // namespace strikon::cli
