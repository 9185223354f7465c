#include "cli/run.h"

#include <QDir>

#include "cli/batch.h"
#include "cli/batch_stream.h"
#include "cli/command_line.h"
#include "cli/render_job.h"
#include "cli/sheet_job.h"
#include "cli/symbol_output.h"
#include "cli/task_pool.h"
#include "cli/usage.h"
#include "render/label_templates.h"

namespace strikon::cli {

namespace {

constexpr char16_t kProgram[] = u"strikon-render: ";

int refuse(QTextStream& messages, const QString& why) {
    messages << QStringView(kProgram) << why << Qt::endl;
    return kRefused;
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
            const QByteArray text = usageText().toUtf8();
            std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), standardOutput);
            std::fflush(standardOutput);
            return kAllWritten;
        }
        case Mode::Batch:
            return batch(parsed.value, messages);
        case Mode::Sheet:
            return sheet(parsed.value, messages);
        case Mode::ListSheets:
            return listSheets(*parsed.value.values.listSheets, messages, standardOutput);
        case Mode::Single:
            break;
    }
    return single(parsed.value.values, messages, standardOutput);
}

}  // namespace strikon::cli
